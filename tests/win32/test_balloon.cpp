// The speech balloon run by the real clock window: it opens without taking
// the focus or a key, its buttons answer the alarm, the tray menu reaches
// them while it rings, and with the balloon off the boxes stay.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "balloon/balloon_win32.h"
#include "desktop/tray_win32.h"
#include "shared/dpi_win32.h"
#include "support/box_watcher.h"
#include "support/clock_fixture.h"
#include "support/language.h"
#include "support/x_pointer.h"

namespace {

SYSTEMTIME g_fakeTime;
void FakeLocalTime(SYSTEMTIME* time) { *time = g_fakeTime; }
std::uint64_t g_fakeTick = 0;
std::uint64_t FakeTick() { return g_fakeTick; }

struct SoundCall {
  std::string path;
  bool stop;
  UINT flags;
};
std::vector<SoundCall> g_sounds;
BOOL RecordSound(const char* path, UINT flags, unsigned) {
  g_sounds.push_back({path ? path : "", path == nullptr, flags});
  return TRUE;
}

// The clock's own tick, the fake tick count moved on first.
void TickAt(std::uint64_t tick) {
  g_fakeTick = tick;
  SendMessageW(g_hwndMain, WM_TIMER, ID_CLOCKTIMER, 0);
}

// Five minutes of ticks, never long enough apart to look like a sleep.
void WaitOutSnooze() {
  const std::uint64_t start = g_fakeTick;
  for (int minute = 1; minute <= 5; ++minute) {
    g_fakeTime.wMinute = static_cast<WORD>(30 + minute);
    TickAt(start + minute * 60000ull);
  }
}

// A click on a button of the balloon, as its window receives one.
void ClickBalloon(BalloonButton button) {
  const HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  const RECT rc = BalloonButtonRect(button);
  ASSERT_FALSE(IsRectEmpty(&rc)) << "no such button";
  const LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
  SendMessageW(balloon, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(balloon, WM_LBUTTONUP, 0, at);
}

bool HasButton(BalloonButton button) {
  const RECT rc = BalloonButtonRect(button);
  return !IsRectEmpty(&rc);
}

// A window of the test's own with an edit control: the program the user types in.
class TypingWindow {
 public:
  TypingWindow() {
    hwnd_ = CreateWindowExW(0, L"STATIC", L"typing", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 500, 300, 120, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 5, 5, 280, 24, hwnd_, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    SetForegroundWindow(hwnd_);
    SetFocus(edit_);
  }
  ~TypingWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }
  HWND edit() const { return edit_; }

 private:
  HWND hwnd_ = nullptr;
  HWND edit_ = nullptr;
};

class BalloonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_sounds.clear();
    g_fakeTime = {};
    g_fakeTime.wYear = 2026;
    g_fakeTime.wMonth = 12;
    g_fakeTime.wDay = 8;
    g_fakeTime.wHour = 7;
    g_fakeTime.wMinute = 29;
    g_fakeTime.wDayOfWeek = 2;
    g_fakeTick = 50000000;
    g_system.localTime = FakeLocalTime;
    g_system.playSound = RecordSound;
    g_system.tickCount = FakeTick;
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    // No figure is loaded here: a stand-in of a figure's size, its head at the top centre.
    SetWindowPos(hwnd_, nullptr, 400, 300, 200, 250, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    g_state.xBalloonAnchor = 100;
    g_state.yBalloonAnchor = 0;
    PumpMessages();
    g_state.nOClockChangeChara = 0;
    g_state.nOClockMode = IDC_OCLOCK_OFF;
    g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
    g_state.fBalloon = 1;
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
    ResetSystemReadings();
  }

  void FireTimer() {
    g_state.nTimerMinute = 0;
    g_state.nTimerMode = IDC_TIMER_ONCE;
    g_state.dwTimerDeadline = g_fakeTick;
    TickAt(g_fakeTick);
  }
  void RingAlarm() {
    g_state.alarms[0].nAlarmMode = IDC_ALARM_REPEAT;
    g_state.alarms[0].nAlarmHour = 7;
    g_state.alarms[0].nAlarmMinute = 30;
    g_state.alarms[0].nAlarmFiredDay = 0;
    g_fakeTime.wMinute = 30;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(BalloonTest, TheTimersBalloonOpensWhileTheFocusAndATypedKeyStayWithTheProgramInFront) {
  TypingWindow typing;
  ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == typing.hwnd(); }, 3000));
  ASSERT_EQ(GetFocus(), typing.edit());

