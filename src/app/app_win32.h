// The program's spine: entry, start-up, shutdown and the window procedure.
#ifndef TAVELIN_APP_APP_WIN32_H
#define TAVELIN_APP_APP_WIN32_H

#include <windows.h>

constexpr const char* kClassName = "Tavelin_ClassName";
constexpr const char* kMutexName = "Tavelin_MutexName";
constexpr const char* kWindowTitle = "Tavelin";

// The whole program: single-instance guard, window, message loop. Returns 0.
int RunProgram(HINSTANCE instance, int showCommand);

// Registers the window class (once per process) and creates the clock window,
// which runs the initialisation. Returns null when either fails.
HWND CreateClockWindow(HINSTANCE instance);

// The start-up work done while the window is created; 1 on success.
int InitializeClock(HWND hwnd);
// Saves the settings and releases what the clock holds, before the window goes.
void ShutdownClock(HWND hwnd);

LRESULT CALLBACK ClockWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
