#include "clockface/hand_strokes.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

// Only +, -, *, / and sqrt enter the coverage (all correctly rounded, and the
// build keeps a * b + c from fusing), so every system gives the same pixels.

namespace {

// How much of a pixel lies on the near side of a straight edge `x` pixels
// beyond its centre, for an edge whose normal is (a, b) with a >= b >= 0,
// a * a + b * b = 1: the pixel square seen along the normal is a trapezoid
// (a box a wide smeared over b), and this is its area up to x.
double SquareAreaBelow(double x, double a, double b) {
  const double outer = (a + b) * 0.5;
  const double inner = (a - b) * 0.5;
  if (x <= -outer) return 0.0;
  if (x >= outer) return 1.0;
  if (x < -inner) {
    const double u = x + outer;
    return u * u / (2.0 * a * b);
  }
  if (x <= inner) return 0.5 + x / a;
  const double u = outer - x;
  return 1.0 - u * u / (2.0 * a * b);
}

// The part of a pixel that a band `radius` to either side of a line covers,
// the pixel's centre lying `distance` from the line along the normal (nx, ny).
double BandCoverage(double distance, double radius, double nx, double ny) {
  double a = std::fabs(nx);
  double b = std::fabs(ny);
  if (a < b) std::swap(a, b);
  return SquareAreaBelow(radius - distance, a, b) - SquareAreaBelow(-radius - distance, a, b);
}

// Coverage of the pixel centred at (px, py) by a round cap of `radius` at
// (cx, cy): a band across the direction to the cap's centre.
double CapCoverage(double px, double py, double cx, double cy, double radius) {
  const double dx = px - cx;
  const double dy = py - cy;
  const double distance = std::sqrt(dx * dx + dy * dy);
  if (distance == 0.0) return BandCoverage(0.0, radius, 1.0, 0.0);
  return BandCoverage(distance, radius, dx / distance, dy / distance);
}

// Coverage of the pixel centred at (px, py) by the round-capped segment from
// (ax, ay) to (bx, by): the band beside the segment, the caps beyond its ends.
double SegmentCoverage(double px, double py, double ax, double ay, double bx, double by, double radius) {
  const double vx = bx - ax;
  const double vy = by - ay;
  const double length = std::sqrt(vx * vx + vy * vy);
  if (length == 0.0) return CapCoverage(px, py, ax, ay, radius);
  const double tx = vx / length;
  const double ty = vy / length;
  const double along = (px - ax) * tx + (py - ay) * ty;
  if (along < 0.0) return CapCoverage(px, py, ax, ay, radius);
  if (along > length) return CapCoverage(px, py, bx, by, radius);
  const double across = (px - ax) * -ty + (py - ay) * tx;
  return BandCoverage(std::fabs(across), radius, -ty, tx);
}

}  // namespace

double HalfPlaneCoverage(double inside, double nx, double ny) {
  double a = std::fabs(nx);
  double b = std::fabs(ny);
  if (a < b) std::swap(a, b);
  if (a == 0.0) return inside >= 0.0 ? 1.0 : 0.0;
  return SquareAreaBelow(inside, a, b);
}

