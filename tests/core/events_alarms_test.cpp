// Several alarms: each fires, snoozes and is missed on its own; those due
// together ring together; the sound's ten-minute limit; the next alarm.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dialog/alarm_dialog_rules.h"
#include "events/alarms.h"
#include "resource.h"

namespace {

constexpr std::uint64_t kMinute = 60000;

Alarm Make(int mode, unsigned hour, unsigned minute, unsigned days = 0, const char* label = "") {
  Alarm alarm = DefaultAlarm("alarm.wav");
  alarm.nAlarmRepeat = mode == IDC_ALARM_STOP ? IDC_ALARM_REPEAT : mode;
  alarm.nAlarmMode = mode;
  alarm.nAlarmHour = hour;
  alarm.nAlarmMinute = minute;
  alarm.nAlarmDays = days;
  std::strncpy(alarm.szAlarmLabel, label, kAlarmLabelSize - 1);
  return alarm;
}

AlarmList ListOf(std::initializer_list<Alarm> alarms) {
  AlarmList list{};
  int i = 0;
  for (const Alarm& alarm : alarms) list[i++] = alarm;
  return list;
}

std::vector<int> Rung(const AlarmRing& ring) { return {ring.index.begin(), ring.index.begin() + ring.count}; }

LocalStamp At(int day, int hour, int minute, int weekday) { return {2026, 6, day, hour, minute, weekday}; }

constexpr unsigned kMonWedFri = 1u << 1 | 1u << 3 | 1u << 5;

// One check over four alarms at a given time: which ring.
TEST(Alarms, WhichRingInOneCheck) {
  const AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 7, 0), Make(IDC_ALARM_DAYS, 7, 0, kMonWedFri),
                                   Make(IDC_ALARM_WEEKDAYS, 7, 30), Make(IDC_ALARM_STOP, 7, 0)});
  struct Case {
    int hour, minute, weekday;
    std::vector<int> rung;
  } cases[] = {
      {7, 0, 1, {0, 1}},  // Monday: daily and the chosen days, in the same minute, together
      {7, 0, 2, {0}},     // Tuesday is no chosen day
      {7, 0, 0, {0}},     // Sunday
      {7, 30, 3, {2}},    // weekdays on Wednesday
      {7, 30, 6, {}},     // not on Saturday
      {7, 1, 1, {}},
  };
  for (const Case& c : cases) {
    const AlarmsStep step = StepAlarms(alarms, 4, c.hour, c.minute, 10, c.weekday);
    EXPECT_EQ(Rung(step.ring), c.rung) << c.hour << ":" << c.minute << " weekday " << c.weekday;
  }
}

TEST(Alarms, OnlyTheCountedAlarmsAreLookedAt) {
  const AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 7, 0), Make(IDC_ALARM_REPEAT, 7, 0)});
  EXPECT_EQ(Rung(StepAlarms(alarms, 1, 7, 0, 10, 1).ring), std::vector<int>{0});
  EXPECT_EQ(Rung(StepAlarms(alarms, 99, 7, 0, 10, 1).ring), (std::vector<int>{0, 1})) << "a count past eight is eight";
}

TEST(Alarms, EachFiresOnceADayAndAOnceAlarmTurnsItselfOff) {
  AlarmList alarms = ListOf({Make(IDC_ALARM_ONCE, 7, 0), Make(IDC_ALARM_REPEAT, 7, 0)});
  AlarmsStep step = StepAlarms(alarms, 2, 7, 0, 10, 1);
  EXPECT_EQ(Rung(step.ring), (std::vector<int>{0, 1}));
  EXPECT_EQ(step.next[0].nAlarmMode, IDC_ALARM_STOP);
  EXPECT_EQ(step.next[0].nAlarmRepeat, IDC_ALARM_ONCE) << "the repeat is kept for the dialog";
  EXPECT_EQ(step.next[1].nAlarmMode, IDC_ALARM_REPEAT);
  // The repaints nested in the message, in the same minute.
  step = StepAlarms(step.next, 2, 7, 0, 10, 1);
  EXPECT_EQ(step.ring.count, 0);
  // The next day only the daily one.
  EXPECT_EQ(Rung(StepAlarms(step.next, 2, 7, 0, 11, 2).ring), std::vector<int>{1});
}

