#include "desktop/screen_clamp.h"

namespace {

int ClampAxis(int low, int high, int screenLength) {
  if (low < 0) return 0;
  if (high > screenLength) return static_cast<int>(static_cast<long long>(low) + screenLength - high);
  return low;
}

}  // namespace

ClampedCorner ClampWindowCorner(int left, int top, int right, int bottom, int screenWidth,
                                int screenHeight) {
  return {ClampAxis(left, right, screenWidth), ClampAxis(top, bottom, screenHeight)};
}
