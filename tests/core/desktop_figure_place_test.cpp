// Where the figure stands on a first start, with the task bar on each edge,
// and where a new figure stands so that its clock face stays put.
#include <gtest/gtest.h>

#include <climits>

#include "desktop/figure_place.h"

namespace {

constexpr ScreenRect kMonitor = {0, 0, 1920, 1080};

TEST(FigurePlace, AFirstFigureStandsInTheWorkAreasCornerBesideTheNotificationArea) {
  struct Case {
    const char* name;
    ScreenRect workArea;
    int width, height;
    TaskbarEdge edge;
    ClampedCorner expected;
  } cases[] = {
      {"task bar at the bottom", {0, 0, 1920, 1040}, 200, 300, TaskbarEdge::kBottom, {1720, 740}},
      {"task bar at the top", {0, 48, 1920, 1080}, 200, 300, TaskbarEdge::kTop, {1720, 48}},
      {"task bar on the right", {0, 0, 1860, 1080}, 200, 300, TaskbarEdge::kRight, {1660, 780}},
      {"task bar on the left", {62, 0, 1920, 1080}, 200, 300, TaskbarEdge::kLeft, {62, 780}},
      {"no task bar taking room", {0, 0, 1920, 1080}, 200, 300, TaskbarEdge::kNone, {1720, 780}},
      {"a figure of no size yet", {0, 0, 1920, 1040}, 0, 0, TaskbarEdge::kBottom, {1920, 1040}},
      {"taller than the work area", {0, 0, 1920, 1040}, 200, 1500, TaskbarEdge::kBottom, {1720, 0}},
      {"wider than the work area, bar on the left", {62, 0, 1920, 1080}, 2500, 300, TaskbarEdge::kLeft, {62, 780}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TaskbarEdgeFrom(kMonitor, c.workArea), c.edge);
    const ClampedCorner corner = FirstFigureCorner(c.workArea, c.edge, c.width, c.height);
    EXPECT_EQ(corner.left, c.expected.left);
    EXPECT_EQ(corner.top, c.expected.top);
  }
}

// The shell says where its bar is even when the bar hides itself and the work
// area is the whole monitor.
TEST(FigurePlace, AnEdgeTheShellNamesHoldsWhereTheWorkAreaIsWhole) {
  EXPECT_EQ(FirstFigureCorner(kMonitor, TaskbarEdge::kTop, 200, 300).top, 0);
  EXPECT_EQ(FirstFigureCorner(kMonitor, TaskbarEdge::kTop, 200, 300).left, 1720);
  EXPECT_EQ(FirstFigureCorner(kMonitor, TaskbarEdge::kLeft, 200, 300).left, 0);
}

TEST(FigurePlace, ANewFigureKeepsTheScreenPointOfTheOldClockCentre) {
  struct Case {
    const char* name;
    ClampedCorner oldCorner;
    WindowPoint oldCentre, newCentre;
    ClampedCorner expected;
  } cases[] = {
      {"the same centre stays", {300, 200}, {75, 95}, {75, 95}, {300, 200}},
      // A face at the bottom of a bunny, then at the top of a penguin.
      {"face from the bottom to the top", {300, 200}, {75, 225}, {75, 75}, {300, 350}},
      {"face further right", {300, 200}, {75, 75}, {115, 75}, {260, 200}},
      {"a monitor left of the primary", {-1200, -40}, {53, 67}, {81, 53}, {-1228, -26}},
      {"held within int", {INT_MAX - 10, INT_MIN + 10}, {100, 0}, {0, 100}, {INT_MAX, INT_MIN}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClampedCorner corner = CornerKeepingFace(c.oldCorner, c.oldCentre, c.newCentre);
    EXPECT_EQ(corner.left, c.expected.left);
    EXPECT_EQ(corner.top, c.expected.top);
  }
}

}  // namespace
