#include "desktop/full_screen.h"

bool IsShellWindowClass(const std::string& className) {
  // The desktop's icon view and the wallpaper's worker behind it, and the
  // task bars of the primary and the other monitors.
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
    if (className == shell) return true;
  }
  return false;
}

bool LooksPast(const StackedWindow& window, const ScreenRect& monitor) {
  const ScreenRect& r = window.rect;
  const bool touches = r.left < monitor.right && r.right > monitor.left && r.top < monitor.bottom &&
                       r.bottom > monitor.top;
  return !touches || window.isClock || window.isDesktop || window.isMinimized || window.isCloaked ||
         IsShellWindowClass(window.className);
}

bool FullScreenInFront(const std::vector<StackedWindow>& stack, const ScreenRect& monitor, NotificationState state,
                       bool foregroundHere) {
  if (state == NotificationState::kDirect3DFullScreen && foregroundHere) return true;
  for (const StackedWindow& window : stack) {
    if (LooksPast(window, monitor)) continue;
    // A title bar marks a window at work, maximized over a hidden task bar;
    // unless the shell itself says a full-screen program runs (some keep
    // the title bar's style bits while they fill the screen).
    if (window.hasCaption && !(window.isForeground && state == NotificationState::kBusy)) return false;
    const ScreenRect& r = window.rect;
    return r.left <= monitor.left && r.top <= monitor.top && r.right >= monitor.right && r.bottom >= monitor.bottom;
  }
  return false;
}

AsideStep StepAside(int fAsideFullScreen, int fTopMost, int fAside, bool fullScreenInFront) {
  const bool aside = fAside != 0;
  const bool wanted = fAsideFullScreen != 0 && fullScreenInFront;
  if (wanted == aside) return {aside ? 1 : 0, AsideAction::kNone};
  // A figure already at the bottom has nowhere to go, and stays there.
  if (fTopMost == 0) return {wanted ? 1 : 0, AsideAction::kNone};
  return {wanted ? 1 : 0, wanted ? AsideAction::kToBottom : AsideAction::kBackOnTop};
}
