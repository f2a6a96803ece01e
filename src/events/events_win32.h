// The time events: countdown timer, daily alarm and hourly chime.
#ifndef TAVELIN_EVENTS_EVENTS_WIN32_H
#define TAVELIN_EVENTS_EVENTS_WIN32_H

#include <windows.h>

// The countdown check, first step of every clock tick.
void CheckCountdown(HWND hwnd);

// The alarm check and then the hourly check, with the time the repaint read.
void RunRepaintChecks(HWND hwnd, int hour, int minute, int day);

#endif
