// The window pulled back onto the screen, one correction per axis.
#include <gtest/gtest.h>

#include "desktop/screen_clamp.h"

namespace {

TEST(ScreenClamp, OneCorrectionPerAxisLeftOrTopFirst) {
  struct Case {
    const char* name;
    int left, top, right, bottom;
    ClampedCorner expected;
  } cases[] = {
      {"inside stays", 100, 50, 300, 350, {100, 50}},
      {"exactly filling stays", 0, 0, 1280, 1024, {0, 0}},
      {"left of the screen", -40, 10, 160, 310, {0, 10}},
      {"above the screen", 10, -5, 210, 295, {10, 0}},
      {"past the right edge", 1200, 10, 1400, 310, {1080, 10}},
      {"past the bottom", 10, 900, 210, 1200, {10, 724}},
      {"past both far edges", 1279, 1023, 1479, 1323, {1080, 724}},
      {"wider than the screen, left negative", -10, 0, 1500, 100, {0, 0}},
      {"wider than the screen, left on it", 10, 0, 1500, 100, {-210, 0}},
      {"taller than the screen, top negative", 0, -1, 100, 2000, {0, 0}},
      {"taller than the screen, top on it", 0, 3, 100, 2000, {0, -973}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ClampedCorner corner = ClampWindowCorner(c.left, c.top, c.right, c.bottom, 1280, 1024);
    EXPECT_EQ(corner.left, c.expected.left);
    EXPECT_EQ(corner.top, c.expected.top);
    // The same window on a screen with the axes swapped gives the swapped corner.
    const ClampedCorner swapped = ClampWindowCorner(c.top, c.left, c.bottom, c.right, 1024, 1280);
    EXPECT_EQ(swapped.left, c.expected.top);
    EXPECT_EQ(swapped.top, c.expected.left);
  }
}

}  // namespace
