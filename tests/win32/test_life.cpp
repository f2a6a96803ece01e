// The living figure in process: a blink redraws only its pose's rectangle
// (keyed and soft), a click without movement shows joy and the figure hops
// back to its rest place, a drag still drags, and an idle figure asks for no
// timer faster than once a second between blinks.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "life/life_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "settings/settings_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/clock_fixture.h"
#include "support/x_pointer.h"

namespace {

std::uint64_t g_tickAhead = 0;
std::uint64_t TickAhead() { return GetTickCount64() + g_tickAhead; }

// Every file of the kit and its Tavelin.ini, with `general` before its
// character sections.
bool CopyKit(const std::string& kit, const std::string& folder, const std::string& general) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((kit + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      CopyFileA((kit + "\\" + found.cFileName).c_str(), (folder + found.cFileName).c_str(), FALSE);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  WriteFileBytes(folder + "Tavelin.ini",
                 "[GENERAL]\r\n" + general + "\r\n" + ReadFileBytes(kit + "\\Tavelin.ini"));
  return true;
}

// The window's picture: a keyed window's pixels as its DC has them, a soft
// window's as it was last handed to the system.
std::vector<Pixel> WindowPicture(HWND hwnd) {
  if (g_state.fSoftFigure) {
    PixelView frame;
    if (!SectionPixels(g_state.hbmFrame, &frame)) return {};
    std::vector<Pixel> pixels;
    for (int y = 0; y < frame.height; ++y) pixels.insert(pixels.end(), frame.Row(y), frame.Row(y) + frame.width);
    return pixels;
  }
  const int width = g_state.nWindowWidth, height = g_state.nWindowHeight;
  PixelView pixels;
  ScopedBitmap section(CreatePixelSection(width, height, &pixels));
  HDC window = GetDC(hwnd);
  {
    ScopedMemoryDC copy(window);
    ScopedSelectObject select(copy.get(), section.get());
    BitBlt(copy.get(), 0, 0, width, height, window, 0, 0, SRCCOPY);
    GdiFlush();
  }
  ReleaseDC(hwnd, window);
  std::vector<Pixel> out;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) out.push_back(pixels.At(x, y) & 0x00FFFFFF);
  }
  return out;
}

// A point of the figure's outline, in window pixels, near its middle row.
POINT PointOnFigure() {
  for (int dy = 0; dy < g_state.nWindowHeight / 2; ++dy) {
    for (int y : {g_state.nWindowHeight / 2 + dy, g_state.nWindowHeight / 2 - dy}) {
      for (int x = g_state.nWindowWidth / 4; x < g_state.nWindowWidth; ++x) {
        if (PtInRegion(g_state.hrgnShape, x, y) && PtInRegion(g_state.hrgnShape, x + 3, y) &&
            PtInRegion(g_state.hrgnShape, x, y + 3)) {
          return {x, y};
        }
      }
    }
  }
  return {-1, -1};
}

class LifeTest : public testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_tickAhead = 0;
  }
  void TearDown() override {
    g_system = real_;
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // Starts the clock with the demo fox of the kit the variable names.
  bool StartFox(const char* kitVariable, const std::string& general = "") {
    const std::string kit = PathFromEnvironment(kitVariable);
    if (kit.empty() || !CopyKit(kit, folder_.path(),
                                "nChara=40001\r\nnSize=42002\r\nfTopMost=1\r\nfHideOnMouse=0\r\nfAsideFullScreen=0\r\n"
                                "xPosWindow=300\r\nyPosWindow=240\r\n" + general)) {
      return false;
    }
    g_system.localTime = TenPastTen;
    g_system.tickCount = TickAhead;
    hwnd_ = StartClock();
    if (hwnd_ == nullptr) return false;
    UpdateWindow(hwnd_);
    PumpMessages();
    return true;
  }

  RECT WindowRect() {
    RECT rc{};
    GetWindowRect(hwnd_, &rc);
    return rc;
  }

  TempFolder folder_;
  const SystemReadings real_ = g_system;
  HWND hwnd_ = nullptr;
};

TEST_P(LifeTest, ABlinkChangesOnlyThePixelsInsideItsPosesRectangle) {
  if (!StartFox(GetParam())) GTEST_SKIP() << "no kit";
  const RECT eyes = PoseFrameRect(Pose::kBlink);
  ASSERT_FALSE(IsRectEmpty(&eyes)) << "the fox has a blink pose";
  EXPECT_LT((eyes.right - eyes.left) * (eyes.bottom - eyes.top), g_state.nWindowWidth * g_state.nWindowHeight / 8)
      << "only the eyes' rectangle is kept";
  ASSERT_EQ(ShownPose(), Pose::kRest);
  const std::vector<Pixel> before = WindowPicture(hwnd_);

  g_tickAhead = 9000;  // past any first blink
  SendMessageA(hwnd_, WM_TIMER, ID_LIFETIMER, 0);
  ASSERT_EQ(ShownPose(), Pose::kBlink);
  EXPECT_FALSE(GetUpdateRect(hwnd_, nullptr, FALSE)) << "drawn at once; no repaint of the window is asked";
  const std::vector<Pixel> closed = WindowPicture(hwnd_);
  ASSERT_EQ(closed.size(), before.size());
  int inside = 0, outside = 0;
  for (int y = 0; y < g_state.nWindowHeight; ++y) {
    for (int x = 0; x < g_state.nWindowWidth; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * g_state.nWindowWidth + x;
      if (closed[i] == before[i]) continue;
      const POINT p{x, y};
      ++(PtInRect(&eyes, p) ? inside : outside);
    }
  }
  EXPECT_GT(inside, 20) << "the eyes close";
  EXPECT_EQ(outside, 0);

  // The eyes open again by the rule's own timer.
  EXPECT_TRUE(PumpUntil([] { return ShownPose() == Pose::kRest; }, 2000));
  UpdateWindow(hwnd_);
  EXPECT_EQ(WindowPicture(hwnd_), before);
}

