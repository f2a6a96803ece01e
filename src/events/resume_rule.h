// What the clock does when the computer wakes from sleep. The tick count runs
// on during sleep, so a check that comes more than 90 seconds after the one
// before is a resume (so is the system's resume message, whichever comes
// first). A resume is handled before that check's own work: the hour that
// changed in sleep is taken without a chime, an alarm that came due in sleep
// is shown as missed without a sound, and a repeating countdown sounds once
// for what it missed and keeps its rhythm.
#ifndef TAVELIN_EVENTS_RESUME_RULE_H
#define TAVELIN_EVENTS_RESUME_RULE_H

#include <cstdint>

#include "events/time_checks.h"

constexpr std::uint64_t kResumeGapMilliseconds = 90000;
// A missed alarm is shown when it came due at most this long before the resume.
constexpr int kMissedAlarmMinutes = 12 * 60;

// Local time, as the system gives it; weekday 0 is Sunday.
struct LocalStamp {
  int year, month, day, hour, minute, weekday;
};

// Minutes since 1970-01-01 00:00 of the same clock, for ordering and spans.
std::int64_t MinuteNumber(const LocalStamp& time);

// When the clock last looked at the time, and when it last handled a resume.
struct ResumeWatch {
  std::uint64_t lastCheckTick = 0;   // 0: no check yet
  std::uint64_t lastResumeTick = 0;  // 0: none yet
  LocalStamp lastCheckTime{};
};

// Whether a check at `now` comes after a sleep.
bool CheckIsResume(const ResumeWatch& watch, std::uint64_t now);
// Whether the system's resume message at `now` is news: a check may have
// handled the same wake already, and before the first check there is no
// time from which a sleep could count.
bool MessageIsResume(const ResumeWatch& watch, std::uint64_t now);

struct ResumeState {
  CountdownState countdown;
  AlarmState alarm;
  int nLastHour;
  SnoozeState snooze;
};

struct ResumeStep {
  ResumeState next;
  EventEffects countdownEffects;  // the one sound of a repeating countdown
  EventEffects missedEffects;     // the missed alarm's (or snooze's) message
};

// The resume at tick `now`, local time `time`, after a sleep that began
// after the check at `asleepSince`.
ResumeStep StepResume(const ResumeState& state, const LocalStamp& asleepSince, const LocalStamp& time,
                      std::uint64_t now);

#endif
