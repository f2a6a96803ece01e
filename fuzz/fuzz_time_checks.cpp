// The countdown, alarm and hourly checks driven from arbitrary state through
// a sequence of ticks, repaints and dialog closes: a check fires only when
// its rule says so, a message-showing event never fires again for the same
// tick or minute, a repeating countdown only fires again at one tick while it
// catches up, and no deadline wraps. Wakes from sleep come between them: a
// wake plays at most the countdown's one sound, shows a missed alarm without
// a sound, and leaves no deadline that the next tick finds due.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "dialog/alarm_dialog_rules.h"
#include "events/resume_rule.h"
#include "events/time_checks.h"
#include "fuzz_support.h"
#include "resource.h"

namespace {

constexpr std::uint64_t kMinute = 60000;
constexpr std::uint64_t kLatestDeadline = kNoCountdownDeadline - 1;

bool Fired(const EventEffects& e) {
  return e.sound != EventSound::kNone || e.message != EventMessage::kNone || e.postRandomCharacter;
}

bool SameCountdown(const CountdownState& a, const CountdownState& b) {
  return a.nTimerMode == b.nTimerMode && a.nTimerMinute == b.nTimerMinute && a.dwTimerDeadline == b.dwTimerDeadline;
}

int ConsumeMode(FuzzedDataProvider& in, int first, int last) {
  return in.ConsumeIntegralInRange(0, 7) == 0 ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(first, last);
}

// The alarm's modes: off, once, daily and weekdays, whose value does not follow.
int ConsumeAlarmMode(FuzzedDataProvider& in) {
  const int mode = ConsumeMode(in, IDC_ALARM_STOP, IDC_ALARM_REPEAT + 1);
  return mode == IDC_ALARM_REPEAT + 1 ? IDC_ALARM_WEEKDAYS : mode;
}

unsigned ConsumeMinutes(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return 0;
    case 1: return UINT_MAX - in.ConsumeIntegralInRange(0u, 3u);
    default: return in.ConsumeIntegralInRange(1u, 120u);
  }
}

// An alarm field from the settings file: mostly a real hour or minute, now
// and then one beyond them or one that reads as negative.
unsigned ConsumeAlarmField(FuzzedDataProvider& in) {
  return in.ConsumeIntegralInRange(0, 7) == 0 ? UINT_MAX - in.ConsumeIntegralInRange(0u, 2u)
                                              : in.ConsumeIntegralInRange(0u, 61u);
}

// The local time as read: mostly within [0, last], now and then anything.
int ConsumeTimeField(FuzzedDataProvider& in, int last) {
  switch (in.ConsumeIntegralInRange(0, 7)) {
    case 6: return -in.ConsumeIntegralInRange(1, 3);
    case 7: return in.ConsumeIntegral<int>();
    default: return in.ConsumeIntegralInRange(0, last);
  }
}

std::uint64_t ConsumeTick(FuzzedDataProvider& in) {
  switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: return kNoCountdownDeadline - in.ConsumeIntegralInRange<std::uint64_t>(0, 3 * kMinute);
    case 1: return in.ConsumeIntegral<std::uint64_t>();
    default: return in.ConsumeIntegralInRange<std::uint64_t>(0, 1000 * kMinute);
  }
}

