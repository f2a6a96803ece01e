#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "balloon/balloon_win32.h"
#include "desktop/tray_win32.h"
#include "events/event_text.h"
#include "events/events_win32.h"
#include "events/resume_rule.h"
#include "events/time_checks.h"
#include "shared/message_in_front_win32.h"

static_assert(kNoCountdownDeadline == kNoDeadline, "one marker for a countdown without a deadline");

namespace {

const char* SoundPath(EventSound sound) {
  switch (sound) {
    case EventSound::kTimer:
      return g_state.szTimerSound;
    case EventSound::kAlarm:
      return g_state.szAlarmSound;
    case EventSound::kChime:
      return g_state.szOClockSound;
    case EventSound::kNone:
      break;
  }
  return nullptr;
}

std::wstring LoadText(UINT id) {
  wchar_t text[kTextBufferSize] = {};
  (void)LoadStringW(g_hInstance, id, text, static_cast<int>(std::size(text)));
  return text;
}

// The alarm's message: its text, title and icon as a message box has them,
// with OK and the snooze button. Escape and the close box answer OK.
INT_PTR CALLBACK AlarmRingProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowTextW(box, reinterpret_cast<const wchar_t*>(lParam));
      SetDlgItemTextW(box, IDC_RING_TEXT, LoadText(IDS_ALARM_REACHED).c_str());
      SendDlgItemMessageW(box, IDC_RING_ICON, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, IDI_INFORMATION)),
                          0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_RING_SNOOZE) EndDialog(box, IDC_RING_SNOOZE);
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(box, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

// The text of an event's message, read from the string table in the user's
// language and in the wide form, so it shows right whatever the system's code page.
std::wstring EventMessageText(const EventEffects& effects) {
  switch (effects.message) {
    case EventMessage::kTimerElapsed: {
      wchar_t formatted[kTextBufferSize];
      wsprintfW(formatted, LoadText(static_cast<UINT>(TimerMessageTextId(effects.messageMinutes))).c_str(),
                static_cast<int>(effects.messageMinutes));
      return formatted;
    }
    case EventMessage::kAlarmMissed:
      return FillTemplate(LoadText(IDS_ALARM_MISSED), ClockTimeText(effects.missedHour, effects.missedMinute));
    case EventMessage::kAlarmReached:
      return LoadText(IDS_ALARM_REACHED);
    case EventMessage::kNone:
      break;
  }
  return {};
}

// The event messages in boxes. Returns true when the user put the alarm off.
bool ShowEventMessage(HWND hwnd, const EventEffects& effects) {
  const std::wstring text = EventMessageText(effects);
  const std::wstring title = LoadText(effects.message == EventMessage::kTimerElapsed ? IDS_TIMER_TITLE : IDS_ALARM_TITLE);
  bool snoozed = false;
  if (effects.message == EventMessage::kAlarmReached) {
    snoozed = DialogInFront(hwnd, g_hInstance, MAKEINTRESOURCEW(IDD_ALARM_RING), AlarmRingProc,
                            reinterpret_cast<LPARAM>(title.c_str())) == IDC_RING_SNOOZE;
  } else {
    (void)MessageBoxInFront(hwnd, text.c_str(), title.c_str(), MB_OK | MB_ICONINFORMATION);
  }
  return snoozed;
}

// The message said in the balloon: the box's text, or the full hour's words
// (12-hour, as a clock strikes). The hour has no message without a balloon.
BalloonMessage BalloonMessageOf(const EventEffects& effects, bool fullHour) {
  BalloonMessage message;
  if (fullHour) {
    const int hour = g_state.nLastHour % 12 == 0 ? 12 : g_state.nLastHour % 12;
    message.kind = BalloonKind::kFullHour;
    message.text = FillTemplate(LoadText(IDS_BALLOON_HOUR), std::to_wstring(hour));
    return message;
  }
  message.text = EventMessageText(effects);
  message.kind = effects.message == EventMessage::kAlarmReached  ? BalloonKind::kAlarm
                 : effects.message == EventMessage::kAlarmMissed ? BalloonKind::kMissedAlarm
                                                                 : BalloonKind::kTimer;
  message.snoozeMinutes = static_cast<int>(kSnoozeMilliseconds / 60000);
  message.stopsSound = effects.stopSoundAfterMessage;
  return message;
}

// Called once the state that produced the effects has been stored: the
// message box runs a message loop in which further ticks and repaints check
// again. With the balloon on, the message goes to it and this returns at once.
void CarryOut(HWND hwnd, const EventEffects& event) {
  const EventEffects effects = HeardEffects(event, g_state.fMute != 0, g_state.fAside != 0);
  if (effects.sound != EventSound::kNone) (void)g_system.playSound(SoundPath(effects.sound), effects.soundFlags);
  const bool fullHour = event.sound == EventSound::kChime;  // the chime is on and the hour not quiet
  if (g_state.fBalloon && (effects.message != EventMessage::kNone || fullHour)) {
    SayInBalloon(hwnd, BalloonMessageOf(effects, fullHour));
  } else if (effects.message != EventMessage::kNone) {
    const bool snoozed = ShowEventMessage(hwnd, effects);
    if (effects.stopSoundAfterMessage) StopRingingAlarm(hwnd);
    if (snoozed) SnoozeRingingAlarm(hwnd);
  }
  if (effects.postRandomCharacter) PostMessageA(hwnd, WM_COMMAND, IDM_CHARA_RANDOM, 0);
}

LocalStamp StampOf(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wDayOfWeek};
}

