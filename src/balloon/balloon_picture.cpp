#include "balloon/balloon_picture.h"

#include <algorithm>
#include <cmath>

#include "clockface/hand_strokes.h"

namespace {

// A signed distance to a shape (negative inside) with the direction in which
// it grows fastest there, the normal of the nearest edge.
struct Distance {
  double d;
  double nx, ny;
};

Distance ToRoundedBox(double px, double py, double left, double top, double right, double bottom, double radius) {
  const double cx = (left + right) * 0.5;
  const double cy = (top + bottom) * 0.5;
  radius = std::min({radius, (right - left) * 0.5, (bottom - top) * 0.5});
  const double qx = std::fabs(px - cx) - ((right - left) * 0.5 - radius);
  const double qy = std::fabs(py - cy) - ((bottom - top) * 0.5 - radius);
  const double sx = px < cx ? -1.0 : 1.0;
  const double sy = py < cy ? -1.0 : 1.0;
  if (qx > 0.0 && qy > 0.0) {
    const double length = std::sqrt(qx * qx + qy * qy);
    return {length - radius, sx * qx / length, sy * qy / length};
  }
  if (qx > qy) return {qx - radius, sx, 0.0};
  return {qy - radius, 0.0, sy};
}

Distance ToTriangle(double px, double py, const double* v) {
  Distance best{1e30, 1.0, 0.0};
  bool inside = true;
  double sign = 0.0;
  for (int i = 0; i < 3; ++i) {
    const double ax = v[2 * i], ay = v[2 * i + 1];
    const double bx = v[(2 * i + 2) % 6], by = v[(2 * i + 3) % 6];
    const double ex = bx - ax, ey = by - ay;
    const double length2 = ex * ex + ey * ey;
    double t = length2 > 0.0 ? ((px - ax) * ex + (py - ay) * ey) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = px - (ax + t * ex), dy = py - (ay + t * ey);
    const double distance = std::sqrt(dx * dx + dy * dy);
    if (distance < best.d) {
      const double length = std::sqrt(length2);
      best = distance > 0.0 ? Distance{distance, dx / distance, dy / distance}
                            : Distance{0.0, length > 0.0 ? -ey / length : 1.0, length > 0.0 ? ex / length : 0.0};
    }
    const double cross = ex * (py - ay) - ey * (px - ax);
    if (sign == 0.0) sign = cross;
    if ((cross < 0.0 && sign > 0.0) || (cross > 0.0 && sign < 0.0)) inside = false;
  }
  if (inside) best.d = -best.d;
  return best;
}

Distance ToShape(const BalloonShape& shape, double px, double py) {
  Distance d = ToRoundedBox(px, py, shape.left, shape.top, shape.right, shape.bottom, shape.radius);
  if (shape.hasTail) {
    const Distance t = ToTriangle(px, py, shape.tail);
    if (t.d < d.d) d = t;
  }
  return d;
}

double CoverageWithin(const Distance& d, double inset) { return HalfPlaneCoverage(-(d.d + inset), d.nx, d.ny); }

std::uint32_t Channel(Pixel colour, int shift) { return (colour >> shift) & 0xFF; }

// The premultiplied pixel of `fill` over `inner` and `edge` over the rest of `outer`.
Pixel Blend(Pixel fill, Pixel edge, double inner, double outer) {
  inner = std::min(inner, outer);
  const double a = outer * 255.0;
  Pixel result = static_cast<Pixel>(a + 0.5) << 24;
  for (const int shift : {16, 8, 0}) {
    const double c = Channel(fill, shift) * inner + Channel(edge, shift) * (outer - inner);
    result |= static_cast<Pixel>(std::min(c, a) + 0.5) << shift;
  }
  return result;
}

Pixel Over(Pixel under, Pixel top) {
  const std::uint32_t alpha = top >> 24;
  Pixel result = 0;
  for (const int shift : {24, 16, 8, 0}) {
    const std::uint32_t value = Channel(top, shift) + (Channel(under, shift) * (255 - alpha) + 127) / 255;
    result |= std::min<std::uint32_t>(value, 255) << shift;
  }
  return result;
}

}  // namespace

BalloonColours DefaultBalloonColours() { return {}; }

BalloonShape ShapeOfPlacement(const BalloonPlacement& placement, double radius, double outline) {
  BalloonShape shape;
  const double ox = placement.window.left;
  const double oy = placement.window.top;
  shape.left = placement.body.left - ox;
  shape.top = placement.body.top - oy;
  shape.right = placement.body.right - ox;
  shape.bottom = placement.body.bottom - oy;
  shape.radius = radius;
  shape.outline = outline;
  shape.hasTail = placement.hasTail;
  if (placement.hasTail) {
    const BalloonSpot corners[3] = {placement.tailFrom, placement.tailTo, placement.tip};
    for (int i = 0; i < 3; ++i) {
      // The tip is a pixel: its centre. The base lies on the body's edge.
      const double half = i == 2 ? 0.5 : 0.0;
      shape.tail[2 * i] = corners[i].x - ox + half;
      shape.tail[2 * i + 1] = corners[i].y - oy + half;
    }
  }
  return shape;
}

double BalloonCoverage(const BalloonShape& shape, int x, int y) {
  return CoverageWithin(ToShape(shape, x + 0.5, y + 0.5), 0.0);
}

void DrawBalloonShape(PixelView target, const BalloonShape& shape, Pixel fill, Pixel edge) {
  for (int y = 0; y < target.height; ++y) {
    Pixel* row = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const Distance d = ToShape(shape, x + 0.5, y + 0.5);
      row[x] = d.d > 1.0 ? 0 : Blend(fill, edge, CoverageWithin(d, shape.outline), CoverageWithin(d, 0.0));
    }
  }
}

void DrawBalloonButton(PixelView target, const BalloonBox& box, double radius, double outline, Pixel fill, Pixel edge) {
  const int left = std::max(0, box.left), top = std::max(0, box.top);
  const int right = std::min(target.width, box.right), bottom = std::min(target.height, box.bottom);
  for (int y = top; y < bottom; ++y) {
    Pixel* row = target.Row(y);
    for (int x = left; x < right; ++x) {
      const Distance d = ToRoundedBox(x + 0.5, y + 0.5, box.left, box.top, box.right, box.bottom, radius);
      if (d.d > 1.0) continue;
      row[x] = Over(row[x], Blend(fill, edge, CoverageWithin(d, outline), CoverageWithin(d, 0.0)));
    }
  }
}
