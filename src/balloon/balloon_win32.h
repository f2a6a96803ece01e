// The speech balloon's window: a layered, never-activated window owned by the
// clock, beside the figure, saying one message at a time.
#ifndef TAVELIN_BALLOON_BALLOON_WIN32_H
#define TAVELIN_BALLOON_BALLOON_WIN32_H

#include <windows.h>

#include "balloon/balloon_rules.h"

constexpr const wchar_t* kBalloonClassName = L"Tavelin_Balloon";

// Says `message` beside the figure of `clock`: at once, or after the
// balloons before it. Returns at once; never takes the keyboard.
void SayInBalloon(HWND clock, const BalloonMessage& message);

// The figure moved, changed size or stacking: the balloon follows it.
void FollowFigure(HWND clock);

// Whether an alarm rings in the balloon now (its sound not yet ended).
bool BalloonAlarmRings();

// The alarm's buttons, from the balloon or the tray menu: snooze or stop.
void AnswerBalloonAlarm(HWND clock, bool snooze);

// The menu item: toggles fBalloon and its mark.
void ToggleBalloon(HWND clock);

// Before the popup menu opens: the mark of fBalloon, and "Stop the alarm"
// and "Snooze" at its top while an alarm rings. After it closed, the two go.
void PrepareBalloonMenu(HMENU menu);
void RestoreBalloonMenu(HMENU menu);

// The clock closes: the balloon goes, and nothing waits any longer.
void DestroyBalloon();

// The balloon's window, null when none is shown.
HWND BalloonWindow();

// Where the pointer finds `button` of the shown balloon, in its window's
// pixels; empty when it has no such button.
RECT BalloonButtonRect(BalloonButton button);

#endif
