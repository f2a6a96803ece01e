#include "dialog/alarm_dialog_rules.h"

#include "resource.h"

static_assert(kAlarmModeButtons[0] == IDC_ALARM_STOP && kAlarmModeButtons[1] == IDC_ALARM_ONCE &&
                  kAlarmModeButtons[2] == IDC_ALARM_REPEAT && kAlarmModeButtons[3] == IDC_ALARM_WEEKDAYS,
              "the alarm's buttons are its modes");

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
    case IDC_ALARM_STOP:
    case IDC_ALARM_ONCE:
    case IDC_ALARM_REPEAT:
    case IDC_ALARM_WEEKDAYS:
      return {DialogActionKind::kAlarmMode, SoundField::kAlarm};
    case IDC_OCLOCK_OFF:
    case IDC_OCLOCK_ON:
      return {DialogActionKind::kOClockMode, SoundField::kOClock};
    case IDC_OCLOCK_CHANGECHARA:
      return {DialogActionKind::kChangeChara, SoundField::kOClock};
    case IDC_TIMER_SOUND:
      return {DialogActionKind::kChooseSound, SoundField::kTimer};
    case IDC_ALARM_SOUND:
      return {DialogActionKind::kChooseSound, SoundField::kAlarm};
    case IDC_OCLOCK_SOUND:
      return {DialogActionKind::kChooseSound, SoundField::kOClock};
    case IDC_TIMER_PLAY:
      return {DialogActionKind::kPlaySound, SoundField::kTimer};
    case IDC_ALARM_PLAY:
      return {DialogActionKind::kPlaySound, SoundField::kAlarm};
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
