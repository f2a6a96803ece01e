#include "pictures/pixel_buffer.h"

#include <new>

bool IsSanePictureSize(long long width, long long height) {
  return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

bool PixelBuffer::Allocate(int width, int height, Pixel fill) {
  if (!IsSanePictureSize(width, height)) return false;
  try {
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill);
    pixels_.swap(pixels);
  } catch (const std::bad_alloc&) {
    return false;
  }
  width_ = width;
  height_ = height;
  return true;
}
