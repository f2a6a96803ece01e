#include "picture.h"

#include "trig.h"

#include <algorithm>
#include <cmath>

namespace demokit {
namespace {

std::uint8_t Channel(double v) {
  if (v <= 0.0) return 0;
  if (v >= 255.0) return 255;
  return static_cast<std::uint8_t>(v + 0.5);
}

// Squared distance from q to the segment a-b.
double SegmentDistance2(Point q, Point a, Point b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = 0.0;
  if (len2 > 0.0) t = std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0);
  const double ex = a.x + t * dx - q.x, ey = a.y + t * dy - q.y;
  return ex * ex + ey * ey;
}

}  // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
  return {Channel(a.r + (b.r - a.r) * t), Channel(a.g + (b.g - a.g) * t),
          Channel(a.b + (b.b - a.b) * t)};
}

Rgb Scale(Rgb c, double f) { return {Channel(c.r * f), Channel(c.g * f), Channel(c.b * f)}; }

Image::Image(int width, int height, Rgb key)
    : width_(width),
      height_(height),
      key_(key),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

Image CutByKey(const Image& soft) {
  const Rgb key = soft.key();
  Image keyed(soft.width(), soft.height(), key);
  for (int y = 0; y < soft.height(); ++y)
    for (int x = 0; x < soft.width(); ++x) {
      Rgba c = soft.at(x, y);
      if (c.a < 128) {
        c = {key.r, key.g, key.b, 0};
      } else if (c.r == key.r && c.g == key.g && c.b == key.b) {
        c.b ^= 1;
      }
      c.a = 255;
      keyed.Set(x, y, c);
    }
  return keyed;
}

void DrawOver(Image& dst, int x, int y, const Image& src) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) {
      const int tx = x + i, ty = y + j;
      if (tx < 0 || ty < 0 || tx >= dst.width() || ty >= dst.height()) continue;
      const Rgba s = src.at(i, j), d = dst.at(tx, ty);
      if (s.a == 0) continue;
      // In premultiplied terms, out = s + d (1 - s.a); then back to straight colour.
      const double sa = s.a / 255.0, da = d.a / 255.0 * (1.0 - sa), a = sa + da;
      auto channel = [&](std::uint8_t sc, std::uint8_t dc) { return Channel((sc * sa + dc * da) / a); };
      dst.Set(tx, ty, {channel(s.r, d.r), channel(s.g, d.g), channel(s.b, d.b), Channel(a * 255.0)});
    }
}

namespace {
int g_layers = 1;
}  // namespace

LayeredPictures::LayeredPictures(int count) : before_(g_layers) { g_layers = count; }
LayeredPictures::~LayeredPictures() { g_layers = before_; }

Picture::Picture(int width, int height, Rgb key, int scale)
    : width_(width),
      height_(height),
      key_(key),
      scale_(scale),
      layers_(g_layers),
      drawing_((1u << g_layers) - 1),
      layerSize_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * kSamples * kSamples * scale *
                 scale),
      samples_(layerSize_ * static_cast<std::size_t>(g_layers), key),
      covered_(samples_.size(), 0) {}

void Picture::Set(int x, int y, Rgb c) {
  if (x < 0 || y < 0 || x >= samplesWide() || y >= samplesHigh()) return;
  for (int layer = 0; layer < layers_; ++layer) {
    if (!(drawing_ & (1u << layer))) continue;
    const std::size_t at = Index(x, y) + layerSize_ * static_cast<std::size_t>(layer);
    samples_[at] = c;
    covered_[at] = 1;
  }
}

void Picture::Clear(int x, int y) {
  if (x < 0 || y < 0 || x >= samplesWide() || y >= samplesHigh()) return;
  for (int layer = 0; layer < layers_; ++layer) {
    if (!(drawing_ & (1u << layer))) continue;
    const std::size_t at = Index(x, y) + layerSize_ * static_cast<std::size_t>(layer);
    samples_[at] = key_;
    covered_[at] = 0;
  }
}

