// The two kinds of figure side by side, loaded through the clock as a user's
// kit would be: a keyed one (BMP pictures) and a soft one (the same drawings
// as PNG with alpha), each demo-sized and large (1000 x 1430 canvas).
//  - one second's update: the clock tick, which redraws the face alone on
//    the window itself, so a large figure should cost about what a demo one
//    does;
//  - a load of each kind, step by step.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "clockface/clockface_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_runs.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/test_pictures.h"

#include "bench_clock.h"

namespace {

struct Choice {
  const char* what;
  int nChara;
  const char* character;
  bool soft;
};


void LoadSteps(const Choice& choice, double scale) {
  std::vector<std::pair<const char*, double>> steps;
  DecodedPicture face;
  DecodedPicture character;
  steps.push_back({"read and decode both pictures", BestOf(3, [&] {
                     LoadPictureFile("face.bmp", &face);
                     LoadPictureFile(choice.character, &character);
                   })});
  FigurePictures pictures{};
  pictures.xPosFace = 420;
  pictures.yPosFace = -30;
  pictures.fFaceOnChara = 1;
  PixelBuffer facePixels;
  PixelBuffer characterPixels;
  steps.push_back({choice.soft ? "key the face, premultiply the character" : "key both pictures", BestOf(3, [&] {
                     facePixels = face.pixels;
                     characterPixels = character.pixels;
                     pictures.faceKey = KeyPicture(facePixels.view());
                     if (choice.soft) {
                       OpaqueFromKey(facePixels.view(), pictures.faceKey);
                       PremultiplyPicture(characterPixels.view());
                     } else {
                       pictures.characterKey = KeyPicture(characterPixels.view());
                     }
                   })});
  pictures.face = facePixels.view();
  pictures.character = characterPixels.view();
  Figure figure;
  steps.push_back({"compose and reduce", BestOf(3, [&] {
                     if (choice.soft) {
                       ComposeSoftFigure(pictures, scale, &figure);
                     } else {
                       ComposeFigure(pictures, scale, &figure);
                     }
                   })});
  std::vector<ShapeRun> runs;
  steps.push_back({"outline runs", BestOf(3, [&] {
                     runs = choice.soft ? FindAlphaRuns(figure.picture.view()) : FindShapeRuns(figure.picture.view());
                   })});
  steps.push_back({"region in one call", BestOf(3, [&] { DeleteObject(CreateRegionFromRuns(runs)); })});
  std::printf("    load, %s size, step by step (best of 3):\n", scale < 1.0 ? "small" : "normal");
  double sum = 0;
  for (const auto& step : steps) {
    std::printf("      %-42s %8.2f ms\n", step.first, step.second);
    sum += step.second;
  }
  std::printf("      %-42s %8.2f ms\n", "sum of the steps", sum);
}

}  // namespace

int main() {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  const PixelBuffer large = MakeTestCharacter(1000, 1400, kBenchKey, 0x00C08040, 4, 1);
  const PixelBuffer demo = MakeTestCharacter(250, 350, kBenchKey, 0x004080C0, 2, 2);
  WriteBenchPictures(folder, {{"large", &large}, {"demo", &demo}});
  WriteFileBytes(folder.File("Tavelin.ini"), BenchIni("nChara=40001\r\nnSize=42002\r\nfTopMost=1\r\n",
                                                      {"demo.bmp", "large.bmp", "demo.png", "large.png"}));
  HWND hwnd = StartQuietClock();
  if (hwnd == nullptr) return 1;
  SetCurrentDirectoryA(folder.path().c_str());

  const Choice choices[] = {
      {"keyed, demo-sized", 40001, "demo.bmp", false},
      {"keyed, large", 40002, "large.bmp", false},
      {"soft, demo-sized", 40003, "demo.png", true},
      {"soft, large", 40004, "large.png", true},
  };
  double update[4] = {};
  const ScopedPictureReader reader;
  for (int i = 0; i < 4; ++i) {
    const Choice& choice = choices[i];
    g_state.nChara = choice.nChara;
    g_state.nSize = IDM_SIZE_NORMAL;
    const double load = BestOf(3, [&] {
      LoadCharacter(hwnd);
      PumpMessages(20);
    });
    SetForegroundWindow(hwnd);
    PumpMessages(50);
    SecondUpdate(hwnd, 20);  // warm up
    update[i] = SecondUpdate(hwnd, 300);
    const RECT face = ClockFaceRect();
    std::printf("\n%s: %dx%d window (%s), face %ldx%ld\n", choice.what, g_state.nWindowWidth, g_state.nWindowHeight,
                g_state.fSoftFigure ? "layered, per-pixel alpha" : "region window", face.right - face.left,
                face.bottom - face.top);
    std::printf("    one second's update (the tick), median of 300: %.3f ms\n", update[i]);
    std::printf("    LoadCharacter, measured whole (best of 3): %.2f ms\n", load);
    // What the window's region costs each second: the same update without it.
    if (!g_state.fSoftFigure) {
      SetWindowRgn(hwnd, nullptr, TRUE);
      PumpMessages(50);
      std::printf("    the same with the window's region taken away: %.3f ms\n", SecondUpdate(hwnd, 100));
    }
    LoadSteps(choice, 1.0);
    LoadSteps(choice, 0.7);
  }
  CloseClock(hwnd);
  std::printf("\none second's update, large against demo-sized: keyed %.2f x, soft %.2f x (target at most 1.5 x)\n",
              update[1] / update[0], update[3] / update[2]);
  std::printf("the clock's time per tick, demo-sized: keyed %.3f ms, soft %.3f ms (target at most 0.5 ms)\n",
              update[0], update[2]);
  return 0;
}
