// The reduction of the canvas into the window's picture.
#ifndef TAVELIN_MASCOT_AREA_SCALE_H
#define TAVELIN_MASCOT_AREA_SCALE_H

#include <algorithm>
#include <cstdint>
#include <vector>

#include "pictures/pixel_buffer.h"

struct Tap {
  int index;
  std::uint32_t weight;
};

// Along one axis, the source pixels each target pixel covers. Lengths are
// measured in units of 1 / (sourceLength * targetLength): source pixel i spans
// [i * targetLength, (i + 1) * targetLength) and target pixel t spans
// [t * sourceLength, (t + 1) * sourceLength), so every weight is an exact
// integer and the weights of one target pixel sum to sourceLength.
struct AxisCover {
  std::vector<Tap> taps;
  std::vector<int> first;  // taps of target t: [first[t], first[t + 1])
};

AxisCover CoverAxis(int sourceLength, int targetLength);

// Where a target view lies in the whole scaled picture: its pixel (0, 0) is
// pixel (x, y) of a picture fullWidth x fullHeight. A scaler given a window
// fills the view with exactly the pixels the whole picture has there, reading
// only the source pixels they depend on.
struct ScaleWindow {
  int x;
  int y;
  int fullWidth;
  int fullHeight;
};

inline ScaleWindow WholeWindow(PixelView target) { return {0, 0, target.width, target.height}; }

// The area sums of a reduction, one target row at a time: first the covered
// source rows summed per column, then those sums combined across the covered
// columns. `add(pixel, weight, sum)` adds a source pixel's four sums, times
// `weight`, to sum[0..3]; `make(sums, tx, ty)` turns the four sums a target
// pixel covers into that pixel.
template <typename AddPixel, typename MakePixel>
void SumCoveredAreas(ConstPixelView source, const AxisCover& columns, const AxisCover& rows, PixelView target,
                     const ScaleWindow& window, AddPixel add, MakePixel make) {
  // The source columns the window's target columns cover.
  const int low = columns.taps[columns.first[window.x]].index;
  const int high = columns.taps[columns.first[window.x + target.width] - 1].index + 1;
  std::vector<std::uint32_t> columnSums(static_cast<std::size_t>(high - low) * 4);
  for (int y = 0; y < target.height; ++y) {
    const int ty = window.y + y;
    std::fill(columnSums.begin(), columnSums.end(), 0u);
    for (int r = rows.first[ty]; r < rows.first[ty + 1]; ++r) {
      const Pixel* row = source.Row(rows.taps[r].index);
      const std::uint32_t weight = rows.taps[r].weight;
      std::uint32_t* sum = columnSums.data();
      for (int x = low; x < high; ++x, sum += 4) add(row[x], weight, sum);
    }
    Pixel* out = target.Row(y);
    for (int x = 0; x < target.width; ++x) {
      const int tx = window.x + x;
      std::uint64_t sums[4] = {0, 0, 0, 0};
      for (int c = columns.first[tx]; c < columns.first[tx + 1]; ++c) {
        const std::uint32_t* sum = &columnSums[static_cast<std::size_t>(columns.taps[c].index - low) * 4];
        const std::uint64_t weight = columns.taps[c].weight;
        for (int k = 0; k < 4; ++k) sums[k] += weight * sum[k];
      }
      out[x] = make(sums, tx, ty);
    }
  }
}

// Copies the window's part of `source` into `target`: scaling at equal sizes.
void CopyWindow(ConstPixelView source, PixelView target, const ScaleWindow& window);

// Fills `target` with `source` resampled to the target's size, the picture and
// its transparency together. A target pixel belongs to the figure when at
// least half of the source area it covers is figure (not `key`); it then has
// the average colour of the figure pixels it covers, each weighted by the part
// it covers, and never the key colour. Otherwise it is `key`. Equal sizes give
// an exact copy. False when either picture is empty.
bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target);
bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target, const ScaleWindow& window);

#endif
