// The countdown, the alarm and the full hour, run by the real window: their
// message boxes are found by title and closed from a timer.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "desktop/placement_win32.h"
#include "shared/dpi_win32.h"
#include "support/caption_fit.h"
#include "support/clock_fixture.h"
#include "support/language.h"

using ::testing::PrintToString;

namespace {

SYSTEMTIME g_fakeTime;
void FakeLocalTime(SYSTEMTIME* time) { *time = g_fakeTime; }
std::uint64_t g_fakeTick = 0;
std::uint64_t FakeTick() { return g_fakeTick; }

struct SoundCall {
  std::string path;  // empty for the stop request
  bool stop;
  UINT flags;
  unsigned volume;
};
std::vector<SoundCall> g_sounds;
BOOL RecordSound(const char* path, UINT flags, unsigned volume) {
  g_sounds.push_back({path ? path : "", path == nullptr, flags, volume});
  return TRUE;
}

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
  wchar_t text[512];
  if (GetWindowTextW(child, text, 512) > 0) reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(text);
  return TRUE;
}

// Watches for a message box by title from a thread timer, which keeps running
// inside the box's own message loop, and closes it after `keepOpenMs`.
struct BoxWatch {
  const wchar_t* title = nullptr;
  DWORD keepOpenMs = 0;
  std::vector<HWND> seen;            // every distinct box
  std::vector<std::wstring> texts;   // texts in the first box
  int mostOpenAtOnce = 0;
  DWORD firstSeenAt = 0;
  bool closed = false;
  int timerModeWhileOpen = -1;
  std::uint64_t deadlineWhileOpen = 0;
  int firedDayWhileOpen = -1;
  bool soundStoppedWhileOpen = false;
  bool topMostWhileOpen = false;
  HWND ownerWhileOpen = nullptr;
  HWND other = nullptr;  // a window the box should lie above
  bool aboveOther = false;
  std::function<void(HWND)> answer;  // how the box is closed; OK if not set
};
BoxWatch g_watch;

BOOL CALLBACK CountBoxes(HWND hwnd, LPARAM param) {
  wchar_t text[256];
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && GetWindowTextW(hwnd, text, 256) > 0 &&
      lstrcmpW(text, g_watch.title) == 0) {
    ++*reinterpret_cast<int*>(param);
  }
  return TRUE;
}

void CALLBACK WatchBoxes(HWND, UINT, UINT_PTR, DWORD) {
  int open = 0;
  EnumWindows(CountBoxes, reinterpret_cast<LPARAM>(&open));
  if (open > g_watch.mostOpenAtOnce) g_watch.mostOpenAtOnce = open;
  HWND box = FindOwnWindowByTitle(g_watch.title);
  if (box == nullptr) return;
  bool known = false;
  for (HWND h : g_watch.seen) known = known || h == box;
  if (!known) {
    g_watch.seen.push_back(box);
    if (g_watch.seen.size() == 1) {
      EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&g_watch.texts));
      g_watch.firstSeenAt = GetTickCount();
      g_watch.timerModeWhileOpen = g_state.nTimerMode;
      g_watch.deadlineWhileOpen = g_state.dwTimerDeadline;
      g_watch.firedDayWhileOpen = g_state.alarms[0].nAlarmFiredDay;
      for (const SoundCall& s : g_sounds) g_watch.soundStoppedWhileOpen |= s.stop;
      g_watch.topMostWhileOpen = (GetWindowLongPtrW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
      g_watch.ownerWhileOpen = GetWindow(box, GW_OWNER);
      for (HWND below = GetWindow(box, GW_HWNDNEXT); below != nullptr; below = GetWindow(below, GW_HWNDNEXT)) {
        g_watch.aboveOther = g_watch.aboveOther || below == g_watch.other;
      }
    }
  }
  if (GetTickCount() - g_watch.firstSeenAt >= g_watch.keepOpenMs) {
    if (g_watch.answer) {
      g_watch.answer(box);
    } else {
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    g_watch.closed = true;
  } else {
    InvalidateRect(g_hwndMain, nullptr, FALSE);  // more repaints nested in the box
  }
}

bool HasText(const std::vector<std::wstring>& texts, const std::wstring& wanted) {
  for (const std::wstring& t : texts)
    if (t == wanted) return true;
  return false;
}

const wchar_t* TimerTitle() { return InRunLanguage(L"Tavelin - タイマー", L"Tavelin - Timer"); }
const wchar_t* AlarmTitle() { return InRunLanguage(L"Tavelin - アラーム", L"Tavelin - Alarm"); }

