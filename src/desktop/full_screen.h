// Out of the way of full-screen programs: whether a program fills the
// monitor that holds the figure, and where the figure stands meanwhile.
#ifndef TAVELIN_DESKTOP_FULL_SCREEN_H
#define TAVELIN_DESKTOP_FULL_SCREEN_H

#include <string>
#include <vector>

#include "desktop/screen_clamp.h"

// A visible top-level window, as the walk down the stacking order on the
// figure's monitor finds it.
struct StackedWindow {
  bool isClock = false;       // one of the clock's own windows
  bool isDesktop = false;     // the desktop window or the shell's window
  bool isMinimized = false;
  bool isCloaked = false;     // kept off the screen: another virtual desktop, a suspended app
  bool isForeground = false;
  bool hasCaption = false;    // a title bar: a window at work, maximized, not a full screen
  std::string className;      // its window class, as the system names it
  ScreenRect rect{};          // its whole rectangle in screen pixels
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

// Whether the walk looks past this window to the ones beneath it on
// `monitor`: it does not touch the monitor, or it is the clock's own, the
// desktop's or the shell's, minimised or cloaked.
bool LooksPast(const StackedWindow& window, const ScreenRect& monitor);

// Whether a full-screen program is in front of the figure on `monitor`:
// `stack` holds the visible top-level windows from the top of the stacking
// order down (it may end at the first the walk does not look past). The
// figure's monitor is covered when the first window there that the walk does
// not look past covers it whole, whether or not it is the foreground window,
// and has no title bar (one maximized while the task bar hides), unless it is
// the foreground window and the shell says it is busy with a full-screen
// program. The shell's full-screen Direct3D state counts when the foreground
// window is on this monitor (`foregroundHere`); its presentation state alone
// never does.
bool FullScreenInFront(const std::vector<StackedWindow>& stack, const ScreenRect& monitor, NotificationState state,
                       bool foregroundHere);

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
