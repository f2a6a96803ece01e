// Where the figure stands when nothing says where: its first place on a
// first start, and its place when a new figure replaces the one shown.
#ifndef TAVELIN_DESKTOP_FIGURE_PLACE_H
#define TAVELIN_DESKTOP_FIGURE_PLACE_H

#include "desktop/screen_clamp.h"

// The edge of the monitor the task bar stands on; kNone when it is not known
// (or hides itself and takes nothing off the work area).
enum class TaskbarEdge { kNone, kLeft, kTop, kRight, kBottom };

// The edge that `workArea` gives up to the task bar within `monitor`: the
// side where the work area stops short of the monitor.
TaskbarEdge TaskbarEdgeFrom(const ScreenRect& monitor, const ScreenRect& workArea);

// The top-left corner of a first start's figure of `width` by `height`: in
// the work area's corner beside the notification area, where people look for
// the time (the right end of a task bar at the top or the bottom, the lower
// end of one on the left or the right; the bottom-right corner when the edge
// is not known). A figure larger than the work area keeps its top-left
// corner on it.
ClampedCorner FirstFigureCorner(const ScreenRect& workArea, TaskbarEdge edge, int width, int height);

// A point in a window's own pixels, from its top-left corner.
struct WindowPoint {
  int x;
  int y;
};

// The top-left corner that puts a new figure's clock centre on the screen
// point where the old one's was: the old window's corner plus its centre.
ClampedCorner CornerKeepingFace(const ClampedCorner& oldCorner, WindowPoint oldCentre, WindowPoint newCentre);

#endif