// The first box held `text`, and, in English, its title and texts hold
// nothing Japanese.
void ExpectText(const wchar_t* text) {
  EXPECT_TRUE(HasText(g_watch.texts, text)) << "texts in the box: " << g_watch.texts.size();
  if (JapaneseRun()) return;
  EXPECT_FALSE(HasJapanese(g_watch.title));
  for (const std::wstring& t : g_watch.texts) EXPECT_FALSE(HasJapanese(t)) << testing::PrintToString(t);
}

class EventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_sounds.clear();
    g_watch = BoxWatch{};
    g_fakeTime = {};
    g_fakeTime.wYear = 2026;
    g_fakeTime.wMonth = 12;
    g_fakeTime.wDay = 8;
    g_fakeTime.wHour = 7;
    g_fakeTime.wMinute = 29;
    g_fakeTime.wDayOfWeek = 2;  // the 8th of December 2026 is a Tuesday
    g_system.localTime = FakeLocalTime;
    g_system.playSound = RecordSound;
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_EQ(g_state.nLastHour, 7);
    // No figure is loaded here; a window of no size would get no repaints.
    SetWindowPos(hwnd_, nullptr, 0, 0, 60, 60, SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    PumpMessages();
    g_state.nOClockChangeChara = 0;
    g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
  }
  void TearDown() override {
    StopWatching();
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  void Watch(const wchar_t* title, DWORD keepOpenMs) {
    StopWatching();
    const HWND other = g_watch.other;
    g_watch = BoxWatch{};
    g_watch.other = other;
    g_watch.title = title;
    g_watch.keepOpenMs = keepOpenMs;
    watchTimer_ = SetTimer(nullptr, 0, 50, WatchBoxes);
    ASSERT_NE(watchTimer_, 0u);
  }
  void StopWatching() {
    if (watchTimer_ != 0) KillTimer(nullptr, watchTimer_);
    watchTimer_ = 0;
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
  UINT_PTR watchTimer_ = 0;
};

TEST_F(EventsTest, OnceCountdownOfZeroMinutesShowsItsMessageAndStops) {
  Watch(TimerTitle(), 1500);
  g_state.nTimerMinute = 0;
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.dwTimerDeadline = g_system.tickCount();

  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 5000)) << "no timer message came";
  PumpMessages(2500);  // further ticks after the box

  ExpectText(InRunLanguage(L"0 分が経過しました.", L"0 minutes have passed."));
  EXPECT_EQ(g_watch.seen.size(), 1u) << "only one timer message";
  EXPECT_EQ(g_watch.mostOpenAtOnce, 1);
  EXPECT_EQ(g_watch.timerModeWhileOpen, IDC_TIMER_STOP) << "stopped before the box opened";
  EXPECT_EQ(g_watch.deadlineWhileOpen, kNoDeadline);
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_STOP);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].path, "timer.wav");
  EXPECT_EQ(g_sounds[0].flags, 17u);
}

TEST_F(EventsTest, MutedTheCountdownShowsItsMessageWithoutASoundAndMutingStopsTheSoundThatPlays) {
  g_state.fMute = 1;
  Watch(TimerTitle(), 300);
  g_state.nTimerMinute = 0;
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.dwTimerDeadline = g_system.tickCount();
  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 5000)) << "no timer message came";
  EXPECT_TRUE(g_sounds.empty()) << "a sound played while muted";

  g_state.fMute = 0;
  SendMessageA(hwnd_, WM_COMMAND, IDM_MUTE, 0);
  EXPECT_EQ(g_state.fMute, 1);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_TRUE(g_sounds[0].stop) << "muting ends a sound that plays, an alarm's loop too";
}

TEST_F(EventsTest, TheMessageOfAOneMinuteCountdownReadsInTheSingular) {
  Watch(TimerTitle(), 300);
  g_state.nTimerMinute = 1;
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.dwTimerDeadline = g_system.tickCount();

  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 5000)) << "no timer message came";
  PumpMessages(300);
  ExpectText(InRunLanguage(L"1 分が経過しました.", L"1 minute has passed."));
}