void CheckCountdownStep(const CountdownState& state, std::uint64_t now, const CountdownStep& step) {
  const EventEffects& e = step.effects;
  FUZZ_REQUIRE(!e.postRandomCharacter && !e.stopSoundAfterMessage);
  FUZZ_REQUIRE(step.next.nTimerMinute == state.nTimerMinute);
  const bool due = state.dwTimerDeadline != kNoCountdownDeadline && state.dwTimerDeadline <= now;
  if (!due || (state.nTimerMode != IDC_TIMER_ONCE && state.nTimerMode != IDC_TIMER_REPEAT)) {
    FUZZ_REQUIRE(!Fired(e) && SameCountdown(step.next, state));
    return;
  }
  FUZZ_REQUIRE(e.sound == EventSound::kTimer && e.soundFlags == kSoundOnceFlags);
  if (state.nTimerMode == IDC_TIMER_ONCE) {
    FUZZ_REQUIRE(e.message == EventMessage::kTimerElapsed && e.messageMinutes == state.nTimerMinute);
    FUZZ_REQUIRE(step.next.nTimerMode == IDC_TIMER_STOP && step.next.dwTimerDeadline == kNoCountdownDeadline);
    // A tick nested in the message box, at the same tick or later, finds nothing.
    FUZZ_REQUIRE(!Fired(StepCountdown(step.next, now).effects));
    FUZZ_REQUIRE(!Fired(StepCountdown(step.next, UINT64_MAX).effects));
    return;
  }
  FUZZ_REQUIRE(e.message == EventMessage::kNone && step.next.nTimerMode == IDC_TIMER_REPEAT);
  // The deadline moves on by one period from the previous deadline and stops
  // short of "no deadline"; it never wraps round to an earlier tick.
  const unsigned __int128 sum = static_cast<unsigned __int128>(state.dwTimerDeadline) + state.nTimerMinute * kMinute;
  const std::uint64_t expected = sum > kLatestDeadline ? kLatestDeadline : static_cast<std::uint64_t>(sum);
  FUZZ_REQUIRE(step.next.dwTimerDeadline == expected);
  FUZZ_REQUIRE(step.next.dwTimerDeadline >= state.dwTimerDeadline);
  FUZZ_REQUIRE(step.next.dwTimerDeadline != kNoCountdownDeadline);
  // The same tick again fires only while the countdown catches up.
  const CountdownStep again = StepCountdown(step.next, now);
  FUZZ_REQUIRE(Fired(again.effects) == (step.next.dwTimerDeadline <= now));
}

void CheckAlarmStep(const AlarmState& state, int hour, int minute, int day, int weekday, const AlarmStep& step) {
  const EventEffects& e = step.effects;
  FUZZ_REQUIRE(step.next.nAlarmHour == state.nAlarmHour && step.next.nAlarmMinute == state.nAlarmMinute);
  FUZZ_REQUIRE(!e.postRandomCharacter);
  const bool reached = state.nAlarmFiredDay != day && hour >= 0 && minute >= 0 &&
                       static_cast<unsigned>(hour) == state.nAlarmHour &&
                       static_cast<unsigned>(minute) == state.nAlarmMinute;
  const bool workday = weekday >= 1 && weekday <= 5;
  const bool armed = state.nAlarmMode == IDC_ALARM_ONCE || state.nAlarmMode == IDC_ALARM_REPEAT ||
                     (state.nAlarmMode == IDC_ALARM_WEEKDAYS && workday);
  FUZZ_REQUIRE(Fired(e) == (reached && armed));
  if (Fired(e)) {
    FUZZ_REQUIRE(e.sound == EventSound::kAlarm && e.soundFlags == kSoundLoopFlags);
    FUZZ_REQUIRE(e.message == EventMessage::kAlarmReached && e.stopSoundAfterMessage);
  }
  if (!reached) {
    FUZZ_REQUIRE(step.next.nAlarmMode == state.nAlarmMode && step.next.nAlarmFiredDay == state.nAlarmFiredDay);
  }
  // Repaints nested in the alarm message, in the same minute of the same day, find nothing.
  FUZZ_REQUIRE(!Fired(StepAlarm(step.next, hour, minute, day, weekday).effects));
}

LocalStamp ConsumeStamp(FuzzedDataProvider& in) {
  return {in.ConsumeIntegralInRange(1990, 2100), in.ConsumeIntegralInRange(1, 12), in.ConsumeIntegralInRange(1, 28),
          in.ConsumeIntegralInRange(0, 23),      in.ConsumeIntegralInRange(0, 59), in.ConsumeIntegralInRange(0, 6)};
}