TEST(Alarms, OneSnoozedWhileAnotherFires) {
  const AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 7, 0), Make(IDC_ALARM_REPEAT, 7, 3)});
  AlarmRing first;
  first.count = 1;
  first.index[0] = 0;
  AlarmList next = SnoozeAlarms(alarms, first, 5, 1000, 7, 0);
  EXPECT_EQ(next[0].qwSnoozeDeadline, 1000 + 5 * kMinute);
  EXPECT_EQ(next[0].nSnoozeHour, 7);
  EXPECT_EQ(next[0].nSnoozeMinute, 5);
  EXPECT_EQ(next[1].qwSnoozeDeadline, kNoCountdownDeadline) << "the other alarm is not put off";

  // At 7:03 the second fires on its own while the first still sleeps.
  const AlarmsStep at703 = StepAlarms(next, 2, 7, 3, 10, 1);
  EXPECT_EQ(Rung(at703.ring), std::vector<int>{1});
  EXPECT_EQ(StepAlarmSnoozes(at703.next, 2, 1000 + 3 * kMinute).ring.count, 0);
  // At 7:05 the first rings again, by its snooze, and its snooze is over.
  const AlarmsStep again = StepAlarmSnoozes(at703.next, 2, 1000 + 5 * kMinute);
  EXPECT_EQ(Rung(again.ring), std::vector<int>{0});
  EXPECT_TRUE(again.ring.snoozed);
  EXPECT_EQ(again.next[0].qwSnoozeDeadline, kNoCountdownDeadline);
  int hour = 0, minute = 0;
  RingTime(again.next[0], true, hour, minute);
  EXPECT_EQ(hour * 100 + minute, 705) << "told by the snooze's time";
}

TEST(Alarms, SnoozeLengthsAreKeptWithinOneToSixtyMinutes) {
  const AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 23, 58)});
  AlarmRing ring;
  ring.count = 1;
  struct Case {
    unsigned minutes;
    std::uint64_t deadline;
    int hour, minute;
  } cases[] = {{0, kMinute, 23, 59}, {1, kMinute, 23, 59}, {60, 60 * kMinute, 0, 58}, {500, 60 * kMinute, 0, 58}};
  for (const Case& c : cases) {
    const AlarmList next = SnoozeAlarms(alarms, ring, c.minutes, 0, 23, 58);
    EXPECT_EQ(next[0].qwSnoozeDeadline, c.deadline) << c.minutes;
    EXPECT_EQ(next[0].nSnoozeHour * 100 + next[0].nSnoozeMinute, c.hour * 100 + c.minute) << "past midnight";
  }
}

TEST(Alarms, MissedInSleepEachWithItsTime) {
  AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 6, 30, 0, "Run"), Make(IDC_ALARM_ONCE, 7, 0),
                             Make(IDC_ALARM_REPEAT, 9, 0), Make(IDC_ALARM_STOP, 7, 15)});
  alarms[2].qwSnoozeDeadline = 100 * kMinute;  // a snooze due in the sleep
  alarms[2].nSnoozeHour = 7;
  alarms[2].nSnoozeMinute = 10;
  const AlarmsResume resume = StepAlarmsResume(alarms, 4, At(10, 6, 0, 1), At(10, 7, 40, 1), 200 * kMinute);
  ASSERT_EQ(resume.count, 3);
  EXPECT_EQ(resume.missed[0].index, 0);
  EXPECT_EQ(resume.missed[0].hour * 100 + resume.missed[0].minute, 630);
  EXPECT_EQ(resume.missed[1].index, 1);
  EXPECT_EQ(resume.missed[1].hour * 100 + resume.missed[1].minute, 700);
  EXPECT_EQ(resume.missed[2].index, 2) << "the snooze's ringing was missed";
  EXPECT_EQ(resume.missed[2].hour * 100 + resume.missed[2].minute, 710);
  EXPECT_EQ(resume.next[1].nAlarmMode, IDC_ALARM_STOP) << "a once alarm missed is done";
  EXPECT_EQ(resume.next[2].qwSnoozeDeadline, kNoCountdownDeadline);
  EXPECT_EQ(resume.next[0].nAlarmMode, IDC_ALARM_REPEAT);
}

