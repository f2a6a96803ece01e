// The tray icon's tip: the character's name first, a line saying the clock
// is muted, then a line for the countdown and one for the next alarm to ring
// (or the snooze that rings next).
#ifndef TAVELIN_DESKTOP_TRAY_TIP_H
#define TAVELIN_DESKTOP_TRAY_TIP_H

#include <cstddef>
#include <cstdint>
#include <string>

#include <array>

#include "events/alarms.h"
#include "events/event_text.h"
#include "events/time_checks.h"

// The wide record's tip holds 128 characters with the closing NUL.
constexpr std::size_t kTipCharacters = 127;

// The lines' templates, from the string table in the user's language; %1 and
// %2 stand for the numbers or the time.
struct TipTexts {
  std::wstring timerOnce;        // %1 minutes left
  std::wstring timerOnceLast;    // less than a minute left
  std::wstring timerRepeat;      // every %1 minutes, %2 to the next sound
  std::wstring timerRepeatLast;  // every %1 minutes, less than one to the next
  std::wstring nextAlarm;        // %1 the day and time, %2 the label
  std::wstring snooze;           // %1 the time it rings, %2 the label
  std::wstring muted;            // no sound plays
  std::array<std::wstring, 7> days;  // short names, Sunday first
};

struct ArmedEvents {
  CountdownState countdown;
  std::uint64_t now;  // the tick the countdown's minutes count from
  NextAlarm next;          // the next alarm to ring, if any
  std::wstring nextLabel;  // its label
  bool muted = false;
};

// The tip: `head` ("Tavelin" or "Tavelin - name"), the muted line while the
// clock is muted, and a line per armed event.
// Never longer than kTipCharacters: lines that would not fit whole are left off.
std::wstring ComposeTrayTip(const std::wstring& head, const ArmedEvents& armed, const TipTexts& texts);

#endif
