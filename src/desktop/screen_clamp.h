// Where a window goes so that it lies on a screen: the monitor it belongs to
// among several, and the corner that pulls it onto that monitor.
#ifndef TAVELIN_DESKTOP_SCREEN_CLAMP_H
#define TAVELIN_DESKTOP_SCREEN_CLAMP_H

#include <cstddef>
#include <span>

// A rectangle in screen pixels; right and bottom are one past the last pixel.
// Monitors left of or above the primary one have negative coordinates.
struct ScreenRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct ClampedCorner {
  int left;
  int top;
};

// The index of the monitor that holds the largest part of the window or,
// when the window lies on none, of the monitor nearest to it; the earlier
// one wins a tie. A window of no size counts as the one pixel at its corner.
// Needs at least one monitor.
std::size_t ChooseMonitor(const ScreenRect& window, std::span<const ScreenRect> monitors);

// The top-left corner that pulls the window onto the screen. Each axis is
// corrected once: an edge before the screen's near edge goes to that edge,
// otherwise a far edge beyond the screen's comes back to the screen's.
ClampedCorner ClampWindowCorner(const ScreenRect& window, const ScreenRect& screen);

// The corner on the window's own monitor (ChooseMonitor); with no monitor at
// all the window stays where it is.
ClampedCorner ClampToMonitors(const ScreenRect& window, std::span<const ScreenRect> monitors);

#endif
