// The reduction of the canvas into the window's picture.
#ifndef TAVELIN_MASCOT_AREA_SCALE_H
#define TAVELIN_MASCOT_AREA_SCALE_H

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

// Fills `target` with `source` resampled to the target's size, the picture and
// its transparency together. A target pixel belongs to the figure when at
// least half of the source area it covers is figure (not `key`); it then has
// the average colour of the figure pixels it covers, each weighted by the part
// it covers, and never the key colour. Otherwise it is `key`. Equal sizes give
// an exact copy. False when either picture is empty.
bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target);

#endif