TEST_F(EventsTest, AlarmAtTheCurrentMinuteShowsOneMessageWhileTicksGoOn) {
  Watch(AlarmTitle(), 2500);
  g_state.alarms[0].nAlarmMode = IDC_ALARM_REPEAT;
  g_state.alarms[0].nAlarmHour = 7;
  g_state.alarms[0].nAlarmMinute = 30;
  g_fakeTime.wMinute = 30;
  InvalidateRect(hwnd_, nullptr, FALSE);

  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 6000)) << "no alarm message came";
  PumpMessages(1500);

  // The text names each alarm ringing by its time.
  ExpectText(InRunLanguage(L"指定された時刻になりました.\n7:30", L"The time you set has come.\n7:30"));
  EXPECT_EQ(g_watch.seen.size(), 1u) << "repaints nested in the box fired again";
  EXPECT_EQ(g_watch.mostOpenAtOnce, 1);
  EXPECT_EQ(g_watch.firedDayWhileOpen, 8) << "the day is recorded before the box opens";
  EXPECT_FALSE(g_watch.soundStoppedWhileOpen);
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_REPEAT);
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_EQ(g_sounds[0].path, "alarm.wav");
  EXPECT_EQ(g_sounds[0].flags, 9u) << "looping, taking over from a sound that plays";
  EXPECT_TRUE(g_sounds[1].stop) << "closing the box stops the loop";
  EXPECT_EQ(g_sounds[1].flags, 0u);
}

TEST_F(EventsTest, FullHourWithTheSwitchOnPostsTheRandomCharacterCommand) {
  g_state.nOClockMode = IDC_OCLOCK_ON;
  g_state.nOClockChangeChara = 1;
  g_state.nChara = IDM_CHARA_FIRST;
  g_fakeTime.wHour = 8;
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);

  MSG queued;
  ASSERT_TRUE(PeekMessageA(&queued, hwnd_, WM_COMMAND, WM_COMMAND, PM_NOREMOVE));
  EXPECT_EQ(queued.wParam, static_cast<WPARAM>(IDM_CHARA_RANDOM));
  EXPECT_EQ(queued.lParam, 0);
  EXPECT_EQ(g_state.nLastHour, 8);
  ASSERT_EQ(g_sounds.size(), 1u);
  EXPECT_EQ(g_sounds[0].path, "oclock.wav");
  EXPECT_EQ(g_sounds[0].flags, 19u) << "once, yielding, and silent rather than the program's tone";

  PumpMessages(1500);
  EXPECT_EQ(g_state.nChara, IDM_CHARA_RANDOM) << "the command went through the window procedure";
  EXPECT_EQ(g_sounds.size(), 1u) << "the same hour chimes once";
}

// Another program, in front of everything: Wine's notepad, or the system's.
class OtherProgram {
 public:
  ~OtherProgram() {
    if (process_.hProcess == nullptr) return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  // Starts it and waits for its window; null when it did not come.
  HWND Start() {
    wchar_t command[] = L"notepad.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_)) {
      return nullptr;
    }
    HWND window = nullptr;
    PumpUntil([&] { return (window = FindWindowW(L"Notepad", nullptr)) != nullptr && IsWindowVisible(window); },
              15000);
    return window;
  }

 private:
  PROCESS_INFORMATION process_{};
};

TEST_F(EventsTest, BothMessagesOpenAboveAnotherProgramInFrontWhileTheClockIsAtTheBottom) {
  g_state.fTopMost = 0;
  ApplyStacking(hwnd_);
  ASSERT_FALSE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the clock is at the bottom";
  OtherProgram program;
  const HWND other = program.Start();
  ASSERT_NE(other, nullptr) << "notepad did not start";
  g_watch.other = other;

  struct Event {
    const wchar_t* title;
    void (*arm)();
  } events[] = {
      {TimerTitle(),
       [] {
         g_state.nTimerMode = IDC_TIMER_ONCE;
         g_state.dwTimerDeadline = g_system.tickCount();
       }},
      {AlarmTitle(),
       [] {
         g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
         g_state.alarms[0].nAlarmHour = 7;
         g_state.alarms[0].nAlarmMinute = 29;
         InvalidateRect(g_hwndMain, nullptr, FALSE);
       }},
  };
  for (const Event& event : events) {
    SCOPED_TRACE(testing::Message() << "box " << PrintToString(std::wstring(event.title)));
    ASSERT_TRUE(BringToForeground(other)) << "the other program is not in front";
    Watch(event.title, 300);
    event.arm();
    ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 6000)) << "no message came";
    EXPECT_TRUE(g_watch.topMostWhileOpen) << "the box is not top-most";
    EXPECT_EQ(g_watch.ownerWhileOpen, hwnd_) << "the box belongs to the clock";
    EXPECT_TRUE(g_watch.aboveOther) << "the box lies under the program in front";
    EXPECT_EQ(g_watch.seen.size(), 1u);
    PumpMessages(300);
  }
  EXPECT_FALSE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the clock itself stays at the bottom";
}

