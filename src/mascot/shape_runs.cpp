#include "mascot/shape_runs.h"

void AppendRowRuns(const Pixel* row, int width, Pixel key, int y, std::vector<ShapeRun>* runs) {
  int x = 0;
  while (x < width) {
    while (x < width && row[x] == key) ++x;
    if (x == width) break;
    const int left = x;
    while (x < width && row[x] != key) ++x;
    runs->push_back({left, x, y});
  }
}

std::vector<ShapeRun> FindShapeRuns(ConstPixelView picture) {
  std::vector<ShapeRun> runs;
  if (picture.empty()) return runs;
  const Pixel key = picture.At(0, 0);
  for (int y = 0; y < picture.height; ++y) AppendRowRuns(picture.Row(y), picture.width, key, y, &runs);
  return runs;
}
