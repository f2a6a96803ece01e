#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "desktop/figure_place.h"
#include "desktop/placement_win32.h"
#include "desktop/screen_clamp.h"
#include "shared/screen_rect_win32.h"

namespace {

// Each monitor's whole rectangle, the primary one first so that it wins a
// tie; the task bar is not taken off.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* monitors = reinterpret_cast<std::vector<ScreenRect>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;  // gone since it was listed
  if (info.dwFlags & MONITORINFOF_PRIMARY) monitors->insert(monitors->begin(), ToScreenRect(info.rcMonitor));
  else monitors->push_back(ToScreenRect(info.rcMonitor));
  return TRUE;
}

std::vector<ScreenRect> ListMonitors() {
  std::vector<ScreenRect> monitors;
  (void)EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back(ToScreenRect(PrimaryScreenRect()));
  return monitors;
}

}  // namespace

int ClampToScreen(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const ClampedCorner corner = ClampToMonitors(ToScreenRect(rc), ListMonitors());
  // Moved every time, also when nothing changed; never activated by it.
  SetWindowPos(hwnd, nullptr, corner.left, corner.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  return 1;
}

POINT FirstFigurePlace(int width, int height) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
    info.rcMonitor = PrimaryScreenRect();
    info.rcWork = info.rcMonitor;
  }
  const ScreenRect work = ToScreenRect(info.rcWork);
  // The shell names its bar's edge also when the bar hides itself and takes
  // nothing off the work area; a bar it places elsewhere does not count.
  TaskbarEdge edge = TaskbarEdgeFrom(ToScreenRect(info.rcMonitor), work);
  APPBARDATA bar{};
  bar.cbSize = sizeof bar;
  RECT common{};
  if (SHAppBarMessage(ABM_GETTASKBARPOS, &bar) && bar.uEdge <= ABE_BOTTOM &&
      IntersectRect(&common, &bar.rc, &info.rcMonitor)) {
    constexpr TaskbarEdge kEdges[] = {TaskbarEdge::kLeft, TaskbarEdge::kTop, TaskbarEdge::kRight, TaskbarEdge::kBottom};
    edge = kEdges[bar.uEdge];
  }
  const ClampedCorner corner = FirstFigureCorner(work, edge, width, height);
  return {corner.left, corner.top};
}
