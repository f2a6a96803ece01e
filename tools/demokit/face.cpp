#include <cmath>

#include "characters.h"
#include "trig.h"

namespace demokit {

Picture DrawFace(Rgb rim, int scale) {
  Picture p(kFaceSize, kFaceSize, Rgb{0, 255, 0}, scale);
  // Pixel (75, 75) is the centre the clock turns its hands about, (150, 150)
  // in a face drawn at twice the size.
  const double c = 75.0 + 0.5 / scale;
  // The rim's ink ends a little over 74 pixels out, within the picture.
  Paint(p, Circle(p, c, c, 71), {.fill = rim, .outline = 2, .shadow = 5, .light = 3, .gradient = 0.2});
  Paint(p, Circle(p, c, c, 61), {.fill = Rgb{253, 249, 236}, .outline = 2, .gradient = 0.06});
  // A faint inner ring frames the marks and keeps the centre plain.
  const Mask ring = Circle(p, c, c, 44.5) - Circle(p, c, c, 43.5);
  Fill(p, ring, Rgb{232, 224, 206});
  for (int k = 0; k < 60; ++k) {
    const double a = k / 60.0, dx = SineTurns(a), dy = -CosineTurns(a);
    if (k % 15 == 0) {
      Fill(p, Capsule(p, {c + 45 * dx, c + 45 * dy}, {c + 55 * dx, c + 55 * dy}, 3.4), kInk);
    } else if (k % 5 == 0) {
      Fill(p, Capsule(p, {c + 48 * dx, c + 48 * dy}, {c + 55 * dx, c + 55 * dy}, 2.0), kInk);
    } else {
      // Snapped to a pixel centre so every minute dot has the same shape.
      const double x = std::floor(c + 55.5 * dx + 0.5), y = std::floor(c + 55.5 * dy + 0.5);
      Fill(p, Rect(p, x - 1, y - 1, 2, 2), Rgb{196, 188, 176});
    }
  }
  return p;
}

}  // namespace demokit
