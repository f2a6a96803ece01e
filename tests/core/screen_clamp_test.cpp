// The window pulled back onto its own monitor, one correction per axis.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "desktop/screen_clamp.h"

namespace {

ScreenRect Swapped(const ScreenRect& r) { return {r.top, r.left, r.bottom, r.right}; }

std::vector<ScreenRect> Swapped(const std::vector<ScreenRect>& monitors) {
  std::vector<ScreenRect> swapped;
  for (const ScreenRect& m : monitors) swapped.push_back(Swapped(m));
  return swapped;
}

TEST(ScreenClamp, OneMonitorOneCorrectionPerAxisLeftOrTopFirst) {
  struct Case {
    const char* name;
    ScreenRect window;
    ClampedCorner expected;
  } cases[] = {
      {"inside stays", {100, 50, 300, 350}, {100, 50}},
      {"exactly filling stays", {0, 0, 1280, 1024}, {0, 0}},
      {"left of the screen", {-40, 10, 160, 310}, {0, 10}},
      {"above the screen", {10, -5, 210, 295}, {10, 0}},
      {"past the right edge", {1200, 10, 1400, 310}, {1080, 10}},
      {"past the bottom", {10, 900, 210, 1200}, {10, 724}},
      {"past both far edges", {1279, 1023, 1479, 1323}, {1080, 724}},
      {"far off to the right", {5000, 10, 5200, 310}, {1080, 10}},
      {"wider than the screen, left negative", {-10, 0, 1500, 100}, {0, 0}},
      {"wider than the screen, left on it", {10, 0, 1500, 100}, {-210, 0}},
      {"taller than the screen, top negative", {0, -1, 100, 2000}, {0, 0}},
      {"taller than the screen, top on it", {0, 3, 100, 2000}, {0, -973}},
  };
  const std::vector<ScreenRect> screen = {{0, 0, 1280, 1024}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClampedCorner corner = ClampToMonitors(c.window, screen);
    EXPECT_EQ(corner.left, c.expected.left);
    EXPECT_EQ(corner.top, c.expected.top);
    // The same window on a screen with the axes swapped gives the swapped corner.
    const ClampedCorner swapped = ClampToMonitors(Swapped(c.window), Swapped(screen));
    EXPECT_EQ(swapped.left, c.expected.top);
    EXPECT_EQ(swapped.top, c.expected.left);
  }
}

// Monitor layouts, the primary first as the system lists them here.
const std::vector<ScreenRect> kSideBySide = {{0, 0, 1920, 1080}, {1920, 0, 3840, 1080}};
const std::vector<ScreenRect> kLeftAndAbove = {
    {0, 0, 1920, 1080}, {-1280, 0, 0, 1024}, {0, -900, 1600, 0}};
const std::vector<ScreenRect> kBesideATallOne = {{0, 0, 1920, 1080}, {1920, -420, 3000, 1500}};

TEST(ScreenClamp, SeveralMonitorsTheWindowStaysOnTheOneThatHoldsItOrTheNearest) {
  struct Case {
    const char* name;
    const std::vector<ScreenRect>* monitors;
    ScreenRect window;
    std::size_t monitor;
    ClampedCorner expected;
  } cases[] = {
      {"wholly on the second", &kSideBySide, {2000, 100, 2200, 400}, 1, {2000, 100}},
      {"across two, more on the second", &kSideBySide, {1800, 100, 2100, 400}, 1, {1920, 100}},
      {"across two, more on the primary", &kSideBySide, {1700, 100, 2000, 400}, 0, {1620, 100}},
      {"across two in halves: the first listed", &kSideBySide, {1820, 100, 2020, 400}, 0, {1720, 100}},
      {"past the second's right edge", &kSideBySide, {3700, 100, 3900, 400}, 1, {3640, 100}},
      {"on none, below the second", &kSideBySide, {2500, 1200, 2700, 1500}, 1, {2500, 780}},
      {"on none, far right", &kSideBySide, {9000, 100, 9200, 400}, 1, {3640, 100}},
      {"no size, on the second's first column", &kSideBySide, {1920, 500, 1920, 500}, 1, {1920, 500}},
      {"no size, on the primary's last column", &kSideBySide, {1919, 500, 1919, 500}, 0, {1919, 500}},
      {"on the left one, negative", &kLeftAndAbove, {-1000, 200, -800, 500}, 1, {-1000, 200}},
      {"past the left one's left edge", &kLeftAndAbove, {-1300, 200, -1100, 500}, 1, {-1280, 200}},
      {"past the left one's bottom", &kLeftAndAbove, {-1000, 900, -800, 1100}, 1, {-1000, 824}},
      {"on the one above", &kLeftAndAbove, {100, -800, 300, -500}, 2, {100, -800}},
      {"above the one above", &kLeftAndAbove, {100, -1000, 300, -700}, 2, {100, -900}},
      {"on none, nearer the one above", &kLeftAndAbove, {-500, -600, -300, -400}, 2, {0, -600}},
      {"on none, nearer the left one", &kLeftAndAbove, {-700, -300, -500, -100}, 1, {-700, 0}},
      {"across the primary and the left one", &kLeftAndAbove, {-50, 100, 150, 300}, 0, {0, 100}},
      {"on the tall one below the primary's bottom", &kBesideATallOne, {2000, 1200, 2300, 1400}, 1, {2000, 1200}},
      {"across, more on the tall one", &kBesideATallOne, {1800, 1300, 2100, 1600}, 1, {1920, 1200}},
      {"on none, right of the primary's bottom", &kBesideATallOne, {2000, 1550, 2200, 1700}, 1, {2000, 1350}},
      {"wider than the primary, left negative", &kBesideATallOne, {-10, 0, 2000, 300}, 0, {0, 0}},
      {"wider than the primary, left on it", &kBesideATallOne, {10, 0, 2100, 300}, 0, {-170, 0}},
      {"taller than the tall one", &kBesideATallOne, {2000, -500, 2300, 1600}, 1, {2000, -420}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChooseMonitor(c.window, *c.monitors), c.monitor);
    const ClampedCorner corner = ClampToMonitors(c.window, *c.monitors);
    EXPECT_EQ(corner.left, c.expected.left);
    EXPECT_EQ(corner.top, c.expected.top);
    const ClampedCorner swapped = ClampToMonitors(Swapped(c.window), Swapped(*c.monitors));
    EXPECT_EQ(swapped.left, c.expected.top);
    EXPECT_EQ(swapped.top, c.expected.left);
  }
}

TEST(ScreenClamp, ExtremeCoordinatesNeitherOverflowNorLoseTheMonitor) {
  const std::vector<ScreenRect> monitors = {{INT_MIN, INT_MIN, 0, 0}, {0, 0, INT_MAX, INT_MAX}};
  EXPECT_EQ(ChooseMonitor({INT_MIN, INT_MIN, INT_MAX, INT_MAX}, monitors), 0u) << "the larger part";
  EXPECT_EQ(ChooseMonitor({-10, -10, INT_MAX, INT_MAX}, monitors), 1u);
  EXPECT_EQ(ChooseMonitor({INT_MAX, INT_MAX, INT_MAX, INT_MAX}, monitors), 1u) << "beyond both: the nearer";
  const ClampedCorner corner = ClampToMonitors({INT_MIN, 5, INT_MIN + 10, 15}, monitors);
  EXPECT_EQ(corner.left, INT_MIN);
  EXPECT_EQ(corner.top, -10);
}

TEST(ScreenClamp, WithoutMonitorsTheWindowStays) {
  const ClampedCorner corner = ClampToMonitors({-40, 7, 60, 107}, {});
  EXPECT_EQ(corner.left, -40);
  EXPECT_EQ(corner.top, 7);
}

}  // namespace
