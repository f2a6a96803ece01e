// Time of one repaint of the clock window (figure copy, hands, copy to the
// window, repaint checks) for a demo-sized and a large figure.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/clock_state_win32.h"
#include "support/clock_fixture.h"

#include "bench_clock.h"

namespace {

HBITMAP MakeFigure(int width, int height) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  // Stripes, so the copy moves varied pixels.
  for (int y = 0; y < height; y += 8) {
    HBRUSH brush = CreateSolidBrush(RGB((y * 3) & 0xFF, 128, (y * 7) & 0xFF));
    RECT band{0, y, width, std::min(height, y + 8)};
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Run(HWND hwnd, const char* name, int width, int height, double scale, int repeats) {
  if (g_state.hbmMascot != nullptr) DeleteObject(g_state.hbmMascot);
  g_state.hbmMascot = MakeFigure(width, height);
  g_state.nWindowWidth = width;
  g_state.nWindowHeight = height;
  g_state.xClockCenter = width / 2;
  g_state.yClockCenter = height / 3;
  g_state.dScale = scale;
  g_state.nSize = scale < 1.0 ? IDM_SIZE_SMALL : IDM_SIZE_NORMAL;
  SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_SHOWWINDOW);
  SetForegroundWindow(hwnd);
  PumpMessages();

  for (int i = 0; i < 20; ++i) {
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
  }
  std::vector<double> times;
  times.reserve(repeats);
  for (int i = 0; i < repeats; ++i) {
    LARGE_INTEGER start, end;
    InvalidateRect(hwnd, nullptr, FALSE);
    QueryPerformanceCounter(&start);
    UpdateWindow(hwnd);
    QueryPerformanceCounter(&end);
    times.push_back(Milliseconds(start, end));
    if (i % 50 == 0) PumpMessages(5);  // let ticks and the display's events through
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double t : times) sum += t;
  std::printf("%-6s %4dx%-4d  repaints %4d  mean %.3f ms  median %.3f ms  p95 %.3f ms  min %.3f ms\n", name,
              width, height, repeats, sum / repeats, times[times.size() / 2], times[times.size() * 95 / 100],
              times.front());
}

}  // namespace

int main() {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  HWND hwnd = StartQuietClock();
  if (hwnd == nullptr) return 1;
  Run(hwnd, "demo", 250, 350, 1.0, 1000);
  Run(hwnd, "demo", 175, 245, 0.7, 1000);
  Run(hwnd, "large", 1000, 1400, 1.0, 200);
  CloseClock(hwnd);
  return 0;
}
