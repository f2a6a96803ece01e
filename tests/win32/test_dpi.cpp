// The figure at the DPI of its monitor: run under a prefix whose LogPixels is
// 144 or 192 (TAVELIN_LOGPIXELS names it), the demo kit's figure has the
// window, outline and hands of that scale; a WM_DPICHANGED sent to the window,
// as Windows sends it on a move to a monitor of another DPI, rebuilds it at
// the new scale in the place the system suggests.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "clockface/hand_strokes.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/soft_figure.h"
#include "pictures/picture_reader_win32.h"
#include "shared/dpi_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/clock_fixture.h"
#include "support/kit_characters.h"
#include "support/placement_watch.h"

namespace {

class DpiTest : public testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    g_system = real_;
    if (hwnd_ != nullptr) CloseClock(hwnd_);
  }

  // Starts the clock with character `index` of the soft demo kit, at the
  // size and with the choice given in `general`.
  bool StartWithKitCharacter(int index, const std::string& general) {
    const std::string kit = PathFromEnvironment("TAVELIN_SOFT_KIT");
    if (kit.empty() || !CopyKitCharacter(kit + "\\", index, folder_.path(), general, &character_)) return false;
    g_system.localTime = TenPastTen;
    hwnd_ = StartClock();
    return hwnd_ != nullptr;
  }

  // The figure the pixel rules make of the character at `dpi`.
  Figure Expected(int dpi) {
    Figure figure;
    const ScopedPictureReader reader;
    EXPECT_TRUE(ComposeKitCharacter(folder_.path(), character_, DisplayScale(g_state.nSize, dpi), &figure));
    return figure;
  }

  // The window's picture after a tick at 10:08:30 against the figure with the
  // hands the renderer draws at `dpi`: the number of pixels that differ.
  int FrameDiffersFromRenderer(const Figure& figure, int dpi) {
    SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
    PixelView frame;
    if (!SectionPixels(g_state.hbmFrame, &frame)) return -1;
    PixelBuffer expected = figure.picture;
    RenderClockHands(expected.view(), 0, 0, HandsSurface::kPremultiplied, figure.xClockCenter, figure.yClockCenter,
                     DisplayScale(g_state.nSize, dpi), g_state.nSize, 10, 8, 30, GetForegroundWindow() == hwnd_, dpi);
    if (frame.width != expected.width() || frame.height != expected.height()) return -2;
    int differ = 0;
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) differ += frame.At(x, y) != expected.view().At(x, y);
    }
    return differ;
  }

  void ExpectWindowIs(const Figure& figure, const char* when) {
    RECT rect;
    GetWindowRect(hwnd_, &rect);
    EXPECT_EQ(rect.right - rect.left, figure.picture.width()) << when;
    EXPECT_EQ(rect.bottom - rect.top, figure.picture.height()) << when;
    EXPECT_EQ(g_state.nWindowWidth, figure.picture.width()) << when;
    EXPECT_EQ(g_state.xClockCenter, figure.xClockCenter) << when;
    EXPECT_EQ(g_state.yClockCenter, figure.yClockCenter) << when;
    const ScopedRegion outline(CreateRegionFromRuns(FindAlphaRuns(figure.picture.view())));
    EXPECT_TRUE(EqualRgn(g_state.hrgnShape, outline.get())) << when << ": the outline at that scale";
  }

  TempFolder folder_;
  KitCharacter character_;
  const SystemReadings real_ = g_system;
  HWND hwnd_ = nullptr;
};

TEST_F(DpiTest, TheDemoFigureAndItsHandsAreBuiltAtTheMonitorsDpi) {
  if (!StartWithKitCharacter(0, "nSize=42002\r\nxPosWindow=100\r\nyPosWindow=80\r\n")) GTEST_SKIP() << "no kit";
  const char* logPixels = std::getenv("TAVELIN_LOGPIXELS");
  const int dpi = WindowDpi(hwnd_);
  if (logPixels != nullptr) {
    ASSERT_EQ(dpi, std::atoi(logPixels)) << "the prefix's LogPixels";
  }
  EXPECT_EQ(g_state.nDpi, dpi);
  EXPECT_EQ(g_state.dScale, DisplayScale(IDM_SIZE_NORMAL, dpi));
  const Figure figure = Expected(dpi);
  ExpectWindowIs(figure, "at start");
  EXPECT_EQ(FrameDiffersFromRenderer(figure, dpi), 0) << "pixels of the hands unlike the renderer's at " << dpi;
}

