// The reduction of the canvas into the window's picture.
#ifndef TAVELIN_MASCOT_AREA_SCALE_H
#define TAVELIN_MASCOT_AREA_SCALE_H

#include "mascot/pixel_buffer.h"

// Fills `target` with `source` resampled to the target's size: every target
// pixel is the average of the source area it covers, partly covered source
// pixels weighted by the part covered. Equal sizes give an exact copy. False
// when either picture is empty.
bool ScaleAreaAverage(ConstPixelView source, PixelView target);

#endif
