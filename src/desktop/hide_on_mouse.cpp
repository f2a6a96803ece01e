#include "desktop/hide_on_mouse.h"

bool IsHideOnMouseActive(int fTopMost, int fHideOnMouse) { return fTopMost != 0 && fHideOnMouse != 0; }

bool TickNeedsPointer(int fTopMost, int fHideOnMouse, int fRaised, bool resting) {
  return IsHideOnMouseActive(fTopMost, fHideOnMouse) && fRaised == 0 && !resting;
}

HideOnMouseStep StepHideOnMouse(const HideOnMouseInput& input) {
  const int raised = input.fRaised != 0 ? 1 : 0;
  const bool active = IsHideOnMouseActive(input.fTopMost, input.fHideOnMouse) && !input.resting;
  switch (input.event) {
    case HideOnMouseEvent::kTick:
      if (raised == 0 && active && !input.pointerOverFigure) return {1, HideOnMouseAction::kRaise};
      break;
    case HideOnMouseEvent::kMouseMove:
      // Shift lets the pointer cross, drag or right-press the armed figure.
      if (raised == 1 && active && input.pointerOverFigure && !input.shiftDown)
        return {0, HideOnMouseAction::kLower};
      break;
  }
  return {raised, HideOnMouseAction::kNone};
}
