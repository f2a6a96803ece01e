// The balloon's text wrapped into lines and its parts laid out at a DPI.
#ifndef TAVELIN_BALLOON_BALLOON_LAYOUT_H
#define TAVELIN_BALLOON_BALLOON_LAYOUT_H

#include <string>
#include <vector>

#include "balloon/balloon_place.h"

// About 40 characters a line: a full-width character (Japanese) counts as
// two columns, so a Japanese line holds about 20.
constexpr int kBalloonColumns = 40;

// Columns a character takes: 2 for the wide (East Asian full-width) ones.
int ColumnsOf(wchar_t c);

// Wraps `text` into lines of at most `columns` columns. Line ends in the text
// are kept; Latin text breaks at spaces (which the break eats) and within a
// word only when the word alone is too long; wide text breaks between
// characters, but never before closing punctuation, which stays on its line
// even if that line becomes a little longer.
std::vector<std::wstring> WrapBalloonText(const std::wstring& text, int columns = kBalloonColumns);

struct BalloonLayoutInput {
  std::vector<int> lineWidths;  // each wrapped line, measured in the font
  int lineHeight = 0;
  int buttonCount = 0;          // 0 to 2
  int buttonTextWidths[2] = {0, 0};
  int dpi = 96;
};

struct BalloonLayout {
  BalloonSize size;  // width, height, tail, corner radius at the DPI
  BalloonBox text;   // in the body's pixels
  BalloonBox buttons[2];
  double outline = 1;  // the outline's width
};

// The body: the text with a margin, the buttons in a row under it, right
// aligned, each at least a minimum width; all lengths scaled from 96 DPI.
BalloonLayout LayOutBalloon(const BalloonLayoutInput& input);

#endif