  FireTimer();  // returns at once: nothing modal
  const HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr) << "no balloon came";
  PumpMessages(300);

  EXPECT_TRUE(IsWindowVisible(balloon));
  EXPECT_EQ(GetWindow(balloon, GW_OWNER), hwnd_);
  const LONG_PTR ex = GetWindowLongPtrW(balloon, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_NOACTIVATE);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TOPMOST) << "above the program in front";
  EXPECT_EQ(TextOf(balloon), InRunLanguage(L"0 分が経過しました.", L"0 minutes have passed."))
      << "a screen reader reads the message";
  // Its outline as a region too, for a desktop that does not compose it.
  HRGN outline = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(balloon, outline), COMPLEXREGION) << "no outline of its own";
  DeleteObject(outline);
  EXPECT_EQ(GetForegroundWindow(), typing.hwnd()) << "the balloon took the foreground";
  EXPECT_EQ(GetFocus(), typing.edit()) << "the balloon took the focus";
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_STOP);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].path, "timer.wav");

  // It stands above the figure, within the screen, its tail down at the head.
  RECT rcBalloon{}, rcFigure{};
  GetWindowRect(balloon, &rcBalloon);
  GetWindowRect(hwnd_, &rcFigure);
  EXPECT_LE(rcBalloon.bottom, rcFigure.top + 1);
  EXPECT_LT(rcBalloon.left, 500);
  EXPECT_GT(rcBalloon.right, 500);
  // Laid out at the monitor's DPI: the message font and the button grow with it.
  const int dpi = WindowDpi(hwnd_);
  const RECT okButton = BalloonButtonRect(BalloonButton::kOk);
  EXPECT_GE(okButton.bottom - okButton.top, 20 * dpi / 96) << "at " << dpi << " DPI";
  EXPECT_GE(rcBalloon.bottom - rcBalloon.top, 60 * dpi / 96) << "at " << dpi << " DPI";
  EXPECT_LT(rcBalloon.bottom - rcBalloon.top, 120 * dpi / 96) << "at " << dpi << " DPI";

  // The user's key goes where they type, not to the balloon.
  if (RunningUnderWine()) {
    ASSERT_TRUE(RunXdotool("key a"));
  } else {
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = 'A';
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
  }
  EXPECT_TRUE(PumpUntil([&] { return TextOf(typing.edit()) == L"a"; }, 5000))
      << "the edit holds " << testing::PrintToString(TextOf(typing.edit()));
  EXPECT_NE(BalloonWindow(), nullptr) << "a key does not answer the balloon";

  // A click beside its button does nothing; OK closes it, still without activation.
  const RECT ok = BalloonButtonRect(BalloonButton::kOk);
  SendMessageW(balloon, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ok.left - 20, ok.top));
  SendMessageW(balloon, WM_LBUTTONUP, 0, MAKELPARAM(ok.left - 20, ok.top));
  EXPECT_NE(BalloonWindow(), nullptr);
  ClickBalloon(BalloonButton::kOk);
  EXPECT_EQ(BalloonWindow(), nullptr);
  EXPECT_FALSE(IsWindowVisible(balloon));
  EXPECT_EQ(GetForegroundWindow(), typing.hwnd());
  EXPECT_EQ(g_sounds.size(), 1u) << "the timer's sound ends by itself";
}

