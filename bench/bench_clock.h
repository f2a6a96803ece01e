// The clock as the benchmarks run it: started through the program's own
// start-up with no sound or event to get in the way, and one second's update
// timed as the timer delivers it.
#ifndef TAVELIN_BENCH_BENCH_CLOCK_H
#define TAVELIN_BENCH_BENCH_CLOCK_H

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/clock_state_win32.h"
#include "support/clock_fixture.h"

#include "bench_timing.h"

// The clock window with its alarm, chime and hourly change off; null, said
// so, when it cannot be made.
inline HWND StartQuietClock() {
  HWND hwnd = StartClock();
  if (hwnd == nullptr) {
    std::printf("the clock window could not be made\n");
    return nullptr;
  }
  g_state.nAlarmMode = IDC_ALARM_STOP;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  g_state.nOClockChangeChara = 0;
  return hwnd;
}

// Median time of one second's update: the tick as the timer delivers it and
// any repaint left after it (none is expected).
inline double SecondUpdate(HWND hwnd, int repeats) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const double start = NowMs();
    SendMessageA(hwnd, WM_TIMER, ID_CLOCKTIMER, 0);
    UpdateWindow(hwnd);
    times.push_back(NowMs() - start);
    if (i % 25 == 0) PumpMessages(5);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

#endif
