#include "mascot/shape_progress.h"

int ProgressAfterRow(int y, int height) {
  if (height <= 0) return 100;
  const double steps = 1.0 - (y * -20.0) / height;
  return 5 * static_cast<int>(steps);
}

ScreenPoint CentreOver(const ScreenRect& window, const ScreenRect& parent) {
  const long long x = (static_cast<long long>(parent.left) + parent.right + window.left - window.right) / 2;
  const long long y = (static_cast<long long>(parent.top) + parent.bottom + window.top - window.bottom) / 2;
  return {static_cast<int>(x), static_cast<int>(y)};
}
