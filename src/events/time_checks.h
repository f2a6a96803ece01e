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
// The alarm's message offers a snooze; the missed one tells of an alarm that
// came due while the computer slept, and plays nothing.
enum class EventMessage { kNone, kTimerElapsed, kAlarmReached, kAlarmMissed };

// Sound flags. A short sound is asynchronous and yields to one that plays
// (0x01 + 0x10). The alarm loops (0x01 + 0x08) and takes over from whatever
// plays: were it to yield to a chime or a timer sound still playing, it would
// stay silent for as long as its box is open.
constexpr unsigned kSoundOnceFlags = 17;
constexpr unsigned kSoundLoopFlags = 9;

struct EventEffects {
  EventSound sound = EventSound::kNone;
  unsigned soundFlags = 0;
  EventMessage message = EventMessage::kNone;
  unsigned messageMinutes = 0;         // the timer message's number
  int missedHour = 0;                  // the missed alarm's time
  int missedMinute = 0;
  bool stopSoundAfterMessage = false;  // the alarm's loop ends with its box
  bool postRandomCharacter = false;
};

// The alarm ringing: its looping sound and its message, which ends the sound.
EventEffects AlarmRingEffects();

// What is heard of an event: no sound at all while the clock is muted, and no
// chime while it stands aside for a full-screen program. Messages and the
// character switch are kept as they are.
EventEffects HeardEffects(const EventEffects& effects, bool muted, bool standingAside);

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
  unsigned nAlarmDays = 0;  // the chosen days: bit 0 Sunday to bit 6 Saturday
};

struct AlarmStep {
  AlarmState next;
  EventEffects effects;
};

// Days of the week as the system's local time counts them.
constexpr int kSunday = 0;
constexpr int kSaturday = 6;

// Monday to Friday.
bool IsWorkday(int weekday);

// The day of the week of the day of the month `day`, read a moment before or
// after a reading that said `knownDay`, `knownWeekday`: midnight may lie
// between the two, so `day` is that day, the next or the one before.
int WeekdayOf(int day, int knownDay, int knownWeekday);

// Whether the alarm in `mode` rings on a day that is `weekday`: once and
// daily on every day, weekdays from Monday to Friday, chosen days on the
// days set in `days` (bit 0 Sunday), other modes never.
bool AlarmRingsOn(int mode, int weekday, unsigned days = 0);

// The alarm check of one repaint, with the local hour, minute, day of the
// month and day of the week.
AlarmStep StepAlarm(const AlarmState& state, int hour, int minute, int day, int weekday);

// Whether the full hour `hour` is quiet: it lies in [from, to), going round
// the clock. The same hour twice, or an hour beyond 23, is never quiet.
bool IsQuietHour(int hour, unsigned from, unsigned to);

struct HourlyState {
  int nLastHour;
  int nOClockMode;
  int nOClockChangeChara;
  unsigned nOClockQuietFrom = 0;
  unsigned nOClockQuietTo = 0;
};

struct HourlyStep {
  HourlyState next;
  EventEffects effects;
};

// The hourly check of one repaint: any change of the hour, either way, is a
// full hour.
HourlyStep StepHourly(const HourlyState& state, int hour);

// The snooze: the alarm's message again, with its looping sound, five
// minutes after the user put it off. hour:minute is the local time it rings.
constexpr std::uint64_t kSnoozeMilliseconds = 5 * 60000;

struct SnoozeState {
  std::uint64_t qwSnoozeDeadline = kNoCountdownDeadline;  // none
  int nSnoozeHour = 0;
  int nSnoozeMinute = 0;
};

// Put off at the tick `now`, local time hour:minute.
SnoozeState StartSnooze(std::uint64_t now, int hour, int minute);

struct SnoozeStep {
  SnoozeState next;
  EventEffects effects;
};

// One tick of the snooze: when due, it ends and the alarm rings again.
SnoozeStep StepSnooze(const SnoozeState& state, std::uint64_t now);

#endif