TEST(Alarms, TheRingingSoundStopsAfterTenMinutes) {
  struct Case {
    std::uint64_t start, now;
    bool expired;
  } cases[] = {{1000, 1000, false},
               {1000, 1000 + 10 * kMinute - 1, false},
               {1000, 1000 + 10 * kMinute, true},
               {1000, 1000 + 60 * kMinute, true},
               {5000, 1000, false}};  // a tick before the start (never from a monotonic tick)
  for (const Case& c : cases) EXPECT_EQ(RingSoundExpired(c.start, c.now), c.expired) << c.now - c.start;
}

TEST(Alarms, TheNextAlarmToRing) {
  // Wednesday the 10th, 8:00.
  const LocalStamp now = At(10, 8, 0, 3);
  struct Case {
    const char* what;
    AlarmList alarms;
    int count;
    int index, weekday, hour, minute;
    bool snooze;
  } cases[] = {
      {"none on", ListOf({Make(IDC_ALARM_STOP, 9, 0)}), 1, -1, 0, 0, 0, false},
      {"later today", ListOf({Make(IDC_ALARM_REPEAT, 9, 0)}), 1, 0, 3, 9, 0, false},
      {"passed today: tomorrow", ListOf({Make(IDC_ALARM_REPEAT, 7, 0)}), 1, 0, 4, 7, 0, false},
      {"the earlier of two", ListOf({Make(IDC_ALARM_REPEAT, 9, 0), Make(IDC_ALARM_ONCE, 8, 30)}), 2, 1, 3, 8, 30,
       false},
      {"weekdays: tomorrow, Thursday", ListOf({Make(IDC_ALARM_WEEKDAYS, 7, 0)}), 1, 0, 4, 7, 0, false},
      {"chosen days skip to Friday", ListOf({Make(IDC_ALARM_DAYS, 7, 0, 1u << 5)}), 1, 0, 5, 7, 0, false},
      {"chosen days, none chosen", ListOf({Make(IDC_ALARM_DAYS, 7, 0, 0)}), 1, -1, 0, 0, 0, false},
      {"this very minute, not rung yet", ListOf({Make(IDC_ALARM_REPEAT, 8, 0)}), 1, 0, 3, 8, 0, false},
      {"hour beyond the clock never rings", ListOf({Make(IDC_ALARM_REPEAT, 25, 0)}), 1, -1, 0, 0, 0, false},
      {"not counted", ListOf({Make(IDC_ALARM_STOP, 9, 0), Make(IDC_ALARM_REPEAT, 8, 10)}), 1, -1, 0, 0, 0, false},
  };
  for (const Case& c : cases) {
    const NextAlarm next = FindNextAlarm(c.alarms, c.count, now, 0);
    EXPECT_EQ(next.index, c.index) << c.what;
    if (c.index < 0) continue;
    EXPECT_EQ(next.weekday, c.weekday) << c.what;
    EXPECT_EQ(next.hour * 100 + next.minute, c.hour * 100 + c.minute) << c.what;
    EXPECT_EQ(next.snooze, c.snooze) << c.what;
  }
  // A snooze 4 minutes away comes before an alarm at 8:30.
  AlarmList snoozed = ListOf({Make(IDC_ALARM_STOP, 7, 0), Make(IDC_ALARM_REPEAT, 8, 30)});
  snoozed[0].qwSnoozeDeadline = 1000 + 4 * kMinute;
  const NextAlarm next = FindNextAlarm(snoozed, 2, now, 1000);
  EXPECT_EQ(next.index, 0);
  EXPECT_TRUE(next.snooze);
  EXPECT_EQ(next.hour * 100 + next.minute, 804);
  // An alarm that rang this minute is next a day later.
  AlarmList rung = ListOf({Make(IDC_ALARM_REPEAT, 8, 0)});
  rung[0].nAlarmFiredDay = 10;
  EXPECT_EQ(FindNextAlarm(rung, 1, now, 0).weekday, 4);
}