// Handles the wake at tick `now`: stores the resume's state, then carries out
// its sound and its message.
void HandleResume(HWND hwnd, std::uint64_t now, const SYSTEMTIME& time) {
  const ResumeState state{{g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline},
                          {g_state.nAlarmMode, g_state.nAlarmHour, g_state.nAlarmMinute, g_state.nAlarmFiredDay},
                          g_state.nLastHour,
                          {g_state.qwSnoozeDeadline, g_state.nSnoozeHour, g_state.nSnoozeMinute}};
  const ResumeStep step = StepResume(state, StampOf(g_state.stLastCheck), StampOf(time), now);
  g_state.dwTimerDeadline = step.next.countdown.dwTimerDeadline;
  g_state.nAlarmMode = step.next.alarm.nAlarmMode;
  g_state.nAlarmFiredDay = step.next.alarm.nAlarmFiredDay;
  g_state.nLastHour = step.next.nLastHour;
  g_state.qwSnoozeDeadline = step.next.snooze.qwSnoozeDeadline;
  g_state.qwLastResumeTick = now;
  g_state.qwLastCheckTick = now;
  g_state.stLastCheck = time;
  CarryOut(hwnd, step.countdownEffects);
  CarryOut(hwnd, step.missedEffects);
}

ResumeWatch WatchOf() { return {g_state.qwLastCheckTick, g_state.qwLastResumeTick, StampOf(g_state.stLastCheck)}; }

// Every look at the time first asks whether the computer slept since the last.
void NoteCheck(HWND hwnd) {
  const std::uint64_t now = g_system.tickCount();
  SYSTEMTIME time;
  g_system.localTime(&time);
  if (CheckIsResume(WatchOf(), now)) {
    HandleResume(hwnd, now, time);
    return;
  }
  g_state.qwLastCheckTick = now;
  g_state.stLastCheck = time;
}

}  // namespace

void StopRingingAlarm(HWND) { (void)g_system.playSound(nullptr, 0); }

void SnoozeRingingAlarm(HWND) {
  SYSTEMTIME now;
  g_system.localTime(&now);
  const SnoozeState snooze = StartSnooze(g_system.tickCount(), now.wHour, now.wMinute);
  g_state.qwSnoozeDeadline = snooze.qwSnoozeDeadline;
  g_state.nSnoozeHour = snooze.nSnoozeHour;
  g_state.nSnoozeMinute = snooze.nSnoozeMinute;
}

void ResetTimeEvents() {
  g_state.qwSnoozeDeadline = kNoDeadline;
  g_state.qwLastCheckTick = 0;
  g_state.qwLastResumeTick = 0;
}

void CheckCountdown(HWND hwnd) {
  NoteCheck(hwnd);
  const CountdownStep step =
      StepCountdown({g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline}, g_system.tickCount());
  g_state.nTimerMode = step.next.nTimerMode;
  g_state.dwTimerDeadline = step.next.dwTimerDeadline;
  CarryOut(hwnd, step.effects);

  const SnoozeStep snooze =
      StepSnooze({g_state.qwSnoozeDeadline, g_state.nSnoozeHour, g_state.nSnoozeMinute}, g_system.tickCount());
  g_state.qwSnoozeDeadline = snooze.next.qwSnoozeDeadline;
  CarryOut(hwnd, snooze.effects);
  RefreshTrayTip(hwnd);
}

void OnPowerResume(HWND hwnd) {
  const std::uint64_t now = g_system.tickCount();
  if (!MessageIsResume(WatchOf(), now)) return;
  SYSTEMTIME time;
  g_system.localTime(&time);
  HandleResume(hwnd, now, time);
}

void RunRepaintChecks(HWND hwnd, int hour, int minute, int day) {
  // A repaint that comes before the first tick after a wake handles the wake;
  // otherwise the last tick's look at the time stands, and gives the weekday.
  if (g_state.qwLastCheckTick == 0 || CheckIsResume(WatchOf(), g_system.tickCount())) NoteCheck(hwnd);
  const int weekday = WeekdayOf(day, g_state.stLastCheck.wDay, g_state.stLastCheck.wDayOfWeek);
  const AlarmStep alarm =
      StepAlarm({g_state.nAlarmMode, g_state.nAlarmHour, g_state.nAlarmMinute, g_state.nAlarmFiredDay}, hour,
                minute, day, weekday);
  g_state.nAlarmMode = alarm.next.nAlarmMode;
  g_state.nAlarmFiredDay = alarm.next.nAlarmFiredDay;
  CarryOut(hwnd, alarm.effects);

  // Read afresh: a repaint nested in the alarm's box may already have seen the new hour.
  const HourlyStep hourly = StepHourly(
      {g_state.nLastHour, g_state.nOClockMode, g_state.nOClockChangeChara, g_state.nOClockQuietFrom, g_state.nOClockQuietTo},
      hour);
  g_state.nLastHour = hourly.next.nLastHour;
  CarryOut(hwnd, hourly.effects);
}
