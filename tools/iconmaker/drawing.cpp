#include "drawing.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace iconmaker {
namespace {

struct Colour {
  double r, g, b;
};

constexpr Colour kNavy{22, 40, 88};
constexpr Colour kBlueLight{86, 156, 245};
constexpr Colour kBlueDark{30, 96, 206};
constexpr Colour kFace{255, 255, 255};
constexpr Colour kFaceShade{214, 226, 243};
constexpr Colour kBellLight{255, 214, 74};
constexpr Colour kBellDark{238, 156, 0};
constexpr Colour kShine{255, 246, 200};
constexpr Colour kHand{26, 32, 48};
constexpr Colour kRed{222, 52, 44};

Colour Mix(Colour a, Colour b, double t) {
  t = std::clamp(t, 0.0, 1.0);
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

struct Point {
  double x, y;
};

// Signed distances, negative inside, in pixels.
double CircleDistance(Point p, Point c, double r) { return std::hypot(p.x - c.x, p.y - c.y) - r; }

double CapsuleDistance(Point p, Point a, Point b, double r) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy)) - r;
}

bool InBox(Point p, double left, double top, double right, double bottom) {
  return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
}

// Where every part lies at one size, in pixels.
struct Layout {
  int size;
  Point centre;         // of the body and of the hands
  double body;          // the body's radius, its outline included
  double outline;       // the navy line around everything
  double rim;           // the blue ring inside the outline
  double face;          // the white face's radius
  Point bells[2];
  double bell;          // each bell's radius
  Point feet[2][2];     // each foot from the body outwards
  double foot;
  double hand;          // the hands' width, whole pixels
  double minute, hour;  // the hands' lengths from the centre
  bool fine;            // room for a knob, a hub, shading and outlined feet
};

Layout Measure(int size) {
  Layout l{};
  l.size = size;
  const double k = size / 32.0;  // the drawing is designed on a 32 x 32 grid
  l.fine = size >= 32;
  // The centre on a pixel corner, so hands of even width fill whole pixels.
  l.centre = {size / 2.0, std::round(18.0 * k)};
  l.body = 12.6 * k;
  l.outline = std::max(1.0, 1.25 * k);
  l.rim = std::max(1.25, 2.4 * k);
  l.face = l.body - l.outline - l.rim;
  const double reach = 0.74 * l.body;
  l.bells[0] = {l.centre.x - reach, l.centre.y - reach};
  l.bells[1] = {l.centre.x + reach, l.centre.y - reach};
  l.bell = 5.0 * k;
  for (int side = 0; side < 2; ++side) {
    const double s = side == 0 ? -1.0 : 1.0;
    l.feet[side][0] = {l.centre.x + s * 0.55 * l.body, l.centre.y + 0.7 * l.body};
    l.feet[side][1] = {l.centre.x + s * 0.8 * l.body, size - l.outline - 1.1 * k};
  }
  l.foot = std::max(0.7, 0.9 * k);
  l.hand = std::max(2.0, 2.0 * std::round(0.95 * k));
  // Clear of the hour marks where there are marks.
  const bool marks = size >= 40;
  l.minute = (marks ? 0.66 : 0.78) * l.face;
  l.hour = (marks ? 0.48 : 0.56) * l.face;
  if (!l.fine) {  // square tips on whole pixels
    l.minute = std::round(l.minute);
    l.hour = std::round(l.hour);
  }
  return l;
}

