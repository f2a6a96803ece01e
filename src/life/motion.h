// The figure's motions, made by moving its window: a hop and a shake, as
// offsets from the rest place that never leave the monitor's work area.
#ifndef TAVELIN_LIFE_MOTION_H
#define TAVELIN_LIFE_MOTION_H

#include "life/reaction.h"

constexpr int kHopMs = 400;
constexpr int kShakeMs = 1000;
constexpr int kMotionStepMs = 16;  // the motion timer's period while a motion runs

struct MotionOffset {
  int dx;
  int dy;
};

// A rectangle in screen pixels, right and bottom exclusive.
struct ScreenBox {
  int left;
  int top;
  int right;
  int bottom;
};

// How long `motion` lasts, in milliseconds; 0 for none.
int MotionLength(Motion motion);

// The offset `elapsedMs` into `motion` of a figure `height` pixels high at
// `displayScale`: a hop rises by a tenth of the height and lands, eased; a
// shake swings a few pixels left and right. Zero at the start and from the
// end on.
MotionOffset OffsetAt(Motion motion, int elapsedMs, int height, double displayScale);

// `offset` limited so that the window at `rest` moved by it stays within
// `area` on every side; on a side where the rest place already lies outside,
// the window moves no further out.
MotionOffset KeepWithinArea(MotionOffset offset, const ScreenBox& rest, const ScreenBox& area);

#endif
