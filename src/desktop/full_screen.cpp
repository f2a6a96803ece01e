#include "desktop/full_screen.h"

bool IsShellWindowClass(const std::string& className) {
  // The desktop's icon view and the wallpaper's worker behind it, and the
  // task bars of the primary and the other monitors.
  for (const char* shell : {"Progman", "WorkerW", "Shell_TrayWnd", "Shell_SecondaryTrayWnd"}) {
    if (className == shell) return true;
  }
  return false;
}

bool FullScreenInFront(const ForegroundWindow& foreground, const ScreenRect& monitor, NotificationState state) {
  if (state == NotificationState::kPresentation || state == NotificationState::kDirect3DFullScreen) return true;
  if (!foreground.exists || foreground.isClock || foreground.isDesktop) return false;
  // A title bar marks a window at work, maximized over a hidden task bar;
  // unless the shell itself says a full-screen program runs (some keep the
  // title bar's style bits while they fill the screen).
  if (foreground.hasCaption && state != NotificationState::kBusy) return false;
  if (IsShellWindowClass(foreground.className)) return false;
  const ScreenRect& r = foreground.rect;
  return r.left <= monitor.left && r.top <= monitor.top && r.right >= monitor.right && r.bottom >= monitor.bottom;
}

AsideStep StepAside(int fAsideFullScreen, int fTopMost, int fAside, bool fullScreenInFront) {
  const bool aside = fAside != 0;
  const bool wanted = fAsideFullScreen != 0 && fullScreenInFront;
  if (wanted == aside) return {aside ? 1 : 0, AsideAction::kNone};
  // A figure already at the bottom has nowhere to go, and stays there.
  if (fTopMost == 0) return {wanted ? 1 : 0, AsideAction::kNone};
  return {wanted ? 1 : 0, wanted ? AsideAction::kToBottom : AsideAction::kBackOnTop};
}
