#include "dialog/alarm_dialog_rules.h"

#include "resource.h"

DialogAction ActionOfCommand(int controlId) {
  switch (controlId) {
    case 1:  // IDOK: the start button
      return {DialogActionKind::kStart, SoundField::kTimer};
    case 2:  // IDCANCEL: the close button and the Escape key
      return {DialogActionKind::kClose, SoundField::kTimer};
    case IDC_TIMER_STOP:
    case IDC_TIMER_ONCE:
    case IDC_TIMER_REPEAT:
      return {DialogActionKind::kTimerMode, SoundField::kTimer};
    case IDC_ALARM_ADD:
      return {DialogActionKind::kAddAlarm, SoundField::kTimer};
    case IDC_ALARM_EDIT:
      return {DialogActionKind::kEditAlarm, SoundField::kTimer};
    case IDC_ALARM_DELETE:
      return {DialogActionKind::kDeleteAlarm, SoundField::kTimer};
    case IDC_OCLOCK_OFF:
    case IDC_OCLOCK_ON:
      return {DialogActionKind::kOClockMode, SoundField::kOClock};
    case IDC_OCLOCK_CHANGECHARA:
      return {DialogActionKind::kChangeChara, SoundField::kOClock};
    case IDC_TIMER_SOUND:
      return {DialogActionKind::kChooseSound, SoundField::kTimer};
    case IDC_OCLOCK_SOUND:
      return {DialogActionKind::kChooseSound, SoundField::kOClock};
    case IDC_TIMER_PLAY:
      return {DialogActionKind::kPlaySound, SoundField::kTimer};
    case IDC_OCLOCK_PLAY:
      return {DialogActionKind::kPlaySound, SoundField::kOClock};
    default:
      return {DialogActionKind::kNone, SoundField::kTimer};
  }
}

namespace {

// The value of a half-width or full-width decimal digit; -1 for anything else.
int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= 0xFF10 && c <= 0xFF19) return c - 0xFF10;
  return -1;
}

}  // namespace

unsigned ReadUnsignedDecimal(const wchar_t* text) {
  while (*text == L' ') ++text;
  if (DigitValue(*text) < 0) return 0;
  std::uint64_t value = 0;
  for (int digit; (digit = DigitValue(*text)) >= 0; ++text) {
    value = value * 10 + static_cast<unsigned>(digit);
    if (value > UINT32_MAX) return 0;
  }
  return static_cast<unsigned>(value);
}

std::uint64_t CountdownDeadline(std::uint64_t now, unsigned minutes) {
  constexpr std::uint64_t kLatest = UINT64_MAX - 1;  // UINT64_MAX means "none"
  const std::uint64_t length = static_cast<std::uint64_t>(minutes) * 60000u;  // < 2^48
  return now > kLatest - length ? kLatest : now + length;
}

void SplitChooserFilter(wchar_t* text) {
  for (; *text != L'\0'; ++text) {
    if (*text == L'|') *text = L'\0';
  }
}

bool CanAddAlarm(int count) { return count < kMaxAlarms; }
bool CanDeleteAlarm(int count) { return count > 1; }

AlarmList DeleteAlarm(const AlarmList& alarms, int& count, int index) {
  if (index < 0 || index >= count || !CanDeleteAlarm(count)) return alarms;
  AlarmList next = alarms;
  for (int i = index; i + 1 < count; ++i) next[i] = alarms[i + 1];
  next[count - 1] = DefaultAlarm(alarms[count - 1].szAlarmSound);
  --count;
  return next;
}

std::wstring RepeatText(const Alarm& alarm, const RepeatTexts& texts) {
  switch (IsAlarmRepeat(alarm.nAlarmMode) ? alarm.nAlarmMode : alarm.nAlarmRepeat) {
    case IDC_ALARM_ONCE:
      return texts.once;
    case IDC_ALARM_WEEKDAYS:
      return texts.weekdays;
    case IDC_ALARM_DAYS: {
      std::wstring days;
      for (int day = 0; day < 7; ++day) {
        if ((alarm.nAlarmDays >> day & 1u) == 0) continue;
        if (!days.empty()) days += L' ';
        days += texts.days[static_cast<std::size_t>(day)];
      }
      return days;
    }
    default:
      return texts.daily;
  }
}

int RepeatButtonOf(int repeat) {
  switch (repeat) {
    case IDC_ALARM_ONCE:
      return IDC_EDIT_ONCE;
    case IDC_ALARM_WEEKDAYS:
      return IDC_EDIT_WEEKDAYS;
    case IDC_ALARM_DAYS:
      return IDC_EDIT_DAYS;
    default:
      return IDC_EDIT_DAILY;
  }
}

int RepeatOfButton(int button) {
  switch (button) {
    case IDC_EDIT_ONCE:
      return IDC_ALARM_ONCE;
    case IDC_EDIT_WEEKDAYS:
      return IDC_ALARM_WEEKDAYS;
    case IDC_EDIT_DAYS:
      return IDC_ALARM_DAYS;
    default:
      return IDC_ALARM_REPEAT;
  }
}
