// Tavelin.exe started as a user starts it, worked with the real pointer on
// the X display (xdotool): the figure is dragged by a visible pixel and a
// right press on it opens the popup menu; with click-through a click on it
// reaches the window beneath; a full-screen window in front sends it to the
// bottom. And started with its alarm due.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/app_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"
#include "support/language.h"
#include "support/plain_window.h"
#include "support/x_pointer.h"

namespace {

// The first shown popup menu. A hidden window of the menu class may come
// before it in the stacking order, so every window of the class is looked at.
HWND FindVisibleMenu() {
  for (HWND menu = FindWindowExA(nullptr, nullptr, "#32768", nullptr); menu != nullptr;
       menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) {
    if (IsWindowVisible(menu)) return menu;
  }
  return nullptr;
}

bool IsTopMost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class DesktopEndToEndTest : public ::testing::Test {
 protected:
  // Further GENERAL keys of a test's own.
  virtual std::string MoreSettings() const { return ""; }

  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "the pointer is driven through xdotool on Wine's X display";
    WriteFileBytes(folder_.File("Tavelin.ini"),
                   "[GENERAL]\r\nfTopMost=1\r\nfHideOnMouse=0\r\nnChara=40001\r\nnSize=42002\r\n"
                   "xPosWindow=200\r\nyPosWindow=150\r\n" + MoreSettings() +
                       WriteTestCharacters(folder_.path()));
    ASSERT_EQ(StartProgramIn(folder_.path(), &process_), "");
    ASSERT_TRUE(WaitFor(
        [&] {
          hwnd_ = FindWindowA(kClassName, nullptr);
          RECT rc{};
          return hwnd_ != nullptr && IsWindowVisible(hwnd_) && GetWindowRect(hwnd_, &rc) && rc.right > rc.left;
        },
        20000))
        << "the clock did not show its figure";
  }

  void TearDown() override { StopProgram(hwnd_, &process_); }

  // A point on the figure, in screen pixels: inside the character picture,
  // checked against the window's own outline.
  POINT VisiblePoint() {
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    const POINT inside = {120, 120};
    // The clock shows its window first and gives it its outline right after:
    // wait for the outline (a window without one is its whole rectangle).
    const bool onFigure = WaitFor(
        [&] {
          HRGN outline = CreateRectRgn(0, 0, 0, 0);
          const int kind = GetWindowRgn(hwnd_, outline);
          const bool onIt = kind == ERROR || PtInRegion(outline, inside.x, inside.y);
          DeleteObject(outline);
          return onIt;
        },
        5000);
    EXPECT_TRUE(onFigure) << "the point is cut away";
    return {rc.left + inside.x, rc.top + inside.y};
  }

  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND hwnd_ = nullptr;
};

TEST_F(DesktopEndToEndTest, PressingOnTheFigureAndMovingTheMouseMovesTheWindow) {
  RECT before;
  GetWindowRect(hwnd_, &before);
  ASSERT_EQ(before.left, 200);
  ASSERT_EQ(before.top, 150);
  const POINT p = VisiblePoint();
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(p.x, p.y) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
                         Xy(p.x + 30, p.y + 20) + " sleep 0.3 mousemove " + Xy(p.x + 70, p.y + 45) +
                         " sleep 0.3 mouseup 1 sleep 0.3"));
  RECT after{};
  const bool moved = WaitFor(
      [&] {
        GetWindowRect(hwnd_, &after);
        return after.left == before.left + 70 && after.top == before.top + 45;
      },
      5000);
  EXPECT_TRUE(moved) << "expected the window at " << before.left + 70 << "," << before.top + 45 << ", got "
                     << after.left << "," << after.top;
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);

  // The position is what the clock saves at close.
  PostMessageA(hwnd_, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
  const std::string saved = ReadFileBytes(folder_.File("Tavelin.ini"));
  EXPECT_NE(saved.find("xPosWindow=270\r\nyPosWindow=195\r\n"), std::string::npos) << saved;
}

TEST_F(DesktopEndToEndTest, RightPressOnTheFigureOpensThePopupMenuAtThePointer) {
  ASSERT_EQ(FindVisibleMenu(), nullptr);
  const POINT p = VisiblePoint();
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(p.x, p.y) + " sleep 0.3 mousedown 3 sleep 0.5"));
  HWND menu = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (menu = FindVisibleMenu()) != nullptr; }, 5000)) << "no popup menu";
  if (menu != nullptr) {
    RECT rc;
    GetWindowRect(menu, &rc);
    EXPECT_EQ(rc.left, p.x);
    EXPECT_EQ(rc.top, p.y);
    DWORD owner = 0;
    GetWindowThreadProcessId(menu, &owner);
    EXPECT_EQ(owner, process_.dwProcessId);
  }
  SendMessageA(hwnd_, WM_CANCELMODE, 0, 0);  // closes the menu without choosing
  RunXdotool("mouseup 3 mousemove 5 5");
  EXPECT_TRUE(WaitFor([] { return FindVisibleMenu() == nullptr; }, 5000));
}

