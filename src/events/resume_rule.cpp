#include "events/resume_rule.h"

#include "resource.h"

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr std::uint64_t kMillisecondsPerMinute = 60000;

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

// The day of the month of a day number.
int DayOfMonth(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  return static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
}

EventEffects MissedMessage(int hour, int minute) {
  EventEffects effects;
  effects.message = EventMessage::kAlarmMissed;
  effects.missedHour = hour;
  effects.missedMinute = minute;
  return effects;
}

// The alarm's last time before the current minute, if it came due in the
// sleep, no more than twelve hours ago, on a day it rings.
bool AlarmMissed(const AlarmState& alarm, const LocalStamp& asleepSince, const LocalStamp& time) {
  if (alarm.nAlarmHour > 23 || alarm.nAlarmMinute > 59) return false;
  const std::int64_t nowMinute = MinuteNumber(time);
  std::int64_t due = nowMinute - (time.hour * 60 + time.minute) + alarm.nAlarmHour * 60 + alarm.nAlarmMinute;
  int weekday = time.weekday;
  if (due >= nowMinute) {  // the current minute is left to the ordinary check
    due -= kMinutesPerDay;
    weekday = (weekday + 6) % 7;
  }
  if (!AlarmRingsOn(alarm.nAlarmMode, weekday, alarm.nAlarmDays) || nowMinute - due > kMissedAlarmMinutes) return false;
  const std::int64_t lastSeen = MinuteNumber(asleepSince);
  if (due > lastSeen) return true;
  // The last check fell in the alarm's minute but its repaint may not have.
  return due == lastSeen && alarm.nAlarmFiredDay != DayOfMonth(due / kMinutesPerDay);
}

}  // namespace

std::int64_t MinuteNumber(const LocalStamp& time) {
  return DaysFromCivil(time.year, time.month, time.day) * kMinutesPerDay + time.hour * 60 + time.minute;
}

bool CheckIsResume(const ResumeWatch& watch, std::uint64_t now) {
  return watch.lastCheckTick != 0 && now > watch.lastCheckTick &&
         now - watch.lastCheckTick > kResumeGapMilliseconds;
}

bool MessageIsResume(const ResumeWatch& watch, std::uint64_t now) {
  if (watch.lastCheckTick == 0) return false;  // nothing seen yet that a sleep could have cut off
  return watch.lastResumeTick == 0 || now < watch.lastResumeTick ||
         now - watch.lastResumeTick > kResumeGapMilliseconds;
}

ResumeStep StepResume(const ResumeState& state, const LocalStamp& asleepSince, const LocalStamp& time,
                      std::uint64_t now) {
  ResumeStep step{state, {}, {}};

  // A repeating countdown sounds once for the periods it missed and goes on
  // from its next deadline in the same rhythm. A once countdown is left to
  // the tick's own check, which fires it with its message.
  const CountdownState& countdown = state.countdown;
  const std::uint64_t period = countdown.nTimerMinute * kMillisecondsPerMinute;
  if (countdown.nTimerMode == IDC_TIMER_REPEAT && period != 0 &&
      countdown.dwTimerDeadline != kNoCountdownDeadline && countdown.dwTimerDeadline <= now) {
    const std::uint64_t periods = (now - countdown.dwTimerDeadline) / period + 1;
    const std::uint64_t room = (kNoCountdownDeadline - 1 - countdown.dwTimerDeadline) / period;
    step.next.countdown.dwTimerDeadline =
        periods > room ? kNoCountdownDeadline - 1 : countdown.dwTimerDeadline + periods * period;
    step.countdownEffects.sound = EventSound::kTimer;
    step.countdownEffects.soundFlags = kSoundOnceFlags;
  }

  // The hour that changed in sleep follows silently, unless the clock woke
  // within a full hour's first minute: that hour chimes as usual.
  if (time.hour != state.nLastHour && time.minute != 0) step.next.nLastHour = time.hour;

  if (AlarmMissed(state.alarm, asleepSince, time)) {
    if (state.alarm.nAlarmMode == IDC_ALARM_ONCE) {
      step.next.alarm.nAlarmMode = IDC_ALARM_STOP;
      step.next.alarm.nAlarmFiredDay = 0;
    }
    step.missedEffects = MissedMessage(static_cast<int>(state.alarm.nAlarmHour),
                                       static_cast<int>(state.alarm.nAlarmMinute));
  }

  const SnoozeState& snooze = state.snooze;
  if (snooze.qwSnoozeDeadline != kNoCountdownDeadline && snooze.qwSnoozeDeadline <= now) {
    step.next.snooze = SnoozeState{};
    const bool recent = now - snooze.qwSnoozeDeadline <= kMissedAlarmMinutes * kMillisecondsPerMinute;
    if (recent && step.missedEffects.message == EventMessage::kNone) {
      step.missedEffects = MissedMessage(snooze.nSnoozeHour, snooze.nSnoozeMinute);
    }
  }
  return step;
}
