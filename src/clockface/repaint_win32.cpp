#include <windows.h>

#include <algorithm>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "clockface/hand_strokes.h"
#include "desktop/window_look.h"
#include "events/events_win32.h"
#include "life/life_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure_geometry.h"
#include "shared/gdi_handles_win32.h"

namespace {

// The DPI the figure was built for; the base DPI until one is built.
int FigureDpi() { return g_state.nDpi > 0 ? g_state.nDpi : kBaseDpi; }

bool IntersectWithWindow(RECT* rect) {
  const RECT window{0, 0, g_state.nWindowWidth, g_state.nWindowHeight};
  return IntersectRect(rect, rect, &window) != FALSE;
}

// The pixels of `frame` from (rect.left, rect.top) on, as the hands renderer takes them.
PixelView SubView(PixelView frame, const RECT& rect) {
  return {&frame.At(rect.left, rect.top), rect.right - rect.left, rect.bottom - rect.top, frame.stride};
}

void DrawHands(PixelView target, const RECT& rect, HandsSurface surface, const SYSTEMTIME& now, bool active) {
  RenderClockHands(target, rect.left, rect.top, surface, g_state.xClockCenter, g_state.yClockCenter,
                   g_state.dScale, g_state.nSize, now.wHour, now.wMinute, now.wSecond, active, FigureDpi());
}

// The rectangle `rect` of a keyed figure with the hands, drawn off screen from
// an untouched copy of MascotBitmap and put on the window in one copy.
void PaintKeyedRect(HDC windowDc, const RECT& rect, const SYSTEMTIME& now, bool active) {
  PixelView pixels;
  ScopedBitmap canvas(CreatePixelSection(rect.right - rect.left, rect.bottom - rect.top, &pixels));
  if (!canvas) return;
  ScopedMemoryDC canvasDc(windowDc);
  ScopedSelectObject selectCanvas(canvasDc.get(), canvas.get());
  {
    ScopedMemoryDC mascotDc(windowDc);
    ScopedSelectObject selectMascot(mascotDc.get(), g_state.hbmMascot);
    BitBlt(canvasDc.get(), 0, 0, pixels.width, pixels.height, mascotDc.get(), rect.left, rect.top, SRCCOPY);
  }
  GdiFlush();  // the copy is in the section's pixels before the hands go on them
  for (int y = 0; y < pixels.height; ++y) {
    Pixel* row = pixels.Row(y);
    for (int x = 0; x < pixels.width; ++x) row[x] &= 0x00FFFFFF;
  }
  DrawPoseOver(pixels, rect);
  DrawHands(pixels, rect, HandsSurface::kOpaque, now, active);
  BitBlt(windowDc, rect.left, rect.top, pixels.width, pixels.height, canvasDc.get(), 0, 0, SRCCOPY);
}

// Redraws `rect` of the soft window's picture from the untouched figure and
// hands it to the system; the whole picture when `rect` is the whole window.
bool PresentSoftRect(HWND hwnd, const RECT& rect, const SYSTEMTIME& now, bool active) {
  PixelView figure;
  PixelView frame;
  if (!SectionPixels(g_state.hbmMascot, &figure) || !SectionPixels(g_state.hbmFrame, &frame)) return false;
  for (int y = rect.top; y < rect.bottom; ++y) {
    std::copy_n(&figure.At(rect.left, y), rect.right - rect.left, &frame.At(rect.left, y));
  }
  DrawPoseOver(SubView(frame, rect), rect);
  DrawHands(SubView(frame, rect), rect, HandsSurface::kPremultiplied, now, active);

  ScopedMemoryDC frameDc(nullptr);
  ScopedSelectObject selectFrame(frameDc.get(), g_state.hbmFrame);
  SIZE size{frame.width, frame.height};
  POINT source{0, 0};
  // The opacity is laid over the figure's own alpha.
  BLENDFUNCTION blend{AC_SRC_OVER, 0, OpacityAlpha(g_state.nOpacity), AC_SRC_ALPHA};
  UPDATELAYEREDWINDOWINFO info{};
  info.cbSize = sizeof info;
  info.psize = &size;
  info.hdcSrc = frameDc.get();
  info.pptSrc = &source;
  info.pblend = &blend;
  info.dwFlags = ULW_ALPHA;
  info.prcDirty = &rect;
  return UpdateLayeredWindowIndirect(hwnd, &info) != FALSE;
}

bool IsActive(HWND hwnd) { return GetForegroundWindow() == hwnd; }

}  // namespace

