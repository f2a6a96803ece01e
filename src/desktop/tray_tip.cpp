#include "desktop/tray_tip.h"

#include "resource.h"

namespace {

constexpr std::uint64_t kMillisecondsPerMinute = 60000;

// Whole minutes to the deadline, rounded up; 0 for less than a minute.
std::uint64_t MinutesLeft(std::uint64_t deadline, std::uint64_t now) {
  const std::uint64_t left = deadline > now ? deadline - now : 0;
  if (left < kMillisecondsPerMinute) return 0;
  return (left + kMillisecondsPerMinute - 1) / kMillisecondsPerMinute;
}

std::wstring CountdownLine(const CountdownState& countdown, std::uint64_t now, const TipTexts& texts) {
  if (countdown.dwTimerDeadline == kNoCountdownDeadline) return {};
  const std::uint64_t left = MinutesLeft(countdown.dwTimerDeadline, now);
  const std::wstring period = std::to_wstring(countdown.nTimerMinute);
  switch (countdown.nTimerMode) {
    case IDC_TIMER_ONCE:
      return left == 0 ? texts.timerOnceLast : FillTemplate(texts.timerOnce, std::to_wstring(left));
    case IDC_TIMER_REPEAT:
      return left == 0 ? FillTemplate(texts.timerRepeatLast, period)
                       : FillTemplate(texts.timerRepeat, period, std::to_wstring(left));
    default:
      return {};
  }
}

std::wstring AlarmLine(const AlarmState& alarm, const TipTexts& texts) {
  if (alarm.nAlarmHour > 23 || alarm.nAlarmMinute > 59) return {};  // never rings
  const std::wstring time = ClockTimeText(static_cast<int>(alarm.nAlarmHour), static_cast<int>(alarm.nAlarmMinute));
  switch (alarm.nAlarmMode) {
    case IDC_ALARM_ONCE:
      return FillTemplate(texts.alarmOnce, time);
    case IDC_ALARM_REPEAT:
      return FillTemplate(texts.alarmDaily, time);
    case IDC_ALARM_WEEKDAYS:
      return FillTemplate(texts.alarmWeekdays, time);
    default:
      return {};
  }
}

}  // namespace

std::wstring ComposeTrayTip(const std::wstring& head, const ArmedEvents& armed, const TipTexts& texts) {
  std::wstring tip = head.substr(0, kTipCharacters);
  const std::wstring snooze = armed.snooze.qwSnoozeDeadline == kNoCountdownDeadline
                                  ? std::wstring()
                                  : FillTemplate(texts.snooze, ClockTimeText(armed.snooze.nSnoozeHour,
                                                                             armed.snooze.nSnoozeMinute));
  const std::wstring muted = armed.muted ? texts.muted : std::wstring();
  for (const std::wstring& line :
       {muted, CountdownLine(armed.countdown, armed.now, texts), AlarmLine(armed.alarm, texts), snooze}) {
    if (line.empty() || tip.size() + 1 + line.size() > kTipCharacters) continue;
    tip += L'\n';
    tip += line;
  }
  return tip;
}
