#include "desktop/screen_clamp.h"

#include <algorithm>
#include <cstdint>

namespace {

int ClampAxis(int low, int high, int screenLow, int screenHigh) {
  if (low < screenLow) return screenLow;
  if (high > screenHigh) return static_cast<int>(static_cast<long long>(low) + screenHigh - high);
  return low;
}

// The length of [low, high) that lies within [otherLow, otherHigh).
std::uint64_t Overlap(long long low, long long high, long long otherLow, long long otherHigh) {
  const long long length = std::min(high, otherHigh) - std::max(low, otherLow);
  return length > 0 ? static_cast<std::uint64_t>(length) : 0;
}

// The gap between [low, high) and [otherLow, otherHigh); 0 when they meet.
double Gap(long long low, long long high, long long otherLow, long long otherHigh) {
  if (high <= otherLow) return static_cast<double>(otherLow - high + 1);
  if (low >= otherHigh) return static_cast<double>(low - otherHigh + 1);
  return 0.0;
}

}  // namespace

std::size_t ChooseMonitor(const ScreenRect& window, std::span<const ScreenRect> monitors) {
  const long long left = window.left;
  const long long top = window.top;
  const long long right = std::max<long long>(window.right, left + 1);
  const long long bottom = std::max<long long>(window.bottom, top + 1);

  std::size_t best = 0;
  std::uint64_t bestArea = 0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const ScreenRect& m = monitors[i];
    // Up to (2^32 - 1)^2: fits in 64 unsigned bits.
    const std::uint64_t area = Overlap(left, right, m.left, m.right) * Overlap(top, bottom, m.top, m.bottom);
    if (area > bestArea) {
      best = i;
      bestArea = area;
    }
  }
  if (bestArea > 0) return best;

  double bestDistance = 0.0;
  for (std::size_t i = 0; i < monitors.size(); ++i) {
    const ScreenRect& m = monitors[i];
    const double dx = Gap(left, right, m.left, m.right);
    const double dy = Gap(top, bottom, m.top, m.bottom);
    const double distance = dx * dx + dy * dy;
    if (i == 0 || distance < bestDistance) {
      best = i;
      bestDistance = distance;
    }
  }
  return best;
}

ClampedCorner ClampWindowCorner(const ScreenRect& window, const ScreenRect& screen) {
  return {ClampAxis(window.left, window.right, screen.left, screen.right),
          ClampAxis(window.top, window.bottom, screen.top, screen.bottom)};
}

ClampedCorner ClampToMonitors(const ScreenRect& window, std::span<const ScreenRect> monitors) {
  if (monitors.empty()) return {window.left, window.top};
  return ClampWindowCorner(window, monitors[ChooseMonitor(window, monitors)]);
}
