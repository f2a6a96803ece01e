#include "mascot/draw_transparent.h"

#include <algorithm>

int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source, Pixel key) {
  if (source.empty()) return 0;
  if (destination.empty()) return 1;
  // 64-bit bounds: a position near the integer limits must not wrap.
  const long long firstColumn = std::max(0LL, -static_cast<long long>(x));
  const long long endColumn =
      std::min<long long>(source.width, static_cast<long long>(destination.width) - x);
  const long long firstRow = std::max(0LL, -static_cast<long long>(y));
  const long long endRow = std::min<long long>(source.height, static_cast<long long>(destination.height) - y);
  for (long long j = firstRow; j < endRow; ++j) {
    const Pixel* from = source.Row(static_cast<int>(j));
    Pixel* to = destination.Row(static_cast<int>(j + y));
    for (long long i = firstColumn; i < endColumn; ++i) {
      if (from[i] != key) to[i + x] = from[i];
    }
  }
  return 1;
}
