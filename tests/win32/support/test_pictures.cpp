#include "support/test_pictures.h"

#include <cmath>
#include <cstdint>

PixelBuffer MakeTestCharacter(int width, int height, Pixel key, Pixel body, int slits, unsigned seed) {
  PixelBuffer picture;
  if (!picture.Allocate(width, height, key)) return picture;
  std::uint32_t state = seed;
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  const double cx = (width - 1) / 2.0;
  const double cy = (height - 1) / 2.0;
  const double rx = width * 0.47;
  const double ry = height * 0.47;
  for (int y = 0; y < height; ++y) {
    const double dy = (y - cy) / ry;
    if (dy * dy >= 1.0) continue;
    const double half = rx * std::sqrt(1.0 - dy * dy) - static_cast<double>(next() % 4);
    const int left = static_cast<int>(cx - half);
    const int right = static_cast<int>(cx + half);
    const int shade = static_cast<int>(40.0 * y / height);
    for (int x = left < 0 ? 0 : left; x <= right && x < width; ++x) {
      const int r = static_cast<int>((body >> 16) & 0xFF) - shade;
      const int g = static_cast<int>((body >> 8) & 0xFF) - shade;
      const int b = static_cast<int>(body & 0xFF) - shade;
      picture.view().At(x, y) = static_cast<Pixel>(((r < 0 ? 0 : r) << 16) | ((g < 0 ? 0 : g) << 8) | (b < 0 ? 0 : b));
    }
    for (int s = 1; s <= slits; ++s) {
      const int at = left + (right - left) * s / (slits + 1) + static_cast<int>(next() % 3);
      for (int x = at; x < at + 2 && x >= 0 && x < width; ++x) picture.view().At(x, y) = key;
    }
  }
  const int hole = (width < height ? width : height) / 10;
  for (int y = static_cast<int>(cy) - hole; y < static_cast<int>(cy) + hole; ++y)
    for (int x = static_cast<int>(cx) - hole; x < static_cast<int>(cx) + hole; ++x)
      if (x >= 0 && y >= 0 && x < width && y < height) picture.view().At(x, y) = key;
  return picture;
}

PixelBuffer MakeTestFace() {
  PixelBuffer face;
  if (!face.Allocate(150, 150, 0x00FFFFFF)) return face;
  for (int y = 0; y < 150; ++y) {
    for (int x = 0; x < 150; ++x) {
      const double d = std::hypot(x - 74.5, y - 74.5);
      if (d < 66) {
        face.view().At(x, y) = kTestFaceDial;
      } else if (d < 72) {
        face.view().At(x, y) = kTestFaceRim;
      }
    }
  }
  return face;
}

PixelBuffer SoftenKeyedPicture(ConstPixelView keyed, Pixel key) {
  PixelBuffer soft;
  if (!soft.Allocate(keyed.width, keyed.height, 0)) return soft;
  auto isKey = [&](int x, int y) {
    return x < 0 || y < 0 || x >= keyed.width || y >= keyed.height || keyed.At(x, y) == key;
  };
  for (int y = 0; y < keyed.height; ++y) {
    for (int x = 0; x < keyed.width; ++x) {
      if (isKey(x, y)) continue;
      const bool edge = isKey(x - 1, y) || isKey(x + 1, y) || isKey(x, y - 1) || isKey(x, y + 1);
      soft.view().At(x, y) = (edge ? 0x80000000u : 0xFF000000u) | keyed.At(x, y);
    }
  }
  return soft;
}
