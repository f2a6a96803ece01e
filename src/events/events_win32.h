// The time events: countdown timer, daily alarm and hourly chime.
#ifndef TAVELIN_EVENTS_EVENTS_WIN32_H
#define TAVELIN_EVENTS_EVENTS_WIN32_H

#include <windows.h>

// At start: no snooze, no sleep seen yet.
void ResetTimeEvents();

// The tick's time checks, first step of every clock tick: a resume from sleep
// if the tick comes long after the one before, the countdown, the snooze,
// and the tray tip that tells what is armed.
void CheckCountdown(HWND hwnd);

// The system's resume message, handled as a tick after a sleep would be
// (once for one wake, whichever of the two comes first).
void OnPowerResume(HWND hwnd);

// A resume from sleep, if any, then the alarm check and the hourly check,
// with the time the repaint read.
void RunRepaintChecks(HWND hwnd, int hour, int minute, int day);

// Alarms ringing: whether one rings; and what the alarm's message does, for
// any other way of answering it: stop the sound and end the ringing, and
// put the ringing alarms off by `minutes` (1 to 60).
bool AlarmsRinging();
void StopRinging(HWND hwnd);
// The ringing's sound alone stops (its ten minutes are up); its message stays.
void StopRingingSound(HWND hwnd);
void SnoozeRinging(HWND hwnd, unsigned minutes);

#endif
