#include "desktop/manners_win32.h"

#include <dwmapi.h>
#include <shellapi.h>

#include <utility>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "desktop/full_screen.h"
#include "desktop/tray_win32.h"
#include "desktop/window_look.h"
#include "shared/screen_rect_win32.h"

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

#ifndef DWMWA_CLOAKED
#define DWMWA_CLOAKED 14
#endif

// The walk down the stacking order on the figure's monitor.
struct StackWalk {
  HWND clock;
  HWND foreground;
  HWND desktop;
  HWND shell;
  ScreenRect monitor;
  std::vector<StackedWindow> stack;
};

// Windows 10 and 11 keep the windows of other virtual desktops and of
// suspended apps visible but cloaked; before Windows 8 there is no such state.
bool IsCloaked(HWND hwnd) {
  DWORD cloaked = 0;
  return SUCCEEDED(DwmGetWindowAttribute(hwnd, DWMWA_CLOAKED, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// Takes the visible top-level windows from the top down, as EnumWindows
// gives them, and stops at the first that the rule does not look past.
BOOL CALLBACK VisitStackedWindow(HWND hwnd, LPARAM lParam) {
  auto* walk = reinterpret_cast<StackWalk*>(lParam);
  RECT rc{};
  if (!IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &rc)) return TRUE;
  StackedWindow window;
  window.rect = ToScreenRect(rc);
  window.isClock = GetAncestor(hwnd, GA_ROOTOWNER) == walk->clock;
  window.isDesktop = hwnd == walk->desktop || hwnd == walk->shell;
  window.isMinimized = IsIconic(hwnd) != FALSE;
  if (LooksPast(window, walk->monitor)) return TRUE;  // asked no more of it
  char className[64] = "";
  (void)GetClassNameA(hwnd, className, sizeof className);
  window.className = className;
  window.isCloaked = IsCloaked(hwnd);
  window.isForeground = hwnd == walk->foreground;
  window.hasCaption = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  walk->stack.push_back(std::move(window));
  return LooksPast(walk->stack.back(), walk->monitor) ? TRUE : FALSE;
}

// The monitor that holds the window (or the nearest), looked up again only
// when the window has moved or the displays changed: asking the system costs
// more than the rest of the tick.
ScreenRect MonitorOf(HWND hwnd) {
  RECT window{};
  (void)GetWindowRect(hwnd, &window);
  if (IsRectEmpty(&g_state.rcMonitorFor) || !EqualRect(&window, &g_state.rcMonitorFor)) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info)) {
      g_state.rcMonitor = info.rcMonitor;
    } else {
      g_state.rcMonitor = PrimaryScreenRect();
    }
    g_state.rcMonitorFor = window;
  }
  return ToScreenRect(g_state.rcMonitor);
}

// The shell's word on exclusive Direct3D programs and busy full screens;
// where it cannot say, the stacking order alone decides.
NotificationState QueryNotificationState() {
  QUERY_USER_NOTIFICATION_STATE state{};
  if (FAILED(SHQueryUserNotificationState(&state))) return NotificationState::kUnknown;
  return static_cast<NotificationState>(state);
}

void Mark(UINT command, bool on) {
  CheckMenuItem(g_state.hMenuPopup, command, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

void ApplyWindowLook(HWND hwnd) {
  const WindowLook look = LookFor(g_state.fSoftFigure != 0, g_state.nOpacity, g_state.fClickThrough != 0);
  const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_EXSTYLE);
  LONG_PTR wanted = style & ~static_cast<LONG_PTR>(WS_EX_LAYERED | WS_EX_TRANSPARENT);
  if (look.layering != WindowLayering::kNone) wanted |= WS_EX_LAYERED;
  if (look.clickThrough) wanted |= WS_EX_TRANSPARENT;
  const auto previous = static_cast<WindowLayering>(g_state.nWindowLayering);
  if (ClearLayeringFirst((style & WS_EX_LAYERED) != 0, previous, look.layering)) {
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
  if (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) != wanted) SetWindowLongPtrA(hwnd, GWL_EXSTYLE, wanted);
  g_state.nWindowLayering = static_cast<int>(look.layering);
  // A keyed figure keeps its region and its pixels; the system lays the one
  // alpha over them. A soft figure takes it in its own blend when presented.
  if (look.layering == WindowLayering::kConstantAlpha) (void)SetLayeredWindowAttributes(hwnd, 0, look.alpha, LWA_ALPHA);
}

void ChangeWindowLook(HWND hwnd) {
  ApplyWindowLook(hwnd);
  if (g_state.hbmMascot == nullptr) return;
  // A window whose layering changed shows nothing it was not given again.
  if (g_state.fSoftFigure) (void)PresentSoftFigure(hwnd);
  else InvalidateRect(hwnd, nullptr, FALSE);
}

namespace {

// Whether a full-screen program covers the figure's monitor.
bool FullScreenOnFiguresMonitor(HWND hwnd) {
  StackWalk walk{hwnd, GetForegroundWindow(), GetDesktopWindow(), GetShellWindow(), MonitorOf(hwnd), {}};
  (void)EnumWindows(VisitStackedWindow, reinterpret_cast<LPARAM>(&walk));
  const NotificationState state = QueryNotificationState();
  const bool foregroundHere = state == NotificationState::kDirect3DFullScreen && walk.foreground != nullptr &&
                              MonitorFromWindow(walk.foreground, MONITOR_DEFAULTTONEAREST) ==
                                  MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
  return FullScreenInFront(walk.stack, walk.monitor, state, foregroundHere);
}

}  // namespace

void AsideCheck(HWND hwnd) {
  const bool inFront = g_state.fAsideFullScreen != 0 && FullScreenOnFiguresMonitor(hwnd);
  const AsideStep step = StepAside(g_state.fAsideFullScreen, g_state.fTopMost, g_state.fAside, inFront);
  g_state.fAside = step.fAside;
  // Without activation: the program in front stays in front.
  switch (step.action) {
    case AsideAction::kToBottom:
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace);
      break;
    case AsideAction::kBackOnTop:
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
      break;
    case AsideAction::kNone:
      break;
  }
}

void ForgetMonitor() { SetRectEmpty(&g_state.rcMonitorFor); }

bool HideOnMouseRests() { return g_state.fAside != 0 || g_state.fClickThrough != 0; }

void ToggleMute(HWND hwnd) {
  g_state.fMute = !g_state.fMute;
  if (g_state.fMute) (void)g_system.playSound(nullptr, 0, 0);  // an alarm's loop ends at once
  MarkMannersMenu();
  RefreshTrayTip(hwnd);
}

void MarkMannersMenu() {
  Mark(IDM_ASIDEFULLSCREEN, g_state.fAsideFullScreen != 0);
  Mark(IDM_CLICKTHROUGH, g_state.fClickThrough != 0);
  Mark(IDM_MUTE, g_state.fMute != 0);
  // Item by item: the group's commands do not rise down the menu, as a
  // range of CheckMenuRadioItem would want them to.
  const int shown = NearestOpacity(g_state.nOpacity);
  for (int percent : kOpacities) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE;
    item.fType = MFT_STRING | MFT_RADIOCHECK;
    item.fState = percent == shown ? MFS_CHECKED : MFS_UNCHECKED;
    (void)SetMenuItemInfoW(g_state.hMenuPopup, static_cast<UINT>(IDM_OPACITY_BASE + percent), FALSE, &item);
  }
}