TEST_P(LifeTest, AClickWithoutMovementShowsJoyAndTheFigureLandsAtItsRestPlace) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the pointer is driven through xdotool";
  if (!StartFox(GetParam())) GTEST_SKIP() << "no kit";
  SetForegroundWindow(hwnd_);
  const RECT rest = WindowRect();
  const POINT at = PointOnFigure();
  ASSERT_GE(at.x, 0);
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(rest.left + at.x, rest.top + at.y) + " sleep 0.2 click 1"));
  int highest = rest.top;
  ASSERT_TRUE(PumpUntil([&] {
    highest = std::min<int>(highest, WindowRect().top);
    return ShownPose() == Pose::kJoy;
  }, 3000)) << "no joy";
  const RECT shown = WindowRect();
  EXPECT_TRUE(PumpUntil([&] {
    const RECT now = WindowRect();
    highest = std::min<int>(highest, now.top);
    return ShownPose() == Pose::kRest && now.top == rest.top && highest < rest.top - 5;
  }, 3000)) << "hopped to " << highest << " from " << rest.top << ", now at " << WindowRect().top;
  EXPECT_EQ(WindowRect().left, rest.left);
  EXPECT_EQ(shown.left, rest.left) << "a hop goes straight up";
  EXPECT_EQ(GetForegroundWindow(), hwnd_);
}

TEST_P(LifeTest, ADragStillDragsAndStoresTheRestPlace) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the pointer is driven through xdotool";
  if (!StartFox(GetParam())) GTEST_SKIP() << "no kit";
  const RECT before = WindowRect();
  const POINT at = PointOnFigure();
  ASSERT_GE(at.x, 0);
  const int x = before.left + at.x, y = before.top + at.y;
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(x, y) + " sleep 0.2 mousedown 1 sleep 0.2 mousemove " + Xy(x + 20, y + 15) +
                         " sleep 0.2 mousemove " + Xy(x + 40, y + 30) + " sleep 0.2 mouseup 1 sleep 0.2"));
  EXPECT_TRUE(PumpUntil([&] { return WindowRect().left == before.left + 40 && WindowRect().top == before.top + 30; },
                        5000));
  PumpMessages(600);  // no hop follows
  EXPECT_EQ(WindowRect().top, before.top + 30);
  EXPECT_NE(ShownPose(), Pose::kJoy);
  CloseClock(hwnd_);
  const std::string ini = ReadFileBytes(folder_.File("Tavelin.ini"));
  EXPECT_NE(ini.find("xPosWindow=" + std::to_string(before.left + 40)), std::string::npos) << ini;
  EXPECT_NE(ini.find("yPosWindow=" + std::to_string(before.top + 30)), std::string::npos) << ini;
}

TEST_P(LifeTest, AnIdleFigureGetsNoTimerFasterThanOnceASecondBetweenBlinks) {
  if (!StartFox(GetParam())) GTEST_SKIP() << "no kit";
  struct Seen {
    ULONGLONG at;
    WPARAM id;
    Pose after;
  };
  std::vector<Seen> seen;
  const ULONGLONG end = GetTickCount64() + 4500;
  while (GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      DispatchMessageA(&msg);
      if (msg.message == WM_TIMER && msg.hwnd == hwnd_) seen.push_back({GetTickCount64(), msg.wParam, ShownPose()});
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  int clockTicks = 0;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_NE(seen[i].id, ID_MOTIONTIMER) << "no motion runs";
    clockTicks += seen[i].id == ID_CLOCKTIMER;
    for (std::size_t j = i + 1; j < seen.size(); ++j) {
      if (seen[j].id != seen[i].id) continue;
      // The next of the same timer: sooner than a second only within a blink,
      // as the eyes close or open.
      if (seen[j].at - seen[i].at < 900) {
        EXPECT_EQ(seen[i].id, ID_LIFETIMER) << "timer " << seen[i].id << " again after " << seen[j].at - seen[i].at;
        EXPECT_TRUE(seen[i].after == Pose::kBlink || seen[j].after == Pose::kBlink);
      }
      break;
    }
  }
  EXPECT_GE(clockTicks, 3);
}

TEST_P(LifeTest, AnimateOffIsTheStillFigureAndIsStored) {
  if (!StartFox(GetParam(), "fAnimate=0\r\n")) GTEST_SKIP() << "no kit";
  EXPECT_EQ(g_state.fAnimate, 0);
  EXPECT_EQ(GetMenuState(g_state.hMenuPopup, IDM_ANIMATE, MF_BYCOMMAND) & MF_CHECKED, 0u);
  g_tickAhead = 60000;
  SendMessageA(hwnd_, WM_TIMER, ID_LIFETIMER, 0);
  SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  EXPECT_EQ(ShownPose(), Pose::kRest);
  SendMessageA(hwnd_, WM_COMMAND, IDM_ANIMATE, 0);
  EXPECT_NE(GetMenuState(g_state.hMenuPopup, IDM_ANIMATE, MF_BYCOMMAND) & MF_CHECKED, 0u);
  CloseClock(hwnd_);
  EXPECT_NE(ReadFileBytes(folder_.File("Tavelin.ini")).find("fAnimate=1"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothKinds, LifeTest, testing::Values("TAVELIN_KIT", "TAVELIN_SOFT_KIT"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::string(info.param) == "TAVELIN_KIT" ? "Keyed" : "Soft";
                         });

}  // namespace
