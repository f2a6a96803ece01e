#include "life/motion.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kShakeSwings = 5;         // full swings left and right in one shake
constexpr double kShakeAmplitude = 3.0;  // pixels at a display scale of 1

int Round(double value) { return static_cast<int>(std::lround(value)); }

int KeepAxis(int offset, int restLow, int restHigh, int areaLow, int areaHigh) {
  const int lowest = std::min(0, areaLow - restLow);
  const int highest = std::max(0, areaHigh - restHigh);
  return std::clamp(offset, lowest, std::max(lowest, highest));
}

}  // namespace

int MotionLength(Motion motion) {
  switch (motion) {
    case Motion::kHop:
      return kHopMs;
    case Motion::kShake:
      return kShakeMs;
    case Motion::kNone:
      break;
  }
  return 0;
}

MotionOffset OffsetAt(Motion motion, int elapsedMs, int height, double displayScale) {
  const int length = MotionLength(motion);
  if (length == 0 || elapsedMs <= 0 || elapsedMs >= length) return {0, 0};
  const double t = static_cast<double>(elapsedMs) / length;
  if (motion == Motion::kHop) {
    // Up and down as a thrown body goes: fast off the ground, slow at the top.
    return {0, -Round(height * 0.1 * 4.0 * t * (1.0 - t))};
  }
  const double amplitude = std::max(1.0, kShakeAmplitude * displayScale);
  return {Round(amplitude * std::sin(2.0 * kPi * kShakeSwings * t)), 0};
}

MotionOffset KeepWithinArea(MotionOffset offset, const ScreenBox& rest, const ScreenBox& area) {
  return {KeepAxis(offset.dx, rest.left, rest.right, area.left, area.right),
          KeepAxis(offset.dy, rest.top, rest.bottom, area.top, area.bottom)};
}
