#include "desktop/placement_win32.h"

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "desktop/hide_on_mouse.h"
#include "desktop/manners_win32.h"

namespace {

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE;

// The pointer against the program's own copy of the outline; with no outline
// yet, the pointer is never over the figure.
bool PointerOverFigure(HWND hwnd) {
  if (g_state.hrgnShape == nullptr) return false;
  POINT pointer{};
  RECT window{};
  g_system.cursorPos(&pointer);
  GetWindowRect(hwnd, &window);
  return PtInRegion(g_state.hrgnShape, pointer.x - window.left, pointer.y - window.top) != FALSE;
}

void CarryOut(HWND hwnd, HideOnMouseAction action) {
  switch (action) {
    case HideOnMouseAction::kRaise:
      SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace | SWP_NOACTIVATE);
      break;
    case HideOnMouseAction::kLower:
      SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace | SWP_NOACTIVATE);
      break;
    case HideOnMouseAction::kNone:
      break;
  }
}

}  // namespace

int ApplyStacking(HWND hwnd) {
  const bool topMost = g_state.fTopMost != 0;
  CheckMenuItem(g_state.hMenuPopup, IDM_TOPMOST, MF_BYCOMMAND | (topMost ? MF_CHECKED : MF_UNCHECKED));
  // HWND_BOTTOM also takes a top-most window out of the top-most band.
  // Either way without activation: the program in front stays in front, and
  // Wine brings a window it activates to the top of its band, where the
  // figure would then stay above everything. A figure standing aside for a
  // full-screen program stays at the bottom until that ends.
  if (topMost && g_state.fAside == 0) SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace | SWP_NOACTIVATE);
  else SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, kKeepPlace | SWP_NOACTIVATE);
  // A figure that lets the mouse through never hears it move over it.
  const bool hideOnMouseWorks = topMost && g_state.fClickThrough == 0;
  EnableMenuItem(g_state.hMenuPopup, IDM_HIDEONMOUSE, MF_BYCOMMAND | (hideOnMouseWorks ? MF_ENABLED : MF_GRAYED));
  CheckMenuItem(g_state.hMenuPopup, IDM_HIDEONMOUSE,
                MF_BYCOMMAND | (g_state.fHideOnMouse != 0 ? MF_CHECKED : MF_UNCHECKED));
  MarkMannersMenu();
  return 1;
}

void RaiseCheck(HWND hwnd) {
  if (!TickNeedsPointer(g_state.fTopMost, g_state.fHideOnMouse, g_state.fRaised, HideOnMouseRests())) return;
  const HideOnMouseStep step = StepHideOnMouse({g_state.fTopMost, g_state.fHideOnMouse, g_state.fRaised,
                                                PointerOverFigure(hwnd), false, HideOnMouseEvent::kTick,
                                                HideOnMouseRests()});
  g_state.fRaised = step.fRaised;
  CarryOut(hwnd, step.action);
}

void LowerOnMouseMove(HWND hwnd) {
  // The window only hears moves over its outline. Shift is read as the key's
  // state now, not from the flags that came with the move.
  const HideOnMouseStep step = StepHideOnMouse({g_state.fTopMost, g_state.fHideOnMouse, g_state.fRaised, true,
                                                g_system.shiftDown(), HideOnMouseEvent::kMouseMove,
                                                HideOnMouseRests()});
  g_state.fRaised = step.fRaised;
  CarryOut(hwnd, step.action);
}

void StartDrag(HWND hwnd) {
  // SC_MOVE with HTCAPTION in its low bits: every visible pixel acts as a caption.
  SendMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}