void CheckResumeStep(const ResumeState& state, const LocalStamp& time, std::uint64_t now, const ResumeStep& step) {
  const EventEffects& sound = step.countdownEffects;
  FUZZ_REQUIRE(sound.message == EventMessage::kNone && !sound.postRandomCharacter);
  if (sound.sound != EventSound::kNone) {
    FUZZ_REQUIRE(sound.sound == EventSound::kTimer && sound.soundFlags == kSoundOnceFlags);
    FUZZ_REQUIRE(state.countdown.nTimerMode == IDC_TIMER_REPEAT && state.countdown.nTimerMinute != 0);
    FUZZ_REQUIRE(step.next.countdown.dwTimerDeadline > now || step.next.countdown.dwTimerDeadline == kLatestDeadline);
    FUZZ_REQUIRE(step.next.countdown.dwTimerDeadline != kNoCountdownDeadline);
  } else {
    FUZZ_REQUIRE(SameCountdown(step.next.countdown, state.countdown));
  }
  const EventEffects& missed = step.missedEffects;
  FUZZ_REQUIRE(missed.sound == EventSound::kNone && !missed.postRandomCharacter);
  FUZZ_REQUIRE(missed.message == EventMessage::kNone || missed.message == EventMessage::kAlarmMissed);
  if (missed.message == EventMessage::kAlarmMissed) {
    FUZZ_REQUIRE(missed.missedHour >= 0 && missed.missedHour < 24 && missed.missedMinute >= 0 && missed.missedMinute < 60);
  }
  FUZZ_REQUIRE(step.next.nLastHour == state.nLastHour || step.next.nLastHour == time.hour);
  FUZZ_REQUIRE(step.next.alarm.nAlarmMode == state.alarm.nAlarmMode ||
               (state.alarm.nAlarmMode == IDC_ALARM_ONCE && step.next.alarm.nAlarmMode == IDC_ALARM_STOP));
  FUZZ_REQUIRE(step.next.alarm.nAlarmHour == state.alarm.nAlarmHour &&
               step.next.alarm.nAlarmMinute == state.alarm.nAlarmMinute);
}

