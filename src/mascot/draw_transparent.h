// The colour-key copy with which the figure is composed.
#ifndef TAVELIN_MASCOT_DRAW_TRANSPARENT_H
#define TAVELIN_MASCOT_DRAW_TRANSPARENT_H

#include "pictures/pixel_buffer.h"

// Copies `source` to (x, y) of `destination`, leaving out every pixel equal to
// `key`; whatever falls outside the destination is clipped. Returns 0 and
// draws nothing without a source picture, 1 otherwise.
int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source, Pixel key);

// The same, and sets `*drew` when a pixel it drew has the colour `watched`
// (leaves it as it was otherwise).
int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source, Pixel key, Pixel watched,
                    bool* drew);

// The same with the source's own pixel (0, 0) as the key.
inline int DrawTransparent(PixelView destination, int x, int y, ConstPixelView source) {
  return DrawTransparent(destination, x, y, source, source.empty() ? 0 : source.At(0, 0));
}

#endif
