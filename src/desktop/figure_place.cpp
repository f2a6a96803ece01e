#include "desktop/figure_place.h"

#include <algorithm>

namespace {

// Kept within int, whatever the window system reports.
int Offset(long long base, long long plus, long long minus) {
  const long long value = base + plus - minus;
  return static_cast<int>(std::clamp<long long>(value, -2147483647LL - 1, 2147483647LL));
}

}  // namespace

TaskbarEdge TaskbarEdgeFrom(const ScreenRect& monitor, const ScreenRect& workArea) {
  if (workArea.bottom < monitor.bottom) return TaskbarEdge::kBottom;
  if (workArea.top > monitor.top) return TaskbarEdge::kTop;
  if (workArea.right < monitor.right) return TaskbarEdge::kRight;
  if (workArea.left > monitor.left) return TaskbarEdge::kLeft;
  return TaskbarEdge::kNone;
}

ClampedCorner FirstFigureCorner(const ScreenRect& workArea, TaskbarEdge edge, int width, int height) {
  const bool atLeft = edge == TaskbarEdge::kLeft;
  const bool atTop = edge == TaskbarEdge::kTop;
  const int left = atLeft ? workArea.left : Offset(workArea.right, 0, width);
  const int top = atTop ? workArea.top : Offset(workArea.bottom, 0, height);
  return {std::max(left, workArea.left), std::max(top, workArea.top)};
}

ClampedCorner CornerKeepingFace(const ClampedCorner& oldCorner, WindowPoint oldCentre, WindowPoint newCentre) {
  return {Offset(oldCorner.left, oldCentre.x, newCentre.x), Offset(oldCorner.top, oldCentre.y, newCentre.y)};
}