namespace {

// A pen's colour, given as 0x00BBGGRR, as the pixels hold it (0x00RRGGBB).
Pixel PixelColour(std::uint32_t colourRef) {
  const Pixel r = colourRef & 0xFF;
  const Pixel g = (colourRef >> 8) & 0xFF;
  const Pixel b = (colourRef >> 16) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

Pixel Mix(Pixel top, Pixel under, unsigned alpha, int shift) {
  const unsigned t = (top >> shift) & 0xFF;
  const unsigned u = (under >> shift) & 0xFF;
  return static_cast<Pixel>((t * alpha + u * (255 - alpha) + 127) / 255) << shift;
}

// `colour` (0x00RRGGBB) laid over `under` with `alpha` (1-255). An opaque
// pixel stays opaque with a top byte of 0; a premultiplied one is composed
// "source over", the pen's colour premultiplied by its coverage.
Pixel Over(Pixel colour, Pixel under, unsigned alpha, HandsSurface surface) {
  Pixel out = Mix(colour, under, alpha, 16) | Mix(colour, under, alpha, 8) | Mix(colour, under, alpha, 0);
  if (surface == HandsSurface::kPremultiplied) out |= Mix(0xFF000000u, under, alpha, 24);
  return out;
}

// How many pixels beyond its centre line a pen of `width` can touch: a pixel
// whose centre lies more than width / 2 + sqrt(1/2) away is left alone.
int StrokeReach(int width) { return (width + 1) / 2; }

// The window columns, from *left to *right, that hold every pixel of row `y`
// whose centre lies within `reach` of the segment from a to b; false when
// the row holds none.
// Only which pixels are looked at depends on it, never their coverage.
bool RowSpan(HandPoint a, HandPoint b, int y, double reach, int* left, int* right) {
  if (y < std::min(a.y, b.y) - reach || y > std::max(a.y, b.y) + reach) return false;
  double low = std::min(a.x, b.x), high = std::max(a.x, b.x);
  if (a.y != b.y) {
    // The part of the segment within `reach` of the row, up or down.
    double t0 = (y - reach - a.y) / static_cast<double>(b.y - a.y);
    double t1 = (y + reach - a.y) / static_cast<double>(b.y - a.y);
    if (t0 > t1) std::swap(t0, t1);
    t0 = std::max(t0, 0.0);
    t1 = std::min(t1, 1.0);
    const double x0 = a.x + t0 * (b.x - a.x), x1 = a.x + t1 * (b.x - a.x);
    low = std::min(x0, x1);
    high = std::max(x0, x1);
  }
  *left = static_cast<int>(std::floor(low - reach));
  *right = static_cast<int>(std::ceil(high + reach));
  return true;
}

}  // namespace

void DrawHandStroke(PixelView target, int originX, int originY, HandsSurface surface, const HandPoint* points,
                    int count, int width, std::uint32_t colour) {
  if (target.empty() || count <= 0 || width <= 0) return;
  int top = points[0].y, bottom = points[0].y;
  for (int i = 1; i < count; ++i) {
    top = std::min(top, points[i].y);
    bottom = std::max(bottom, points[i].y);
  }
  const int reach = StrokeReach(width);
  const int y0 = std::max(top - reach - originY, 0);
  const int y1 = std::min(bottom + reach - originY + 1, target.height);
  const double radius = width * 0.5;
  const Pixel pen = PixelColour(colour);
  // A lone point is a segment from itself to itself.
  const int segments = std::max(count - 1, 1);
  // One row's coverage, the maximum over the segments, so that a pixel two
  // segments cover is covered once.
  std::vector<double> coverage(static_cast<std::size_t>(target.width));
  for (int y = y0; y < y1; ++y) {
    const int windowY = y + originY;
    int rowLeft = target.width, rowRight = -1;
    for (int i = 0; i < segments; ++i) {
      const HandPoint a = points[i], b = points[std::min(i + 1, count - 1)];
      int left, right;
      if (!RowSpan(a, b, windowY, radius + 1.0, &left, &right)) continue;
      left = std::max(left - originX, 0);
      right = std::min(right - originX, target.width - 1);
      if (left > right) continue;
      for (int x = left; x <= right; ++x) {
        const double c = SegmentCoverage(x + originX, windowY, a.x, a.y, b.x, b.y, radius);
        coverage[x] = (x >= rowLeft && x <= rowRight) ? std::max(coverage[x], c) : c;
      }
      // Columns between this span and the row's others stay uncovered.
      if (rowRight >= 0) {
        for (int x = rowRight + 1; x < left; ++x) coverage[x] = 0.0;
        for (int x = right + 1; x < rowLeft; ++x) coverage[x] = 0.0;
      }
      rowLeft = std::min(rowLeft, left);
      rowRight = std::max(rowRight, right);
    }
    Pixel* row = target.Row(y);
    for (int x = rowLeft; x <= rowRight; ++x) {
      const unsigned alpha = static_cast<unsigned>(coverage[x] * 255.0 + 0.5);
      if (alpha != 0) row[x] = Over(pen, row[x], alpha, surface);
    }
  }
}

void RenderClockHands(PixelView target, int originX, int originY, HandsSurface surface, int xCenter, int yCenter,
                      double scale, int nSize, int hour, int minute, int second, bool active, int dpi) {
  const HandTips tips = ComputeHandTips(xCenter, yCenter, scale, hour, minute, second);
  const HandColours colours = HandPenColours(active);
  const HandPens pens = HandPensAt(nSize, dpi);
  const int width = pens.width;
  const HandPoint centre{xCenter, yCenter};
  const int offset = pens.shadowOffset;
  const auto shifted = [offset](HandPoint p) { return HandPoint{p.x + offset, p.y + offset}; };

  const HandPoint shadow[] = {shifted(tips.hour), shifted(centre), shifted(tips.minute)};
  DrawHandStroke(target, originX, originY, surface, shadow, static_cast<int>(std::size(shadow)), width,
                 colours.shadow);
  const HandPoint hands[] = {tips.hour, centre, tips.minute};
  DrawHandStroke(target, originX, originY, surface, hands, static_cast<int>(std::size(hands)), width,
                 colours.hands);
  const HandPoint secondHand[] = {centre, tips.second};
  DrawHandStroke(target, originX, originY, surface, secondHand, static_cast<int>(std::size(secondHand)),
                 pens.secondWidth, colours.second);
}

HandsRect ClockHandsBounds(int xCenter, int yCenter, double scale, int nSize, int dpi) {
  // No tip lies further out than the longest hand's length rounded.
  const double longest = std::max({kHourHandFactor, kMinuteHandFactor, kSecondHandFactor}) * std::fabs(scale) * 150.0;
  const int tip = static_cast<int>(std::floor(longest + 0.5));
  const HandPens pens = HandPensAt(nSize, dpi);
  const int reach = tip + StrokeReach(std::max(pens.width, pens.secondWidth));
  return {xCenter - reach, yCenter - reach, xCenter + reach + pens.shadowOffset + 1,
          yCenter + reach + pens.shadowOffset + 1};
}
