// The figure on a high-DPI screen: the large figure (a 1000 x 1400 character,
// 1000 x 1430 canvas, pictures drawn at 100) loaded at 96 DPI and at 192 DPI,
// where it has four times the pixels and is enlarged, and its one second's
// update at both; then the enlargement against the area reduction, per
// output pixel. Both loads go the way a move to a monitor of that DPI takes
// (WM_DPICHANGED), best of 3 each, in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "mascot/area_scale.h"
#include "mascot/enlarge.h"
#include "mascot/soft_figure.h"
#include "shared/dpi_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/test_pictures.h"

#include "bench_clock.h"

namespace {

// The figure rebuilt for a monitor of `dpi`, placed where it stands.
void MoveToDpi(HWND hwnd, int dpi) {
  RECT rect;
  GetWindowRect(hwnd, &rect);
  SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&rect));
  PumpMessages(20);
}

struct AtDpi {
  double load;
  double update;
  int width;
  int height;
};

AtDpi Measure(HWND hwnd, int dpi) {
  AtDpi at{};
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    MoveToDpi(hwnd, dpi == 96 ? 192 : 96);
    const double start = NowMs();
    MoveToDpi(hwnd, dpi);
    best = std::min(best, NowMs() - start);
  }
  at.load = best;
  at.width = g_state.nWindowWidth;
  at.height = g_state.nWindowHeight;
  SetForegroundWindow(hwnd);
  PumpMessages(50);
  SecondUpdate(hwnd, 20);  // warm up
  at.update = SecondUpdate(hwnd, 200);
  return at;
}

// Time per output pixel of one resampling, in nanoseconds (best of 5).
template <typename Resample>
double PerOutputPixel(int width, int height, Resample resample) {
  PixelBuffer target;
  target.Allocate(width, height, 0);
  const double ms = BestOf(5, [&] { resample(target.view()); });
  return ms * 1e6 / (static_cast<double>(width) * height);
}

}  // namespace

int main() {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  const PixelBuffer large = MakeTestCharacter(1000, 1400, kBenchKey, 0x00C08040, 4, 1);
  WriteBenchPictures(folder, {{"large", &large}});
  WriteFileBytes(folder.File("Tavelin.ini"), BenchIni("nChara=40001\r\nnSize=42002\r\nfTopMost=1\r\nxPosWindow=0\r\n"
                                                      "yPosWindow=0\r\n",
                                                      {"large.bmp", "large.png"}));
  HWND hwnd = StartQuietClock();
  if (hwnd == nullptr) return 1;

  std::printf("the large figure on monitors of 96 and 192 DPI (pictures drawn at 100):\n");
  std::printf("  %-8s %-14s %-12s %12s %12s\n", "figure", "DPI", "window", "load ms", "update ms");
  for (int i = 0; i < 2; ++i) {
    if (i > 0) SendMessageA(hwnd, WM_COMMAND, 40001 + i, 0);
    const AtDpi low = Measure(hwnd, 96);
    const AtDpi high = Measure(hwnd, 192);
    const char* kind = i == 0 ? "keyed" : "soft";
    for (const auto& [dpi, at] : {std::pair<int, AtDpi>{96, low}, std::pair<int, AtDpi>{192, high}}) {
      std::printf("  %-8s %-14d %5d x %-5d %12.2f %12.3f\n", kind, dpi, at.width, at.height, at.load, at.update);
    }
    std::printf("  %-8s 192 against 96: load %.2f x (target at most 4.5 x), update %.2f x (target at most 4.5 x)\n",
                kind, high.load / low.load, high.update / low.update);
  }
  CloseClock(hwnd);

  // The canvas of the large figure, 1000 x 1430, premultiplied and keyed.
  PixelBuffer canvas;
  canvas.Allocate(1000, 1430, 0);
  const PixelBuffer soft = SoftenKeyedPicture(large.view(), kBenchKey);
  DrawSourceOver(canvas.view(), 0, 30, soft.view());
  PixelBuffer keyed;
  keyed.Allocate(1000, 1430, kBenchKey);
  for (int y = 0; y < 1400; ++y) std::copy_n(large.view().Row(y), 1000, keyed.view().Row(y + 30));
  const double enlargeSoft = PerOutputPixel(2000, 2860, [&](PixelView t) { EnlargePremultiplied(canvas.view(), t); });
  const double reduceSoft = PerOutputPixel(700, 1001, [&](PixelView t) { ReducePremultiplied(canvas.view(), t); });
  const double enlargeKeyed =
      PerOutputPixel(2000, 2860, [&](PixelView t) { EnlargeKeyed(keyed.view(), kBenchKey, t); });
  const double reduceKeyed =
      PerOutputPixel(700, 1001, [&](PixelView t) { ScaleByCoverage(keyed.view(), kBenchKey, t); });
  std::printf("\nresampling the large canvas, per output pixel (best of 5):\n");
  std::printf("  %-8s %22s %22s %10s\n", "figure", "enlarged x 2, ns", "reduced x 0.7, ns", "ratio");
  std::printf("  %-8s %22.2f %22.2f %9.2f x (target at most 3 x)\n", "soft", enlargeSoft, reduceSoft,
              enlargeSoft / reduceSoft);
  std::printf("  %-8s %22.2f %22.2f %9.2f x (target at most 3 x)\n", "keyed", enlargeKeyed, reduceKeyed,
              enlargeKeyed / reduceKeyed);
  return 0;
}
