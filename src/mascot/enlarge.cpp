#include "mascot/enlarge.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "mascot/area_scale.h"
#include "mascot/soft_figure.h"

namespace {

// Catmull-Rom: smooth, exact at the source pixels, no wider than 2.
double CatmullRom(double distance) {
  const double x = std::fabs(distance);
  if (x < 1.0) return (1.5 * x - 2.5) * x * x + 1.0;
  if (x < 2.0) return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
  return 0.0;
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

namespace {

// Whether the window's picture can take `source` enlarged; an equal size is then copied.
bool StartEnlarging(ConstPixelView source, PixelView target, const ScaleWindow& window, bool* copied) {
  if (source.empty() || target.empty() || window.fullWidth < source.width || window.fullHeight < source.height) {
    return false;
  }
  *copied = source.width == window.fullWidth && source.height == window.fullHeight;
  if (*copied) CopyWindow(source, target, window);
  return true;
}

// The source rows [first, last] the window's target rows read.
void RowsRead(const AxisFilter& rows, const ScaleWindow& window, int height, int* first, int* last) {
  *first = rows.index[static_cast<std::size_t>(window.y) * kFilterTaps];
  *last = rows.index[static_cast<std::size_t>(window.y + height - 1) * kFilterTaps + kFilterTaps - 1];
}

// The filter run with the axes' taps given: across first, into the window's
// columns at the source rows it reads, then down.
void EnlargeByAxes(ConstPixelView source, PixelView target, const ScaleWindow& window, const AxisFilter& columns,
                   const AxisFilter& rows) {
  int firstRow, lastRow;
  RowsRead(rows, window, target.height, &firstRow, &lastRow);
  std::vector<Pixel> across(static_cast<std::size_t>(target.width) * (lastRow - firstRow + 1));
  for (int y = firstRow; y <= lastRow; ++y) {
    const Pixel* row = source.Row(y);
    Pixel* out = &across[static_cast<std::size_t>(y - firstRow) * target.width];
    for (int x = 0; x < target.width; ++x) {
      const std::size_t tx = static_cast<std::size_t>(window.x + x);
      const int* index = &columns.index[tx * kFilterTaps];
      const Pixel taps[kFilterTaps] = {row[index[0]], row[index[1]], row[index[2]], row[index[3]]};
      out[x] = FilterPixel(taps, &columns.weight[tx * kFilterTaps]);
    }
  }
  for (int y = 0; y < target.height; ++y) {
    const std::size_t ty = static_cast<std::size_t>(window.y + y);
    const int* index = &rows.index[ty * kFilterTaps];
    const int* weight = &rows.weight[ty * kFilterTaps];
    const Pixel* from[kFilterTaps];
    for (int k = 0; k < kFilterTaps; ++k) {
      from[k] = &across[static_cast<std::size_t>(index[k] - firstRow) * target.width];
    }
    Pixel* out = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const Pixel taps[kFilterTaps] = {from[0][x], from[1][x], from[2][x], from[3][x]};
      out[x] = LimitToAlpha(FilterPixel(taps, weight));
    }
  }
}

}  // namespace

bool EnlargePremultiplied(ConstPixelView source, PixelView target) {
  return EnlargePremultiplied(source, target, WholeWindow(target));
}

bool EnlargePremultiplied(ConstPixelView source, PixelView target, const ScaleWindow& window) {
  bool copied = false;
  if (!StartEnlarging(source, target, window, &copied)) return false;
  if (!copied) {
    EnlargeByAxes(source, target, window, FilterAxis(source.width, window.fullWidth),
                  FilterAxis(source.height, window.fullHeight));
  }
  return true;
}

namespace {

// Per channel, the lowest and highest colour of the figure pixels (not
// `key`) among the 4 x 4 a target pixel reads, given its taps on each axis;
// false when it reads none.
bool FigureColourRange(ConstPixelView source, Pixel key, const int* columns, const int* rows, Pixel* low,
                       Pixel* high) {
  unsigned lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  bool any = false;
  for (int j = 0; j < kFilterTaps; ++j) {
    const Pixel* row = source.Row(rows[j]);
    for (int i = 0; i < kFilterTaps; ++i) {
      const Pixel p = row[columns[i]];
      if (p == key) continue;
      any = true;
      for (int k = 0; k < 3; ++k) {
        const unsigned channel = (p >> (8 * k)) & 0xFF;
        lo[k] = std::min(lo[k], channel);
        hi[k] = std::max(hi[k], channel);
      }
    }
  }
  *low = lo[0] | (lo[1] << 8) | (lo[2] << 16);
  *high = hi[0] | (hi[1] << 8) | (hi[2] << 16);
  return any;
}

// Which target pixels read a key pixel: across, per source row from
// `firstRow` and window column; the caller then looks down the four rows each
// target row reads.
std::vector<std::uint8_t> KeyAcross(ConstPixelView source, Pixel key, const AxisFilter& columns,
                                    const ScaleWindow& window, int width, int firstRow, int lastRow) {
  std::vector<std::uint8_t> across(static_cast<std::size_t>(width) * (lastRow - firstRow + 1));
  for (int y = firstRow; y <= lastRow; ++y) {
    const Pixel* row = source.Row(y);
    std::uint8_t* out = &across[static_cast<std::size_t>(y - firstRow) * width];
    for (int x = 0; x < width; ++x) {
      const int* index = &columns.index[static_cast<std::size_t>(window.x + x) * kFilterTaps];
      out[x] = row[index[0]] == key || row[index[1]] == key || row[index[2]] == key || row[index[3]] == key;
    }
  }
  return across;
}

}  // namespace

bool EnlargeKeyed(ConstPixelView source, Pixel key, PixelView target) {
  return EnlargeKeyed(source, key, target, WholeWindow(target));
}

bool EnlargeKeyed(ConstPixelView source, Pixel key, PixelView target, const ScaleWindow& window) {
  bool copied = false;
  if (!StartEnlarging(source, target, window, &copied)) return false;
  if (copied) return true;
  const AxisFilter columns = FilterAxis(source.width, window.fullWidth);
  const AxisFilter rows = FilterAxis(source.height, window.fullHeight);
  int firstRow, lastRow;
  RowsRead(rows, window, target.height, &firstRow, &lastRow);
  // Premultiplied, the key has neither weight nor colour: it cannot mix in.
  // Only the rows the window reads are made so.
  PixelBuffer opaque;
  if (!opaque.Allocate(source.width, source.height, 0)) return false;
  for (int y = firstRow; y <= lastRow; ++y) std::copy_n(source.Row(y), source.width, opaque.view().Row(y));
  const PixelView read{opaque.view().Row(firstRow), source.width, lastRow - firstRow + 1, source.width};
  OpaqueFromKey(read, key);
  EnlargeByAxes(opaque.view(), target, window, columns, rows);
  // Unpremultiplied beside the key, a colour may leave the range of the
  // figure's colours it read by a step or two: there it is held within them.
  // Away from the key the filter's own clamp holds it.
  const std::vector<std::uint8_t> keyAcross = KeyAcross(source, key, columns, window, target.width, firstRow, lastRow);
  std::vector<std::uint8_t> nearKey(static_cast<std::size_t>(target.width));
  for (int y = 0; y < target.height; ++y) {
    const int* rowTaps = &rows.index[static_cast<std::size_t>(window.y + y) * kFilterTaps];
    std::fill(nearKey.begin(), nearKey.end(), 0);
    for (int k = 0; k < kFilterTaps; ++k) {
      const std::uint8_t* from = &keyAcross[static_cast<std::size_t>(rowTaps[k] - firstRow) * target.width];
      for (int x = 0; x < target.width; ++x) nearKey[x] |= from[x];
    }
    Pixel* row = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const Pixel p = row[x];
      const std::uint32_t alpha = p >> 24;
      if (alpha < 128) {
        row[x] = key;
        continue;
      }
      Pixel colour = p & 0x00FFFFFF;
      if (alpha < 255) {
        colour = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          colour |= std::min<std::uint32_t>((((p >> shift) & 0xFF) * 255 + alpha / 2) / alpha, 255) << shift;
        }
      }
      Pixel low, high;
      if (nearKey[x] && FigureColourRange(source, key,
                                          &columns.index[static_cast<std::size_t>(window.x + x) * kFilterTaps],
                                          rowTaps, &low, &high)) {
        Pixel held = 0;
        for (int shift = 0; shift < 24; shift += 8) {
          held |= std::clamp((colour >> shift) & 0xFF, (low >> shift) & 0xFF, (high >> shift) & 0xFF) << shift;
        }
        colour = held;
      }
      // A figure pixel may not take the key's colour: one step of blue away.
      if (colour == key) colour = (key & 0xFF) == 0xFF ? key - 1 : key + 1;
      row[x] = colour;
    }
  }
  return true;
}
