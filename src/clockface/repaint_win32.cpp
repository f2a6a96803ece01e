#include "clockface/clockface_win32.h"

#include <iterator>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/hands.h"
#include "events/events_win32.h"

namespace {

// One pen, made for this polyline and released after it.
void DrawPolyline(HDC dc, int width, std::uint32_t colour, const POINT* points, int count) {
  HPEN pen = CreatePen(PS_SOLID, width, static_cast<COLORREF>(colour));
  HGDIOBJ previous = SelectObject(dc, pen);
  MoveToEx(dc, points[0].x, points[0].y, nullptr);
  for (int i = 1; i < count; ++i) LineTo(dc, points[i].x, points[i].y);
  SelectObject(dc, previous);
  DeleteObject(pen);
}

POINT Shifted(HandPoint p, int offset) { return {p.x + offset, p.y + offset}; }

void DrawHands(HDC dc, const SYSTEMTIME& now, bool active) {
  const HandTips tips = ComputeHandTips(g_state.xClockCenter, g_state.yClockCenter, g_state.dScale, now.wHour,
                                        now.wMinute, now.wSecond);
  const HandPoint centre{g_state.xClockCenter, g_state.yClockCenter};
  const HandColours colours = HandPenColours(active);
  const int width = HandPenWidth(g_state.nSize);

  const POINT shadow[] = {Shifted(tips.hour, kShadowOffset), Shifted(centre, kShadowOffset),
                          Shifted(tips.minute, kShadowOffset)};
  DrawPolyline(dc, width, colours.shadow, shadow, static_cast<int>(std::size(shadow)));
  const POINT hands[] = {Shifted(tips.hour, 0), Shifted(centre, 0), Shifted(tips.minute, 0)};
  DrawPolyline(dc, width, colours.hands, hands, static_cast<int>(std::size(hands)));
  const POINT second[] = {Shifted(centre, 0), Shifted(tips.second, 0)};
  DrawPolyline(dc, 1, colours.second, second, static_cast<int>(std::size(second)));
}

}  // namespace

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
    DrawHands(canvasDc, now, active);

    BitBlt(windowDc, 0, 0, width, height, canvasDc, 0, 0, SRCCOPY);
    SelectObject(canvasDc, previousCanvas);
    DeleteObject(canvas);
    DeleteDC(canvasDc);
  }
  EndPaint(hwnd, &ps);
  RunRepaintChecks(hwnd, now.wHour, now.wMinute, now.wDay);
  return 1;
}
