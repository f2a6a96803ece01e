// The window's outline as runs: one-pixel-high stretches of figure pixels.
#ifndef TAVELIN_MASCOT_SHAPE_RUNS_H
#define TAVELIN_MASCOT_SHAPE_RUNS_H

#include <vector>

#include "pictures/pixel_buffer.h"

// Pixels [left, right) of row y.
struct ShapeRun {
  int left;
  int right;
  int y;
};

inline bool operator==(const ShapeRun& a, const ShapeRun& b) {
  return a.left == b.left && a.right == b.right && a.y == b.y;
}

// Appends, left to right, the runs of pixels in `row` that differ from `key`.
void AppendRowRuns(const Pixel* row, int width, Pixel key, int y, std::vector<ShapeRun>* runs);

// All runs of the picture, row by row, with its pixel (0, 0) as the key.
std::vector<ShapeRun> FindShapeRuns(ConstPixelView picture);

#endif