Image Picture::Resolve(int layer) const {
  constexpr int kAll = kSamples * kSamples;
  Image image(width_ * scale_, height_ * scale_, key_);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      int count = 0, r = 0, g = 0, b = 0;
      for (int j = 0; j < kSamples; ++j)
        for (int i = 0; i < kSamples; ++i) {
          const std::size_t at = Index(x * kSamples + i, y * kSamples + j) + layerSize_ * static_cast<std::size_t>(layer);
          if (!covered_[at]) continue;
          ++count;
          r += samples_[at].r;
          g += samples_[at].g;
          b += samples_[at].b;
        }
      if (count == 0) continue;
      auto average = [count](int sum) { return static_cast<std::uint8_t>((2 * sum + count) / (2 * count)); };
      image.Set(x, y, {average(r), average(g), average(b),
                       static_cast<std::uint8_t>((2 * 255 * count + kAll) / (2 * kAll))});
    }
  return image;
}

Mask::Mask(int width, int height, int perPixel)
    : width_(width),
      height_(height),
      perPixel_(perPixel),
      bits_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

void Mask::Put(int x, int y, bool on) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
        static_cast<std::size_t>(x)] = on ? 1 : 0;
}

bool Mask::Empty() const {
  return std::none_of(bits_.begin(), bits_.end(), [](std::uint8_t b) { return b != 0; });
}

Mask& Mask::operator|=(const Mask& o) {
  for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] |= o.bits_[i];
  return *this;
}

Mask& Mask::operator&=(const Mask& o) {
  for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] &= o.bits_[i];
  return *this;
}

Mask& Mask::operator-=(const Mask& o) {
  for (std::size_t i = 0; i < bits_.size(); ++i) bits_[i] &= static_cast<std::uint8_t>(!o.bits_[i]);
  return *this;
}

namespace {

struct Box {
  double x0, y0, x1, y1;
};

// The centre of sample i, in pixels of the drawing.
double SampleCentre(int i, int perPixel) { return (i + 0.5) / perPixel; }

// A mask of every sample whose centre lies in the box (in pixels) and passes the test.
template <typename Test>
Mask Where(const Picture& p, Box box, Test test) {
  Mask m(p);
  const int n = p.perPixel();
  const int x0 = std::max(0, static_cast<int>(std::floor(box.x0 * n)) - 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(box.y0 * n)) - 1);
  const int x1 = std::min(p.samplesWide() - 1, static_cast<int>(std::ceil(box.x1 * n)) + 1);
  const int y1 = std::min(p.samplesHigh() - 1, static_cast<int>(std::ceil(box.y1 * n)) + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (test(SampleCentre(x, n), SampleCentre(y, n))) m.Put(x, y, true);
  return m;
}

Box Whole(const Picture& p) { return {0, 0, static_cast<double>(p.width()), static_cast<double>(p.height())}; }

Box Around(const std::vector<Point>& pts, double r) {
  Box b{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
  for (const Point& q : pts) {
    b.x0 = std::min(b.x0, q.x);
    b.y0 = std::min(b.y0, q.y);
    b.x1 = std::max(b.x1, q.x);
    b.y1 = std::max(b.y1, q.y);
  }
  return {b.x0 - r, b.y0 - r, b.x1 + r, b.y1 + r};
}

std::vector<Point> CurvePoints(Point a, Point c, Point b, int steps) {
  std::vector<Point> pts;
  for (int i = 0; i <= steps; ++i) {
    const double t = static_cast<double>(i) / steps, u = 1.0 - t;
    pts.push_back({u * u * a.x + 2 * u * t * c.x + t * t * b.x,
                   u * u * a.y + 2 * u * t * c.y + t * t * b.y});
  }
  return pts;
}

}  // namespace

Mask Ellipse(const Picture& p, double cx, double cy, double rx, double ry) {
  return Where(p, {cx - rx, cy - ry, cx + rx, cy + ry}, [&](double x, double y) {
    // Strictly inside: a pixel centre exactly on the edge makes a one-pixel nub.
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v < 1.0;
  });
}

Mask Circle(const Picture& p, double cx, double cy, double r) { return Ellipse(p, cx, cy, r, r); }

Mask Oval(const Picture& p, double cx, double cy, double rx, double ry, double turns) {
  const double c = CosineTurns(turns), s = SineTurns(turns), r = std::max(rx, ry);
  return Where(p, {cx - r, cy - r, cx + r, cy + r}, [&](double x, double y) {
    const double dx = x - cx, dy = y - cy;
    const double u = (dx * c + dy * s) / rx, v = (dy * c - dx * s) / ry;
    return u * u + v * v < 1.0;
  });
}

Mask Star(const Picture& p, double cx, double cy, double outer, double inner) {
  std::vector<Point> pts;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? outer : inner, a = i / 10.0;
    pts.push_back({cx + r * SineTurns(a), cy - r * CosineTurns(a)});
  }
  return Polygon(p, pts);
}

