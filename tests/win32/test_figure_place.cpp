// Where the figure stands: on a first start beside the notification area, a
// stored position as it was; a new character or size with its clock face
// where the old one's was; and, standing aside for a full-screen window, at
// the bottom and without taking the foreground whatever the clock does by
// itself.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "shared/dpi_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"
#include "support/placement_watch.h"
#include "support/plain_window.h"

namespace {

// Two characters whose faces lie in different places: below Aduvi's body,
// across the top of Belmoa's.
std::string TwoCharacters(const std::string& folder) {
  (void)WriteTestCharacters(folder);  // face.bmp, chara0.bmp (160 x 160), chara1.bmp (164 x 160)
  return "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=chara0.bmp\r\nxPosFace=0\r\nyPosFace=150\r\n"
         "[Belmoa]\r\nFileNameFace=face.bmp\r\nFileNameChara=chara1.bmp\r\nxPosFace=40\r\nyPosFace=-20\r\n";
}

RECT WindowRect(HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  return rc;
}

POINT FaceOnScreen(HWND hwnd) {
  const RECT rc = WindowRect(hwnd);
  return {rc.left + g_state.xClockCenter, rc.top + g_state.yClockCenter};
}

RECT PrimaryWorkArea() {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

// Below `upper` and out of the top-most band.
bool StandsAsideBelow(HWND hwnd, HWND upper) {
  return IsBelow(hwnd, upper) && (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0;
}

class FigurePlaceTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  // With `allTwelve`, every character of the table, alike but for its width.
  void Start(const std::string& general, bool allTwelve = false) {
    const std::string sections =
        allTwelve ? WriteTestCharacters(folder_.path()) : TwoCharacters(folder_.path());
    WriteFileBytes(folder_.File("Tavelin.ini"), "[GENERAL]\r\n" + general + sections);
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(g_state.hbmMascot, nullptr) << "the figure did not load";
  }
  void Command(int command) { SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(command), 0); }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(FigurePlaceTest, AFirstStartPutsTheFigureInTheWorkAreasBottomRightCorner) {
  Start("nChara=40001\r\n");
  const RECT rc = WindowRect(hwnd_);
  const RECT work = PrimaryWorkArea();
  EXPECT_EQ(rc.right, work.right);
  EXPECT_EQ(rc.bottom, work.bottom);
  EXPECT_EQ(rc.right - rc.left, g_state.nWindowWidth) << "placed at its own size";

  // Placed once: the next figure keeps its face where this one's is.
  const POINT face = FaceOnScreen(hwnd_);
  Command(IDM_SIZE_SMALL);
  EXPECT_EQ(FaceOnScreen(hwnd_).x, face.x);
  EXPECT_EQ(FaceOnScreen(hwnd_).y, face.y);
}

TEST_F(FigurePlaceTest, AStoredPositionIsKeptAsItIsTheTopLeftCornerIncluded) {
  struct Case {
    const char* stored;
    POINT expected;
  } cases[] = {
      {"xPosWindow=0\r\nyPosWindow=0\r\n", {0, 0}},
      {"xPosWindow=310\r\nyPosWindow=120\r\n", {310, 120}},
      {"xPosWindow=310\r\n", {310, 0}},  // one of the two stored: the other is 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    PrepareProgramFolder(folder_.path());
    Start(std::string("nChara=40001\r\n") + c.stored);
    const RECT rc = WindowRect(hwnd_);
    EXPECT_EQ(rc.left, c.expected.x);
    EXPECT_EQ(rc.top, c.expected.y);
    DestroyWindow(hwnd_);  // without saving, so the next case reads its own file
    PumpMessages();
  }
}

TEST_F(FigurePlaceTest, ANewCharacterAndANewSizeKeepTheClockFacesCentre) {
  Start("nChara=40001\r\nnSize=42002\r\nxPosWindow=400\r\nyPosWindow=200\r\n");
  struct Step {
    const char* name;
    int command;
  } steps[] = {{"to Belmoa", 40002}, {"to the small size", IDM_SIZE_SMALL}, {"back to Aduvi", 40001},
               {"to the normal size", IDM_SIZE_NORMAL}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    const POINT face = FaceOnScreen(hwnd_);
    const POINT centre = {g_state.xClockCenter, g_state.yClockCenter};
    Command(step.command);
    ASSERT_TRUE(g_state.xClockCenter != centre.x || g_state.yClockCenter != centre.y)
        << "the face lies elsewhere in the new figure";
    EXPECT_EQ(FaceOnScreen(hwnd_).x, face.x);
    EXPECT_EQ(FaceOnScreen(hwnd_).y, face.y);
  }
}

TEST_F(FigurePlaceTest, AChangeOfSizeUnderTheRandomChoiceKeepsTheCharacterShown) {
  Start("nChara=40013\r\nnSize=42002\r\nxPosWindow=400\r\nyPosWindow=200\r\n", true);
  const int shown = g_state.nShownChara;
  // Four changes: a new draw would give the same character each time only
  // once in 20736 runs.
  for (int command : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL, IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
    Command(command);
    EXPECT_EQ(g_state.nSize, command);
    EXPECT_EQ(g_state.nShownChara, shown);
  }
  EXPECT_EQ(g_state.nChara, IDM_CHARA_RANDOM) << "still the random choice";
}

// The figure stands aside behind a full-screen window of the test that has
// the foreground; what the clock then does by itself leaves both so.
TEST_F(FigurePlaceTest, StandingAsideTheFigureStaysAtTheBottomAndTakesNoForeground) {
  Start("nChara=40001\r\nfTopMost=1\r\nfAsideFullScreen=1\r\nxPosWindow=400\r\nyPosWindow=200\r\n");
  PlainWindow fullScreen(PlainWindow::Screen());
  ASSERT_TRUE(BringToForeground(fullScreen.hwnd()));
  SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  ASSERT_EQ(g_state.fAside, 1) << "the figure did not stand aside";
  ASSERT_TRUE(StandsAsideBelow(hwnd_, fullScreen.hwnd()));

  const int otherDpi = WindowDpi(hwnd_) == 144 ? 192 : 144;
  struct Case {
    const char* name;
    std::function<void()> happen;
  } cases[] = {
      {"a change of character (the hourly switch)", [&] { Command(IDM_CHARA_RANDOM); }},
      {"a change of display mode", [&] { PostMessageA(hwnd_, WM_DISPLAYCHANGE, 32, MAKELPARAM(1024, 768)); }},
      {"a change of DPI",
       [&] {
         SIZE size{};
         SendMessageA(hwnd_, WM_GETDPISCALEDSIZE, otherDpi, reinterpret_cast<LPARAM>(&size));
         const RECT suggested{300, 150, 300 + size.cx, 150 + size.cy};
         SendMessageA(hwnd_, WM_DPICHANGED, MAKEWPARAM(otherDpi, otherDpi), reinterpret_cast<LPARAM>(&suggested));
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<WINDOWPOS> asked;
    {
      PlacementWatch watch(hwnd_);
      c.happen();
      PumpMessages();
      SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);  // the next tick looks at the foreground again
      PumpMessages();
      asked = watch.asked();
    }
    // What the clock asked of the system: no placement activates the window,
    // lifts it or hides it (shown again, a window comes to the top on X).
    for (const WINDOWPOS& pos : asked) {
      EXPECT_FALSE(pos.flags & SWP_HIDEWINDOW) << "hidden while it stands aside";
      EXPECT_TRUE(pos.flags & SWP_NOACTIVATE) << "a placement with flags " << std::hex << pos.flags;
      if (!(pos.flags & SWP_NOZORDER)) {
        EXPECT_EQ(pos.hwndInsertAfter, HWND_BOTTOM) << "flags " << std::hex << pos.flags;
      }
    }
    EXPECT_EQ(GetForegroundWindow(), fullScreen.hwnd());
    EXPECT_EQ(g_state.fAside, 1);
    EXPECT_TRUE(StandsAsideBelow(hwnd_, fullScreen.hwnd()));
    EXPECT_TRUE(IsWindowVisible(hwnd_));
  }
}

}  // namespace