// Windows asks for the size at the new DPI first, then suggests a rectangle
// of that size: the window takes it, rebuilt at the new scale, and shows the
// character it showed, even when the choice is random.
TEST_F(DpiTest, ADpiChangeMovesTheFigureToTheSuggestedRectangleAtTheNewSize) {
  if (!StartWithKitCharacter(3, "nSize=42001\r\nxPosWindow=100\r\nyPosWindow=80\r\n")) GTEST_SKIP() << "no kit";
  g_state.nChara = IDM_CHARA_RANDOM;
  const int shown = g_state.nShownChara;
  const int newDpi = WindowDpi(hwnd_) == 192 ? 120 : 192;
  const Figure figure = Expected(newDpi);

  SIZE size{0, 0};
  EXPECT_TRUE(SendMessageA(hwnd_, WM_GETDPISCALEDSIZE, newDpi, reinterpret_cast<LPARAM>(&size)));
  EXPECT_EQ(size.cx, figure.picture.width()) << "the size asked for at " << newDpi;
  EXPECT_EQ(size.cy, figure.picture.height());
  const RECT suggested{220, 140, 220 + size.cx, 140 + size.cy};
  RECT before;
  GetWindowRect(hwnd_, &before);
  std::vector<RECT> placed;
  {
    PlacementWatch watch(hwnd_);
    SendMessageA(hwnd_, WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(&suggested));
    placed = watch.placed();
  }

  RECT rect;
  GetWindowRect(hwnd_, &rect);
  EXPECT_TRUE(EqualRect(&rect, &suggested)) << "expected " << DescribeRect(suggested) << ", got " << DescribeRect(rect);
  // In one step: never at the new place with the old size, nor the other way round.
  for (const RECT& step : placed) {
    EXPECT_TRUE(EqualRect(&step, &suggested)) << "placed on the way at " << DescribeRect(step) << ", from "
                                              << DescribeRect(before);
  }
  ExpectWindowIs(figure, "after the change");
  EXPECT_EQ(g_state.nDpi, newDpi);
  EXPECT_EQ(g_state.nShownChara, shown) << "the same character, rebuilt";
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  EXPECT_EQ(FrameDiffersFromRenderer(figure, newDpi), 0) << "hands at " << newDpi;
}

// Windows sends a DPI change from inside the SetWindowPos that carries out
// another, as the window crosses to a third monitor: the change that comes
// inside waits, and the figure ends whole at the last DPI, in the last
// rectangle suggested.
TEST_F(DpiTest, ADpiChangeFromInsideTheMoveOfAnotherEndsInOneFigureAtTheLastDpi) {
  if (!StartWithKitCharacter(5, "nSize=42002\r\nxPosWindow=100\r\nyPosWindow=80\r\n")) GTEST_SKIP() << "no kit";
  const int firstDpi = WindowDpi(hwnd_) == 144 ? 120 : 144;
  const int lastDpi = WindowDpi(hwnd_) == 192 ? 96 : 192;
  const Figure figure = Expected(lastDpi);

  SIZE size{0, 0};
  SendMessageA(hwnd_, WM_GETDPISCALEDSIZE, firstDpi, reinterpret_cast<LPARAM>(&size));
  const RECT first{220, 140, 220 + size.cx, 140 + size.cy};
  RECT last{};
  int nested = 0;
  {
    PlacementWatch watch(hwnd_);
    watch.onChanging = [&](const WINDOWPOS& pos) {
      if (nested != 0 || (pos.flags & SWP_NOMOVE) || pos.x != first.left || pos.y != first.top) return;
      ++nested;
      SIZE lastSize{0, 0};
      SendMessageA(hwnd_, WM_GETDPISCALEDSIZE, lastDpi, reinterpret_cast<LPARAM>(&lastSize));
      last = {360, 260, 360 + lastSize.cx, 260 + lastSize.cy};
      SendMessageA(hwnd_, WM_DPICHANGED, MAKEWPARAM(lastDpi, lastDpi), reinterpret_cast<LPARAM>(&last));
    };
    SendMessageA(hwnd_, WM_DPICHANGED, MAKEWPARAM(firstDpi, firstDpi), reinterpret_cast<LPARAM>(&first));
  }
  ASSERT_EQ(nested, 1) << "the first change never moved the window to its rectangle";

  RECT rect;
  GetWindowRect(hwnd_, &rect);
  EXPECT_TRUE(EqualRect(&rect, &last)) << "expected " << DescribeRect(last) << ", got " << DescribeRect(rect);
  EXPECT_EQ(g_state.nDpi, lastDpi);
  EXPECT_EQ(g_state.dScale, DisplayScale(IDM_SIZE_NORMAL, lastDpi));
  ExpectWindowIs(figure, "after both changes");
  int width = 0;
  int height = 0;
  ASSERT_TRUE(GetBitmapSize(g_state.hbmMascot, &width, &height));
  EXPECT_EQ(width, figure.picture.width()) << "MascotBitmap at the last DPI";
  EXPECT_EQ(height, figure.picture.height());
  EXPECT_EQ(FrameDiffersFromRenderer(figure, lastDpi), 0) << "hands at " << lastDpi;
}

}  // namespace
