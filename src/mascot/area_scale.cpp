#include "mascot/area_scale.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

AxisCover CoverAxis(int sourceLength, int targetLength) {
  AxisCover cover;
  cover.first.reserve(static_cast<std::size_t>(targetLength) + 1);
  const long long s = sourceLength;
  const long long t = targetLength;
  for (long long target = 0; target < t; ++target) {
    cover.first.push_back(static_cast<int>(cover.taps.size()));
    const long long low = target * s;
    const long long high = low + s;
    for (long long i = low / t; i * t < high; ++i) {
      const long long overlap = std::min(high, (i + 1) * t) - std::max(low, i * t);
      cover.taps.push_back({static_cast<int>(i), static_cast<std::uint32_t>(overlap)});
    }
  }
  cover.first.push_back(static_cast<int>(cover.taps.size()));
  return cover;
}

namespace {

// The average of the covered figure pixels came out as the key colour itself.
// The figure pixels it covers are not all of one colour (none is the key), so
// one channel has room within their range: step it by one towards the range's
// other end.
Pixel StepOffKey(ConstPixelView source, Pixel key, const AxisCover& rows, int ty, const AxisCover& columns,
                 int tx) {
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned channel = (key >> shift) & 0xFF;
    for (int r = rows.first[ty]; r < rows.first[ty + 1]; ++r) {
      const Pixel* row = source.Row(rows.taps[r].index);
      for (int c = columns.first[tx]; c < columns.first[tx + 1]; ++c) {
        const Pixel p = row[columns.taps[c].index];
        if (p == key) continue;
        const unsigned other = (p >> shift) & 0xFF;
        if (other > channel) return key + (Pixel{1} << shift);
        if (other < channel) return key - (Pixel{1} << shift);
      }
    }
  }
  return key;  // not reached: the covered figure pixels differ from the key
}

}  // namespace

void CopyWindow(ConstPixelView source, PixelView target, const ScaleWindow& window) {
  for (int y = 0; y < target.height; ++y) {
    std::memcpy(target.Row(y), source.Row(window.y + y) + window.x, static_cast<std::size_t>(target.width) * sizeof(Pixel));
  }
}

bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target) {
  return ScaleByCoverage(source, key, target, WholeWindow(target));
}

bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target, const ScaleWindow& window) {
  if (source.empty() || target.empty()) return false;
  if (source.width == window.fullWidth && source.height == window.fullHeight) {
    CopyWindow(source, target, window);
    return true;
  }

  const AxisCover columns = CoverAxis(source.width, window.fullWidth);
  const AxisCover rows = CoverAxis(source.height, window.fullHeight);
  const std::uint64_t total = static_cast<std::uint64_t>(source.width) * source.height;
  // The sums: figure area and the figure's colour channels.
  const auto add = [key](Pixel p, std::uint32_t weight, std::uint32_t* sum) {
    if (p == key) return;
    sum[0] += weight;
    sum[1] += weight * ((p >> 16) & 0xFF);
    sum[2] += weight * ((p >> 8) & 0xFF);
    sum[3] += weight * (p & 0xFF);
  };
  const auto make = [&](const std::uint64_t* sums, int tx, int ty) -> Pixel {
    const std::uint64_t area = sums[0];
    if (2 * area < total) return key;
    const std::uint64_t red = (sums[1] + area / 2) / area;
    const std::uint64_t green = (sums[2] + area / 2) / area;
    const std::uint64_t blue = (sums[3] + area / 2) / area;
    const Pixel colour = static_cast<Pixel>((red << 16) | (green << 8) | blue);
    return colour != key ? colour : StepOffKey(source, key, rows, ty, columns, tx);
  };
  SumCoveredAreas(source, columns, rows, target, window, add, make);
  return true;
}
