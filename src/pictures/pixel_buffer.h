// Pictures as 32-bit pixels, rows from top to bottom, in one of three forms
// that the buffer itself does not tell apart: decoded (0xAARRGGBB, straight
// alpha, as a picture file gives it), keyed (0x00RRGGBB, the layout GetDIBits
// gives for 32 bits per pixel; a keyed figure) and premultiplied (0xAARRGGBB,
// each colour already multiplied by alpha / 255; a soft figure).
#ifndef TAVELIN_PICTURES_PIXEL_BUFFER_H
#define TAVELIN_PICTURES_PIXEL_BUFFER_H

#include <cstddef>
#include <cstdint>
#include <vector>

using Pixel = std::uint32_t;

// The largest side, and the most pixels, of any picture or canvas the figure
// is made from: 16 megapixels take 64 MiB. Anything larger is refused from
// its header, before it is decoded or allocated, as if it could not be read.
constexpr int kMaxPictureSide = 16384;
constexpr long long kMaxPicturePixels = 16ll * 1024 * 1024;

// Pixels owned elsewhere; the stride counts pixels from one row to the next.
struct ConstPixelView {
  const Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  bool empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  const Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  Pixel At(int x, int y) const { return Row(y)[x]; }
};

struct PixelView {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  bool empty() const { return pixels == nullptr || width <= 0 || height <= 0; }
  Pixel* Row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
  Pixel& At(int x, int y) const { return Row(y)[x]; }
  operator ConstPixelView() const { return {pixels, width, height, stride}; }
};

// Whether a picture of this size may be held: both sides from 1 to
// kMaxPictureSide, and at most kMaxPicturePixels in all.
bool IsSanePictureSize(long long width, long long height);

// Owns one picture in a single allocation, rows packed (stride = width).
class PixelBuffer {
 public:
  // Makes a width x height picture filled with `fill`. False, leaving the
  // buffer as it was, when the size is not sane or memory is short.
  bool Allocate(int width, int height, Pixel fill);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return pixels_.empty(); }
  Pixel* data() { return pixels_.data(); }
  const Pixel* data() const { return pixels_.data(); }
  PixelView view() { return {pixels_.data(), width_, height_, width_}; }
  ConstPixelView view() const { return {pixels_.data(), width_, height_, width_}; }

 private:
  std::vector<Pixel> pixels_;
  int width_ = 0;
  int height_ = 0;
};

#endif
