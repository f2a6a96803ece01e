// The repaint: the figure with its hands, read back from the window's pixels.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/hands.h"
#include "mascot/bitmap_pixels_win32.h"
#include "support/clock_fixture.h"

namespace {

constexpr COLORREF kFigure = RGB(0, 128, 0);  // none of the hand colours
constexpr int kSide = 200;

SYSTEMTIME g_fakeTime;
void FakeLocalTime(SYSTEMTIME* time) { *time = g_fakeTime; }

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const COLORREF colour = GetPixel(dc, x, y);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return colour;
}

std::string Hex(COLORREF c) {
  char text[16];
  wsprintfA(text, "0x%06X", static_cast<unsigned>(c));
  return text;
}

class ClockfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    g_system.localTime = FakeLocalTime;
    g_fakeTime = {};
    g_fakeTime.wDay = 8;
    g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
    g_state.nOClockMode = IDC_OCLOCK_OFF;
    g_state.nOClockChangeChara = 0;
  }
  void TearDown() override {
    if (IsWindow(other_)) DestroyWindow(other_);
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // A plain figure of kSide pixels square with the face centred, in place of a loaded character.
  void UsePlainFigure(int nSize, double scale) {
    if (g_state.hbmMascot != nullptr) DeleteObject(g_state.hbmMascot);
    g_state.hbmMascot = MakePlainBitmap(kSide, kSide, kFigure);
    g_state.nWindowWidth = kSide;
    g_state.nWindowHeight = kSide;
    g_state.xClockCenter = kSide / 2;
    g_state.yClockCenter = kSide / 2;
    g_state.nSize = nSize;
    g_state.dScale = scale;
    SetWindowRgn(hwnd_, nullptr, FALSE);
    SetWindowPos(hwnd_, nullptr, 10, 10, kSide, kSide, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }

  void SetTime(int hour, int minute, int second) {
    g_fakeTime.wHour = static_cast<WORD>(hour);
    g_fakeTime.wMinute = static_cast<WORD>(minute);
    g_fakeTime.wSecond = static_cast<WORD>(second);
    g_state.nLastHour = hour;
  }

  void MakeClockForeground() { ASSERT_TRUE(BringToForeground(hwnd_)); }

  void MakeOtherForeground() {
    other_ = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 700, 600, 50, 50, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(other_, nullptr);
    ASSERT_TRUE(BringToForeground(other_));
  }

  // Repaints now and copies the window's pixels out.
  void Capture() {
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
    HDC windowDc = GetDC(hwnd_);
    HDC copyDc = CreateCompatibleDC(windowDc);
    HBITMAP copy = CreateCompatibleBitmap(windowDc, kSide, kSide);
    HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, kSide, kSide, windowDc, 0, 0, SRCCOPY);
    SelectObject(copyDc, previous);
    PixelBuffer read;
    const bool readOk = ReadBitmapPixels(copyDc, copy, &read);
    DeleteObject(copy);
    DeleteDC(copyDc);
    ReleaseDC(hwnd_, windowDc);
    ASSERT_TRUE(readOk) << "the window's pixels could not be read";
    pixels_.assign(read.data(), read.data() + kSide * kSide);
  }

  // The captured pixel as 0x00BBGGRR.
  COLORREF At(int x, int y) const {
    const std::uint32_t xrgb = pixels_[static_cast<size_t>(y) * kSide + x];
    return RGB((xrgb >> 16) & 0xFF, (xrgb >> 8) & 0xFF, xrgb & 0xFF);
  }

  int CountInColumn(int x, int yFrom, int yTo, COLORREF colour) const {
    int count = 0;
    for (int y = yFrom; y <= yTo; ++y) count += At(x, y) == colour;
    return count;
  }

  // How much of `colour` lies over the figure in a column, in pixels: each
  // pixel counts by how far it has gone from the figure's colour towards
  // `colour`, so a stroke's soft edge counts by its coverage.
  double InkInColumn(int x, int yFrom, int yTo, COLORREF colour) const {
    const int towards[3] = {GetRValue(colour) - GetRValue(kFigure), GetGValue(colour) - GetGValue(kFigure),
                            GetBValue(colour) - GetBValue(kFigure)};
    double ink = 0;
    for (int y = yFrom; y <= yTo; ++y) {
      const COLORREF p = At(x, y);
      const int from[3] = {GetRValue(p) - GetRValue(kFigure), GetGValue(p) - GetGValue(kFigure),
                           GetBValue(p) - GetBValue(kFigure)};
      double along = 0, length = 0;
      for (int c = 0; c < 3; ++c) {
        along += from[c] * towards[c];
        length += towards[c] * towards[c];
      }
      ink += std::clamp(along / length, 0.0, 1.0);
    }
    return ink;
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
  HWND other_ = nullptr;
  std::vector<std::uint32_t> pixels_;
};

// At 3:00:30 the hour hand points right, the minute hand nearly up and the
// second hand straight down: each can be probed where no other line passes.
TEST_F(ClockfaceTest, HandsLieWhereTheGeometrySaysInStrongColoursWhenForeground) {
  UsePlainFigure(IDM_SIZE_NORMAL, 1.0);
  SetTime(3, 0, 30);
  MakeClockForeground();
  Capture();
  const HandTips tips = ComputeHandTips(100, 100, 1.0, 3, 0, 30);
  ASSERT_EQ(tips.hour.x, 137);
  ASSERT_EQ(tips.hour.y, 100);
  ASSERT_EQ(tips.second.x, 100);
  ASSERT_EQ(tips.second.y, 152);
  const HandColours strong = HandPenColours(true);

  EXPECT_EQ(Hex(At(120, 100)), Hex(strong.hands)) << "hour hand";
  EXPECT_EQ(Hex(At(tips.hour.x - 1, 100)), Hex(strong.hands)) << "near the hour tip";
  EXPECT_EQ(Hex(At(tips.hour.x + 4, 100)), Hex(kFigure)) << "past the hour tip";
  EXPECT_EQ(Hex(At(120, 103)), Hex(strong.shadow)) << "hour shadow, 3 pixels down";
  EXPECT_EQ(Hex(At(100, 130)), Hex(strong.second)) << "second hand";
  EXPECT_EQ(Hex(At(100, tips.second.y + 3)), Hex(kFigure)) << "past the second tip";
  const int xMinute = 100 + ((tips.minute.x - 100) * 30 + (100 - tips.minute.y) / 2) / (100 - tips.minute.y);
  EXPECT_EQ(Hex(At(xMinute, 70)), Hex(strong.hands)) << "minute hand";
  EXPECT_EQ(Hex(At(10, 10)), Hex(kFigure)) << "the figure elsewhere";

  // The hour hand is 3 pixels thick, its shadow shows 3 more below it.
  EXPECT_EQ(CountInColumn(120, 90, 110, strong.hands), 3);
  EXPECT_EQ(CountInColumn(120, 90, 110, strong.shadow), 3);
  EXPECT_EQ(CountInColumn(120, 90, 110, strong.second), 0);
  EXPECT_EQ(Hex(BitmapPixel(g_state.hbmMascot, 120, 100)), Hex(kFigure)) << "the figure itself is never drawn on";
}

TEST_F(ClockfaceTest, HandsArePaleWhileAnotherWindowIsForeground) {
  UsePlainFigure(IDM_SIZE_NORMAL, 1.0);
  SetTime(3, 0, 30);
  MakeOtherForeground();
  Capture();
  const HandColours pale = HandPenColours(false);
  EXPECT_EQ(Hex(At(120, 100)), Hex(pale.hands));
  EXPECT_EQ(Hex(At(120, 103)), Hex(pale.shadow));
  EXPECT_EQ(Hex(At(100, 130)), Hex(pale.second));

  // Back in front, the next repaint uses the strong colours again.
  DestroyWindow(other_);
  MakeClockForeground();
  Capture();
  EXPECT_EQ(Hex(At(120, 100)), Hex(HandPenColours(true).hands));
}

TEST_F(ClockfaceTest, SmallSizeDrawsShorterTwoPixelHands) {
  UsePlainFigure(IDM_SIZE_SMALL, 0.7);
  SetTime(9, 0, 15);  // hour hand left, second hand right, along the same row
  MakeClockForeground();
  Capture();
  const HandTips tips = ComputeHandTips(100, 100, 0.7, 9, 0, 15);
  ASSERT_EQ(tips.hour.x, 100 - 25);
  ASSERT_EQ(tips.second.x, 100 + 37);
  const HandColours strong = HandPenColours(true);
  // Two pixels wide on a half-pixel line: one whole row and two half rows.
  EXPECT_NEAR(InkInColumn(88, 90, 101, strong.hands), 2.0, 0.1) << "hour hand at small size";
  EXPECT_NEAR(InkInColumn(88, 102, 110, strong.shadow), 2.0, 0.1);
  EXPECT_EQ(Hex(At(tips.hour.x - 4, 100)), Hex(kFigure)) << "past the hour tip";
  EXPECT_EQ(CountInColumn(130, 90, 110, strong.second), 1) << "the second hand is one pixel wide";
  EXPECT_EQ(CountInColumn(130, 90, 110, strong.hands), 0);
  EXPECT_EQ(Hex(At(tips.second.x + 3, 100)), Hex(kFigure)) << "past the second tip";
}

}  // namespace
