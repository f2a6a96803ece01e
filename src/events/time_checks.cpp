#include "events/time_checks.h"

#include "resource.h"

namespace {

constexpr std::uint64_t kMillisecondsPerMinute = 60000;

// The deadline one period on. It stops short of "no deadline", so a repeating
// countdown whose sum would pass the end of the tick keeps a deadline that is
// simply never reached.
std::uint64_t NextDeadline(std::uint64_t deadline, unsigned minutes) {
  const std::uint64_t period = minutes * kMillisecondsPerMinute;  // at most about 2.6e14
  const std::uint64_t last = kNoCountdownDeadline - 1;
  return deadline > last - period ? last : deadline + period;
}

}  // namespace

CountdownStep StepCountdown(const CountdownState& state, std::uint64_t now) {
  CountdownStep step{state, {}};
  if (state.dwTimerDeadline == kNoCountdownDeadline || state.dwTimerDeadline > now) return step;
  switch (state.nTimerMode) {
    case IDC_TIMER_ONCE:
      step.next.nTimerMode = IDC_TIMER_STOP;
      step.next.dwTimerDeadline = kNoCountdownDeadline;
      step.effects.sound = EventSound::kTimer;
      step.effects.soundFlags = kSoundOnceFlags;
      step.effects.message = EventMessage::kTimerElapsed;
      step.effects.messageMinutes = state.nTimerMinute;
      break;
    case IDC_TIMER_REPEAT:
      step.next.dwTimerDeadline = NextDeadline(state.dwTimerDeadline, state.nTimerMinute);
      step.effects.sound = EventSound::kTimer;
      step.effects.soundFlags = kSoundOnceFlags;
      break;
    default:  // stopped, or a value that means nothing
      break;
  }
  return step;
}

AlarmStep StepAlarm(const AlarmState& state, int hour, int minute, int day) {
  AlarmStep step{state, {}};
  if (state.nAlarmFiredDay == day) return step;
  if (hour < 0 || minute < 0) return step;
  if (static_cast<unsigned>(hour) != state.nAlarmHour || static_cast<unsigned>(minute) != state.nAlarmMinute)
    return step;
  step.next.nAlarmFiredDay = day;  // recorded even while the alarm is stopped
  switch (state.nAlarmMode) {
    case IDC_ALARM_ONCE:
      step.next.nAlarmMode = IDC_ALARM_STOP;
      step.next.nAlarmFiredDay = 0;
      [[fallthrough]];
    case IDC_ALARM_REPEAT:
      step.effects.sound = EventSound::kAlarm;
      step.effects.soundFlags = kSoundLoopFlags;
      step.effects.message = EventMessage::kAlarmReached;
      step.effects.stopSoundAfterMessage = true;
      break;
    default:
      break;
  }
  return step;
}

HourlyStep StepHourly(const HourlyState& state, int hour) {
  HourlyStep step{state, {}};
  if (hour == state.nLastHour) return step;
  step.next.nLastHour = hour;
  if (state.nOClockMode == IDC_OCLOCK_ON) {
    step.effects.sound = EventSound::kChime;
    step.effects.soundFlags = kSoundOnceFlags;
  }
  // The switch does not depend on the chime: with the chime off the character still changes.
  step.effects.postRandomCharacter = state.nOClockChangeChara != 0;
  return step;
}

int TimerMessageTextId(unsigned minutes) { return minutes == 1 ? IDS_TIMER_ELAPSED_ONE : IDS_TIMER_ELAPSED; }
