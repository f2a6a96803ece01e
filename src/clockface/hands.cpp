#include "clockface/hands.h"

#include <algorithm>
#include <cmath>

#include "resource.h"

namespace {

// 3.1416 / 180, not pi / 180: the tips at 15, 30 and 45 seconds depend on it.
constexpr double kDegreesToRadians = 0.017453333333333335;
constexpr double kFaceSize = 150.0;

// Adds 0.5 and drops the fraction toward zero: -1.2 gives 0, -1.6 gives -1.
int TruncateHalfUp(double offset) { return static_cast<int>(offset + 0.5); }

}  // namespace

HandPoint HandTip(int xCenter, int yCenter, double scale, double degrees, double factor) {
  const double r = degrees * kDegreesToRadians;
  const double dx = std::sin(r) * factor * scale * kFaceSize;
  const double dy = -std::cos(r) * factor * scale * kFaceSize;
  return {xCenter + TruncateHalfUp(dx), yCenter + TruncateHalfUp(dy)};
}

HandTips ComputeHandTips(int xCenter, int yCenter, double scale, int hour, int minute, int second) {
  HandTips tips;
  tips.hour = HandTip(xCenter, yCenter, scale, minute * 0.5 + hour * 30.0, kHourHandFactor);
  tips.minute = HandTip(xCenter, yCenter, scale, minute * 6.0 + second * 0.1, kMinuteHandFactor);
  tips.second = HandTip(xCenter, yCenter, scale, second * 6.0, kSecondHandFactor);
  return tips;
}

int HandPenWidth(int nSize) {
  if (nSize == IDM_SIZE_SMALL || nSize == IDM_SIZE_NORMAL) return nSize - 41999;
  return IDM_SIZE_NORMAL - 41999;
}

HandPens HandPensAt(int nSize, int dpi) {
  // Integer rounding, half up: 96 DPI gives every size as it is.
  const auto atDpi = [dpi](int size) { return std::max(1, (size * dpi + 48) / 96); };
  return {atDpi(HandPenWidth(nSize)), atDpi(1), atDpi(kShadowOffset)};
}

HandColours HandPenColours(bool active) {
  if (active) return {0xC0C0C0, 0x000000, 0x0000FF};
  return {0xE0E0E0, 0xA0A0A0, 0xA0A0FF};
}
