// The benchmarks' clock: milliseconds from the performance counter, and the
// best of several runs of a step.
#ifndef TAVELIN_BENCH_BENCH_TIMING_H
#define TAVELIN_BENCH_BENCH_TIMING_H

#include <windows.h>

#include <algorithm>
#include <functional>

inline double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The best of `repeats` runs of `step`, in ms.
inline double BestOf(int repeats, const std::function<void()>& step) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const double start = NowMs();
    step();
    best = std::min(best, NowMs() - start);
  }
  return best;
}

#endif
