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

std::wstring AlarmLine(const NextAlarm& next, const std::wstring& label, const TipTexts& texts) {
  if (next.index < 0) return {};
  const std::wstring time = ClockTimeText(next.hour, next.minute);
  std::wstring line =
      next.snooze ? FillTemplate(texts.snooze, time, label)
                  : FillTemplate(texts.nextAlarm, texts.days[static_cast<std::size_t>(next.weekday % 7)] + L" " + time,
                                 label);
  while (!line.empty() && line.back() == L' ') line.pop_back();  // no label
  return line;
}

}  // namespace

std::wstring ComposeTrayTip(const std::wstring& head, const ArmedEvents& armed, const TipTexts& texts) {
  std::wstring tip = head.substr(0, kTipCharacters);
  const std::wstring muted = armed.muted ? texts.muted : std::wstring();
  auto add = [&tip](const std::wstring& line) {
    if (line.empty() || tip.size() + 1 + line.size() > kTipCharacters) return;
    tip += L'\n';
    tip += line;
  };
  add(muted);
  add(CountdownLine(armed.countdown, armed.now, texts));
  // A label too long for the room left is cut, so that the line still shows.
  std::wstring label = armed.nextLabel;
  std::wstring alarm = AlarmLine(armed.next, label, texts);
  const std::size_t room = kTipCharacters > tip.size() + 1 ? kTipCharacters - tip.size() - 1 : 0;
  if (alarm.size() > room && alarm.size() - room <= label.size()) {
    label.resize(label.size() - (alarm.size() - room));
    alarm = AlarmLine(armed.next, label, texts);
  }
  add(alarm);
  return tip;
}
