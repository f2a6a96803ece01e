// The demo pictures and the few drawing tools they are made with: shapes
// become masks, masks are painted with a dark outline and simple light and
// shadow bands. Every pixel is drawn as kSamples x kSamples samples, so an
// edge comes out as the part of each pixel it covers: soft, not a staircase.
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

// Samples across one pixel, each way.
constexpr int kSamples = 4;

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};

// A finished picture in whole pixels: each pixel's colour is the average of
// the colours drawn on it, its alpha the part of it they cover (straight, not
// premultiplied). The key is the colour that stands for "transparent" when
// the picture is cut into a keyed one.
class Image {
 public:
  Image(int width, int height, Rgb key);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb key() const { return key_; }
  Rgba at(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgba c) { pixels_[Index(x, y)] = c; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
  }
  int width_, height_;
  Rgb key_;
  std::vector<Rgba> pixels_;
};

// The picture cut at half coverage against its key: a pixel at least half
// covered keeps its colour (nudged off the key should it equal it), every
// other pixel becomes the key. Alpha is 255 throughout.
Image CutByKey(const Image& soft);

// `src` laid over `dst` at (x, y) with "source over"; the parts outside `dst` are left out.
void DrawOver(Image& dst, int x, int y, const Image& src);

// A picture being drawn, width x height pixels of kSamples x kSamples samples.
// Drawn at a `scale` above 1, every shape keeps its place and size in those
// pixels, and the finished picture has `scale` times as many each way.
class Picture {
 public:
  Picture(int width, int height, Rgb key, int scale = 1);

  int width() const { return width_; }
  int height() const { return height_; }
  Rgb key() const { return key_; }
  // Samples across one of the drawing's pixels.
  int perPixel() const { return kSamples * scale_; }
  // Samples each way.
  int samplesWide() const { return width_ * perPixel(); }
  int samplesHigh() const { return height_ * perPixel(); }

  // Colours the sample (x, y) (in samples) as part of the figure.
  void Set(int x, int y, Rgb c);
  // Gives the sample back to the background (a hole).
  void Clear(int x, int y);
  // The pixels: colours averaged over the covered samples, alpha the covered part.
  Image Resolve(int layer = 0) const;

  // A picture may be drawn in several layers at once, for drawings that
  // differ in a few details (the poses): every shape goes on the layers
  // being drawn, all of them unless DrawOnly picked one.
  int layers() const { return layers_; }
  void DrawOnly(int layer) { drawing_ = 1u << layer; }
  void DrawAll() { drawing_ = (1u << layers_) - 1; }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(samplesWide()) + static_cast<std::size_t>(x);
  }
  int width_, height_;
  Rgb key_;
  int scale_;
  int layers_;
  unsigned drawing_;
  std::size_t layerSize_;
  std::vector<Rgb> samples_;
  std::vector<std::uint8_t> covered_;
};

// Pictures made while one lives have `count` layers (at most 32).
class LayeredPictures {
 public:
  explicit LayeredPictures(int count);
  ~LayeredPictures();
  LayeredPictures(const LayeredPictures&) = delete;
  LayeredPictures& operator=(const LayeredPictures&) = delete;

 private:
  int before_;
};

// One flag per sample of a picture. Sample (i, j) covers the square
// [i, i+1) x [j, j+1) / kSamples in pixels; shapes test the sample's centre.
// Shapes are given in pixels.
class Mask {
 public:
  Mask(int width, int height, int perPixel = kSamples);
  explicit Mask(const Picture& p) : Mask(p.samplesWide(), p.samplesHigh(), p.perPixel()) {}

  int width() const { return width_; }
  int perPixel() const { return perPixel_; }
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
  int width_, height_, perPixel_;
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
// Mirror image about the vertical line x = axis (in pixels, from the left edge).
Mask Mirror(const Mask& m, double axis);

// Widths in pixels.
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
