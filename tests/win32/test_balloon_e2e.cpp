// Tavelin.exe started with the balloon on and its alarm due, on a display
// with a compositing manager over a grey backdrop: the alarm's balloon shows
// beside the figure, its text readable and its edges soft, and a real click
// on "Stop" closes it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "balloon/balloon_picture.h"
#include "balloon/balloon_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"
#include "support/plain_window.h"
#include "support/x_pointer.h"

namespace {


int Channel(Pixel p, int shift) { return static_cast<int>((p >> shift) & 0xFF); }

// Strictly between the backdrop's grey and `colour` on every channel that differs.
bool BlendedBetween(Pixel p, Pixel grey, Pixel colour) {
  bool between = false;
  for (const int shift : {0, 8, 16}) {
    const int lo = std::min(Channel(grey, shift), Channel(colour, shift));
    const int hi = std::max(Channel(grey, shift), Channel(colour, shift));
    if (Channel(p, shift) < lo - 2 || Channel(p, shift) > hi + 2) return false;
    between = between || (Channel(p, shift) > lo + 2 && Channel(p, shift) < hi - 2);
  }
  return between;
}

TEST(BalloonEndToEnd, TheAlarmsBalloonShowsSoftAndReadableBesideTheFigureAndStopClosesIt) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the pointer is driven through xdotool on Wine's X display";
  PlainWindow backdrop(PlainWindow::Screen());
  const SYSTEMTIME now = TimeWithRoomInMinute();
  TempFolder folder;
  WriteFileBytes(folder.File("Tavelin.ini"),
                 "[GENERAL]\r\nfTopMost=1\r\nfHideOnMouse=0\r\nfAsideFullScreen=0\r\nfMute=1\r\nfBalloon=1\r\n"
                 "nChara=40001\r\nnSize=42002\r\nxPosWindow=400\r\nyPosWindow=420\r\n[ALARM]\r\nnAlarmMode=1012\r\n"
                 "nAlarmHour=" + std::to_string(now.wHour) + "\r\nnAlarmMinute=" + std::to_string(now.wMinute) +
                     "\r\n" + WriteTestCharacters(folder.path()));
  PROCESS_INFORMATION process{};
  ASSERT_EQ(StartProgramIn(folder.path(), &process), "");
  HWND balloon = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    balloon = FindWindowW(kBalloonClassName, nullptr);
    return balloon != nullptr && IsWindowVisible(balloon);
  }, 20000)) << "the alarm's balloon did not show";
  const HWND clock = FindWindowA(kClassName, nullptr);
  if (balloon != nullptr && clock != nullptr) {
    RECT rcBalloon{}, rcFigure{};
    GetWindowRect(balloon, &rcBalloon);
    GetWindowRect(clock, &rcFigure);
    EXPECT_LE(rcBalloon.bottom, rcFigure.top + 1) << "above the figure, which has room above it";
    const int head = (rcFigure.left + rcFigure.right) / 2;
    EXPECT_TRUE(rcBalloon.left < head && rcBalloon.right > head) << "over the head";

    // Let the compositor settle, then look.
    std::vector<Pixel> pixels;
    WaitFor([&] {
      std::vector<Pixel> again = CopyPixels(nullptr, rcBalloon);
      const bool same = again == pixels;
      pixels = std::move(again);
      return same;
    }, 3000);
    const int width = rcBalloon.right - rcBalloon.left;
    const int height = rcBalloon.bottom - rcBalloon.top;
    const BalloonColours colours = DefaultBalloonColours();
    int dark = 0, fill = 0, soft = 0;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Pixel p = pixels[static_cast<std::size_t>(y) * width + x];
        dark += Channel(p, 16) < 90 && Channel(p, 8) < 90 && Channel(p, 0) < 90;
        fill += p == colours.fill;
        // The corners' and the tail's pixels, blended over the grey.
        soft += (x < 16 || x >= width - 16) && BlendedBetween(p, 0x808080, colours.fill);
      }
    }
    EXPECT_EQ(pixels[0], 0x808080u) << std::hex << "the window's corner, outside the rounded body, is the backdrop";
    EXPECT_GT(fill, width * height / 3) << "the balloon's fill shows";
    EXPECT_GT(dark, 60) << "no text shows";
    EXPECT_GT(soft, 8) << "no soft edge";

    // The Stop button: the right one of the two at the bottom, found by its colour.
    int stopX = -1, stopY = -1;
    for (int y = height - 1; y >= 0 && stopX < 0; --y) {
      for (int x = width - 1; x >= 0; --x) {
        if (pixels[static_cast<std::size_t>(y) * width + x] == colours.button) {
          stopX = x;
          stopY = y;
          break;
        }
      }
    }
    ASSERT_GE(stopX, 0) << "no button shows";
    const int clickX = rcBalloon.left + stopX - 6;
    const int clickY = rcBalloon.top + stopY - 4;
    ASSERT_TRUE(RunXdotool("mousemove " + Xy(clickX, clickY) + " sleep 0.4 click 1 sleep 0.3"));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(balloon); }, 5000)) << "Stop did not close the balloon";
    RunXdotool("mousemove 5 5");
  }
  StopProgram(clock, &process);
}

}  // namespace
