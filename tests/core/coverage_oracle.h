// What a reduction by coverage must give, worked out pixel by pixel: the part
// of each target pixel's area that is figure, and the range of each colour
// channel over the figure pixels it covers.
#ifndef TAVELIN_TESTS_CORE_COVERAGE_ORACLE_H
#define TAVELIN_TESTS_CORE_COVERAGE_ORACLE_H

#include <algorithm>
#include <cstdint>

#include "pictures/pixel_buffer.h"

struct CoveredFigure {
  std::uint64_t figureArea = 0;  // in units of 1 / (source width x source height) of a target pixel
  std::uint64_t totalArea = 0;
  unsigned low[3] = {255, 255, 255};  // red, green, blue over the covered figure pixels
  unsigned high[3] = {0, 0, 0};

  bool IsFigure() const { return 2 * figureArea >= totalArea; }
  bool InRange(Pixel p) const {
    for (int c = 0; c < 3; ++c) {
      const unsigned channel = (p >> (16 - 8 * c)) & 0xFF;
      if (channel < low[c] || channel > high[c]) return false;
    }
    return true;
  }
};

// Source pixel i spans [i * t, (i + 1) * t) and target pixel j spans
// [j * s, (j + 1) * s) in the same units.
inline std::uint64_t Overlap(long long i, long long j, long long s, long long t) {
  const long long low = std::max(i * t, j * s);
  const long long high = std::min((i + 1) * t, (j + 1) * s);
  return high > low ? static_cast<std::uint64_t>(high - low) : 0;
}

inline CoveredFigure CoverTargetPixel(ConstPixelView source, Pixel key, int targetWidth, int targetHeight, int tx,
                                      int ty) {
  CoveredFigure result;
  const long long sw = source.width, sh = source.height, tw = targetWidth, th = targetHeight;
  result.totalArea = static_cast<std::uint64_t>(sw * sh);
  for (long long y = ty * sh / th; y < sh && y * th < (ty + 1) * sh; ++y) {
    const std::uint64_t rowPart = Overlap(y, ty, sh, th);
    for (long long x = tx * sw / tw; x < sw && x * tw < (tx + 1) * sw; ++x) {
      const std::uint64_t part = rowPart * Overlap(x, tx, sw, tw);
      const Pixel p = source.At(static_cast<int>(x), static_cast<int>(y));
      if (part == 0 || p == key) continue;
      result.figureArea += part;
      for (int c = 0; c < 3; ++c) {
        const unsigned channel = (p >> (16 - 8 * c)) & 0xFF;
        result.low[c] = std::min(result.low[c], channel);
        result.high[c] = std::max(result.high[c], channel);
      }
    }
  }
  return result;
}

#endif
