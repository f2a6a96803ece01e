#include "clockface/clockface_win32.h"

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/draw_hands_win32.h"
#include "events/events_win32.h"

// Draws onto a fresh copy of MascotBitmap and puts it on the window in one
// copy, so the window is never erased and nothing flickers.
int RepaintClock(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC windowDc = BeginPaint(hwnd, &ps);
  SYSTEMTIME now;
  if (g_state.hbmMascot == nullptr || windowDc == nullptr) {
    g_system.localTime(&now);
  } else {
    const int width = g_state.nWindowWidth;
    const int height = g_state.nWindowHeight;
    HDC canvasDc = CreateCompatibleDC(windowDc);
    HBITMAP canvas = CreateCompatibleBitmap(windowDc, width, height);
    HGDIOBJ previousCanvas = SelectObject(canvasDc, canvas);
    HDC mascotDc = CreateCompatibleDC(windowDc);
    HGDIOBJ previousMascot = SelectObject(mascotDc, g_state.hbmMascot);
    BitBlt(canvasDc, 0, 0, width, height, mascotDc, 0, 0, SRCCOPY);
    SelectObject(mascotDc, previousMascot);
    DeleteDC(mascotDc);

    g_system.localTime(&now);
    const bool active = GetForegroundWindow() == hwnd;
    DrawClockHands(canvasDc, g_state.xClockCenter, g_state.yClockCenter, g_state.dScale, g_state.nSize, now.wHour,
                   now.wMinute, now.wSecond, active);

    BitBlt(windowDc, 0, 0, width, height, canvasDc, 0, 0, SRCCOPY);
    SelectObject(canvasDc, previousCanvas);
    DeleteObject(canvas);
    DeleteDC(canvasDc);
  }
  EndPaint(hwnd, &ps);
  RunRepaintChecks(hwnd, now.wHour, now.wMinute, now.wDay);
  return 1;
}
