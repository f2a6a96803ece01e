#include "clockface/clockface_win32.h"

#include "app/system_win32.h"
#include "events/events_win32.h"

int RepaintClock(HWND hwnd) {
  PAINTSTRUCT ps;
  BeginPaint(hwnd, &ps);
  SYSTEMTIME now;
  g_system.localTime(&now);
  EndPaint(hwnd, &ps);
  RunRepaintChecks(hwnd, now.wHour, now.wMinute, now.wDay);
  return 1;
}
