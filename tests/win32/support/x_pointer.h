// The real pointer on Wine's X display, driven through xdotool, and other
// helpers of the tests that work a started Tavelin.exe from outside.
#ifndef TAVELIN_TESTS_WIN32_X_POINTER_H
#define TAVELIN_TESTS_WIN32_X_POINTER_H

#include <windows.h>

#include <string>

// A Unix path as Wine sees it (the Z: drive maps the Unix root).
std::string WindowsPath(std::string path);

// Runs xdotool with the given arguments and waits until it has finished.
bool RunXdotool(const std::string& arguments);

// "x y" for an xdotool command.
std::string Xy(int x, int y);

bool RunningUnderWine();

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
