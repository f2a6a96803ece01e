// The alarm settings dialog's decisions that need no window: what each
// control's command does, how a typed number reads, when the countdown falls
// due, the chooser's filter.
#ifndef TAVELIN_DIALOG_ALARM_DIALOG_RULES_H
#define TAVELIN_DIALOG_ALARM_DIALOG_RULES_H

#include <array>
#include <cstdint>
#include <string>

#include "events/alarms.h"

enum class DialogActionKind {
  kNone,
  kStart,        // store the numbers, (re)start a running mode's countdown, close
  kClose,        // store the numbers, close
  kTimerMode,    // the control's identifier becomes the mode
  kOClockMode,
  kChangeChara,  // the check box's new state
  kChooseSound,
  kPlaySound,
  kAddAlarm,
  kEditAlarm,
  kDeleteAlarm,
};

enum class SoundField { kTimer, kOClock };

struct DialogAction {
  DialogActionKind kind;
  SoundField sound;  // for kChooseSound and kPlaySound only
};

// What a command from the control `controlId` does; the notification code
// plays no part.
DialogAction ActionOfCommand(int controlId);

// An edit's number, read as the system reads a dialog item as an unsigned
// integer: leading spaces skipped, decimal digits up to the first other
// character. Full-width digits (U+FF10 to U+FF19, as a Japanese input method
// types them) count as the digits they show. No digits, or a value beyond
// 32 bits, reads as 0.
unsigned ReadUnsignedDecimal(const wchar_t* text);

// The tick at which a countdown of `minutes` started at `now` falls due.
// Never the "no deadline" value, however large the inputs.
std::uint64_t CountdownDeadline(std::uint64_t now, unsigned minutes);

// Turns the string table's "name|pattern|...|" into the chooser's list of
// NUL-terminated strings (the final '|' gives the closing NUL).
void SplitChooserFilter(wchar_t* text);

// The list of alarms: Add while fewer than eight, Delete while more than one.
bool CanAddAlarm(int count);
bool CanDeleteAlarm(int count);
// The list with alarm `index` taken out and the rest closed up; the count
// goes down by one.
AlarmList DeleteAlarm(const AlarmList& alarms, int& count, int index);

// The repeat as the list shows it: once, daily, weekdays, or the chosen
// days' short names ("Mon Wed Fri").
struct RepeatTexts {
  std::wstring once;
  std::wstring daily;
  std::wstring weekdays;
  std::array<std::wstring, 7> days;  // Sunday first
};
std::wstring RepeatText(const Alarm& alarm, const RepeatTexts& texts);

// The radio button of a repeat in the one-alarm dialog, and back.
int RepeatButtonOf(int repeat);
int RepeatOfButton(int button);

#endif
