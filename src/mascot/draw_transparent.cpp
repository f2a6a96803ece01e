#include "mascot/draw_transparent.h"

#include <algorithm>

namespace {

template <bool kWatch>
int Draw(PixelView destination, int x, int y, ConstPixelView source, Pixel key, Pixel watched, bool* drew) {
  if (source.empty()) return 0;
  if (destination.empty()) return 1;
  // 64-bit bounds: a position near the integer limits must not wrap.
  const long long firstColumn = std::max(0LL, -static_cast<long long>(x));
  const long long endColumn =
      std::min<long long>(source.width, static_cast<long long>(destination.width) - x);
  const long long firstRow = std::max(0LL, -static_cast<long long>(y));
  const long long endRow = std::min<long long>(source.height, static_cast<long long>(destination.height) - y);
  bool seen = false;
  for (long long j = firstRow; j < endRow; ++j) {
    const Pixel* from = source.Row(static_cast<int>(j));
    Pixel* to = destination.Row(static_cast<int>(j + y));
    for (long long i = firstColumn; i < endColumn; ++i) {
      const Pixel p = from[i];
      if (p != key) {
        to[i + x] = p;
        if constexpr (kWatch) seen = seen || p == watched;
      }
    }
  }
  if (seen) *drew = true;
  return 1;
}

}  // namespace

int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source, Pixel key) {
  return Draw<false>(destination, x, y, source, key, 0, nullptr);
}

int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source, Pixel key, Pixel watched,
                    bool* drew) {
  return Draw<true>(destination, x, y, source, key, watched, drew);
}
