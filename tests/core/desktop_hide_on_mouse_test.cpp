#include <gtest/gtest.h>

#include <vector>

#include "desktop/hide_on_mouse.h"

namespace {

using Action = HideOnMouseAction;
using Event = HideOnMouseEvent;

struct Row {
  int fTopMost, fHideOnMouse, fRaised;
  bool over, shift;
  Event event;
  int newRaised;
  Action action;
  bool resting = false;  // standing aside for a full-screen program, or letting clicks through
};

const char* Name(Action a) {
  switch (a) {
    case Action::kNone: return "none";
    case Action::kRaise: return "raise";
    case Action::kLower: return "lower";
  }
  return "?";
}

TEST(HideOnMouse, TransitionTable) {
  const std::vector<Row> rows = {
      // Unarmed, tick: arms and raises only when active and the pointer is off the figure.
      {1, 1, 0, false, false, Event::kTick, 1, Action::kRaise},
      {1, 1, 0, false, true, Event::kTick, 1, Action::kRaise},  // Shift plays no part in a tick
      {1, 1, 0, true, false, Event::kTick, 0, Action::kNone},
      {0, 1, 0, false, false, Event::kTick, 0, Action::kNone},
      {1, 0, 0, false, false, Event::kTick, 0, Action::kNone},
      {0, 0, 0, false, false, Event::kTick, 0, Action::kNone},
      // Armed, move over the figure: steps back unless Shift is held or inactive.
      {1, 1, 1, true, false, Event::kMouseMove, 0, Action::kLower},
      {1, 1, 1, true, true, Event::kMouseMove, 1, Action::kNone},
      {0, 1, 1, true, false, Event::kMouseMove, 1, Action::kNone},
      {1, 0, 1, true, false, Event::kMouseMove, 1, Action::kNone},
      // Unarmed, any move: nothing.
      {1, 1, 0, true, false, Event::kMouseMove, 0, Action::kNone},
      {1, 1, 0, true, true, Event::kMouseMove, 0, Action::kNone},
      {0, 0, 0, true, false, Event::kMouseMove, 0, Action::kNone},
      // Armed, any tick: nothing, wherever the pointer is.
      {1, 1, 1, false, false, Event::kTick, 1, Action::kNone},
      {1, 1, 1, true, false, Event::kTick, 1, Action::kNone},
      {0, 1, 1, false, false, Event::kTick, 1, Action::kNone},
      // Any non-zero setting counts as on (the settings file may hold other values).
      {2, -1, 0, false, false, Event::kTick, 1, Action::kRaise},
      {-7, 5, 1, true, false, Event::kMouseMove, 0, Action::kLower},
      // At rest it neither arms nor steps back, and keeps its state for afterwards.
      {1, 1, 0, false, false, Event::kTick, 0, Action::kNone, true},
      {1, 1, 1, true, false, Event::kMouseMove, 1, Action::kNone, true},
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    const Row& r = rows[i];
    const HideOnMouseStep step =
        StepHideOnMouse({r.fTopMost, r.fHideOnMouse, r.fRaised, r.over, r.shift, r.event, r.resting});
    EXPECT_EQ(step.fRaised, r.newRaised) << "row " << i;
    EXPECT_EQ(step.action, r.action) << "row " << i << ": expected " << Name(r.action) << ", got "
                                     << Name(step.action);
  }
}

TEST(HideOnMouse, InactiveMachineNeverActsAndNeverChangesState) {
  const int flagPairs[][2] = {{0, 0}, {0, 1}, {1, 0}, {0, 9}};
  for (const auto& flags : flagPairs) {
    for (int raised = 0; raised <= 1; ++raised) {
      for (int bits = 0; bits < 8; ++bits) {
        const Event event = (bits & 1) ? Event::kMouseMove : Event::kTick;
        const HideOnMouseStep step =
            StepHideOnMouse({flags[0], flags[1], raised, (bits & 2) != 0, (bits & 4) != 0, event});
        EXPECT_EQ(step.action, Action::kNone) << flags[0] << "," << flags[1] << " bits " << bits;
        EXPECT_EQ(step.fRaised, raised);
      }
    }
  }
}

// A user's path: the figure starts on top with the pointer on it, the pointer
// leaves, comes back, wanders about inside, leaves again.
TEST(HideOnMouse, RaiseAndLowerFollowThePointer) {
  int fRaised = 0;
  std::vector<Action> actions;
  auto feed = [&](Event event, bool over, bool shift = false) {
    const HideOnMouseStep step = StepHideOnMouse({1, 1, fRaised, over, shift, event});
    fRaised = step.fRaised;
    if (step.action != Action::kNone) actions.push_back(step.action);
  };
  feed(Event::kTick, true);        // pointer on the figure at start: stays unarmed
  feed(Event::kMouseMove, true);   // nothing to lower yet
  feed(Event::kTick, false);       // pointer off at a tick: armed
  feed(Event::kMouseMove, true, true);  // crossing with Shift held
  feed(Event::kMouseMove, true);   // first move over it: steps back at once
  feed(Event::kMouseMove, true);   // moving about inside: stays back
  feed(Event::kTick, true);
  feed(Event::kTick, false);       // left: back on top at the next tick
  feed(Event::kTick, false);
  EXPECT_EQ(actions, (std::vector<Action>{Action::kRaise, Action::kLower, Action::kRaise}));
  EXPECT_EQ(fRaised, 1);
}

TEST(HideOnMouse, PointerIsReadOnlyWhenATickCanArm) {
  EXPECT_TRUE(TickNeedsPointer(1, 1, 0));
  EXPECT_TRUE(TickNeedsPointer(3, -2, 0));
  EXPECT_FALSE(TickNeedsPointer(1, 1, 1));
  EXPECT_FALSE(TickNeedsPointer(0, 1, 0));
  EXPECT_FALSE(TickNeedsPointer(1, 0, 0));
  EXPECT_FALSE(TickNeedsPointer(1, 1, 0, true)) << "at rest";
}

}  // namespace
