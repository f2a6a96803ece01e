// The enlargement of the canvas into the window's picture, for a picture
// factor above 1: one separable Catmull-Rom filter on premultiplied pixels.
#ifndef TAVELIN_MASCOT_ENLARGE_H
#define TAVELIN_MASCOT_ENLARGE_H

#include <vector>

#include "mascot/area_scale.h"
#include "pictures/pixel_buffer.h"

// Along one axis, the four source pixels each target pixel reads and their
// weights in units of 1 / kFilterOne, summing to kFilterOne. Indices beyond
// the picture's edge read the edge pixel.
constexpr int kFilterShift = 14;
constexpr int kFilterOne = 1 << kFilterShift;
constexpr int kFilterTaps = 4;
struct AxisFilter {
  std::vector<int> index;   // kFilterTaps per target pixel
  std::vector<int> weight;
};

AxisFilter FilterAxis(int sourceLength, int targetLength);

// Fills `target` with the premultiplied `source` resampled to the target's
// size, each side at least the source's. Each pass clamps every channel to
// the range of the pixels it read, so a flat area stays flat, an edge neither
// overshoots nor rings, and a pixel whose reach holds only transparent
// pixels is 0 exactly; no colour exceeds its pixel's alpha. Equal sizes give
// an exact copy. False when either picture is empty or `target` is smaller.
bool EnlargePremultiplied(ConstPixelView source, PixelView target);
bool EnlargePremultiplied(ConstPixelView source, PixelView target, const ScaleWindow& window);

// The same for a keyed picture: its figure pixels (all but `key`) taken as
// opaque and the key as transparent. A target pixel belongs to the figure
// when its coverage is at least one half, and then has the colour of the
// figure pixels it read, never the key; otherwise it is `key`.
bool EnlargeKeyed(ConstPixelView source, Pixel key, PixelView target);
bool EnlargeKeyed(ConstPixelView source, Pixel key, PixelView target, const ScaleWindow& window);

// Each of these scalers has a second form that fills only a window of the
// whole picture (ScaleWindow), with the pixels the whole one has there.

#endif
