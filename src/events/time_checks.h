// The countdown, alarm and hourly checks as state transitions: each takes the
// state it owns and the time, and returns the next state with what the clock
// must do (sound, message, character switch). The caller stores the next
// state before it carries out a message, so that ticks and repaints nested in
// the message box find nothing left to fire.
#ifndef TAVELIN_EVENTS_TIME_CHECKS_H
#define TAVELIN_EVENTS_TIME_CHECKS_H

#include <cstdint>

// The countdown's "no deadline": never due.
constexpr std::uint64_t kNoCountdownDeadline = UINT64_MAX;

enum class EventSound { kNone, kTimer, kAlarm, kChime };
enum class EventMessage { kNone, kTimerElapsed, kAlarmReached };

// Sound flags: asynchronous + do not interrupt, and the same looping.
constexpr unsigned kSoundOnceFlags = 17;
constexpr unsigned kSoundLoopFlags = 25;

struct EventEffects {
  EventSound sound = EventSound::kNone;
  unsigned soundFlags = 0;
  EventMessage message = EventMessage::kNone;
  unsigned messageMinutes = 0;         // the timer message's number
  bool stopSoundAfterMessage = false;  // the alarm's loop ends with its box
  bool postRandomCharacter = false;
};

struct CountdownState {
  int nTimerMode;
  unsigned nTimerMinute;
  std::uint64_t dwTimerDeadline;  // 64-bit millisecond tick
};

struct CountdownStep {
  CountdownState next;
  EventEffects effects;
};

// One tick of the countdown. A repeating countdown fires at most once per
// tick and advances its deadline by one period, so after a long pause it
// catches up one tick at a time, and a period of 0 fires at every tick.
CountdownStep StepCountdown(const CountdownState& state, std::uint64_t now);

// The string-table entry of the timer message for `minutes`: exactly one
// minute has an entry of its own, which English words in the singular.
int TimerMessageTextId(unsigned minutes);

struct AlarmState {
  int nAlarmMode;
  unsigned nAlarmHour;
  unsigned nAlarmMinute;
  int nAlarmFiredDay;
};

struct AlarmStep {
  AlarmState next;
  EventEffects effects;
};

// The alarm check of one repaint, with the local hour, minute and day.
AlarmStep StepAlarm(const AlarmState& state, int hour, int minute, int day);

struct HourlyState {
  int nLastHour;
  int nOClockMode;
  int nOClockChangeChara;
};

struct HourlyStep {
  HourlyState next;
  EventEffects effects;
};

// The hourly check of one repaint: any change of the hour, either way, is a
// full hour.
HourlyStep StepHourly(const HourlyState& state, int hour);

#endif
