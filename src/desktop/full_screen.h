// Out of the way of full-screen programs: whether a program fills the
// monitor that holds the figure, and where the figure stands meanwhile.
#ifndef TAVELIN_DESKTOP_FULL_SCREEN_H
#define TAVELIN_DESKTOP_FULL_SCREEN_H

#include <string>

#include "desktop/screen_clamp.h"

// The foreground window as the system reports it.
struct ForegroundWindow {
  bool exists = false;      // there is a foreground window at all
  bool isClock = false;     // the clock's own window
  bool isDesktop = false;   // the desktop window or the shell's window
  bool hasCaption = false;  // a title bar: a window at work, maximized, not a full screen
  std::string className;    // its window class, as the system names it
  ScreenRect rect{};        // its whole rectangle in screen pixels
};

// What the shell says of the user's notification state
// (SHQueryUserNotificationState), numbered as the system numbers it; 0 when
// it could not be asked.
enum class NotificationState {
  kUnknown = 0,
  kNotPresent = 1,
  kBusy = 2,
  kDirect3DFullScreen = 3,
  kPresentation = 4,
  kAcceptsNotifications = 5,
  kQuietTime = 6,
  kApp = 7,
};

// Whether a window of this class belongs to the shell's desktop or task bar,
// which cover the whole monitor without being a program in front.
bool IsShellWindowClass(const std::string& className);

// Whether a full-screen program is in front of the figure on `monitor`: the
// foreground window covers that whole monitor (and is neither the desktop,
// the shell nor the clock, nor a window with a title bar, such as one
// maximized while the task bar hides, unless the system says it is busy with
// a full-screen program), or the system reports a presentation or a
// full-screen Direct3D program.
bool FullScreenInFront(const ForegroundWindow& foreground, const ScreenRect& monitor, NotificationState state);

enum class AsideAction {
  kNone,
  kToBottom,   // out of the top-most band, to the very bottom
  kBackOnTop,  // back into the top-most band
};

struct AsideStep {
  int fAside;  // 1 while the clock stands aside
  AsideAction action;
};

// One tick of the rule: while the item is on and a full-screen program is in
// front, the clock stands aside, and a top-most figure leaves the top-most
// band for the bottom; when that ends it comes back.
AsideStep StepAside(int fAsideFullScreen, int fTopMost, int fAside, bool fullScreenInFront);

#endif
