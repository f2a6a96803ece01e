// The clock as the benchmarks run it: started through the program's own
// start-up with no sound or event to get in the way, and one second's update
// timed as the timer delivers it.
#ifndef TAVELIN_BENCH_BENCH_CLOCK_H
#define TAVELIN_BENCH_BENCH_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/test_pictures.h"

#include "bench_timing.h"

// The benchmarks' pictures are keyed by green.
constexpr Pixel kBenchKey = 0x0000FF00;

// Writes the test face as face.bmp into `folder`, and for each character
// picture `base` both base.bmp, keyed, and base.png, its soft-edged form.
inline void WriteBenchPictures(const TempFolder& folder,
                               std::initializer_list<std::pair<const char*, const PixelBuffer*>> characters) {
  WriteFileBytes(folder.File("face.bmp"), BmpBytes(MakeTestFace().view()));
  PngForm rgba;
  rgba.colourType = kPngRgbAlpha;
  for (const auto& [base, picture] : characters) {
    WriteFileBytes(folder.File(std::string(base) + ".bmp"), BmpBytes(picture->view()));
    WriteFileBytes(folder.File(std::string(base) + ".png"),
                   PngBytes(SoftenKeyedPicture(picture->view(), kBenchKey).view(), rgba));
  }
}

// A Tavelin.ini: `general` in GENERAL, then one section per character file,
// in the character table's order, each with the face over its character, 420
// in and 30 above it (a 1000 x 1430 canvas for the large test character).
inline std::string BenchIni(const std::string& general, std::initializer_list<const char*> files) {
  std::string ini = "[GENERAL]\r\n" + general;
  int i = 0;
  for (const char* file : files) {
    ini += std::string("[") + CharacterTable[i++].name + "]\r\nFileNameFace=face.bmp\r\nFileNameChara=" + file +
           "\r\nxPosFace=420\r\nyPosFace=-30\r\nfFaceOnChara=1\r\n";
  }
  return ini;
}

// The clock window with its alarm, chime and hourly change off; null, said
// so, when it cannot be made.
inline HWND StartQuietClock() {
  HWND hwnd = StartClock();
  if (hwnd == nullptr) {
    std::printf("the clock window could not be made\n");
    return nullptr;
  }
  g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  g_state.nOClockChangeChara = 0;
  return hwnd;
}

// Median time of the answer to one of the window's timers, as the timer
// delivers it, and any repaint left after it.
inline double TimerAnswer(HWND hwnd, UINT_PTR timer, int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const double start = NowMs();
    SendMessageA(hwnd, WM_TIMER, timer, 0);
    UpdateWindow(hwnd);
    times.push_back(NowMs() - start);
    if (i % 25 == 0) PumpMessages(5);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// Median time of one second's update: the tick and any repaint left after it
// (none is expected).
inline double SecondUpdate(HWND hwnd, int repeats) { return TimerAnswer(hwnd, ID_CLOCKTIMER, repeats); }

#endif
