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

EventEffects AlarmRingEffects() {
  EventEffects effects;
  effects.sound = EventSound::kAlarm;
  effects.soundFlags = kSoundLoopFlags;
  effects.message = EventMessage::kAlarmReached;
  effects.stopSoundAfterMessage = true;
  return effects;
}

EventEffects HeardEffects(const EventEffects& effects, bool muted, bool standingAside) {
  EventEffects heard = effects;
  if (muted || (standingAside && effects.sound == EventSound::kChime)) {
    heard.sound = EventSound::kNone;
    heard.soundFlags = 0;
    heard.stopSoundAfterMessage = false;  // none of the clock's own plays
  }
  return heard;
}

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

bool IsWorkday(int weekday) { return weekday > kSunday && weekday < kSaturday; }

int WeekdayOf(int day, int knownDay, int knownWeekday) {
  if (day == knownDay) return knownWeekday;
  const bool next = day == knownDay + 1 || (day == 1 && knownDay >= 28);
  return (knownWeekday + (next ? 1 : 6)) % 7;
}

bool AlarmRingsOn(int mode, int weekday, unsigned days) {
  switch (mode) {
    case IDC_ALARM_ONCE:
    case IDC_ALARM_REPEAT:
      return true;
    case IDC_ALARM_WEEKDAYS:
      return IsWorkday(weekday);
    case IDC_ALARM_DAYS:
      return weekday >= kSunday && weekday <= kSaturday && (days >> weekday & 1u) != 0;
    default:
      return false;
  }
}

AlarmStep StepAlarm(const AlarmState& state, int hour, int minute, int day, int weekday) {
  AlarmStep step{state, {}};
  if (state.nAlarmFiredDay == day) return step;
  if (hour < 0 || minute < 0) return step;
  if (static_cast<unsigned>(hour) != state.nAlarmHour || static_cast<unsigned>(minute) != state.nAlarmMinute)
    return step;
  step.next.nAlarmFiredDay = day;  // recorded even while the alarm is stopped
  if (!AlarmRingsOn(state.nAlarmMode, weekday, state.nAlarmDays)) return step;
  if (state.nAlarmMode == IDC_ALARM_ONCE) {
    step.next.nAlarmMode = IDC_ALARM_STOP;
    step.next.nAlarmFiredDay = 0;
  }
  step.effects = AlarmRingEffects();
  return step;
}

bool IsQuietHour(int hour, unsigned from, unsigned to) {
  if (from == to || from > 23 || to > 23 || hour < 0 || hour > 23) return false;
  const unsigned h = static_cast<unsigned>(hour);
  return from < to ? (h >= from && h < to) : (h >= from || h < to);
}

HourlyStep StepHourly(const HourlyState& state, int hour) {
  HourlyStep step{state, {}};
  if (hour == state.nLastHour) return step;
  step.next.nLastHour = hour;
  if (state.nOClockMode == IDC_OCLOCK_ON && !IsQuietHour(hour, state.nOClockQuietFrom, state.nOClockQuietTo)) {
    step.effects.sound = EventSound::kChime;
    step.effects.soundFlags = kSoundOnceFlags;
  }
  // The switch does not depend on the chime: with the chime off the character still changes.
  step.effects.postRandomCharacter = state.nOClockChangeChara != 0;
  return step;
}

int TimerMessageTextId(unsigned minutes) { return minutes == 1 ? IDS_TIMER_ELAPSED_ONE : IDS_TIMER_ELAPSED; }

SnoozeState StartSnooze(std::uint64_t now, int hour, int minute) {
  const int ringsAt = (hour * 60 + minute + static_cast<int>(kSnoozeMilliseconds / 60000)) % (24 * 60);
  return {now + kSnoozeMilliseconds, ringsAt / 60, ringsAt % 60};
}

SnoozeStep StepSnooze(const SnoozeState& state, std::uint64_t now) {
  SnoozeStep step{state, {}};
  if (state.qwSnoozeDeadline == kNoCountdownDeadline || state.qwSnoozeDeadline > now) return step;
  step.next = SnoozeState{};
  step.effects = AlarmRingEffects();
  return step;
}
