#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "events/time_checks.h"
#include "resource.h"

namespace {

bool Fired(const EventEffects& e) { return e.sound != EventSound::kNone || e.message != EventMessage::kNone; }

// ---- countdown

TEST(Countdown, OnceFiresAtTheDeadlineThenStops) {
  const CountdownState running{IDC_TIMER_ONCE, 3, 5000};
  CountdownStep step = StepCountdown(running, 4999);
  EXPECT_FALSE(Fired(step.effects));
  EXPECT_EQ(step.next.dwTimerDeadline, 5000u);

  step = StepCountdown(running, 5000);
  EXPECT_EQ(step.next.nTimerMode, IDC_TIMER_STOP);
  EXPECT_EQ(step.next.dwTimerDeadline, kNoCountdownDeadline);
  EXPECT_EQ(step.effects.sound, EventSound::kTimer);
  EXPECT_EQ(step.effects.soundFlags, 17u);
  EXPECT_EQ(step.effects.message, EventMessage::kTimerElapsed);
  EXPECT_EQ(step.effects.messageMinutes, 3u);
  EXPECT_FALSE(step.effects.stopSoundAfterMessage);

  // A tick nested in the message box finds nothing to do.
  const CountdownStep nested = StepCountdown(step.next, 6000);
  EXPECT_FALSE(Fired(nested.effects));
}

// English says "1 minute" but "0 minutes", "2 minutes", "21 minutes".
TEST(Countdown, TheTimerMessageHasAnEntryOfItsOwnForOneMinute) {
  struct Case {
    unsigned minutes;
    int textId;
  } cases[] = {
      {0, IDS_TIMER_ELAPSED},  {1, IDS_TIMER_ELAPSED_ONE}, {2, IDS_TIMER_ELAPSED},
      {11, IDS_TIMER_ELAPSED}, {21, IDS_TIMER_ELAPSED},    {4294967295u, IDS_TIMER_ELAPSED},
  };
  for (const Case& c : cases) EXPECT_EQ(TimerMessageTextId(c.minutes), c.textId) << c.minutes;
}

TEST(Countdown, RepeatKeepsItsRhythmFromThePreviousDeadline) {
  CountdownStep step = StepCountdown({IDC_TIMER_REPEAT, 2, 10000}, 10700);
  EXPECT_EQ(step.next.nTimerMode, IDC_TIMER_REPEAT);
  EXPECT_EQ(step.next.dwTimerDeadline, 10000u + 120000u) << "counts from the deadline, not from now";
  EXPECT_EQ(step.effects.sound, EventSound::kTimer);
  EXPECT_EQ(step.effects.soundFlags, 17u);
  EXPECT_EQ(step.effects.message, EventMessage::kNone) << "a repeating countdown shows no message";
  step = StepCountdown(step.next, 11700);
  EXPECT_FALSE(Fired(step.effects));
}

TEST(Countdown, RepeatCatchesUpOneFirePerTickAfterALongPause) {
  CountdownState state{IDC_TIMER_REPEAT, 1, 0};
  std::uint64_t now = 10 * 60000 + 500;  // ten periods and a half missed
  int fires = 0;
  for (;; now += 1000) {
    const CountdownStep step = StepCountdown(state, now);
    if (!Fired(step.effects)) break;
    ++fires;
    state = step.next;
    ASSERT_LT(fires, 100);
  }
  // Deadlines 0, 60000, ... 600000 fall at or before the ticks 600500 ... 610500.
  EXPECT_EQ(fires, 11);
  EXPECT_EQ(state.dwTimerDeadline, 11u * 60000u);
  EXPECT_GT(state.dwTimerDeadline, now);
}

TEST(Countdown, RepeatOfZeroMinutesFiresAtEveryTickWithoutAdvancing) {
  CountdownState state{IDC_TIMER_REPEAT, 0, 1000};
  for (std::uint64_t now = 1000; now < 6000; now += 1000) {
    const CountdownStep step = StepCountdown(state, now);
    EXPECT_EQ(step.effects.sound, EventSound::kTimer) << now;
    EXPECT_EQ(step.next.dwTimerDeadline, 1000u);
    state = step.next;
  }
}

TEST(Countdown, HugePeriodDoesNotOverflowTheDeadline) {
  CountdownStep step = StepCountdown({IDC_TIMER_REPEAT, 4294967295u, 1000}, 1000);
  EXPECT_EQ(step.next.dwTimerDeadline, 1000u + 4294967295ull * 60000ull);
  EXPECT_FALSE(Fired(StepCountdown(step.next, 2000).effects));

  // Even at the far end of the tick the sum stops short of "no deadline".
  step = StepCountdown({IDC_TIMER_REPEAT, 4294967295u, kNoCountdownDeadline - 10}, kNoCountdownDeadline - 1);
  EXPECT_EQ(step.effects.sound, EventSound::kTimer);
  EXPECT_EQ(step.next.dwTimerDeadline, kNoCountdownDeadline - 1);
  EXPECT_EQ(step.next.nTimerMode, IDC_TIMER_REPEAT);
}

TEST(Countdown, StoppedOrUnknownModesAndMissingDeadlinesDoNothing) {
  struct Case {
    int mode;
    std::uint64_t deadline;
    std::uint64_t now;
  } cases[] = {
      {IDC_TIMER_STOP, 1000, 5000},  // stopped with a deadline left over
      {0, 1000, 5000},
      {IDC_ALARM_REPEAT, 1000, 5000},
      {-1, 1000, 5000},
      {IDC_TIMER_ONCE, kNoCountdownDeadline, kNoCountdownDeadline},
      {IDC_TIMER_REPEAT, kNoCountdownDeadline, kNoCountdownDeadline},
  };
  for (const Case& c : cases) {
    const CountdownState state{c.mode, 5, c.deadline};
    const CountdownStep step = StepCountdown(state, c.now);
    EXPECT_FALSE(Fired(step.effects)) << "mode " << c.mode;
    EXPECT_EQ(step.next.nTimerMode, c.mode);
    EXPECT_EQ(step.next.dwTimerDeadline, c.deadline);
  }
}

// ---- alarm

constexpr int kDay = 8;
constexpr int kWednesday = 3;  // the 8th in the tables below is a Wednesday

TEST(Alarm, RepeatFiresOncePerDayWithALoopingSoundStoppedWithTheBox) {
  AlarmState state{IDC_ALARM_REPEAT, 7, 30, 0};
  EXPECT_FALSE(Fired(StepAlarm(state, 7, 29, kDay, kWednesday).effects));

  AlarmStep step = StepAlarm(state, 7, 30, kDay, kWednesday);
  EXPECT_EQ(step.next.nAlarmFiredDay, kDay);
  EXPECT_EQ(step.next.nAlarmMode, IDC_ALARM_REPEAT);
  EXPECT_EQ(step.effects.sound, EventSound::kAlarm);
  EXPECT_EQ(step.effects.soundFlags, 9u);
  EXPECT_EQ(step.effects.message, EventMessage::kAlarmReached);
  EXPECT_TRUE(step.effects.stopSoundAfterMessage);
  EXPECT_FALSE(step.effects.postRandomCharacter);
  state = step.next;

  // Repaints nested in the box, later in the same minute.
  step = StepAlarm(state, 7, 30, kDay, kWednesday);
  EXPECT_FALSE(Fired(step.effects));
  EXPECT_EQ(step.next.nAlarmFiredDay, kDay);

  step = StepAlarm(state, 7, 30, kDay + 1, kWednesday + 1);
  EXPECT_EQ(step.effects.message, EventMessage::kAlarmReached) << "the next day it goes off again";
  EXPECT_EQ(step.next.nAlarmFiredDay, kDay + 1);
}

TEST(Alarm, OnceFiresThenIsStoppedAndForgetsTheDay) {
  AlarmStep step = StepAlarm({IDC_ALARM_ONCE, 23, 59, 0}, 23, 59, kDay, kWednesday);
  EXPECT_EQ(step.effects.message, EventMessage::kAlarmReached);
  EXPECT_EQ(step.effects.soundFlags, 9u);
  EXPECT_EQ(step.next.nAlarmMode, IDC_ALARM_STOP);
  EXPECT_EQ(step.next.nAlarmFiredDay, 0);

  // A nested repaint in the same minute only records the day.
  step = StepAlarm(step.next, 23, 59, kDay, kWednesday);
  EXPECT_FALSE(Fired(step.effects));
  EXPECT_EQ(step.next.nAlarmFiredDay, kDay);
}

TEST(Alarm, StoppedOrUnknownModeRecordsTheDayButStaysSilent) {
  for (int mode : {IDC_ALARM_STOP, 0, IDC_TIMER_ONCE, 12345}) {
    const AlarmStep step = StepAlarm({mode, 6, 0, 0}, 6, 0, kDay, kWednesday);
    EXPECT_FALSE(Fired(step.effects)) << mode;
    EXPECT_EQ(step.next.nAlarmFiredDay, kDay) << mode;
    EXPECT_EQ(step.next.nAlarmMode, mode);
  }
}

TEST(Alarm, ClearedDayLetsItGoOffAgainInTheSameMinute) {
  AlarmStep step = StepAlarm({IDC_ALARM_REPEAT, 12, 0, 0}, 12, 0, kDay, kWednesday);
  ASSERT_EQ(step.effects.message, EventMessage::kAlarmReached);
  AlarmState afterDialog = step.next;
  afterDialog.nAlarmFiredDay = 0;  // what leaving the settings dialog does
  step = StepAlarm(afterDialog, 12, 0, kDay, kWednesday);
  EXPECT_EQ(step.effects.message, EventMessage::kAlarmReached);
}

TEST(Alarm, TimesOutsideTheClockNeverMatch) {
  const struct {
    unsigned hour;
    unsigned minute;
  } settings[] = {{25, 0}, {24, 0}, {0, 60}, {4294967295u, 4294967295u}};
  for (const auto& s : settings) {
    for (int hour = 0; hour < 24; ++hour) {
      for (int minute = 0; minute < 60; ++minute) {
        const AlarmStep step = StepAlarm({IDC_ALARM_REPEAT, s.hour, s.minute, 0}, hour, minute, kDay, kWednesday);
        ASSERT_FALSE(Fired(step.effects)) << s.hour << ":" << s.minute << " at " << hour << ":" << minute;
        ASSERT_EQ(step.next.nAlarmFiredDay, 0);
      }
    }
  }
}

// ---- hourly chime

TEST(Hourly, ChimeAndSwitchAreIndependent) {
  const struct {
    int mode;
    int change;
    bool muted, aside;  // muted; standing aside for a full-screen program
    bool chime;
    bool post;
  } cases[] = {
      {IDC_OCLOCK_ON, 1, false, false, true, true},
      {IDC_OCLOCK_ON, 0, false, false, true, false},
      {IDC_OCLOCK_OFF, 1, false, false, false, true},  // the character changes without a sound
      {IDC_OCLOCK_OFF, 0, false, false, false, false},
      {0, -1, false, false, false, true},  // an unknown mode plays nothing; any nonzero switch counts
      {IDC_OCLOCK_ON, 1, true, false, false, true},   // muted: silent, the character still changes
      {IDC_OCLOCK_ON, 1, false, true, false, true},   // aside: the same
      {IDC_OCLOCK_ON, 0, true, true, false, false},
  };
  for (const auto& c : cases) {
    const HourlyStep step = StepHourly({9, c.mode, c.change}, 10);
    const EventEffects heard = HeardEffects(step.effects, c.muted, c.aside);
    EXPECT_EQ(step.next.nLastHour, 10);
    EXPECT_EQ(heard.sound, c.chime ? EventSound::kChime : EventSound::kNone) << c.mode << "/" << c.change;
    EXPECT_EQ(heard.soundFlags, c.chime ? 17u : 0u);
    EXPECT_EQ(heard.postRandomCharacter, c.post) << c.mode << "/" << c.change;
    EXPECT_EQ(heard.message, EventMessage::kNone);
  }
}

// Which sound plays and which box shows for each event, muted or not, with
// the clock standing aside for a full-screen program or not: mute silences
// every sound, standing aside the chime alone; the boxes always show.
TEST(Manners, MuteSilencesEverySoundAndStandingAsideTheChimeAlone) {
  const EventEffects timerOnce = StepCountdown({IDC_TIMER_ONCE, 5, 1000}, 1000).effects;
  const EventEffects timerRepeat = StepCountdown({IDC_TIMER_REPEAT, 5, 1000}, 1000).effects;
  const EventEffects alarm = StepAlarm({IDC_ALARM_REPEAT, 7, 0, 0}, 7, 0, kDay, kWednesday).effects;
  const EventEffects snooze = StepSnooze(StartSnooze(0, 7, 0), kSnoozeMilliseconds).effects;
  const EventEffects chime = StepHourly({9, IDC_OCLOCK_ON, 0}, 10).effects;
  const struct {
    const char* event;
    EventEffects effects;
    bool muted, aside;
    EventSound sound;
    EventMessage message;
  } rows[] = {
      {"timer", timerOnce, false, true, EventSound::kTimer, EventMessage::kTimerElapsed},
      {"timer", timerOnce, true, false, EventSound::kNone, EventMessage::kTimerElapsed},
      {"repeating timer", timerRepeat, true, false, EventSound::kNone, EventMessage::kNone},
      {"alarm", alarm, false, true, EventSound::kAlarm, EventMessage::kAlarmReached},
      {"alarm", alarm, true, false, EventSound::kNone, EventMessage::kAlarmReached},
      {"snooze", snooze, true, false, EventSound::kNone, EventMessage::kAlarmReached},
      {"chime", chime, false, true, EventSound::kNone, EventMessage::kNone},
  };
  for (const auto& r : rows) {
    const EventEffects heard = HeardEffects(r.effects, r.muted, r.aside);
    const std::string what = std::string(r.event) + (r.muted ? ", muted" : "") + (r.aside ? ", aside" : "");
    EXPECT_EQ(heard.sound, r.sound) << what;
    EXPECT_EQ(heard.soundFlags, r.sound == EventSound::kNone ? 0u : r.effects.soundFlags) << what;
    EXPECT_EQ(heard.message, r.message) << what;
    // Nothing of the clock's own plays that the box would have to stop.
    EXPECT_EQ(heard.stopSoundAfterMessage, r.sound == EventSound::kAlarm) << what;
  }
}

TEST(Hourly, ForwardAndBackwardChangesEachCountOnce) {
  HourlyState state{23, IDC_OCLOCK_ON, 1};
  for (int hour : {0, 0, 5, 5, 4, 4, 23}) {
    const HourlyStep step = StepHourly(state, hour);
    const bool changed = hour != state.nLastHour;
    EXPECT_EQ(step.effects.sound == EventSound::kChime, changed) << state.nLastHour << " -> " << hour;
    EXPECT_EQ(step.effects.postRandomCharacter, changed);
    EXPECT_EQ(step.next.nLastHour, hour);
    state = step.next;
  }
}

}  // namespace
