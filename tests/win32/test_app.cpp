// The spine: the command table, the end of a logon, the single instance and
// the close, in process and with Tavelin.exe itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"

namespace {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  std::string IniPath() const { return folder_.File("Tavelin.ini"); }
  void Command(int id) {
    SendMessageA(hwnd_, WM_COMMAND, id, 0);
    PumpMessages();
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(AppTest, WindowIsAFramelessToolWindowOfTheClockClass) {
  char name[64];
  GetClassNameA(hwnd_, name, sizeof name);
  EXPECT_STREQ(name, "Tavelin_ClassName");
  GetWindowTextA(hwnd_, name, sizeof name);
  EXPECT_STREQ(name, "Tavelin");
  EXPECT_TRUE(GetWindowLongPtrA(hwnd_, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_TRUE(GetClassLongPtrA(hwnd_, GCL_STYLE) & CS_DBLCLKS);
  EXPECT_EQ(g_hwndMain, hwnd_);
}

TEST_F(AppTest, StartUpMakesTheProgramFolderCurrentAndKeepsThePopupMenu) {
  EXPECT_EQ(std::string(g_state.szModuleDir), folder_.path());
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(std::string(current) + "\\", folder_.path());
  ASSERT_NE(g_state.hMenuPopup, nullptr);
  EXPECT_NE(GetMenuState(g_state.hMenuPopup, IDM_TOPMOST, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(g_state.alarms[0].nAlarmFiredDay, 0);
}

TEST_F(AppTest, CommandsChangeTheChoicesAsTheTableSays) {
  struct Step {
    int command;
    int chara;
    int size;
  } steps[] = {
      {40003, 40003, IDM_SIZE_NORMAL},
      {40003, 40003, IDM_SIZE_NORMAL},  // the same character again: nothing
      {IDM_SIZE_SMALL, 40003, IDM_SIZE_SMALL},
      {IDM_CHARA_RANDOM, IDM_CHARA_RANDOM, IDM_SIZE_SMALL},
      {IDM_CHARA_RANDOM, IDM_CHARA_RANDOM, IDM_SIZE_SMALL},
      {40012, 40012, IDM_SIZE_SMALL},
      {IDM_SIZE_NORMAL, 40012, IDM_SIZE_NORMAL},
  };
  for (const Step& step : steps) {
    Command(step.command);
    EXPECT_EQ(g_state.nChara, step.chara) << step.command;
    EXPECT_EQ(g_state.nSize, step.size) << step.command;
  }
  // The notification code in the high word is not looked at.
  SendMessageA(hwnd_, WM_COMMAND, MAKEWPARAM(40007, 1), 0);
  EXPECT_EQ(g_state.nChara, 40007);
}

TEST_F(AppTest, TogglesFlipTheFlags) {
  g_state.fTopMost = 5;  // any non-zero value counts as on
  Command(IDM_TOPMOST);
  EXPECT_EQ(g_state.fTopMost, 0);
  Command(IDM_TOPMOST);
  EXPECT_EQ(g_state.fTopMost, 1);
  Command(IDM_HIDEONMOUSE);
  EXPECT_EQ(g_state.fHideOnMouse, 1);
}

TEST_F(AppTest, ExitCommandClosesAndSaves) {
  Command(40004);
  Command(IDM_EXIT);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_NE(ReadFileBytes(IniPath()).find("nChara=40004\r\n"), std::string::npos);
  EXPECT_EQ(g_state.hMenuPopup, nullptr);
}

TEST_F(AppTest, CancelledLogoffKeepsTheClockRunningAndSavesNothing) {
  SendMessageA(hwnd_, WM_ENDSESSION, FALSE, 0);
  PumpMessages();
  EXPECT_TRUE(IsWindow(hwnd_));
  EXPECT_FALSE(FileExists(IniPath()));
  EXPECT_NE(g_state.hMenuPopup, nullptr);
}

TEST_F(AppTest, EndOfLogonSavesLikeAClose) {
  Command(40002);
  SendMessageA(hwnd_, WM_ENDSESSION, TRUE, 0);
  PumpMessages();
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_NE(ReadFileBytes(IniPath()).find("nChara=40002\r\n"), std::string::npos);
}

SYSTEMTIME g_fixedTime;
void FixedLocalTime(SYSTEMTIME* time) { *time = g_fixedTime; }

TEST_F(AppTest, WithoutAFigureTheTickStillKeepsTheAlarmAndTheFullHour) {
  ASSERT_EQ(g_state.hbmMascot, nullptr) << "no character could be loaded in an empty folder";
  g_fixedTime = SYSTEMTIME{2026, 12, 2, 8, 14, 30, 0, 0};
  g_system.localTime = FixedLocalTime;
  g_state.nLastHour = 13;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  g_state.nOClockChangeChara = 0;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
  g_state.alarms[0].nAlarmHour = 14;
  g_state.alarms[0].nAlarmMinute = 30;
  SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  PumpMessages();
  EXPECT_EQ(g_state.nLastHour, 14) << "the full hour was seen";
  EXPECT_EQ(g_state.alarms[0].nAlarmFiredDay, 8) << "the alarm time was reached";
}

// The tick draws the face itself; a repaint the system asks for is still
// answered, and checks the time like a tick.
TEST_F(AppTest, TimerTickLeavesNothingToRepaintAndARepaintStillChecksTheTime) {
  WriteFileBytes(IniPath(), WriteTestCharacters(folder_.path()));
  Command(40002);
  ASSERT_NE(g_state.hbmMascot, nullptr);
  PumpMessages();
  RECT dirty;
  ASSERT_FALSE(GetUpdateRect(hwnd_, &dirty, FALSE));
  const RECT face = ClockFaceRect();
  EXPECT_LT((face.right - face.left) * (face.bottom - face.top), g_state.nWindowWidth * g_state.nWindowHeight)
      << "only the face is redrawn each second";
  SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  EXPECT_FALSE(GetUpdateRect(hwnd_, &dirty, FALSE)) << "the tick drew the face itself";

  g_fixedTime = SYSTEMTIME{2026, 12, 2, 8, 15, 0, 0, 0};
  g_system.localTime = FixedLocalTime;
  g_state.nLastHour = 14;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  g_state.nOClockChangeChara = 0;
  InvalidateRect(hwnd_, nullptr, FALSE);
  PumpMessages();
  EXPECT_FALSE(GetUpdateRect(hwnd_, &dirty, FALSE)) << "the repaint validates the window";
  EXPECT_EQ(g_state.nLastHour, 15) << "the repaint ran the hourly check";
}

// Tavelin.exe itself, started as a user starts it.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string exe = PathFromEnvironment("TAVELIN_EXE");
    ASSERT_FALSE(exe.empty()) << "TAVELIN_EXE names the program under test";
    program_ = folder_.File("Tavelin.exe");
    ASSERT_TRUE(CopyFileA(exe.c_str(), program_.c_str(), FALSE)) << exe;
  }
  void TearDown() override {
    for (PROCESS_INFORMATION& p : started_) {
      if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(p.hProcess, 1);
      CloseHandle(p.hProcess);
      CloseHandle(p.hThread);
    }
  }

  HANDLE Launch() {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string command = "\"" + program_ + "\"";
    if (!CreateProcessA(program_.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.path().c_str(), &si, &pi)) {
      return nullptr;
    }
    started_.push_back(pi);
    return pi.hProcess;
  }
  static DWORD WaitExit(HANDLE process, DWORD ms) {
    if (WaitForSingleObject(process, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
  }
  static HWND WaitForClockWindow() {
    HWND found = nullptr;
    for (int i = 0; i < 200 && found == nullptr; ++i) {
      found = FindWindowA("Tavelin_ClassName", nullptr);
      if (found == nullptr) Sleep(50);
    }
    return found;
  }
  static int CountClockWindows() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "Tavelin_ClassName", nullptr); w != nullptr;
         w = FindWindowExA(nullptr, w, "Tavelin_ClassName", nullptr)) {
      ++count;
    }
    return count;
  }

  TempFolder folder_;
  std::string program_;
  std::vector<PROCESS_INFORMATION> started_;
};

TEST_F(ProgramTest, SecondStartLeavesTheFirstAloneAndExitsAtOnce) {
  HANDLE first = Launch();
  ASSERT_NE(first, nullptr);
  HWND window = WaitForClockWindow();
  ASSERT_NE(window, nullptr);

  HANDLE second = Launch();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(WaitExit(second, 10000), 0u);
  EXPECT_EQ(CountClockWindows(), 1);
  EXPECT_EQ(WaitExit(first, 0), static_cast<DWORD>(STILL_ACTIVE));

  PostMessageA(window, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_EQ(WaitExit(first, 10000), 0u);
  EXPECT_TRUE(FileExists(folder_.File("Tavelin.ini")));
}

TEST_F(ProgramTest, LogoffCancelledThenConfirmed) {
  HANDLE clock = Launch();
  ASSERT_NE(clock, nullptr);
  HWND window = WaitForClockWindow();
  ASSERT_NE(window, nullptr);

  SendMessageA(window, WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(WaitExit(clock, 500), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_FALSE(FileExists(folder_.File("Tavelin.ini")));

  SendMessageA(window, WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(WaitExit(clock, 10000), 0u);
  EXPECT_NE(ReadFileBytes(folder_.File("Tavelin.ini")).find("[ALARM]"), std::string::npos);
}

}  // namespace
