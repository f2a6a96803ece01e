#include "desktop/window_look.h"

#include <cstdlib>

int NearestOpacity(int percent) {
  int nearest = kOpacities[0];
  for (int offered : kOpacities) {
    // Widened: a value read from the file may lie anywhere in an int.
    const long long distance = std::llabs(static_cast<long long>(percent) - offered);
    if (distance < std::llabs(static_cast<long long>(percent) - nearest)) nearest = offered;
  }
  return nearest;
}

std::uint8_t OpacityAlpha(int percent) {
  const int clamped = percent < 0 ? 0 : percent > kFullOpacity ? kFullOpacity : percent;
  return static_cast<std::uint8_t>((clamped * 255 + kFullOpacity / 2) / kFullOpacity);
}

WindowLook LookFor(bool softFigure, int opacityPercent, bool clickThrough) {
  const std::uint8_t alpha = OpacityAlpha(opacityPercent);
  WindowLayering layering = WindowLayering::kPerPixel;
  if (!softFigure) layering = alpha < 255 || clickThrough ? WindowLayering::kConstantAlpha : WindowLayering::kNone;
  return {layering, alpha, clickThrough};
}

bool ClearLayeringFirst(bool layeredNow, WindowLayering previous, WindowLayering next) {
  return layeredNow && previous != next;
}
