// Where a window goes so that it lies on the screen.
#ifndef TAVELIN_DESKTOP_SCREEN_CLAMP_H
#define TAVELIN_DESKTOP_SCREEN_CLAMP_H

struct ClampedCorner {
  int left;
  int top;
};

// The top-left corner for a window at [left, right) x [top, bottom) on a
// screen of the given size. Each axis is corrected once: a negative edge goes
// to 0, otherwise an edge beyond the screen comes back to the screen's edge.
ClampedCorner ClampWindowCorner(int left, int top, int right, int bottom, int screenWidth,
                                int screenHeight);

#endif