// A box's push button, found by its caption among the box's children.
HWND ButtonOf(HWND box, int id) { return GetDlgItem(box, id); }

// The clock's own tick, with the fake tick count moved on first.
void TickAt(std::uint64_t tick) {
  g_fakeTick = tick;
  SendMessageW(g_hwndMain, WM_TIMER, ID_CLOCKTIMER, 0);
}

TEST_F(EventsTest, SnoozePutsTheAlarmOffFiveMinutesAndItRingsAgainWithBothButtons) {
  g_fakeTick = 50000000;
  g_system.tickCount = FakeTick;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  g_state.alarms[0].nAlarmHour = 7;
  g_state.alarms[0].nAlarmMinute = 30;
  g_fakeTime.wMinute = 30;

  bool bothButtons = false;
  int captionsMeasured = 0;
  Watch(AlarmTitle(), 300);
  g_watch.answer = [&](HWND box) {
    bothButtons = IsWindowVisible(ButtonOf(box, IDOK)) && IsWindowVisible(ButtonOf(box, IDC_RING_SNOOZE));
    EXPECT_EQ(TextOf(ButtonOf(box, IDC_RING_SNOOZE)), InRunLanguage(L"5分後に再通知", L"Snooze 5 min"));
    EXPECT_EQ(TextOf(ButtonOf(box, IDOK)), L"OK");
    captionsMeasured = ExpectCaptionsFit(box);
    SendMessageW(ButtonOf(box, IDC_RING_SNOOZE), BM_CLICK, 0, 0);  // the user's click
  };
  InvalidateRect(hwnd_, nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 6000)) << "no alarm message came";
  ASSERT_TRUE(PumpUntil([] { return g_sounds.size() >= 2; }, 3000));
  // The text names each alarm ringing by its time.
  ExpectText(InRunLanguage(L"指定された時刻になりました.\n7:30", L"The time you set has come.\n7:30"));
  EXPECT_TRUE(bothButtons);
  EXPECT_EQ(captionsMeasured, 3) << "the text, OK and the snooze button";
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_STOP) << "a once alarm is off as soon as it first rings";
  ASSERT_EQ(g_sounds.size(), 2u);
  EXPECT_TRUE(g_sounds[1].stop) << "snooze stops the sound";
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, g_fakeTick + 5 * 60000);
  EXPECT_EQ(g_state.alarms[0].nSnoozeHour, 7);
  EXPECT_EQ(g_state.alarms[0].nSnoozeMinute, 35);

  // Five minutes of ticks, never long enough apart to look like a sleep.
  g_fakeTime.wMinute = 31;
  Watch(AlarmTitle(), 300);
  for (int second = 60; second < 300 && g_watch.seen.empty(); second += 60) TickAt(50000000 + second * 1000ull);
  EXPECT_EQ(g_watch.seen.size(), 0u) << "not before its time";
  g_fakeTime.wMinute = 35;
  TickAt(50000000 + 300000);  // opens the box inside this tick; the watch closes it with OK
  ASSERT_TRUE(g_watch.closed) << "the message did not come back";
  // The text names each alarm ringing by its time.
  ExpectText(InRunLanguage(L"指定された時刻になりました.\n7:35", L"The time you set has come.\n7:35"));
  ASSERT_EQ(g_sounds.size(), 4u);
  EXPECT_EQ(g_sounds[2].path, "alarm.wav");
  EXPECT_EQ(g_sounds[2].flags, 9u) << "the same looping sound";
  EXPECT_TRUE(g_sounds[3].stop);
  EXPECT_EQ(g_state.alarms[0].qwSnoozeDeadline, kNoDeadline) << "OK ends it";
  TickAt(50000000 + 900000 - 1);
  EXPECT_EQ(g_sounds.size(), 4u);
}

int IconSide(HICON icon) {
  ICONINFO info{};
  if (icon == nullptr || !GetIconInfo(icon, &info)) return 0;
  BITMAP bitmap{};
  GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return bitmap.bmWidth;
}