RECT ClockFaceRect() {
  const HandsRect bounds = ClockHandsBounds(g_state.xClockCenter, g_state.yClockCenter, g_state.dScale, g_state.nSize,
                                             FigureDpi());
  RECT rect{bounds.left, bounds.top, bounds.right, bounds.bottom};
  if (!IntersectWithWindow(&rect)) SetRectEmpty(&rect);
  return rect;
}

// Draws onto a fresh copy of MascotBitmap and puts it on the window in one
// copy, so the window is never erased and nothing flickers. Only the part the
// system asks for is drawn: the whole figure after a load, what another window
// uncovered. The face's redraw each second does not come this way: the tick
// draws it itself.
int RepaintClock(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC windowDc = BeginPaint(hwnd, &ps);
  SYSTEMTIME now;
  g_system.localTime(&now);
  RECT rect = ps.rcPaint;
  if (g_state.hbmMascot != nullptr && windowDc != nullptr && !g_state.fSoftFigure && IntersectWithWindow(&rect)) {
    PaintKeyedRect(windowDc, rect, now, IsActive(hwnd));
  }
  EndPaint(hwnd, &ps);
  RunRepaintChecks(hwnd, now.wHour, now.wMinute, now.wDay);
  return 1;
}

namespace {

// The face is drawn here rather than asked of WM_PAINT: a layered window gets
// no WM_PAINT, and for a keyed one the invalidation and BeginPaint against a
// window region of thousands of rectangles cost far more than the drawing,
// while a window DC keeps its visible region from one second to the next.
void DrawClockFace(HWND hwnd, const SYSTEMTIME& now) {
  const RECT face = ClockFaceRect();
  if (IsRectEmpty(&face) || g_state.hbmMascot == nullptr) return;
  if (g_state.fSoftFigure) {
    PresentSoftRect(hwnd, face, now, IsActive(hwnd));
  } else if (HDC windowDc = GetDC(hwnd)) {
    PaintKeyedRect(windowDc, face, now, IsActive(hwnd));
    ReleaseDC(hwnd, windowDc);
  }
}

}  // namespace

void RedrawClockFace(HWND hwnd) {
  SYSTEMTIME now;
  g_system.localTime(&now);
  DrawClockFace(hwnd, now);
}

// The checks follow the picture, with the time its hands show.
int TickClockFace(HWND hwnd) {
  SYSTEMTIME now;
  g_system.localTime(&now);
  DrawClockFace(hwnd, now);
  RunRepaintChecks(hwnd, now.wHour, now.wMinute, now.wDay);
  return now.wHour;
}

// Drawn at once rather than invalidated, as the face is each second: under
// Wine a paint against a keyed figure's detailed outline cost a hundred
// times the drawing (187 ms for a large figure, measured).
void RedrawFigureRect(HWND hwnd, const RECT& rect) {
  RECT part = rect;
  if (!IntersectWithWindow(&part)) return;
  SYSTEMTIME now;
  g_system.localTime(&now);
  if (g_state.fSoftFigure) {
    PresentSoftRect(hwnd, part, now, IsActive(hwnd));
  } else if (HDC windowDc = GetDC(hwnd)) {
    PaintKeyedRect(windowDc, part, now, IsActive(hwnd));
    ReleaseDC(hwnd, windowDc);
  }
}

bool PresentSoftFigure(HWND hwnd) {
  SYSTEMTIME now;
  g_system.localTime(&now);
  const RECT whole{0, 0, g_state.nWindowWidth, g_state.nWindowHeight};
  return PresentSoftRect(hwnd, whole, now, IsActive(hwnd));
}
