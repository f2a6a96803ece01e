// Hide-on-mouse: the armed figure steps back to the bottom when the pointer
// moves over it and comes back on top at the first tick after the pointer has
// left it. A two-state machine over fRaised.
#ifndef TAVELIN_DESKTOP_HIDE_ON_MOUSE_H
#define TAVELIN_DESKTOP_HIDE_ON_MOUSE_H

enum class HideOnMouseEvent { kTick, kMouseMove };

enum class HideOnMouseAction {
  kNone,
  kRaise,  // into the top-most band, without activation
  kLower,  // to the very bottom, without activation
};

struct HideOnMouseInput {
  int fTopMost;      // non-zero counts as on
  int fHideOnMouse;  // non-zero counts as on
  int fRaised;       // 1: raised and armed; 0: stepped back or not armed yet
  bool pointerOverFigure;
  bool shiftDown;
  HideOnMouseEvent event;
  // The machine rests while the figure stands aside for a full-screen
  // program or lets clicks through: it neither arms nor steps back.
  bool resting = false;
};

struct HideOnMouseStep {
  int fRaised;  // 0 or 1
  HideOnMouseAction action;
};

// Whether the machine acts at all: only while the figure is kept on top and
// hide-on-mouse is wanted.
bool IsHideOnMouseActive(int fTopMost, int fHideOnMouse);

// Whether a tick in this state needs to know where the pointer is; the shape
// test is skipped otherwise.
bool TickNeedsPointer(int fTopMost, int fHideOnMouse, int fRaised, bool resting = false);

HideOnMouseStep StepHideOnMouse(const HideOnMouseInput& input);

#endif
