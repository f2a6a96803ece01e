// Out of the way of full-screen programs, and the window's look: opacity and
// click-through for both kinds of figure.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "desktop/full_screen.h"
#include "desktop/window_look.h"

namespace {

// Two monitors side by side; the figure is on the right-hand one.
constexpr ScreenRect kLeft{-1920, 0, 0, 1080};
constexpr ScreenRect kRight{0, 0, 2560, 1440};
constexpr ScreenRect kSmall{0, 0, 640, 480};

StackedWindow Window(ScreenRect rect, bool foreground = false, std::string className = "VideoPlayer") {
  StackedWindow window;
  window.rect = rect;
  window.isForeground = foreground;
  window.className = std::move(className);
  return window;
}

// The same window with one of its facts changed.
template <typename Change>
StackedWindow With(StackedWindow window, Change change) {
  change(window);
  return window;
}

TEST(FullScreen, WhatCountsAsAFullScreenProgramOnTheFiguresMonitor) {
  using State = NotificationState;
  constexpr State kFree = State::kAcceptsNotifications;
  const StackedWindow video = Window(kRight), videoInFront = Window(kRight, true);
  const StackedWindow small = Window(kSmall, true);
  const StackedWindow clock = With(Window(kRight), [](StackedWindow& w) { w.isClock = true; });
  const StackedWindow desktop = With(Window(kRight, true, "#32769"), [](StackedWindow& w) { w.isDesktop = true; });
  const StackedWindow cloaked = With(Window(kRight), [](StackedWindow& w) { w.isCloaked = true; });
  const StackedWindow minimized = With(Window(kRight), [](StackedWindow& w) { w.isMinimized = true; });
  const StackedWindow maximized = With(Window({-8, -8, 2568, 1448}, true, "Editor"), [](StackedWindow& w) {
    w.hasCaption = true;
  });
  const StackedWindow maximizedBehind = With(maximized, [](StackedWindow& w) { w.isForeground = false; });
  const struct {
    const char* what;
    std::vector<StackedWindow> stack;  // from the top down
    State state;
    bool foregroundHere;
    bool inFront;
  } rows[] = {
      {"covers the monitor", {videoInFront}, kFree, true, true},
      {"spans both monitors", {Window({-1920, 0, 2560, 1440}, true)}, kFree, true, true},
      {"a pixel short on the right", {Window({0, 0, 2559, 1440}, true)}, kFree, true, false},
      {"a pixel short at the top", {Window({0, 1, 2560, 1440}, true)}, kFree, true, false},
      {"fills the other monitor", {Window(kLeft, true)}, kFree, false, false},
      {"covers this monitor while the user works on the other", {Window(kLeft, true), video}, kFree, false, true},
      {"the other monitor's in front, a small window here", {Window(kLeft, true), Window(kSmall)}, kFree, false, false},
      {"a small window above the covering one", {small, video}, kFree, true, false},
      {"the clock's own window above it", {clock, videoInFront}, kFree, true, true},
      {"nothing but the clock", {clock}, kFree, true, false},
      {"a cloaked one above a small one", {cloaked, small}, kFree, true, false},
      {"a minimised one above a small one", {minimized, small}, kFree, true, false},
      {"the desktop window", {desktop}, kFree, true, false},
      {"the desktop's icons", {Window(kRight, true, "Progman")}, kFree, true, false},
      {"the task bar above the covering one", {Window(kRight, false, "Shell_TrayWnd"), video}, kFree, true, true},
      {"maximized with its title bar", {maximized}, kFree, true, false},
      {"no window at all", {}, kFree, false, false},
      // The system's word: Direct3D counts on the foreground window's monitor only,
      // a presentation never alone, busy only lets a title bar in front pass.
      {"a presentation alone", {small}, State::kPresentation, true, false},
      {"a presentation over a covering window", {video}, State::kPresentation, true, true},
      {"Direct3D on this monitor", {small}, State::kDirect3DFullScreen, true, true},
      {"Direct3D on the other monitor", {Window(kLeft, true), Window(kSmall)}, State::kDirect3DFullScreen, false,
       false},
      {"busy", {small}, State::kBusy, true, false},
      {"busy, with a title bar over the monitor, in front", {maximized}, State::kBusy, true, true},
      {"busy, with a title bar over the monitor, behind", {maximizedBehind}, State::kBusy, false, false},
      {"not present", {small}, State::kNotPresent, true, false},
      {"quiet time", {small}, State::kQuietTime, true, false},
      {"a store app", {small}, State::kApp, true, false},
      {"the state unknown", {videoInFront}, State::kUnknown, true, true},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(FullScreenInFront(r.stack, kRight, r.state, r.foregroundHere), r.inFront) << r.what;
  }
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
