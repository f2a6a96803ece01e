#include "events/alarms.h"

#include <cstring>

#include "resource.h"

namespace {

constexpr std::uint64_t kMillisecondsPerMinute = 60000;
constexpr int kMinutesPerDay = 24 * 60;

AlarmState StateOf(const Alarm& alarm) {
  return {alarm.nAlarmMode, alarm.nAlarmHour, alarm.nAlarmMinute, alarm.nAlarmFiredDay, alarm.nAlarmDays};
}

SnoozeState SnoozeOf(const Alarm& alarm) {
  return {alarm.qwSnoozeDeadline, alarm.nSnoozeHour, alarm.nSnoozeMinute};
}

int Clamped(int count) { return count < 0 ? 0 : (count > kMaxAlarms ? kMaxAlarms : count); }

}  // namespace

Alarm DefaultAlarm(const char* sound) {
  Alarm alarm{};
  alarm.nAlarmMode = IDC_ALARM_STOP;
  alarm.nAlarmRepeat = IDC_ALARM_REPEAT;
  alarm.nAlarmVolume = kFullVolume;
  alarm.nAlarmSnooze = kDefaultSnoozeMinutes;
  alarm.qwSnoozeDeadline = kNoCountdownDeadline;
  if (sound != nullptr) std::strncpy(alarm.szAlarmSound, sound, kAlarmSoundSize - 1);
  return alarm;
}

bool IsAlarmRepeat(int mode) {
  return mode == IDC_ALARM_ONCE || mode == IDC_ALARM_REPEAT || mode == IDC_ALARM_WEEKDAYS || mode == IDC_ALARM_DAYS;
}

void SwitchAlarm(Alarm& alarm, bool on) {
  if (!IsAlarmRepeat(alarm.nAlarmRepeat)) alarm.nAlarmRepeat = IDC_ALARM_REPEAT;
  alarm.nAlarmMode = on ? alarm.nAlarmRepeat : IDC_ALARM_STOP;
  if (!on) CancelSnooze(alarm);
  alarm.nAlarmFiredDay = 0;  // set up afresh: may ring within its minute
}

void NormaliseAlarm(Alarm& alarm) {
  if (alarm.nAlarmVolume > kFullVolume) alarm.nAlarmVolume = kFullVolume;
  if (alarm.nAlarmSnooze < kMinSnoozeMinutes) alarm.nAlarmSnooze = kDefaultSnoozeMinutes;
  if (alarm.nAlarmSnooze > kMaxSnoozeMinutes) alarm.nAlarmSnooze = kMaxSnoozeMinutes;
  alarm.nAlarmDays &= kEveryDayMask;
  // A repeat stored on its own that is none falls back to the one the mode
  // names, or to daily.
  if (!IsAlarmRepeat(alarm.nAlarmRepeat)) {
    alarm.nAlarmRepeat = IsAlarmRepeat(alarm.nAlarmMode) ? alarm.nAlarmMode : IDC_ALARM_REPEAT;
  }
  if (IsAlarmRepeat(alarm.nAlarmMode)) alarm.nAlarmRepeat = alarm.nAlarmMode;
  alarm.szAlarmLabel[kAlarmLabelSize - 1] = '\0';
  alarm.szAlarmSound[kAlarmSoundSize - 1] = '\0';
}

AlarmsStep StepAlarms(const AlarmList& alarms, int count, int hour, int minute, int day, int weekday) {
  AlarmsStep step{alarms, {}};
  for (int i = 0; i < Clamped(count); ++i) {
    const AlarmStep one = StepAlarm(StateOf(alarms[i]), hour, minute, day, weekday);
    step.next[i].nAlarmMode = one.next.nAlarmMode;
    step.next[i].nAlarmFiredDay = one.next.nAlarmFiredDay;
    if (one.effects.message == EventMessage::kAlarmReached) step.ring.index[step.ring.count++] = i;
  }
  return step;
}

AlarmsStep StepAlarmSnoozes(const AlarmList& alarms, int count, std::uint64_t now) {
  AlarmsStep step{alarms, {}};
  step.ring.snoozed = true;
  for (int i = 0; i < Clamped(count); ++i) {
    const SnoozeStep one = StepSnooze(SnoozeOf(alarms[i]), now);
    step.next[i].qwSnoozeDeadline = one.next.qwSnoozeDeadline;
    if (one.effects.message == EventMessage::kAlarmReached) step.ring.index[step.ring.count++] = i;
  }
  return step;
}