// The colour of the topmost part at p, or nothing where the icon is clear.
std::optional<Colour> Sample(const Layout& l, Point p) {
  const double k = l.size / 32.0;
  const Point c = l.centre;
  const Point knob{c.x, c.y - l.body - 1.6 * k};

  // The hands and the hub, over everything else.
  const double half = l.hand / 2.0;
  if (l.fine) {
    if (CircleDistance(p, c, 0.8 * l.hand) < 0) return kRed;
    if (l.size >= 40) {
      const Point tip{c.x - 0.55 * l.face, c.y + 0.62 * l.face};
      if (CapsuleDistance(p, c, tip, std::max(0.5, 0.35 * k)) < 0) return kRed;
    }
    if (CapsuleDistance(p, c, {c.x, c.y - l.minute}, half) < 0) return kHand;
    if (CapsuleDistance(p, c, {c.x + l.hour, c.y}, half) < 0) return kHand;
  } else {
    if (InBox(p, c.x - half, c.y - l.minute, c.x + half, c.y + half)) return kHand;
    if (InBox(p, c.x - half, c.y - half, c.x + l.hour, c.y + half)) return kHand;
  }

  const double dBody = CircleDistance(p, c, l.body);
  if (dBody < -l.outline - l.rim) {
    if (l.size >= 40) {
      // The hour marks at 12, 3, 6 and 9.
      const double mark = 0.16 * l.face, inner = l.face - 0.5 * k - mark;
      const double dx = p.x - c.x, dy = p.y - c.y;
      const double along = std::max(std::abs(dx), std::abs(dy));
      const double across = std::min(std::abs(dx), std::abs(dy));
      if (along > inner && along < inner + mark && across < 0.45 * l.hand) return kHand;
    }
    if (l.fine) {
      // A light shadow of the rim over the upper face.
      const double shade = CircleDistance(p, {c.x + 0.6 * k, c.y + 0.9 * k}, l.face);
      if (shade > 0) return kFaceShade;
    }
    return kFace;
  }
  if (dBody < -l.outline) {
    const double t = (p.y - (c.y - l.body)) / (2 * l.body);
    return Mix(kBlueLight, kBlueDark, t);
  }
  if (dBody < 0) return kNavy;

  for (const Point& b : l.bells) {
    if (CircleDistance(p, b, l.bell) < 0) {
      if (l.fine && CircleDistance(p, {b.x - 0.35 * l.bell, b.y - 0.35 * l.bell}, 0.28 * l.bell) < 0)
        return kShine;
      const double t = ((p.y - b.y) + 0.5 * (p.x - b.x) * (b.x < c.x ? -1 : 1)) / l.bell * 0.5 + 0.5;
      return Mix(kBellLight, kBellDark, t);
    }
  }
  if (l.fine && CircleDistance(p, knob, 1.3 * k) < 0) return Mix(kBellLight, kBellDark, 0.3);
  // Feet of the body's blue, which a dark task bar does not swallow.
  double dFeet = 1e9;
  for (const auto& foot : l.feet) dFeet = std::min(dFeet, CapsuleDistance(p, foot[0], foot[1], l.foot));
  if (l.fine && dFeet < 0) return kBlueDark;

  // The outline around the bells, the knob and its stem; the feet.
  double d = dBody;
  for (const Point& b : l.bells) d = std::min(d, CircleDistance(p, b, l.bell));
  if (l.fine) {
    d = std::min(d, CircleDistance(p, knob, 1.3 * k));
    d = std::min(d, CapsuleDistance(p, knob, {c.x, c.y - l.body}, 0.1 * k));
  }
  if (l.fine) d = std::min(d, dFeet);
  if (d < l.outline || dFeet < 0) return kNavy;
  return std::nullopt;
}

std::uint8_t Channel(double v) { return static_cast<std::uint8_t>(std::clamp(v, 0.0, 255.0) + 0.5); }

}  // namespace

Square DrawIcon(int size) {
  const Layout layout = Measure(size);
  // Samples across one pixel, each way; fewer where the pixels are many.
  const int n = size > 64 ? 6 : 16;
  Square square{size, std::vector<Rgba>(static_cast<std::size_t>(size) * size)};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      double r = 0, g = 0, b = 0;
      int covered = 0;
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          const auto colour = Sample(layout, {x + (i + 0.5) / n, y + (j + 0.5) / n});
          if (!colour) continue;
          ++covered;
          r += colour->r;
          g += colour->g;
          b += colour->b;
        }
      }
      if (covered == 0) continue;
      square.pixels[static_cast<std::size_t>(y) * size + x] = {
          Channel(r / covered), Channel(g / covered), Channel(b / covered),
          Channel(255.0 * covered / (n * n))};
    }
  }
  return square;
}

}  // namespace iconmaker
