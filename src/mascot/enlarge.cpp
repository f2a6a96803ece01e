#include "mascot/enlarge.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "mascot/soft_figure.h"

namespace {

// Catmull-Rom: smooth, exact at the source pixels, no wider than 2.
double CatmullRom(double distance) {
  const double x = std::fabs(distance);
  if (x < 1.0) return (1.5 * x - 2.5) * x * x + 1.0;
  if (x < 2.0) return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
  return 0.0;
}

bool SameSize(ConstPixelView a, ConstPixelView b) { return a.width == b.width && a.height == b.height; }

void CopyPixels(ConstPixelView source, PixelView target) {
  for (int y = 0; y < source.height; ++y) {
    std::memcpy(target.Row(y), source.Row(y), static_cast<std::size_t>(source.width) * sizeof(Pixel));
  }
}

// One filtered pixel from four, each channel clamped to the four's range.
// The bytes of a pixel are its channels, blue first, alpha last.
Pixel FilterPixel(const Pixel* taps, const int* weight) {
  if (taps[0] == taps[1] && taps[1] == taps[2] && taps[2] == taps[3]) return taps[0];
  Pixel out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    int low = 255, high = 0, sum = 0;
    for (int k = 0; k < kFilterTaps; ++k) {
      const int channel = static_cast<int>((taps[k] >> shift) & 0xFF);
      low = std::min(low, channel);
      high = std::max(high, channel);
      sum += weight[k] * channel;
    }
    const int value = std::clamp((sum + kFilterOne / 2) >> kFilterShift, low, high);
    out |= static_cast<Pixel>(value) << shift;
  }
  return out;
}

// A premultiplied colour channel never exceeds its alpha.
Pixel LimitToAlpha(Pixel p) {
  const Pixel alpha = p >> 24;
  Pixel out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) out |= std::min((p >> shift) & 0xFF, alpha) << shift;
  return out;
}

}  // namespace

AxisFilter FilterAxis(int sourceLength, int targetLength) {
  AxisFilter filter;
  filter.index.reserve(static_cast<std::size_t>(targetLength) * kFilterTaps);
  filter.weight.reserve(static_cast<std::size_t>(targetLength) * kFilterTaps);
  const double step = static_cast<double>(sourceLength) / targetLength;
  for (int t = 0; t < targetLength; ++t) {
    // The target pixel's centre in source pixels, 0 at the first one's centre.
    const double centre = (t + 0.5) * step - 0.5;
    const double base = std::floor(centre);
    const double fraction = centre - base;
    int weights[kFilterTaps];
    int sum = 0, largest = 0;
    for (int k = 0; k < kFilterTaps; ++k) {
      weights[k] = static_cast<int>(std::lround(CatmullRom(fraction - (k - 1)) * kFilterOne));
      sum += weights[k];
      if (weights[k] > weights[largest]) largest = k;
    }
    weights[largest] += kFilterOne - sum;  // the weights sum to one exactly
    for (int k = 0; k < kFilterTaps; ++k) {
      filter.index.push_back(std::clamp(static_cast<int>(base) + k - 1, 0, sourceLength - 1));
      filter.weight.push_back(weights[k]);
    }
  }
  return filter;
}

bool EnlargePremultiplied(ConstPixelView source, PixelView target) {
  if (source.empty() || target.empty() || target.width < source.width || target.height < source.height) {
    return false;
  }
  if (SameSize(source, target)) {
    CopyPixels(source, target);
    return true;
  }
  const AxisFilter columns = FilterAxis(source.width, target.width);
  const AxisFilter rows = FilterAxis(source.height, target.height);
  // Across first, into the target's columns at the source's rows.
  std::vector<Pixel> across(static_cast<std::size_t>(target.width) * source.height);
  for (int y = 0; y < source.height; ++y) {
    const Pixel* row = source.Row(y);
    Pixel* out = &across[static_cast<std::size_t>(y) * target.width];
    for (int tx = 0; tx < target.width; ++tx) {
      const int* index = &columns.index[static_cast<std::size_t>(tx) * kFilterTaps];
      const Pixel taps[kFilterTaps] = {row[index[0]], row[index[1]], row[index[2]], row[index[3]]};
      out[tx] = FilterPixel(taps, &columns.weight[static_cast<std::size_t>(tx) * kFilterTaps]);
    }
  }
  for (int ty = 0; ty < target.height; ++ty) {
    const int* index = &rows.index[static_cast<std::size_t>(ty) * kFilterTaps];
    const int* weight = &rows.weight[static_cast<std::size_t>(ty) * kFilterTaps];
    const Pixel* from[kFilterTaps];
    for (int k = 0; k < kFilterTaps; ++k) from[k] = &across[static_cast<std::size_t>(index[k]) * target.width];
    Pixel* out = target.Row(ty);
    for (int tx = 0; tx < target.width; ++tx) {
      const Pixel taps[kFilterTaps] = {from[0][tx], from[1][tx], from[2][tx], from[3][tx]};
      out[tx] = LimitToAlpha(FilterPixel(taps, weight));
    }
  }
  return true;
}