void CheckHourlyStep(const HourlyState& state, int hour, const HourlyStep& step) {
  const EventEffects& e = step.effects;
  const bool newHour = hour != state.nLastHour;
  FUZZ_REQUIRE(step.next.nLastHour == hour);
  FUZZ_REQUIRE(step.next.nOClockMode == state.nOClockMode &&
               step.next.nOClockChangeChara == state.nOClockChangeChara);
  FUZZ_REQUIRE(e.message == EventMessage::kNone);
  const bool quiet = state.nOClockQuietFrom != state.nOClockQuietTo && state.nOClockQuietFrom < 24 &&
                     state.nOClockQuietTo < 24 && hour >= 0 && hour < 24 &&
                     (state.nOClockQuietFrom < state.nOClockQuietTo
                          ? static_cast<unsigned>(hour) >= state.nOClockQuietFrom && static_cast<unsigned>(hour) < state.nOClockQuietTo
                          : static_cast<unsigned>(hour) >= state.nOClockQuietFrom || static_cast<unsigned>(hour) < state.nOClockQuietTo);
  FUZZ_REQUIRE((e.sound == EventSound::kChime) == (newHour && state.nOClockMode == IDC_OCLOCK_ON && !quiet));
  FUZZ_REQUIRE(e.sound != EventSound::kChime || e.soundFlags == kSoundOnceFlags);
  FUZZ_REQUIRE(e.postRandomCharacter == (newHour && state.nOClockChangeChara != 0));
  FUZZ_REQUIRE(!Fired(StepHourly(step.next, hour).effects));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  CountdownState countdown{ConsumeMode(in, IDC_TIMER_STOP, IDC_TIMER_REPEAT), ConsumeMinutes(in), ConsumeTick(in)};
  if (in.ConsumeBool()) countdown.dwTimerDeadline = kNoCountdownDeadline;
  AlarmState alarm{ConsumeAlarmMode(in), ConsumeAlarmField(in),
                   ConsumeAlarmField(in), in.ConsumeIntegralInRange(0, 31)};
  HourlyState hourly{in.ConsumeIntegralInRange(-1, 24), ConsumeMode(in, IDC_OCLOCK_OFF, IDC_OCLOCK_ON),
                     in.ConsumeIntegralInRange(-1, 1)};
  std::uint64_t now = ConsumeTick(in);
  int hour = 0;
  int minute = 0;
  int day = 1;
  bool alarmFiredThisMinute = false;  // since the last dialog close, in this minute of this day

  while (in.remaining_bytes() > 0) {
    switch (in.ConsumeIntegralInRange(0, 5)) {
      case 0:  // a tick: time goes on, by a little or a lot
      case 1: {
        const std::uint64_t step = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint64_t>(0, 2000)
                                                     : in.ConsumeIntegral<std::uint64_t>();
        now = step > UINT64_MAX - now ? UINT64_MAX : now + step;
        const CountdownStep result = StepCountdown(countdown, now);
        CheckCountdownStep(countdown, now, result);
        countdown = result.next;
        break;
      }
      case 2: {  // a repaint, in the same minute or another
        if (in.ConsumeBool()) {
          const int newHour = ConsumeTimeField(in, 23);
          const int newMinute = ConsumeTimeField(in, 59);
          const int newDay = in.ConsumeIntegralInRange(1, 31);
          if (newHour != hour || newMinute != minute || newDay != day) alarmFiredThisMinute = false;
          hour = newHour;
          minute = newMinute;
          day = newDay;
        }
        const int weekday = day % 7;  // any calendar: each day of the month has one weekday
        const AlarmStep alarmStep = StepAlarm(alarm, hour, minute, day, weekday);
        CheckAlarmStep(alarm, hour, minute, day, weekday, alarmStep);
        FUZZ_REQUIRE(!(alarmFiredThisMinute && Fired(alarmStep.effects)));
        alarmFiredThisMinute = alarmFiredThisMinute || Fired(alarmStep.effects);
        alarm = alarmStep.next;
        const HourlyStep hourlyStep = StepHourly(hourly, hour);
        CheckHourlyStep(hourly, hour, hourlyStep);
        hourly = hourlyStep.next;
        break;
      }
      case 3: {  // the settings dialog closes: modes and times anew, countdown restarted
        countdown.nTimerMode = ConsumeMode(in, IDC_TIMER_STOP, IDC_TIMER_REPEAT);
        countdown.nTimerMinute = ConsumeMinutes(in);
        const std::uint64_t deadline = CountdownDeadline(now, countdown.nTimerMinute);
        FUZZ_REQUIRE(deadline != kNoCountdownDeadline && deadline >= std::min(now, kLatestDeadline));
        const unsigned __int128 sum = static_cast<unsigned __int128>(now) + countdown.nTimerMinute * kMinute;
        FUZZ_REQUIRE(sum > kLatestDeadline ? deadline == kLatestDeadline : deadline == static_cast<std::uint64_t>(sum));
        if (in.ConsumeBool()) countdown.dwTimerDeadline = deadline;
        alarm.nAlarmMode = ConsumeAlarmMode(in);
        alarm.nAlarmHour = ConsumeAlarmField(in);
        alarm.nAlarmMinute = ConsumeAlarmField(in);
        alarm.nAlarmFiredDay = 0;
        alarmFiredThisMinute = false;
        hourly.nOClockMode = ConsumeMode(in, IDC_OCLOCK_OFF, IDC_OCLOCK_ON);
        hourly.nOClockChangeChara = in.ConsumeIntegralInRange(-1, 1);
        hourly.nOClockQuietFrom = in.ConsumeIntegralInRange(0u, 25u);
        hourly.nOClockQuietTo = in.ConsumeIntegralInRange(0u, 25u);
        break;
      }
      case 4: {  // a wake from sleep, between any two local times
        const LocalStamp asleepSince = ConsumeStamp(in);
        const LocalStamp time = ConsumeStamp(in);
        SnoozeState snooze;
        if (in.ConsumeBool()) snooze = StartSnooze(ConsumeTick(in), time.hour, time.minute);
        const ResumeState state{countdown, alarm, hourly.nLastHour, snooze};
        const ResumeStep step = StepResume(state, asleepSince, time, now);
        CheckResumeStep(state, time, now, step);
        countdown = step.next.countdown;
        alarm = step.next.alarm;
        hourly.nLastHour = step.next.nLastHour;
        break;
      }
      default: {  // the clock is set back or forward
        now = ConsumeTick(in);
        break;
      }
    }
  }
  return 0;
}
