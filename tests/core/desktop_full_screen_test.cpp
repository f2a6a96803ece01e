// Out of the way of full-screen programs, and the window's look: opacity and
// click-through for both kinds of figure.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "desktop/full_screen.h"
#include "desktop/window_look.h"

namespace {

// Two monitors side by side; the figure is on the right-hand one.
constexpr ScreenRect kLeft{-1920, 0, 0, 1080};
constexpr ScreenRect kRight{0, 0, 2560, 1440};

ForegroundWindow Window(ScreenRect rect, std::string className = "VideoPlayer") {
  return {true, false, false, false, std::move(className), rect};
}

TEST(FullScreen, WhatCountsAsAFullScreenProgramInFront) {
  using State = NotificationState;
  constexpr State kFree = State::kAcceptsNotifications;
  const ForegroundWindow clock{true, true, false, false, "Tavelin_ClassName", kRight};
  const ForegroundWindow desktop{true, false, true, false, "#32769", kRight};
  const ForegroundWindow maximized{true, false, false, true, "Editor", {-8, -8, 2568, 1448}};
  const ForegroundWindow small = Window({0, 0, 640, 480});
  const struct {
    const char* what;
    ForegroundWindow foreground;
    State state;
    bool inFront;
  } rows[] = {
      {"covers the monitor", Window(kRight), kFree, true},
      {"spans both monitors", Window({-1920, 0, 2560, 1440}), kFree, true},
      {"a pixel short on the right", Window({0, 0, 2559, 1440}), kFree, false},
      {"a pixel short at the top", Window({0, 1, 2560, 1440}), kFree, false},
      {"fills the other monitor", Window(kLeft), kFree, false},
      {"the clock itself", clock, kFree, false},
      {"the desktop window", desktop, kFree, false},
      {"the desktop's icons", Window(kRight, "Progman"), kFree, false},
      {"the task bar", Window(kRight, "Shell_TrayWnd"), kFree, false},
      {"maximized with its title bar", maximized, kFree, false},
      {"no foreground window", ForegroundWindow{}, kFree, false},
      // The system's word, whatever window is in front; busy is told apart by the rectangle.
      {"a presentation", ForegroundWindow{}, State::kPresentation, true},
      {"an exclusive Direct3D program", small, State::kDirect3DFullScreen, true},
      {"busy", small, State::kBusy, false},
      {"busy, with a title bar over the monitor", maximized, State::kBusy, true},
      {"not present", small, State::kNotPresent, false},
      {"quiet time", small, State::kQuietTime, false},
      {"a store app", small, State::kApp, false},
      {"the state unknown", Window(kRight), State::kUnknown, true},
  };
  for (const auto& r : rows) EXPECT_EQ(FullScreenInFront(r.foreground, kRight, r.state), r.inFront) << r.what;
}

TEST(FullScreen, ATopMostFigureLeavesTheBandAndComesBack) {
  using Action = AsideAction;
  const struct {
    int fAsideFullScreen, fTopMost, fAside;
    bool inFront;
    int newAside;
    Action action;
  } rows[] = {
      {1, 1, 0, true, 1, Action::kToBottom},   {1, 1, 1, true, 1, Action::kNone},
      {1, 1, 1, false, 0, Action::kBackOnTop}, {1, 0, 0, true, 1, Action::kNone},  // already at the bottom
      {0, 1, 1, true, 0, Action::kBackOnTop},  // the item turned off meanwhile
      {5, -1, 0, true, 1, Action::kToBottom},  // any non-zero setting counts as on
  };
  for (const auto& r : rows) {
    const AsideStep step = StepAside(r.fAsideFullScreen, r.fTopMost, r.fAside, r.inFront);
    EXPECT_EQ(step.fAside, r.newAside) << r.fAsideFullScreen << r.fTopMost << r.fAside << r.inFront;
    EXPECT_EQ(step.action, r.action) << r.fAsideFullScreen << r.fTopMost << r.fAside << r.inFront;
  }
}

TEST(WindowLook, OpacityLayeringAndClickThrough) {
  const int stored[][2] = {{80, 80}, {90, 100}, {89, 80}, {50, 60}, {0, 40}, {INT_MIN, 40}, {INT_MAX, 100}};
  for (const auto& s : stored) EXPECT_EQ(NearestOpacity(s[0]), s[1]) << s[0];

  using Layering = WindowLayering;
  const struct {
    bool soft;
    int opacity;
    bool clickThrough;
    Layering layering;
    int alpha;
  } rows[] = {
      {false, 100, false, Layering::kNone, 255},  // a keyed figure exactly as it always was
      {false, 60, false, Layering::kConstantAlpha, 153},
      {false, 100, true, Layering::kConstantAlpha, 255},  // only a layered window passes clicks on
      {true, 100, false, Layering::kPerPixel, 255},
      {true, 40, true, Layering::kPerPixel, 102},
  };
  for (const auto& r : rows) {
    const WindowLook look = LookFor(r.soft, r.opacity, r.clickThrough);
    EXPECT_EQ(look.layering, r.layering) << r.soft << " " << r.opacity << " " << r.clickThrough;
    EXPECT_EQ(look.alpha, r.alpha) << r.opacity;
    EXPECT_EQ(look.clickThrough, r.clickThrough);
  }
}

}  // namespace