AlarmList SnoozeAlarms(const AlarmList& alarms, const AlarmRing& ring, unsigned minutes, std::uint64_t now,
                       int hour, int minute) {
  if (minutes < kMinSnoozeMinutes) minutes = kMinSnoozeMinutes;
  if (minutes > kMaxSnoozeMinutes) minutes = kMaxSnoozeMinutes;
  const int ringsAt = ((hour * 60 + minute + static_cast<int>(minutes)) % kMinutesPerDay + kMinutesPerDay) %
                      kMinutesPerDay;
  AlarmList next = alarms;
  for (int n = 0; n < ring.count && n < kMaxAlarms; ++n) {
    const int i = ring.index[n];
    if (i < 0 || i >= kMaxAlarms) continue;
    next[i].qwSnoozeDeadline = now + minutes * kMillisecondsPerMinute;
    next[i].nSnoozeHour = ringsAt / 60;
    next[i].nSnoozeMinute = ringsAt % 60;
  }
  return next;
}

void CancelSnooze(Alarm& alarm) { alarm.qwSnoozeDeadline = kNoCountdownDeadline; }

void RingTime(const Alarm& alarm, bool snoozed, int& hour, int& minute) {
  hour = snoozed ? alarm.nSnoozeHour : static_cast<int>(alarm.nAlarmHour);
  minute = snoozed ? alarm.nSnoozeMinute : static_cast<int>(alarm.nAlarmMinute);
}

AlarmsResume StepAlarmsResume(const AlarmList& alarms, int count, const LocalStamp& asleepSince,
                              const LocalStamp& time, std::uint64_t now) {
  AlarmsResume resume{alarms, 0, {}};
  for (int i = 0; i < Clamped(count); ++i) {
    // The resume rule of one alarm, with a countdown that is stopped and an
    // hour already seen, so that only the alarm's part acts.
    const ResumeState state{{IDC_TIMER_STOP, 0, kNoCountdownDeadline}, StateOf(alarms[i]), time.hour,
                            SnoozeOf(alarms[i])};
    const ResumeStep step = StepResume(state, asleepSince, time, now);
    resume.next[i].nAlarmMode = step.next.alarm.nAlarmMode;
    resume.next[i].nAlarmFiredDay = step.next.alarm.nAlarmFiredDay;
    resume.next[i].qwSnoozeDeadline = step.next.snooze.qwSnoozeDeadline;
    if (step.missedEffects.message == EventMessage::kAlarmMissed) {
      resume.missed[resume.count++] = {i, step.missedEffects.missedHour, step.missedEffects.missedMinute};
    }
  }
  return resume;
}

bool RingSoundExpired(std::uint64_t startTick, std::uint64_t now) {
  return now >= startTick && now - startTick >= kRingLimitMilliseconds;
}

NextAlarm FindNextAlarm(const AlarmList& alarms, int count, const LocalStamp& time, std::uint64_t now) {
  NextAlarm next;
  std::int64_t best = INT64_MAX;
  const int nowOfDay = time.hour * 60 + time.minute;
  auto consider = [&](int index, std::int64_t offset, bool snooze) {
    if (offset >= best) return;
    best = offset;
    next.snooze = snooze;
    const std::int64_t at = nowOfDay + offset;
    next.index = index;
    next.weekday = static_cast<int>((time.weekday + at / kMinutesPerDay) % 7);
    next.hour = static_cast<int>(at % kMinutesPerDay / 60);
    next.minute = static_cast<int>(at % 60);
  };
  for (int i = 0; i < Clamped(count); ++i) {
    const Alarm& alarm = alarms[i];
    if (alarm.qwSnoozeDeadline != kNoCountdownDeadline) {
      const std::uint64_t left = alarm.qwSnoozeDeadline > now ? alarm.qwSnoozeDeadline - now : 0;
      consider(i, static_cast<std::int64_t>((left + kMillisecondsPerMinute - 1) / kMillisecondsPerMinute), true);
    }
    if (alarm.nAlarmHour > 23 || alarm.nAlarmMinute > 59 || !IsAlarmRepeat(alarm.nAlarmMode)) continue;
    const int alarmOfDay = static_cast<int>(alarm.nAlarmHour * 60 + alarm.nAlarmMinute);
    // Today's time counts while it is still to come, or is this minute and has not rung.
    for (int days = 0; days <= 7; ++days) {
      const std::int64_t offset = static_cast<std::int64_t>(days) * kMinutesPerDay + alarmOfDay - nowOfDay;
      if (offset < 0 || (offset == 0 && alarm.nAlarmFiredDay == time.day)) continue;
      if (!AlarmRingsOn(alarm.nAlarmMode, (time.weekday + days) % 7, alarm.nAlarmDays)) continue;
      consider(i, offset, false);
      break;
    }
  }
  return next;
}
