// Small text rules shared by the event messages and the tray tip.
#ifndef TAVELIN_EVENTS_EVENT_TEXT_H
#define TAVELIN_EVENTS_EVENT_TEXT_H

#include <string>

// "H:MM", as the tip and the missed alarm's message show a time.
std::wstring ClockTimeText(int hour, int minute);

// Replaces %1 and %2 in `format` by `first` and `second`.
std::wstring FillTemplate(const std::wstring& format, const std::wstring& first, const std::wstring& second = {});

#endif