TEST_F(BalloonTest, SnoozeAndStopEndTheAlarmsSoundAndSnoozeSetsItsTime) {
  RingAlarm();
  HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr) << "no balloon came";
  EXPECT_EQ(TextOf(balloon), InRunLanguage(L"指定された時刻になりました.\n7:30", L"The time you set has come.\n7:30"));
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].path, "alarm.wav");
  EXPECT_EQ(g_sounds[0].flags, 9u) << "looping";
  EXPECT_TRUE(BalloonAlarmRings());
  EXPECT_TRUE(HasButton(BalloonButton::kStop));
  EXPECT_FALSE(HasButton(BalloonButton::kOk));

  // It rings on while ticks and repaints go on; none fires it again.
  TickAt(g_fakeTick + 1000);
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  EXPECT_EQ(g_sounds.size(), 1u);

  ClickBalloon(BalloonButton::kSnooze);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_TRUE(g_sounds[1].stop) << "snooze stops the sound";
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, g_fakeTick + 5 * 60000);
  EXPECT_EQ(g_state.alarms[0].nSnoozeHour, 7);
  EXPECT_EQ(g_state.alarms[0].nSnoozeMinute, 35);
  EXPECT_EQ(BalloonWindow(), nullptr);

  WaitOutSnooze();
  ASSERT_NE(BalloonWindow(), nullptr) << "the snoozed alarm did not come back";
  EXPECT_TRUE(BalloonAlarmRings());
  ASSERT_EQ(g_sounds.size(), 3u);
  EXPECT_EQ(g_sounds[2].path, "alarm.wav");
  ClickBalloon(BalloonButton::kStop);
  ASSERT_EQ(g_sounds.size(), 4u);
  EXPECT_TRUE(g_sounds[3].stop) << "stop ends the sound";
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, kNoDeadline) << "stop sets no snooze";
  EXPECT_EQ(BalloonWindow(), nullptr);
}

TEST_F(BalloonTest, AnAlarmLeftRingingFallsSilentAfterTenMinutesAndItsBalloonStays) {
  RingAlarm();
  const HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  g_fakeTick += 10 * 60000;
  SendMessageW(balloon, WM_TIMER, 20, 0);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_TRUE(g_sounds[1].stop);
  EXPECT_EQ(BalloonWindow(), balloon) << "the balloon stays until clicked";
  ClickBalloon(BalloonButton::kStop);
  EXPECT_EQ(g_sounds.size(), 2u) << "the sound is not stopped twice";
}

// Opens the popup menu as a right press on the tray icon does, and reads its
// first three items from inside its loop.
struct MenuLook {
  std::vector<UINT> ids;
  std::vector<std::wstring> texts;
};
MenuLook g_menuLook;
void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (int i = 0; i < 3; ++i) {
    g_menuLook.ids.push_back(GetMenuItemID(g_state.hMenuPopup, i));
    wchar_t text[128] = {};
    GetMenuStringW(g_state.hMenuPopup, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
    g_menuLook.texts.push_back(text);
  }
  EndMenu();
}
MenuLook OpenTrayMenu(HWND hwnd) {
  g_menuLook = MenuLook{};
  SetTimer(nullptr, 0, 200, LookAtMenu);
  SendMessageW(hwnd, WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
  return g_menuLook;
}

TEST_F(BalloonTest, WhileAnAlarmRingsTheTrayMenuHasStopAndSnooze) {
  const MenuLook quiet = OpenTrayMenu(hwnd_);
  ASSERT_EQ(quiet.ids.size(), 3u) << "the menu did not open";
  EXPECT_NE(quiet.ids[0], static_cast<UINT>(IDM_BALLOON_STOP)) << "not while nothing rings";

  RingAlarm();
  ASSERT_TRUE(BalloonAlarmRings());
  const MenuLook ringing = OpenTrayMenu(hwnd_);
  ASSERT_EQ(ringing.ids.size(), 3u);
  EXPECT_EQ(ringing.ids[0], static_cast<UINT>(IDM_BALLOON_STOP));
  EXPECT_EQ(ringing.texts[0], InRunLanguage(L"アラームを止める", L"Stop the alarm"));
  EXPECT_EQ(ringing.ids[1], static_cast<UINT>(IDM_BALLOON_SNOOZE));
  EXPECT_EQ(ringing.texts[1], InRunLanguage(L"スヌーズ", L"Snooze"));
  EXPECT_EQ(GetMenuItemID(g_state.hMenuPopup, 0), quiet.ids[0]) << "the two leave with the menu";
  const int count = GetMenuItemCount(g_state.hMenuPopup);

  // The item, as the menu sends it.
  SendMessageW(hwnd_, WM_COMMAND, IDM_BALLOON_SNOOZE, 0);
  EXPECT_EQ(BalloonWindow(), nullptr);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_TRUE(g_sounds[1].stop);
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, g_fakeTick + 5 * 60000);

  WaitOutSnooze();
  ASSERT_TRUE(BalloonAlarmRings());
  SendMessageW(hwnd_, WM_COMMAND, IDM_BALLOON_STOP, 0);
  EXPECT_EQ(BalloonWindow(), nullptr);
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, kNoDeadline);
  EXPECT_EQ(g_sounds.size(), 4u);
  EXPECT_EQ(GetMenuItemCount(g_state.hMenuPopup), count);
}

