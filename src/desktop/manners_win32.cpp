#include "desktop/manners_win32.h"

#include <shellapi.h>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "desktop/full_screen.h"
#include "desktop/tray_win32.h"
#include "desktop/window_look.h"

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

ScreenRect FromRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

ForegroundWindow ReadForeground(HWND clock) {
  ForegroundWindow facts;
  HWND foreground = GetForegroundWindow();
  if (foreground == nullptr) return facts;
  facts.exists = true;
  facts.isClock = foreground == clock;
  facts.isDesktop = foreground == GetDesktopWindow() || foreground == GetShellWindow();
  facts.hasCaption = (GetWindowLongPtrA(foreground, GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
  char className[64] = "";
  (void)GetClassNameA(foreground, className, sizeof className);
  facts.className = className;
  RECT rc{};
  if (GetWindowRect(foreground, &rc)) facts.rect = FromRect(rc);
  return facts;
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
      SetRect(&g_state.rcMonitor, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }
    g_state.rcMonitorFor = window;
  }
  return FromRect(g_state.rcMonitor);
}

// The shell's word on presentations and exclusive Direct3D programs; where
// it cannot say, the foreground window's rectangle alone decides.
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
  // A window given its alpha once (SetLayeredWindowAttributes) takes no
  // picture of its own (UpdateLayeredWindow) until its layering is cleared
  // and set again; so the style is cleared at every change of the way.
  const auto previous = static_cast<WindowLayering>(g_state.nWindowLayering);
  if ((style & WS_EX_LAYERED) != 0 && previous != look.layering) {
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, style & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
  }
  if (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) != wanted) SetWindowLongPtrA(hwnd, GWL_EXSTYLE, wanted);
  g_state.nWindowLayering = static_cast<int>(look.layering);
  // A keyed figure keeps its region and its pixels; the system lays the one
  // alpha over them. A soft figure takes it in its own blend when presented.
  if (look.layering == WindowLayering::kConstantAlpha) (void)SetLayeredWindowAttributes(hwnd, 0, look.alpha, LWA_ALPHA);

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

void ChangeWindowLook(HWND hwnd) {
  ApplyWindowLook(hwnd);
  if (g_state.hbmMascot == nullptr) return;
  // A window whose layering changed shows nothing it was not given again.
  if (g_state.fSoftFigure) (void)PresentSoftFigure(hwnd);
  else InvalidateRect(hwnd, nullptr, FALSE);
}

void AsideCheck(HWND hwnd) {
  const bool inFront = g_state.fAsideFullScreen != 0 &&
                       FullScreenInFront(ReadForeground(hwnd), MonitorOf(hwnd), QueryNotificationState());
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
}
