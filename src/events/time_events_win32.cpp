#include <iterator>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "events/events_win32.h"
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

// The event messages, read from the string table in the user's language and
// in the wide form, so they show right whatever the system's code page.
void ShowEventMessage(HWND hwnd, EventMessage message, unsigned minutes) {
  UINT textId = IDS_ALARM_REACHED;
  UINT titleId = IDS_ALARM_TITLE;
  if (message == EventMessage::kTimerElapsed) {
    textId = static_cast<UINT>(TimerMessageTextId(minutes));
    titleId = IDS_TIMER_TITLE;
  }
  wchar_t format[kTextBufferSize] = {};
  wchar_t title[kTextBufferSize] = {};
  LoadStringW(g_hInstance, textId, format, static_cast<int>(std::size(format)));
  LoadStringW(g_hInstance, titleId, title, static_cast<int>(std::size(title)));
  wchar_t text[kTextBufferSize];
  wsprintfW(text, format, static_cast<int>(minutes));
  // Above every window, whichever program the user works in, while its sound plays.
  (void)MessageBoxInFront(hwnd, text, title, MB_OK | MB_ICONINFORMATION);
}

// Called once the state that produced the effects has been stored: the
// message box runs a message loop in which further ticks and repaints check
// again.
void CarryOut(HWND hwnd, const EventEffects& effects) {
  if (effects.sound != EventSound::kNone) (void)g_system.playSound(SoundPath(effects.sound), effects.soundFlags);
  if (effects.message != EventMessage::kNone) {
    ShowEventMessage(hwnd, effects.message, effects.messageMinutes);
    if (effects.stopSoundAfterMessage) (void)g_system.playSound(nullptr, 0);
  }
  if (effects.postRandomCharacter) PostMessageA(hwnd, WM_COMMAND, IDM_CHARA_RANDOM, 0);
}

}  // namespace

void CheckCountdown(HWND hwnd) {
  const CountdownStep step =
      StepCountdown({g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline}, g_system.tickCount());
  g_state.nTimerMode = step.next.nTimerMode;
  g_state.dwTimerDeadline = step.next.dwTimerDeadline;
  CarryOut(hwnd, step.effects);
}

void RunRepaintChecks(HWND hwnd, int hour, int minute, int day) {
  const AlarmStep alarm =
      StepAlarm({g_state.nAlarmMode, g_state.nAlarmHour, g_state.nAlarmMinute, g_state.nAlarmFiredDay}, hour,
                minute, day);
  g_state.nAlarmMode = alarm.next.nAlarmMode;
  g_state.nAlarmFiredDay = alarm.next.nAlarmFiredDay;
  CarryOut(hwnd, alarm.effects);

  // Read afresh: a repaint nested in the alarm's box may already have seen the new hour.
  const HourlyStep hourly = StepHourly({g_state.nLastHour, g_state.nOClockMode, g_state.nOClockChangeChara}, hour);
  g_state.nLastHour = hourly.next.nLastHour;
  CarryOut(hwnd, hourly.effects);
}