Mask Polygon(const Picture& p, const std::vector<Point>& points) {
  Mask m(p);
  const std::size_t n = points.size();
  const int per = p.perPixel();
  std::vector<double> crossings;
  for (int y = 0; y < p.samplesHigh(); ++y) {
    const double sy = SampleCentre(y, per);
    crossings.clear();
    for (std::size_t i = 0; i < n; ++i) {
      const Point a = points[i], b = points[(i + 1) % n];
      if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy))
        crossings.push_back(a.x + (sy - a.y) * (b.x - a.x) / (b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      for (int x = std::max(0, static_cast<int>(std::floor(crossings[i] * per)) - 1);
           x < p.samplesWide() && SampleCentre(x, per) <= crossings[i + 1]; ++x) {
        if (SampleCentre(x, per) >= crossings[i]) m.Put(x, y, true);
      }
    }
  }
  return m;
}

Mask Rect(const Picture& p, double x, double y, double w, double h) {
  return Where(p, {x, y, x + w, y + h}, [&](double px, double py) {
    return px >= x && px < x + w && py >= y && py < y + h;
  });
}

Mask RoundRect(const Picture& p, double x, double y, double w, double h, double r) {
  return Where(p, {x, y, x + w, y + h}, [&](double px, double py) {
    const double qx = std::clamp(px, x + r, x + w - r), qy = std::clamp(py, y + r, y + h - r);
    const double dx = px - qx, dy = py - qy;
    return px >= x && px < x + w && py >= y && py < y + h && dx * dx + dy * dy <= r * r;
  });
}

Mask Capsule(const Picture& p, Point a, Point b, double r) {
  return Where(p, Around({a, b}, r), [&](double x, double y) { return SegmentDistance2({x, y}, a, b) <= r * r; });
}

Mask Curve(const Picture& p, Point a, Point c, Point b, double r) {
  constexpr int kSteps = 24;
  const std::vector<Point> pts = CurvePoints(a, c, b, kSteps);
  return Where(p, Around(pts, r), [&](double x, double y) {
    for (int i = 0; i < kSteps; ++i)
      if (SegmentDistance2({x, y}, pts[i], pts[i + 1]) <= r * r) return true;
    return false;
  });
}

Mask TaperedCurve(const Picture& p, Point a, Point c, Point b, double r0, double r1) {
  constexpr int kSteps = 48;
  const std::vector<Point> pts = CurvePoints(a, c, b, kSteps);
  return Where(p, Around(pts, std::max(r0, r1)), [&](double x, double y) {
    for (int i = 0; i <= kSteps; ++i) {
      const double r = r0 + (r1 - r0) * i / kSteps, dx = x - pts[i].x, dy = y - pts[i].y;
      if (dx * dx + dy * dy < r * r) return true;
    }
    return false;
  });
}

Mask LeftOf(const Picture& p, Point a, Point b) {
  return Where(p, Whole(p), [&](double x, double y) {
    return (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x) < 0.0;
  });
}

Mask Mirror(const Mask& m, double axis) {
  Mask out(m.width(), m.height(), m.perPixel());
  for (int y = 0; y < m.height(); ++y)
    for (int x = 0; x < m.width(); ++x) {
      // Sample x spans [x, x+1); its mirror spans [2*axis-x-1, 2*axis-x), in samples.
      const double mx = 2.0 * axis * m.perPixel() - x - 1.0;
      const int ix = static_cast<int>(std::floor(mx + 0.5));
      if (m.Has(ix, y)) out.Put(x, y, true);
    }
  return out;
}

