// The real pointer on Wine's X display, driven through xdotool, and other
// helpers of the tests that work a started Tavelin.exe from outside.
#ifndef TAVELIN_TESTS_WIN32_X_POINTER_H
#define TAVELIN_TESTS_WIN32_X_POINTER_H

#include <windows.h>

#include <string>

// A Unix path as Wine sees it (the Z: drive maps the Unix root).
std::string WindowsPath(std::string path);

// Runs xdotool with the given arguments and waits until it has finished.
// Starts a command line of /bin/sh on the Unix side: the file that tells it
// has ended, for WaitForUnixCommand (empty when it could not start).
std::string StartUnixCommand(const std::string& command);
// Waits up to timeoutMs for a started command to end.
bool WaitForUnixCommand(const std::string& done, unsigned timeoutMs);
// Both: false if the command could not start or did not end in time.
bool RunUnixCommand(const std::string& command, unsigned timeoutMs);

bool RunXdotool(const std::string& arguments);

// "x y" for an xdotool command.
std::string Xy(int x, int y);

bool RunningUnderWine();

// Copies Tavelin.exe (named by TAVELIN_EXE) into `folder`, which holds its
// Tavelin.ini, and starts it there as a user does: empty, or what went wrong.
std::string StartProgramIn(const std::string& folder, PROCESS_INFORMATION* process);
// Starts the Tavelin.exe already in `folder` there, as a user does; the wide
// path lets the folder have any name.
bool LaunchProgramIn(const std::wstring& folder, PROCESS_INFORMATION* process);
// Waits, dispatching this thread's messages, until the clock's window shows
// with a size: the window, its rectangle in `rc`; null when the time is up.
HWND WaitForShownClock(RECT* rc, DWORD maxMilliseconds);
// Asks the clock window to close, waits for the process (ending it after ten
// seconds) and closes its handles; nothing when it never started.
void StopProgram(HWND hwnd, PROCESS_INFORMATION* process);

// Waits, without pumping messages, until the predicate holds or the time is up.
template <typename Predicate>
bool WaitFor(Predicate done, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
  return true;
}

#endif
