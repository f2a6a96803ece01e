// Out of the way of full-screen programs, and the window's look: opacity and
// click-through for both kinds of figure.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "desktop/full_screen.h"
#include "desktop/window_look.h"

namespace {

// Two monitors side by side; the figure is on the right-hand one.
constexpr ScreenRect kLeft{-1920, 0, 0, 1080};
constexpr ScreenRect kRight{0, 0, 2560, 1440};

ForegroundWindow Window(ScreenRect rect, std::string className = "VideoPlayer") {
  ForegroundWindow w;
  w.exists = true;
  w.className = std::move(className);
  w.rect = rect;
  return w;
}

TEST(FullScreen, WhatCountsAsAFullScreenProgramInFront) {
  using State = NotificationState;
  ForegroundWindow clock = Window(kRight, "Tavelin_ClassName");
  clock.isClock = true;
  ForegroundWindow desktop = Window(kRight, "#32769");
  desktop.isDesktop = true;
  ForegroundWindow maximized = Window({-8, -8, 2568, 1448}, "Editor");
  maximized.hasCaption = true;
  const struct {
    const char* what;
    ForegroundWindow foreground;
    State state;
    bool inFront;
  } rows[] = {
      {"covers the monitor exactly", Window(kRight), State::kAcceptsNotifications, true},
      {"reaches beyond it on every side", Window({-10, -10, 2570, 1450}), State::kAcceptsNotifications, true},
      {"spans both monitors", Window({-1920, 0, 2560, 1440}), State::kAcceptsNotifications, true},
      {"a pixel short on the right", Window({0, 0, 2559, 1440}), State::kAcceptsNotifications, false},
      {"a pixel short at the bottom", Window({0, 0, 2560, 1439}), State::kAcceptsNotifications, false},
      {"a pixel short at the left", Window({1, 0, 2560, 1440}), State::kAcceptsNotifications, false},
      {"a pixel short at the top", Window({0, 1, 2560, 1440}), State::kAcceptsNotifications, false},
      {"fills the other monitor", Window(kLeft), State::kAcceptsNotifications, false},
      {"the clock itself", clock, State::kAcceptsNotifications, false},
      {"the desktop window", desktop, State::kAcceptsNotifications, false},
      {"the desktop's icons", Window(kRight, "Progman"), State::kAcceptsNotifications, false},
      {"the wallpaper's worker", Window(kRight, "WorkerW"), State::kAcceptsNotifications, false},
      {"the task bar", Window(kRight, "Shell_TrayWnd"), State::kAcceptsNotifications, false},
      {"a second monitor's task bar", Window(kRight, "Shell_SecondaryTrayWnd"), State::kAcceptsNotifications, false},
      {"maximized with its title bar, the task bar hidden", maximized, State::kAcceptsNotifications, false},
      {"no foreground window", ForegroundWindow{}, State::kAcceptsNotifications, false},
      // The system's own word, whatever window is in front.
      {"a presentation", ForegroundWindow{}, State::kPresentation, true},
      {"an exclusive Direct3D program", Window({0, 0, 640, 480}), State::kDirect3DFullScreen, true},
      {"busy: the rectangle decides", Window({0, 0, 640, 480}), State::kBusy, false},
      {"busy with a full screen", Window(kRight), State::kBusy, true},
      {"not present", ForegroundWindow{}, State::kNotPresent, false},
      {"quiet time", ForegroundWindow{}, State::kQuietTime, false},
      {"a store app", Window({0, 0, 640, 480}), State::kApp, false},
      {"the state unknown", Window(kRight), State::kUnknown, true},
      {"the state unknown, the clock in front", clock, State::kUnknown, false},
  };
  for (const auto& r : rows) EXPECT_EQ(FullScreenInFront(r.foreground, kRight, r.state), r.inFront) << r.what;
}

TEST(FullScreen, AsideStepTable) {
  using Action = AsideAction;
  const struct {
    int fAsideFullScreen, fTopMost, fAside;
    bool inFront;
    int newAside;
    Action action;
  } rows[] = {
      {1, 1, 0, true, 1, Action::kToBottom},    // a top-most figure leaves the band
      {1, 1, 1, true, 1, Action::kNone},        // and stays at the bottom meanwhile
      {1, 1, 1, false, 0, Action::kBackOnTop},  // it comes back when that ends
      {1, 1, 0, false, 0, Action::kNone},
      {1, 0, 0, true, 1, Action::kNone},        // a figure at the bottom stays where it is, but stands aside
      {1, 0, 1, false, 0, Action::kNone},
      {0, 1, 1, true, 0, Action::kBackOnTop},   // the item turned off while aside
      {0, 1, 0, true, 0, Action::kNone},
      {0, 0, 1, true, 0, Action::kNone},
      {5, -1, 0, true, 1, Action::kToBottom},   // any non-zero setting counts as on
  };
  for (const auto& r : rows) {
    const AsideStep step = StepAside(r.fAsideFullScreen, r.fTopMost, r.fAside, r.inFront);
    EXPECT_EQ(step.fAside, r.newAside) << r.fAsideFullScreen << r.fTopMost << r.fAside << r.inFront;
    EXPECT_EQ(step.action, r.action) << r.fAsideFullScreen << r.fTopMost << r.fAside << r.inFront;
  }
}

TEST(WindowLook, StoredOpacitiesReadAsTheNearestOfTheFour) {
  const struct {
    int stored, read;
  } rows[] = {{100, 100}, {80, 80}, {60, 60}, {40, 40}, {95, 100}, {90, 100}, {89, 80},
              {70, 80},   {69, 60}, {50, 60}, {49, 40}, {0, 40},   {-5, 40},  {250, 100},
              {INT_MIN, 40}, {INT_MAX, 100}};
  for (const auto& r : rows) EXPECT_EQ(NearestOpacity(r.stored), r.read) << r.stored;
}

TEST(WindowLook, LayeringAlphaAndClickThroughForBothKinds) {
  using Layering = WindowLayering;
  const struct {
    bool soft;
    int opacity;
    bool clickThrough;
    Layering layering;
    int alpha;
  } rows[] = {
      {false, 100, false, Layering::kNone, 255},  // a keyed figure exactly as it always was
      {false, 80, false, Layering::kConstantAlpha, 204},
      {false, 60, false, Layering::kConstantAlpha, 153},
      {false, 40, false, Layering::kConstantAlpha, 102},
      {false, 100, true, Layering::kConstantAlpha, 255},  // only a layered window passes clicks on
      {false, 60, true, Layering::kConstantAlpha, 153},
      {true, 100, false, Layering::kPerPixel, 255},
      {true, 60, false, Layering::kPerPixel, 153},
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
