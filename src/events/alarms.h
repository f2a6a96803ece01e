// The clock's alarms: up to eight, each with its own label, time, repeat,
// sound, volume and snooze length, each firing, snoozing and being missed on
// its own. Alarms due in the same check ring together: one message naming
// each, one sound (the first's).
#ifndef TAVELIN_EVENTS_ALARMS_H
#define TAVELIN_EVENTS_ALARMS_H

#include <array>
#include <cstdint>

#include "events/resume_rule.h"
#include "events/time_checks.h"

constexpr int kMaxAlarms = 8;
constexpr int kAlarmLabelSize = 64;       // at most 63 bytes of label
constexpr int kAlarmSoundSize = 260;
constexpr unsigned kDefaultSnoozeMinutes = 5;
constexpr unsigned kMinSnoozeMinutes = 1;
constexpr unsigned kMaxSnoozeMinutes = 60;
constexpr unsigned kFullVolume = 100;
constexpr unsigned kEveryDayMask = 0x7F;  // bit 0 Sunday to bit 6 Saturday
// A ringing sound stops after this long; its message stays.
constexpr std::uint64_t kRingLimitMilliseconds = 10 * 60000;

struct Alarm {
  // Stored.
  int nAlarmMode;         // IDC_ALARM_STOP while off, else its repeat
  int nAlarmRepeat;       // once, daily, weekdays or chosen days, kept while off
  unsigned nAlarmHour;
  unsigned nAlarmMinute;
  unsigned nAlarmDays;    // the chosen days
  unsigned nAlarmVolume;  // percent, 0 to 100
  unsigned nAlarmSnooze;  // minutes, 1 to 60
  char szAlarmLabel[kAlarmLabelSize];
  char szAlarmSound[kAlarmSoundSize];
  // Run-time only.
  int nAlarmFiredDay;
  std::uint64_t qwSnoozeDeadline;
  int nSnoozeHour;
  int nSnoozeMinute;
};

using AlarmList = std::array<Alarm, kMaxAlarms>;

// A new alarm as Add makes it and as a file without the keys reads: off,
// daily at 0:00, the given sound, full volume, five minutes' snooze.
Alarm DefaultAlarm(const char* sound);

// Whether `mode` is one of the repeats (not off, not unknown).
bool IsAlarmRepeat(int mode);

// Sets an alarm on or off; on takes back its repeat.
void SwitchAlarm(Alarm& alarm, bool on);

// The values a hand-edited file may hold, made safe: volume within 0-100,
// snooze within 1-60 (0 or unreadable: the default), days within the week,
// a repeat kept only when it is one, the label and sound ended within their
// buffers. An hour or minute beyond the clock is kept: that alarm never rings.
void NormaliseAlarm(Alarm& alarm);

// Which alarms ring in one check, by index, in their order.
struct AlarmRing {
  int count = 0;
  std::array<int, kMaxAlarms> index{};
  bool snoozed = false;  // rung again by a snooze (its time is the snooze's)
};

struct AlarmsStep {
  AlarmList next;
  AlarmRing ring;
};

// The alarm check of one repaint over the first `count` alarms.
AlarmsStep StepAlarms(const AlarmList& alarms, int count, int hour, int minute, int day, int weekday);

// The snooze check of one tick: every alarm whose snooze is due rings again.
AlarmsStep StepAlarmSnoozes(const AlarmList& alarms, int count, std::uint64_t now);

// Puts off every alarm of `ring` by `minutes` from the tick `now`, local time
// hour:minute; minutes are kept within 1-60.
AlarmList SnoozeAlarms(const AlarmList& alarms, const AlarmRing& ring, unsigned minutes, std::uint64_t now,
                       int hour, int minute);

// Calls off the snooze of alarm `index`.
void CancelSnooze(Alarm& alarm);

// The time a ringing alarm is told by: its own, or the snooze's.
void RingTime(const Alarm& alarm, bool snoozed, int& hour, int& minute);

// The alarms that came due while the computer slept (each with its time),
// and their next state: once alarms stopped, past snoozes called off.
struct MissedAlarm {
  int index;
  int hour;
  int minute;
};
struct AlarmsResume {
  AlarmList next;
  int count = 0;
  std::array<MissedAlarm, kMaxAlarms> missed{};
};
AlarmsResume StepAlarmsResume(const AlarmList& alarms, int count, const LocalStamp& asleepSince,
                              const LocalStamp& time, std::uint64_t now);

// Whether the sound of a ringing that began at `startTick` has rung long enough.
bool RingSoundExpired(std::uint64_t startTick, std::uint64_t now);

// The next alarm to ring after `time` (a snooze counts at its time): the
// alarm, the day of the week and the time. None when no alarm is on.
struct NextAlarm {
  int index = -1;
  int weekday = 0;
  int hour = 0;
  int minute = 0;
  bool snooze = false;  // a snoozed alarm's next ringing
};
NextAlarm FindNextAlarm(const AlarmList& alarms, int count, const LocalStamp& time, std::uint64_t now);

#endif