// The ringing box shows the information icon drawn for the DPI of the monitor
// it stands on, and again for the new one when it moves to another.
TEST_F(EventsTest, TheRingingBoxsIconIsDrawnForItsMonitorsDpi) {
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  g_state.alarms[0].nAlarmHour = 7;
  g_state.alarms[0].nAlarmMinute = 30;
  g_fakeTime.wMinute = 30;
  int dpiAtOpen = 0;
  int sideAtOpen = 0;
  int sideAfterChange = 0;
  Watch(AlarmTitle(), 300);
  g_watch.answer = [&](HWND box) {
    dpiAtOpen = WindowDpi(box);
    sideAtOpen = IconSide(reinterpret_cast<HICON>(SendDlgItemMessageW(box, IDC_RING_ICON, STM_GETICON, 0, 0)));
    RECT place{};
    GetWindowRect(box, &place);
    SendMessageW(box, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&place));
    sideAfterChange = IconSide(reinterpret_cast<HICON>(SendDlgItemMessageW(box, IDC_RING_ICON, STM_GETICON, 0, 0)));
    SendMessageW(ButtonOf(box, IDOK), BM_CLICK, 0, 0);
  };
  InvalidateRect(hwnd_, nullptr, FALSE);
  ASSERT_TRUE(PumpUntil([] { return g_watch.closed; }, 6000)) << "no alarm message came";
  EXPECT_EQ(sideAtOpen, MulDiv(32, dpiAtOpen, 96)) << "at " << dpiAtOpen << " DPI";
  EXPECT_EQ(sideAfterChange, 64) << "at 192 DPI";
}

TEST_F(EventsTest, TheTipSaysHowLongTheCountdownHasLeft) {
  g_fakeTick = 80000000;
  g_system.tickCount = FakeTick;
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.nTimerMinute = 12;
  g_state.dwTimerDeadline = g_fakeTick + 12 * 60000;
  TickAt(g_fakeTick);
  EXPECT_EQ(std::wstring(g_state.nidTray.szTip), InRunLanguage(L"Tavelin\nタイマー: 残り 12 分", L"Tavelin\nTimer: 12 min left"));
  TickAt(g_fakeTick + 60000);
  EXPECT_EQ(std::wstring(g_state.nidTray.szTip), InRunLanguage(L"Tavelin\nタイマー: 残り 11 分", L"Tavelin\nTimer: 11 min left"))
      << "a minute later";
  g_state.nTimerMode = IDC_TIMER_STOP;
  TickAt(g_fakeTick + 1000);
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin") << "a stopped countdown is not shown";
}

TEST_F(EventsTest, AnAlarmMissedInSleepIsShownAfterTheResumeMessageWithoutASound) {
  g_fakeTick = 90000000;
  g_system.tickCount = FakeTick;
  g_state.nOClockMode = IDC_OCLOCK_ON;
  g_state.nOClockChangeChara = 1;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  g_state.alarms[0].nAlarmHour = 7;
  g_state.alarms[0].nAlarmMinute = 0;
  g_fakeTime.wHour = 6;
  g_fakeTime.wMinute = 50;
  g_fakeTime.wDayOfWeek = 2;
  g_state.nLastHour = 6;
  TickAt(g_fakeTick);  // the last look before the sleep
  g_sounds.clear();

  // Asleep until 7:23; the system's resume message comes before any tick.
  g_fakeTick += 33 * 60000;
  g_fakeTime.wHour = 7;
  g_fakeTime.wMinute = 23;
  Watch(AlarmTitle(), 300);
  SendMessageW(hwnd_, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ASSERT_TRUE(g_watch.closed) << "no message for the missed alarm";
  ExpectText(InRunLanguage(L"7:00 のアラームの時刻はコンピュータのスリープ中に過ぎました.",
                           L"The 7:00 alarm went off while the computer was asleep."));
  EXPECT_TRUE(g_watch.topMostWhileOpen) << "shown in front";
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_STOP) << "a once alarm missed is off";
  EXPECT_EQ(g_state.nLastHour, 7) << "the hour is taken";

  // The ticks and repaints after it: no chime, no character change, no second box.
  TickAt(g_fakeTick + 1000);
  UpdateWindow(hwnd_);
  PumpMessages(300);
  EXPECT_TRUE(g_sounds.empty()) << "nothing sounds after a sleep";
  MSG queued;
  EXPECT_FALSE(PeekMessageW(&queued, hwnd_, WM_COMMAND, WM_COMMAND, PM_NOREMOVE)) << "no character change";
  EXPECT_EQ(g_watch.seen.size(), 1u);
}

}  // namespace
