// The reduction of the canvas into the window's picture.
#ifndef TAVELIN_MASCOT_AREA_SCALE_H
#define TAVELIN_MASCOT_AREA_SCALE_H

#include "pictures/pixel_buffer.h"

// Fills `target` with `source` resampled to the target's size, the picture and
// its transparency together. A target pixel belongs to the figure when at
// least half of the source area it covers is figure (not `key`); it then has
// the average colour of the figure pixels it covers, each weighted by the part
// it covers, and never the key colour. Otherwise it is `key`. Equal sizes give
// an exact copy. False when either picture is empty.
bool ScaleByCoverage(ConstPixelView source, Pixel key, PixelView target);

#endif