namespace {

// Per channel, the lowest and highest of the figure pixels read, held as
// pixels; where none was read, low is white and high black.
Pixel ChannelMin(Pixel a, Pixel b) {
  Pixel out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= std::min((a >> shift) & 0xFF, (b >> shift) & 0xFF) << shift;
  return out;
}

Pixel ChannelMax(Pixel a, Pixel b) {
  Pixel out = 0;
  for (int shift = 0; shift < 24; shift += 8) out |= std::max((a >> shift) & 0xFF, (b >> shift) & 0xFF) << shift;
  return out;
}

constexpr Pixel kNoLow = 0x00FFFFFF;
constexpr Pixel kNoHigh = 0;

// The range of figure colours each target pixel reads through the filter,
// found the same way, across and then down.
void FigureColourRanges(ConstPixelView source, Pixel key, const AxisFilter& columns, const AxisFilter& rows,
                        int targetWidth, std::vector<Pixel>* low, std::vector<Pixel>* high) {
  std::vector<Pixel> acrossLow(static_cast<std::size_t>(targetWidth) * source.height, kNoLow);
  std::vector<Pixel> acrossHigh(acrossLow.size(), kNoHigh);
  for (int y = 0; y < source.height; ++y) {
    const Pixel* row = source.Row(y);
    for (int tx = 0; tx < targetWidth; ++tx) {
      const std::size_t at = static_cast<std::size_t>(y) * targetWidth + tx;
      for (int k = 0; k < kFilterTaps; ++k) {
        const Pixel p = row[columns.index[static_cast<std::size_t>(tx) * kFilterTaps + k]];
        if (p == key) continue;
        acrossLow[at] = ChannelMin(acrossLow[at], p);
        acrossHigh[at] = ChannelMax(acrossHigh[at], p);
      }
    }
  }
  const int targetHeight = static_cast<int>(rows.index.size()) / kFilterTaps;
  low->assign(static_cast<std::size_t>(targetWidth) * targetHeight, kNoLow);
  high->assign(low->size(), kNoHigh);
  for (int ty = 0; ty < targetHeight; ++ty) {
    for (int k = 0; k < kFilterTaps; ++k) {
      const std::size_t from = static_cast<std::size_t>(rows.index[static_cast<std::size_t>(ty) * kFilterTaps + k]) *
                               targetWidth;
      for (int tx = 0; tx < targetWidth; ++tx) {
        const std::size_t at = static_cast<std::size_t>(ty) * targetWidth + tx;
        (*low)[at] = ChannelMin((*low)[at], acrossLow[from + tx]);
        (*high)[at] = ChannelMax((*high)[at], acrossHigh[from + tx]);
      }
    }
  }
}

}  // namespace

bool EnlargeKeyed(ConstPixelView source, Pixel key, PixelView target) {
  if (source.empty() || target.empty() || target.width < source.width || target.height < source.height) {
    return false;
  }
  if (SameSize(source, target)) {
    CopyPixels(source, target);
    return true;
  }
  // Premultiplied, the key has neither weight nor colour: it cannot mix in.
  PixelBuffer opaque;
  if (!opaque.Allocate(source.width, source.height, 0)) return false;
  for (int y = 0; y < source.height; ++y) std::copy_n(source.Row(y), source.width, opaque.view().Row(y));
  OpaqueFromKey(opaque.view(), key);
  if (!EnlargePremultiplied(opaque.view(), target)) return false;
  // Unpremultiplied near the outline, a colour may leave the figure's range
  // by a step or two: it is held within the colours it read.
  std::vector<Pixel> low, high;
  FigureColourRanges(source, key, FilterAxis(source.width, target.width), FilterAxis(source.height, target.height),
                     target.width, &low, &high);
  for (int y = 0; y < target.height; ++y) {
    Pixel* row = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const Pixel p = row[x];
      const std::uint32_t alpha = p >> 24;
      if (alpha < 128) {
        row[x] = key;
        continue;
      }
      const std::size_t at = static_cast<std::size_t>(y) * target.width + x;
      Pixel colour = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        const std::uint32_t channel = (((p >> shift) & 0xFF) * 255 + alpha / 2) / alpha;
        colour |= std::clamp(channel, (low[at] >> shift) & 0xFF, (high[at] >> shift) & 0xFF) << shift;
      }
      // A figure pixel may not take the key's colour: one step of blue away.
      if (colour == key) colour = (key & 0xFF) == 0xFF ? key - 1 : key + 1;
      row[x] = colour;
    }
  }
  return true;
}
