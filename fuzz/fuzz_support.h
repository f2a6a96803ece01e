// Helpers shared by the fuzz targets: a check that aborts, pictures made from
// the input, and pixel buffers fenced by guard pixels.
#ifndef TAVELIN_FUZZ_FUZZ_SUPPORT_H
#define TAVELIN_FUZZ_FUZZ_SUPPORT_H

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "pictures/pixel_buffer.h"

// Aborts, so libFuzzer keeps the input, when an invariant does not hold.
#define FUZZ_REQUIRE(condition)                                                        \
  do {                                                                                 \
    if (!(condition)) {                                                                \
      std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                    \
    }                                                                                  \
  } while (0)

// Checking code, left out of the coverage feedback: its loops would only
// slow the fuzzer down and teach it nothing about the rules.
#define FUZZ_ORACLE __attribute__((no_sanitize("coverage")))

// Colours a picture is drawn from: a few, so that the key colour and the
// canvas magenta turn up often inside the pictures, not only at a corner.
inline std::vector<Pixel> ConsumePalette(FuzzedDataProvider& in) {
  std::vector<Pixel> palette;
  const int count = in.ConsumeIntegralInRange(1, 4);
  for (int i = 0; i < count; ++i) {
    switch (in.ConsumeIntegralInRange(0, 3)) {
      case 0: palette.push_back(0x00FF00FF); break;  // the canvas background
      case 1: palette.push_back(0x00000000); break;
      default: palette.push_back(in.ConsumeIntegral<Pixel>()); break;
    }
  }
  return palette;
}

// A picture with `pad` guard pixels after every row and a guard row above
// and below, all of `guard`, so that a write past the picture's own pixels
// lands in the same allocation and is seen by CheckGuards.
class FencedPicture {
 public:
  FencedPicture(int width, int height, int pad, Pixel guard)
      : width_(width), height_(height), stride_(width + pad > 0 ? width + pad : 1), guard_(guard),
        pixels_(static_cast<std::size_t>(stride_) * (height + 2), guard) {}

  PixelView view() {
    if (width_ <= 0 || height_ <= 0) return {};
    return {pixels_.data() + stride_, width_, height_, stride_};
  }
  ConstPixelView const_view() { return view(); }

  void Fill(FuzzedDataProvider& in, const std::vector<Pixel>& palette) {
    for (int y = 0; y < height_; ++y) {
      for (int x = 0; x < width_; ++x) {
        At(x, y) = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];
      }
    }
  }

  FUZZ_ORACLE Pixel& At(int x, int y) { return pixels_[static_cast<std::size_t>(y + 1) * stride_ + x]; }

  FUZZ_ORACLE bool GuardsIntact() const {
    for (std::size_t i = 0; i < pixels_.size(); ++i) {
      const long long row = static_cast<long long>(i) / stride_ - 1;
      const long long column = static_cast<long long>(i) % stride_;
      const bool inside = row >= 0 && row < height_ && column < width_;
      if (!inside && pixels_[i] != guard_) return false;
    }
    return true;
  }

  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  int stride_;
  Pixel guard_;
  std::vector<Pixel> pixels_;
};

// A coordinate that is mostly small (0 once the input runs out, so that
// pictures overlap), otherwise close to the picture limit or to the integer
// limits.
inline int ConsumeOffset(FuzzedDataProvider& in, int smallRange) {
  switch (in.ConsumeIntegralInRange(0, 9)) {
    case 5: return kMaxPictureSide + in.ConsumeIntegralInRange(-400, 400);
    case 6: return -kMaxPictureSide + in.ConsumeIntegralInRange(-400, 400);
    case 7: return INT_MIN + in.ConsumeIntegralInRange(0, 400);
    case 8: return INT_MAX - in.ConsumeIntegralInRange(0, 400);
    case 9: return in.ConsumeIntegral<int>();
    default: return in.ConsumeIntegral<std::int16_t>() % (smallRange + 1);
  }
}

#endif