TEST_F(BalloonTest, OneBalloonAtATimeTheAlarmFirstAndTheFullHourClosesByItself) {
  g_state.nOClockMode = IDC_OCLOCK_ON;
  FireTimer();
  ASSERT_NE(BalloonWindow(), nullptr);
  g_fakeTime.wHour = 8;  // the full hour comes while the timer's balloon is up
  g_fakeTime.wMinute = 0;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  RingAlarm();  // and the alarm, set for 7:30, is moved to now
  g_state.alarms[0].nAlarmHour = 8;
  g_state.alarms[0].nAlarmMinute = 0;
  g_fakeTime.wMinute = 0;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);

  const HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  EXPECT_EQ(TextOf(balloon), InRunLanguage(L"0 分が経過しました.", L"0 minutes have passed."));
  ClickBalloon(BalloonButton::kOk);
  ASSERT_NE(BalloonWindow(), nullptr);
  EXPECT_EQ(TextOf(BalloonWindow()),
            InRunLanguage(L"指定された時刻になりました.\n8:00", L"The time you set has come.\n8:00"))
      << "the alarm goes before the full hour that came first";
  ClickBalloon(BalloonButton::kStop);
  ASSERT_NE(BalloonWindow(), nullptr);
  EXPECT_EQ(TextOf(BalloonWindow()), InRunLanguage(L"8時です.", L"It is 8 o'clock."));
  EXPECT_FALSE(HasButton(BalloonButton::kOk));

  g_fakeTick += 4999;
  SendMessageW(BalloonWindow(), WM_TIMER, 20, 0);
  EXPECT_NE(BalloonWindow(), nullptr);
  g_fakeTick += 1;
  SendMessageW(BalloonWindow(), WM_TIMER, 20, 0);
  EXPECT_EQ(BalloonWindow(), nullptr) << "the full hour closes after five seconds";

  // Standing aside for a full-screen program: no full hour, but the timer still speaks.
  g_state.fAside = 1;
  g_fakeTime.wHour = 9;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  EXPECT_EQ(BalloonWindow(), nullptr);
  FireTimer();
  EXPECT_NE(BalloonWindow(), nullptr);
  g_state.fAside = 0;
}

TEST_F(BalloonTest, TheBalloonFollowsTheFigure) {
  FireTimer();
  const HWND balloon = BalloonWindow();
  ASSERT_NE(balloon, nullptr);
  RECT before{};
  GetWindowRect(balloon, &before);
  SetWindowPos(hwnd_, nullptr, 430, 320, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT after{};
  GetWindowRect(balloon, &after);
  EXPECT_EQ(after.left - before.left, 30);
  EXPECT_EQ(after.top - before.top, 20);
}

TEST_F(BalloonTest, TheItemIsOffByDefaultAndOffTheMessagesAreBoxesAsBefore) {
  CloseClock(hwnd_);
  TempFolder fresh;
  PrepareProgramFolder(fresh.path());
  g_system.localTime = FakeLocalTime;
  g_system.playSound = RecordSound;
  g_system.tickCount = FakeTick;
  hwnd_ = StartClock();
  ASSERT_NE(hwnd_, nullptr);
  EXPECT_EQ(g_state.fBalloon, 0) << "off by default";
  SetWindowPos(hwnd_, nullptr, 400, 300, 200, 250, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);

  {
    BoxWatcher boxes(InRunLanguage(L"Tavelin - タイマー", L"Tavelin - Timer"));
    FireTimer();  // the box opens here and the watcher answers it
    EXPECT_EQ(boxes.Texts().size(), 1u) << "today's box";
  }
  EXPECT_EQ(BalloonWindow(), nullptr);
  EXPECT_EQ(FindWindowW(kBalloonClassName, nullptr), nullptr);

  SendMessageW(hwnd_, WM_COMMAND, IDM_BALLOON, 0);
  EXPECT_EQ(g_state.fBalloon, 1);
  EXPECT_TRUE(GetMenuState(g_state.hMenuPopup, IDM_BALLOON, MF_BYCOMMAND) & MF_CHECKED);
  CloseClock(hwnd_);
  EXPECT_EQ(GetPrivateProfileIntA("GENERAL", "fBalloon", -1, fresh.File("Tavelin.ini").c_str()), 1);
}

}  // namespace
