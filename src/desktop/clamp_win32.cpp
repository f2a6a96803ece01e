#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "desktop/figure_place.h"
#include "desktop/placement_win32.h"
#include "desktop/screen_clamp.h"

namespace {

ScreenRect FromRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// Each monitor's whole rectangle, the primary one first so that it wins a
// tie; the task bar is not taken off.
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM param) {
  auto* monitors = reinterpret_cast<std::vector<ScreenRect>*>(param);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;  // gone since it was listed
  if (info.dwFlags & MONITORINFOF_PRIMARY) monitors->insert(monitors->begin(), FromRect(info.rcMonitor));
  else monitors->push_back(FromRect(info.rcMonitor));
  return TRUE;
}

std::vector<ScreenRect> ListMonitors() {
  std::vector<ScreenRect> monitors;
  (void)EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) monitors.push_back({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)});
  return monitors;
}

}  // namespace

int ClampToScreen(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const ClampedCorner corner = ClampToMonitors(FromRect(rc), ListMonitors());
  // Moved every time, also when nothing changed; never activated by it.
  SetWindowPos(hwnd, nullptr, corner.left, corner.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  return 1;
}

POINT FirstFigurePlace(int width, int height) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info)) {
    SetRect(&info.rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    info.rcWork = info.rcMonitor;
  }
  const ScreenRect work = FromRect(info.rcWork);
  // The shell names its bar's edge also when the bar hides itself and takes
  // nothing off the work area; a bar it places elsewhere does not count.
  TaskbarEdge edge = TaskbarEdgeFrom(FromRect(info.rcMonitor), work);
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
