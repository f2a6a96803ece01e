// Weekday alarms, quiet hours, the snooze and the resume from sleep.
#include <gtest/gtest.h>

#include <cstdint>

#include "events/resume_rule.h"
#include "events/time_checks.h"
#include "resource.h"

namespace {

constexpr int kMonday = 1, kFriday = 5, kSaturday = 6, kSunday = 0;
constexpr std::uint64_t kMinute = 60000;

bool Rings(const AlarmStep& step) { return step.effects.message == EventMessage::kAlarmReached; }

TEST(WeekdayAlarm, RingsFromMondayToFridayOnly) {
  const bool expected[7] = {false, true, true, true, true, true, false};  // Sunday first
  for (int weekday = 0; weekday < 7; ++weekday) {
    const AlarmStep step = StepAlarm({IDC_ALARM_WEEKDAYS, 7, 0, 0}, 7, 0, 10 + weekday, weekday);
    EXPECT_EQ(Rings(step), expected[weekday]) << "weekday " << weekday;
    EXPECT_EQ(step.next.nAlarmMode, IDC_ALARM_WEEKDAYS) << "stays armed";
    EXPECT_EQ(step.next.nAlarmFiredDay, 10 + weekday) << "the day is recorded on any day";
    if (expected[weekday]) {
      EXPECT_EQ(step.effects.soundFlags, 9u);
    }
  }
  // Once and daily ring on every day; unknown modes never.
  for (int weekday = 0; weekday < 7; ++weekday) {
    EXPECT_TRUE(AlarmRingsOn(IDC_ALARM_ONCE, weekday));
    EXPECT_TRUE(AlarmRingsOn(IDC_ALARM_REPEAT, weekday));
    EXPECT_FALSE(AlarmRingsOn(IDC_ALARM_STOP, weekday));
    EXPECT_FALSE(AlarmRingsOn(1038, weekday));
  }
}

// Round midnight: the repaint read the day before or after the tick's look at
// the clock.
TEST(WeekdayAlarm, TheWeekdayFollowsTheDayTheRepaintRead) {
  struct Case {
    int alarmHour, alarmMinute, repaintDay, knownDay, knownWeekday;
    bool rings;
  } cases[] = {
      {23, 59, 13, 13, kFriday, true},      // Friday 23:59
      {23, 59, 13, 14, kSaturday, true},    // read on Friday, the clock now says Saturday
      {0, 0, 14, 14, kSaturday, false},     // Saturday 0:00
      {23, 59, 15, 15, kSunday, false},     // Sunday 23:59
      {23, 59, 15, 16, kMonday, false},     // read on Sunday, now Monday
      {0, 0, 16, 16, kMonday, true},        // Monday 0:00
      {0, 0, 14, 13, kFriday, false},       // the tick saw Friday, the repaint Saturday 0:00
      {0, 0, 1, 31, kSunday, true},         // the tick saw Sunday the 31st, the repaint Monday the 1st
      {0, 0, 1, 28, kSunday, true},         // February's end
      {23, 59, 31, 1, kMonday, false},      // month's end: read on Sunday the 31st
  };
  for (const Case& c : cases) {
    const int weekday = WeekdayOf(c.repaintDay, c.knownDay, c.knownWeekday);
    const AlarmStep step =
        StepAlarm({IDC_ALARM_WEEKDAYS, static_cast<unsigned>(c.alarmHour), static_cast<unsigned>(c.alarmMinute), 0},
                  c.alarmHour, c.alarmMinute, c.repaintDay, weekday);
    EXPECT_EQ(Rings(step), c.rings) << c.alarmHour << ":" << c.alarmMinute << " on the " << c.repaintDay;
  }
}

TEST(QuietHours, AHourIsQuietWithinFromUpToToGoingRoundTheClock) {
  struct Case {
    unsigned from, to;
    const char* quiet;  // one letter per hour 0..23: q quiet, - sounds
  } cases[] = {
      {22, 7, "qqqqqqq---------------qq"},
      {7, 22, "-------qqqqqqqqqqqqqqq--"},
      {0, 0, "------------------------"},   // the defaults: never
      {5, 5, "------------------------"},   // the same hour twice: never
      {23, 0, "-----------------------q"},
      {0, 23, "qqqqqqqqqqqqqqqqqqqqqqq-"},
      {0, 1, "q-----------------------"},
      {24, 7, "------------------------"},  // an hour no clock shows: never
      {22, 99, "------------------------"},
  };
  for (const Case& c : cases) {
    for (int hour = 0; hour < 24; ++hour) {
      EXPECT_EQ(IsQuietHour(hour, c.from, c.to), c.quiet[hour] == 'q') << c.from << " to " << c.to << ", " << hour;
    }
  }
}

TEST(QuietHours, AQuietFullHourStillChangesTheCharacterWithoutASound) {
  struct Case {
    int hour;
    bool chime;
  } cases[] = {{21, true}, {22, false}, {0, false}, {6, false}, {7, true}};
  for (const Case& c : cases) {
    const HourlyStep step = StepHourly({c.hour == 0 ? 23 : c.hour - 1, IDC_OCLOCK_ON, 1, 22, 7}, c.hour);
    EXPECT_EQ(step.effects.sound == EventSound::kChime, c.chime) << c.hour;
    EXPECT_TRUE(step.effects.postRandomCharacter) << c.hour;
    EXPECT_EQ(step.next.nLastHour, c.hour);
  }
}

TEST(Snooze, RingsAgainFiveMinutesLaterOnceOnly) {
  const SnoozeState snooze = StartSnooze(1000000, 7, 1);
  EXPECT_EQ(snooze.qwSnoozeDeadline, 1000000u + 5 * kMinute);
  EXPECT_EQ(snooze.nSnoozeHour, 7);
  EXPECT_EQ(snooze.nSnoozeMinute, 6);

  EXPECT_EQ(StepSnooze(snooze, 1000000 + 5 * kMinute - 1).effects.message, EventMessage::kNone);
  const SnoozeStep step = StepSnooze(snooze, 1000000 + 5 * kMinute);
  EXPECT_EQ(step.effects.message, EventMessage::kAlarmReached) << "the same message";
  EXPECT_EQ(step.effects.sound, EventSound::kAlarm);
  EXPECT_EQ(step.effects.soundFlags, 9u) << "the same looping sound";
  EXPECT_TRUE(step.effects.stopSoundAfterMessage);
  EXPECT_EQ(step.next.qwSnoozeDeadline, kNoCountdownDeadline) << "ended before its box opens";
  EXPECT_EQ(StepSnooze(step.next, 1000000 + 9 * kMinute).effects.message, EventMessage::kNone);
  EXPECT_EQ(StepSnooze(SnoozeState{}, UINT64_MAX - 1).effects.message, EventMessage::kNone) << "none pending";

  const SnoozeState late = StartSnooze(0, 23, 57);
  EXPECT_EQ(late.nSnoozeHour, 0) << "the time goes round midnight";
  EXPECT_EQ(late.nSnoozeMinute, 2);
}

// ---- resume from sleep

LocalStamp At(int day, int hour, int minute, int weekday) { return {2026, 12, day, hour, minute, weekday}; }

TEST(Resume, AGapOfMoreThanNinetySecondsIsASleepAndOneWakeIsHandledOnce) {
  ResumeWatch watch;
  EXPECT_FALSE(CheckIsResume(watch, 500000)) << "the first check";
  EXPECT_FALSE(MessageIsResume(watch, 500000)) << "a resume message before the first check";
  watch.lastCheckTick = 100000;
  EXPECT_FALSE(CheckIsResume(watch, 100000 + 90000));
  EXPECT_TRUE(CheckIsResume(watch, 100000 + 90001));
  EXPECT_FALSE(CheckIsResume(watch, 99000)) << "a tick count that went back is no sleep";

  EXPECT_TRUE(MessageIsResume(watch, 200000)) << "no resume handled yet";
  watch.lastResumeTick = 200000;  // a check found the wake first
  EXPECT_FALSE(MessageIsResume(watch, 201000));
  EXPECT_TRUE(MessageIsResume(watch, 200000 + 90001));
}

struct ResumeCase {
  const char* what;
  int alarmMode;
  int alarmHour, alarmMinute;
  LocalStamp asleepSince, time;
  int lastHourAfter;     // the hour the chime check then knows
  bool missed;
  int alarmModeAfter;
};

TEST(Resume, TheHourIsTakenSilentlyAndAMissedAlarmIsShownWithoutASound) {
  // Asleep since Tuesday 6:50; the last hour seen was 6.
  const LocalStamp tuesday650 = At(8, 6, 50, 2);
  const ResumeCase cases[] = {
      {"6:59:30, same hour", IDC_ALARM_REPEAT, 7, 0, tuesday650, At(8, 6, 59, 2), 6, false, IDC_ALARM_REPEAT},
      {"7:00:20, the full hour chimes as usual", IDC_ALARM_REPEAT, 7, 0, tuesday650, At(8, 7, 0, 2), 6, false,
       IDC_ALARM_REPEAT},
      {"7:23, the 7:00 alarm missed", IDC_ALARM_REPEAT, 7, 0, tuesday650, At(8, 7, 23, 2), 7, true,
       IDC_ALARM_REPEAT},
      {"7:23, a once alarm missed is off", IDC_ALARM_ONCE, 7, 0, tuesday650, At(8, 7, 23, 2), 7, true,
       IDC_ALARM_STOP},
      {"7:23, weekdays on a Tuesday", IDC_ALARM_WEEKDAYS, 7, 0, tuesday650, At(8, 7, 23, 2), 7, true,
       IDC_ALARM_WEEKDAYS},
      {"7:23, weekdays on a Saturday", IDC_ALARM_WEEKDAYS, 7, 0, At(12, 6, 50, 6), At(12, 7, 23, 6), 7, false,
       IDC_ALARM_WEEKDAYS},
      {"7:23, a stopped alarm", IDC_ALARM_STOP, 7, 0, tuesday650, At(8, 7, 23, 2), 7, false, IDC_ALARM_STOP},
      {"an alarm before the sleep", IDC_ALARM_REPEAT, 6, 45, tuesday650, At(8, 7, 23, 2), 7, false,
       IDC_ALARM_REPEAT},
      {"an alarm after the resume", IDC_ALARM_REPEAT, 7, 30, tuesday650, At(8, 7, 23, 2), 7, false,
       IDC_ALARM_REPEAT},
      {"due 11 h 59 min before", IDC_ALARM_REPEAT, 7, 0, At(8, 6, 0, 2), At(8, 18, 59, 2), 18, true,
       IDC_ALARM_REPEAT},
      {"due 12 h 1 min before", IDC_ALARM_REPEAT, 7, 0, At(8, 6, 0, 2), At(8, 19, 1, 2), 19, false,
       IDC_ALARM_REPEAT},
      {"due yesterday evening", IDC_ALARM_REPEAT, 23, 30, At(7, 23, 0, 1), At(8, 7, 10, 2), 7, true,
       IDC_ALARM_REPEAT},
      {"an hour no clock shows", IDC_ALARM_REPEAT, 25, 0, At(7, 23, 0, 1), At(8, 7, 10, 2), 7, false,
       IDC_ALARM_REPEAT},
  };
  for (const ResumeCase& c : cases) {
    SCOPED_TRACE(c.what);
    const ResumeState state{{IDC_TIMER_STOP, 5, kNoCountdownDeadline},
                            {c.alarmMode, static_cast<unsigned>(c.alarmHour), static_cast<unsigned>(c.alarmMinute), 0},
                            c.asleepSince.hour,
                            {}};
    const ResumeStep step = StepResume(state, c.asleepSince, c.time, 10000000);
    EXPECT_EQ(step.next.nLastHour, c.lastHourAfter);
    EXPECT_EQ(step.missedEffects.message == EventMessage::kAlarmMissed, c.missed);
    EXPECT_EQ(step.missedEffects.sound, EventSound::kNone) << "a missed alarm plays nothing";
    if (c.missed) {
      EXPECT_EQ(step.missedEffects.missedHour, c.alarmHour);
      EXPECT_EQ(step.missedEffects.missedMinute, c.alarmMinute);
    }
    EXPECT_EQ(step.next.alarm.nAlarmMode, c.alarmModeAfter);
    EXPECT_FALSE(step.countdownEffects.sound != EventSound::kNone);

    // What the repaint's checks then do at the resume's minute.
    const HourlyStep hourly = StepHourly({step.next.nLastHour, IDC_OCLOCK_ON, 1}, c.time.hour);
    EXPECT_EQ(hourly.effects.sound == EventSound::kChime, c.time.minute == 0 && c.time.hour != c.asleepSince.hour);
    EXPECT_EQ(hourly.effects.postRandomCharacter, hourly.effects.sound == EventSound::kChime)
        << "no character change for an hour taken silently";
  }
}

TEST(Resume, ADailyAlarmMissedRingsAgainTheNextDay) {
  const ResumeState state{{IDC_TIMER_STOP, 5, kNoCountdownDeadline}, {IDC_ALARM_REPEAT, 7, 0, 0}, 6, {}};
  const ResumeStep step = StepResume(state, At(8, 6, 50, 2), At(8, 7, 23, 2), 10000000);
  ASSERT_EQ(step.missedEffects.message, EventMessage::kAlarmMissed);
  EXPECT_FALSE(Rings(StepAlarm(step.next.alarm, 7, 23, 8, 2))) << "not again that day";
  EXPECT_TRUE(Rings(StepAlarm(step.next.alarm, 7, 0, 9, 3))) << "the next morning as usual";
}

// The last check fell in the alarm's minute: the repaint that would have rung
// it may have run, or the sleep came first.
TEST(Resume, AnAlarmInTheMinuteOfTheLastCheckIsMissedOnlyIfItDidNotRing) {
  for (int firedDay : {0, 8}) {
    const ResumeState state{{IDC_TIMER_STOP, 5, kNoCountdownDeadline}, {IDC_ALARM_REPEAT, 7, 0, firedDay}, 7, {}};
    const ResumeStep step = StepResume(state, At(8, 7, 0, 2), At(8, 7, 40, 2), 10000000);
    EXPECT_EQ(step.missedEffects.message == EventMessage::kAlarmMissed, firedDay == 0) << firedDay;
  }
}

TEST(Resume, ASnoozeThatFellDueInTheSleepIsShownAsMissed) {
  ResumeState state{{IDC_TIMER_STOP, 5, kNoCountdownDeadline}, {IDC_ALARM_STOP, 7, 0, 0}, 7, {}};
  state.snooze = StartSnooze(1000000, 7, 1);
  ResumeStep step = StepResume(state, At(8, 7, 2, 2), At(8, 7, 40, 2), 1000000 + 38 * kMinute);
  EXPECT_EQ(step.missedEffects.message, EventMessage::kAlarmMissed);
  EXPECT_EQ(step.missedEffects.missedHour, 7);
  EXPECT_EQ(step.missedEffects.missedMinute, 6);
  EXPECT_EQ(step.missedEffects.sound, EventSound::kNone);
  EXPECT_EQ(step.next.snooze.qwSnoozeDeadline, kNoCountdownDeadline);

  // Not yet due: it stays for the tick to ring.
  step = StepResume(state, At(8, 7, 2, 2), At(8, 7, 4, 2), 1000000 + 3 * kMinute);
  EXPECT_EQ(step.missedEffects.message, EventMessage::kNone);
  EXPECT_EQ(step.next.snooze.qwSnoozeDeadline, state.snooze.qwSnoozeDeadline);
}

TEST(Resume, ARepeatingCountdownSoundsOnceAndKeepsItsRhythm) {
  struct Case {
    int mode;
    unsigned minutes;
    std::uint64_t deadline, now, deadlineAfter;
    bool sound;
  } cases[] = {
      {IDC_TIMER_REPEAT, 1, 10000, 10000 + 5 * kMinute + 30000, 10000 + 6 * kMinute, true},
      {IDC_TIMER_REPEAT, 10, 10000, 10000, 10000 + 10 * kMinute, true},  // due at the very tick
      {IDC_TIMER_REPEAT, 10, 10000 + kMinute, 10000, 10000 + kMinute, false},  // not due yet
      {IDC_TIMER_REPEAT, 0, 10000, 50000, 10000, false},  // a period of 0 is left to the tick
      {IDC_TIMER_ONCE, 3, 10000, 500000, 10000, false},   // the tick fires it with its message
      {IDC_TIMER_REPEAT, 4294967295u, UINT64_MAX - 2, UINT64_MAX - 2, UINT64_MAX - 1, true},  // no overflow
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.minutes << " min, deadline " << c.deadline << ", now " << c.now);
    const ResumeState state{{c.mode, c.minutes, c.deadline}, {IDC_ALARM_STOP, 7, 0, 0}, 7, {}};
    const ResumeStep step = StepResume(state, At(8, 7, 0, 2), At(8, 7, 30, 2), c.now);
    EXPECT_EQ(step.next.countdown.dwTimerDeadline, c.deadlineAfter);
    EXPECT_EQ(step.countdownEffects.sound == EventSound::kTimer, c.sound);
    if (c.sound) {
      EXPECT_EQ(step.countdownEffects.soundFlags, 17u);
      EXPECT_EQ(step.countdownEffects.message, EventMessage::kNone);
      EXPECT_EQ(StepCountdown(step.next.countdown, c.now).effects.sound, EventSound::kNone)
          << "the tick that follows finds nothing to catch up";
    }
  }
}

}  // namespace
