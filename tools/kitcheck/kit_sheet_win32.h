// The kit sheet: every loadable character as the clock shows it, at both
// sizes, with the hands at 10:08:30 and its name underneath.
#ifndef TAVELIN_KITCHECK_KIT_SHEET_WIN32_H
#define TAVELIN_KITCHECK_KIT_SHEET_WIN32_H

#include <windows.h>

#include <string>
#include <vector>

#include "mascot/figure.h"

struct SheetFigure {
  std::string name;
  Figure normal;
  Figure small;
  bool soft = false;  // premultiplied pictures, blended over the sheet
};

// The time the hands show on the sheet.
constexpr int kSheetHour = 10;
constexpr int kSheetMinute = 8;
constexpr int kSheetSecond = 30;

// Light grey where the window's outline leaves the desktop showing.
constexpr Pixel kSheetBackground = 0x00E4E4E4;

// Renders the figures and writes the sheet to `path` as a 24-bit BMP, giving
// its size. False when there is nothing to draw, the sheet would be beyond
// the picture limit, or it cannot be made or written.
bool WriteKitSheet(const std::vector<SheetFigure>& figures, const char* path, int* width, int* height);

#endif
