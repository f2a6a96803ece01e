// The alarm settings dialog's decisions that need no window: what each
// control's command does, how a typed number reads, when the countdown falls
// due, the chooser's filter.
#ifndef TAVELIN_DIALOG_ALARM_DIALOG_RULES_H
#define TAVELIN_DIALOG_ALARM_DIALOG_RULES_H

#include <cstdint>

enum class DialogActionKind {
  kNone,
  kStart,        // store the numbers, (re)start a running mode's countdown, close
  kClose,        // store the numbers, close
  kTimerMode,    // the control's identifier becomes the mode
  kAlarmMode,
  kOClockMode,
  kChangeChara,  // the check box's new state
  kChooseSound,
  kPlaySound,
};

enum class SoundField { kTimer, kAlarm, kOClock };

struct DialogAction {
  DialogActionKind kind;
  SoundField sound;  // for kChooseSound and kPlaySound only
};

// The alarm's radio buttons in their order; the fourth (weekdays) was added
// later and its identifier does not follow the first three.
constexpr int kAlarmModeButtons[] = {1011, 1012, 1013, 1037};

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

#endif