// What a hand-edited file may hold, made safe.
TEST(Alarms, StoredValuesAreMadeSafe) {
  struct Case {
    int mode, repeat;
    unsigned volume, snooze, days;
    int wantRepeat;
    unsigned wantVolume, wantSnooze, wantDays;
  } cases[] = {
      {IDC_ALARM_REPEAT, 0, 100, 5, 0, IDC_ALARM_REPEAT, 100, 5, 0},             // today's file
      {IDC_ALARM_STOP, 0, 100, 5, 0, IDC_ALARM_REPEAT, 100, 5, 0},               // off, no repeat stored: daily
      {IDC_ALARM_STOP, IDC_ALARM_DAYS, 100, 5, 0x2A, IDC_ALARM_DAYS, 100, 5, 0x2A},
      {IDC_ALARM_WEEKDAYS, IDC_ALARM_ONCE, 100, 5, 0, IDC_ALARM_WEEKDAYS, 100, 5, 0},  // the mode wins
      {IDC_ALARM_STOP, 4242, 250, 0, 0xFFFF, IDC_ALARM_REPEAT, 100, 5, 0x7F},
      {IDC_ALARM_STOP, IDC_ALARM_ONCE, 0, 61, 0, IDC_ALARM_ONCE, 0, 60, 0},
      {1038, 0, 50, 1, 0, IDC_ALARM_REPEAT, 50, 1, 0},  // an unknown mode stays and never rings
  };
  for (const Case& c : cases) {
    Alarm alarm = Make(c.mode, 7, 0, c.days);
    alarm.nAlarmMode = c.mode;
    alarm.nAlarmRepeat = c.repeat;
    alarm.nAlarmVolume = c.volume;
    alarm.nAlarmSnooze = c.snooze;
    std::memset(alarm.szAlarmLabel, 'x', sizeof alarm.szAlarmLabel);
    NormaliseAlarm(alarm);
    EXPECT_EQ(alarm.nAlarmMode, c.mode);
    EXPECT_EQ(alarm.nAlarmRepeat, c.wantRepeat) << c.mode << "/" << c.repeat;
    EXPECT_EQ(alarm.nAlarmVolume, c.wantVolume);
    EXPECT_EQ(alarm.nAlarmSnooze, c.wantSnooze);
    EXPECT_EQ(alarm.nAlarmDays, c.wantDays);
    EXPECT_EQ(std::strlen(alarm.szAlarmLabel), 63u);
  }
}

TEST(AlarmList, AddDeleteAndTheRepeatShown) {
  EXPECT_TRUE(CanAddAlarm(7));
  EXPECT_FALSE(CanAddAlarm(8));
  EXPECT_FALSE(CanDeleteAlarm(1));
  AlarmList alarms = ListOf({Make(IDC_ALARM_REPEAT, 6, 0, 0, "a"), Make(IDC_ALARM_REPEAT, 7, 0, 0, "b"),
                             Make(IDC_ALARM_REPEAT, 8, 0, 0, "c")});
  int count = 3;
  alarms = DeleteAlarm(alarms, count, 1);
  EXPECT_EQ(count, 2);
  EXPECT_STREQ(alarms[0].szAlarmLabel, "a");
  EXPECT_STREQ(alarms[1].szAlarmLabel, "c");
  alarms = DeleteAlarm(alarms, count, 5);
  EXPECT_EQ(count, 2) << "no such row";
  alarms = DeleteAlarm(alarms, count, 0);
  alarms = DeleteAlarm(alarms, count, 0);
  EXPECT_EQ(count, 1) << "the last alarm stays";
  EXPECT_STREQ(alarms[0].szAlarmLabel, "c");

  const RepeatTexts texts{L"Once", L"Daily", L"Weekdays", {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"}};
  EXPECT_EQ(RepeatText(Make(IDC_ALARM_DAYS, 7, 0, kMonWedFri), texts), L"Mon Wed Fri");
  EXPECT_EQ(RepeatText(Make(IDC_ALARM_STOP, 7, 0), texts), L"Daily") << "an alarm that is off shows its repeat";
  EXPECT_EQ(RepeatText(Make(IDC_ALARM_WEEKDAYS, 7, 0), texts), L"Weekdays");
  for (int repeat : {IDC_ALARM_ONCE, IDC_ALARM_REPEAT, IDC_ALARM_WEEKDAYS, IDC_ALARM_DAYS}) {
    EXPECT_EQ(RepeatOfButton(RepeatButtonOf(repeat)), repeat);
  }
}

}  // namespace
