// An RGB picture with a transparent key colour, and the few drawing tools the
// demo pictures are made with: shapes become masks, masks are painted with a
// dark outline and simple light and shadow bands. Nothing is anti-aliased, so
// a figure never mixes with its key colour.
#ifndef TAVELIN_DEMOKIT_PICTURE_H
#define TAVELIN_DEMOKIT_PICTURE_H

#include <cstdint>
#include <vector>

namespace demokit {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// The ink of every outline.
constexpr Rgb kInk{40, 30, 48};
constexpr Rgb kWhite{255, 255, 255};

// The colour t of the way from a to b.
Rgb Mix(Rgb a, Rgb b, double t);
// The colour with each channel multiplied by f (clamped).
Rgb Scale(Rgb c, double f);

struct Point {
  double x, y;
};

class Picture {
 public:
  Picture(int width, int height, Rgb key);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb key() const { return key_; }
  Rgb at(int x, int y) const { return pixels_[Index(x, y)]; }
  bool Covered(int x, int y) const { return covered_[Index(x, y)] != 0; }

  void Set(int x, int y, Rgb c);
  // Gives the pixel back to the key colour (a hole or the background).
  void Clear(int x, int y);
  // Nudges any figure pixel that happens to equal the key, so that only the
  // background and intended holes are transparent.
  void Finish();

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }
  int width_, height_;
  Rgb key_;
  std::vector<Rgb> pixels_;
  std::vector<std::uint8_t> covered_;
};

// One flag per pixel of a picture-sized area. Pixel (i, j) covers the square
// [i, i+1) x [j, j+1); shapes test the pixel's centre.
class Mask {
 public:
  Mask(int width, int height);
  explicit Mask(const Picture& p) : Mask(p.width(), p.height()) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool Has(int x, int y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_ &&
           bits_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)] != 0;
  }
  void Put(int x, int y, bool on);
  bool Empty() const;

  Mask& operator|=(const Mask& o);
  Mask& operator&=(const Mask& o);
  Mask& operator-=(const Mask& o);
  friend Mask operator|(Mask a, const Mask& b) { return a |= b; }
  friend Mask operator&(Mask a, const Mask& b) { return a &= b; }
  friend Mask operator-(Mask a, const Mask& b) { return a -= b; }

 private:
  int width_, height_;
  std::vector<std::uint8_t> bits_;
};

Mask Ellipse(const Picture& p, double cx, double cy, double rx, double ry);
Mask Circle(const Picture& p, double cx, double cy, double r);
// An ellipse turned clockwise by the given fraction of a full turn.
Mask Oval(const Picture& p, double cx, double cy, double rx, double ry, double turns);
// A five-pointed star, one point straight up.
Mask Star(const Picture& p, double cx, double cy, double outer, double inner);
Mask Polygon(const Picture& p, const std::vector<Point>& points);
Mask Rect(const Picture& p, double x, double y, double w, double h);
Mask RoundRect(const Picture& p, double x, double y, double w, double h, double r);
// A thick line with round ends, radius r around the segment.
Mask Capsule(const Picture& p, Point a, Point b, double r);
// A thick quadratic curve from a through the pull of c to b.
Mask Curve(const Picture& p, Point a, Point c, Point b, double r);
// The same curve, its radius running from r0 at a to r1 at b.
Mask TaperedCurve(const Picture& p, Point a, Point c, Point b, double r0, double r1);
// Everything left of the directed line from a to b (y grows downward, so
// "left" of a line going right is above it).
Mask LeftOf(const Picture& p, Point a, Point b);
// Mirror image about the vertical line x = axis (in pixel-edge coordinates).
Mask Mirror(const Mask& m, double axis);

struct Style {
  Rgb fill;
  int outline = 2;    // width of the ink band around the shape
  int shadow = 0;     // width of the darker band on the lower right
  int light = 0;      // width of the lighter band on the upper left
  double gradient = 0.14;  // top to bottom brightness fall
  Rgb line = kInk;
};

// Paints the shape: ink around it, then the fill with its bands.
void Paint(Picture& p, const Mask& m, const Style& s);
// Fills the shape with one flat colour, no outline.
void Fill(Picture& p, const Mask& m, Rgb c);
// Cuts a transparent hole.
void Cut(Picture& p, const Mask& m);

}  // namespace demokit

#endif