TEST_F(DesktopEndToEndTest, AFullScreenWindowInFrontSendsTheFigureToTheBottomAndItsClosingBringsItBack) {
  ASSERT_TRUE(WaitFor([&] { return IsTopMost(hwnd_); }, 5000)) << "the figure did not start on top";
  PlainWindow fullScreen(PlainWindow::Screen());
  SetForegroundWindow(fullScreen.hwnd());
  EXPECT_TRUE(PumpUntil([&] { return !IsTopMost(hwnd_) && IsBelow(hwnd_, fullScreen.hwnd()); }, 5000))
      << "the figure stayed above the full-screen window";

  fullScreen.Close();
  EXPECT_TRUE(PumpUntil([&] { return IsTopMost(hwnd_); }, 5000)) << "the figure did not come back on top";
}

// The clock starts over a plain window of this test's own, larger than the
// figure yet far from filling the screen; started later, the clock's window
// lies above it on the X display too.
class ClickThroughEndToEndTest : public DesktopEndToEndTest {
 protected:
  std::string MoreSettings() const override { return "fClickThrough=1\r\n"; }
  void SetUp() override {
    if (RunningUnderWine()) beneath_.emplace(RECT{150, 100, 150 + TestCharacterWidth(0) + 100, 100 + 160 + 100});
    DesktopEndToEndTest::SetUp();
  }
  std::optional<PlainWindow> beneath_;
};

TEST_F(ClickThroughEndToEndTest, AClickOnAFigurePixelReachesTheWindowBeneath) {
  RECT before;
  GetWindowRect(hwnd_, &before);
  ASSERT_TRUE(PumpUntil([&] { return IsBelow(beneath_->hwnd(), hwnd_); }, 5000));
  const POINT p = VisiblePoint();
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(p.x, p.y) + " sleep 0.3 mousedown 1 sleep 0.2 mouseup 1 sleep 0.2"));
  EXPECT_TRUE(PumpUntil([&] { return beneath_->clicks() > 0; }, 5000)) << "the click did not reach the window beneath";
  RECT after;
  GetWindowRect(hwnd_, &after);
  EXPECT_EQ(after.left, before.left) << "the press did not start a drag";
  EXPECT_EQ(after.top, before.top);
  RunXdotool("mousemove 5 5");
}

// A user who logs on at the alarm's minute, with the clock starting with
// Windows: the figure is on the screen, whole, when the alarm's box opens
// in front of it.
TEST(AlarmAtStartTest, TheFigureShowsWithItsOutlineWhileTheAlarmsBoxIsOpenInFrontOfIt) {
  if (!RunningUnderWine()) GTEST_SKIP() << "the started clock is looked at on Wine's X display";
  const SYSTEMTIME now = TimeWithRoomInMinute();
  TempFolder folder;
  WriteFileBytes(folder.File("Tavelin.ini"),
                 "[GENERAL]\r\nnChara=40001\r\nxPosWindow=200\r\nyPosWindow=150\r\n[ALARM]\r\nnAlarmMode=1012\r\n"
                 "nAlarmHour=" + std::to_string(now.wHour) + "\r\nnAlarmMinute=" + std::to_string(now.wMinute) +
                     "\r\nszAlarmSound=none.wav\r\n" + WriteTestCharacters(folder.path()));
  PROCESS_INFORMATION process{};
  ASSERT_EQ(StartProgramIn(folder.path(), &process), "");
  const wchar_t* title = InRunLanguage(L"Tavelin - アラーム", L"Tavelin - Alarm");
  HWND box = nullptr;
  EXPECT_TRUE(WaitFor([&] { return (box = FindWindowW(nullptr, title)) != nullptr && IsWindowVisible(box); }, 20000))
      << "the alarm's box did not open";
  HWND clock = FindWindowA(kClassName, nullptr);
  if (box != nullptr) {
    ASSERT_NE(clock, nullptr);
    EXPECT_TRUE(IsWindowVisible(clock)) << "the figure is hidden while the box is open";
    HRGN outline = CreateRectRgn(0, 0, 0, 0);
    RECT bounds{};
    const int kind = GetWindowRgn(clock, outline);
    GetRgnBox(outline, &bounds);
    DeleteObject(outline);
    EXPECT_EQ(kind, COMPLEXREGION) << "the figure has no outline of its own while the box is open";
    EXPECT_EQ(bounds.right - bounds.left, TestCharacterWidth(0)) << "the outline is not the figure's";
    EXPECT_TRUE(IsBelow(clock, box)) << "the box is behind the figure";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 5000));
  }
  StopProgram(clock, &process);
}

}  // namespace
