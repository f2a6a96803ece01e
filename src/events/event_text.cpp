#include "events/event_text.h"

std::wstring ClockTimeText(int hour, int minute) {
  std::wstring text = std::to_wstring(hour) + L":";
  if (minute < 10) text += L'0';
  return text + std::to_wstring(minute);
}

std::wstring FillTemplate(const std::wstring& format, const std::wstring& first, const std::wstring& second) {
  std::wstring text;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == L'%' && i + 1 < format.size() && (format[i + 1] == L'1' || format[i + 1] == L'2')) {
      text += format[i + 1] == L'1' ? first : second;
      ++i;
    } else {
      text += format[i];
    }
  }
  return text;
}