namespace {

// The rows and columns of samples a mask holds, or an empty box.
struct Extent {
  int left, top, right, bottom;  // inclusive
  bool Empty() const { return right < left; }
};

Extent ExtentOf(const Mask& m) {
  Extent e{m.width(), m.height(), -1, -1};
  for (int y = 0; y < m.height(); ++y)
    for (int x = 0; x < m.width(); ++x)
      if (m.Has(x, y)) e = {std::min(e.left, x), std::min(e.top, y), std::max(e.right, x), std::max(e.bottom, y)};
  return e;
}

// Every sample outside the mask within `r` samples of it (squared distance up
// to r * r + r, as a round pen of radius r draws): a column pass finds each
// sample's distance to the mask up or down, a row pass widens each column's
// reach by what the circle leaves.
Mask Ring(const Mask& m, const Extent& e, int r) {
  Mask ring(m.width(), m.height(), m.perPixel());
  const int left = std::max(0, e.left - r), right = std::min(m.width() - 1, e.right + r);
  const int top = std::max(0, e.top - r), bottom = std::min(m.height() - 1, e.bottom + r);
  const int w = right - left + 1, far = r + 1;
  std::vector<int> down(static_cast<std::size_t>(w) * (bottom - top + 1), far);
  auto vertical = [&](int x, int y) -> int& { return down[static_cast<std::size_t>(y - top) * w + (x - left)]; };
  for (int x = left; x <= right; ++x) {
    int run = far;
    for (int y = top; y <= bottom; ++y) vertical(x, y) = run = m.Has(x, y) ? 0 : std::min(run + 1, far);
    run = far;
    for (int y = bottom; y >= top; --y) {
      run = m.Has(x, y) ? 0 : std::min(run + 1, far);
      vertical(x, y) = std::min(vertical(x, y), run);
    }
  }
  std::vector<int> reach(static_cast<std::size_t>(r) + 1);
  for (int d = 0; d <= r; ++d) reach[d] = static_cast<int>(std::sqrt(static_cast<double>(r * r + r - d * d)));
  std::vector<int> starts(static_cast<std::size_t>(w) + 1);
  for (int y = top; y <= bottom; ++y) {
    std::fill(starts.begin(), starts.end(), 0);
    for (int x = left; x <= right; ++x) {
      const int d = vertical(x, y);
      if (d > r) continue;
      ++starts[std::max(x - reach[d], left) - left];
      --starts[std::min(x + reach[d], right) + 1 - left];
    }
    int open = 0;
    for (int x = left; x <= right; ++x) {
      open += starts[x - left];
      if (open > 0 && !m.Has(x, y)) ring.Put(x, y, true);
    }
  }
  return ring;
}

}  // namespace

void Paint(Picture& p, const Mask& m, const Style& s) {
  const Extent e = ExtentOf(m);
  if (e.Empty()) return;
  const int n = p.perPixel();
  if (s.outline > 0) Fill(p, Ring(m, e, s.outline * n), s.line);

  const Rgb dark = Mix(Scale(s.fill, 0.72), Rgb{60, 40, 110}, 0.12);
  const Rgb bright = Mix(s.fill, kWhite, 0.38);
  const int shadowX = s.shadow * n / 2, shadowY = s.shadow * n;
  const int lightX = s.light * n / 2, lightY = s.light * n;
  const double span = std::max(1, e.bottom - e.top);
  for (int y = e.top; y <= e.bottom; ++y) {
    const double t = (y - e.top) / span;
    const Rgb base = Scale(s.fill, 1.0 + s.gradient * (0.5 - t));
    for (int x = e.left; x <= e.right; ++x) {
      if (!m.Has(x, y)) continue;
      Rgb c = base;
      if (s.shadow > 0 && !m.Has(x + shadowX, y + shadowY)) {
        c = dark;
      } else if (s.light > 0 && !m.Has(x - lightX, y - lightY)) {
        c = bright;
      }
      p.Set(x, y, c);
    }
  }
}

void Fill(Picture& p, const Mask& m, Rgb c) {
  const Extent e = ExtentOf(m);
  for (int y = e.top; y <= e.bottom; ++y)
    for (int x = e.left; x <= e.right; ++x)
      if (m.Has(x, y)) p.Set(x, y, c);
}

void Cut(Picture& p, const Mask& m) {
  const Extent e = ExtentOf(m);
  for (int y = e.top; y <= e.bottom; ++y)
    for (int x = e.left; x <= e.right; ++x)
      if (m.Has(x, y)) p.Clear(x, y);
}

}  // namespace demokit
