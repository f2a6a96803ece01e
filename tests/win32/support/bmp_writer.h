// Writes test pictures as BMP files in every form the clock reads.
#ifndef TAVELIN_TESTS_WIN32_BMP_WRITER_H
#define TAVELIN_TESTS_WIN32_BMP_WRITER_H

#include <cstdint>
#include <string>

#include "pictures/picture_header.h"  // the compressions
#include "pictures/pixel_buffer.h"

// Header sizes of the BMP forms.
constexpr int kBmpCoreHeader = 12;
constexpr int kBmpInfoHeader = 40;
constexpr int kBmpV2Header = 52;
constexpr int kBmpV3Header = 56;
constexpr int kBmpV4Header = 108;
constexpr int kBmpV5Header = 124;

struct BmpForm {
  int headerBytes = kBmpInfoHeader;
  int bitCount = 24;  // 1, 4 and 8 take a palette of the picture's colours
  std::uint32_t compression = kBmpRgb;
  bool topDown = false;
  // Red, green, blue and alpha masks: 16 and 32 bits with bit fields, and the
  // alpha mask of the V3 header and later.
  std::uint32_t masks[4] = {0, 0, 0, 0};
};

// The bytes of a BMP file holding the picture (0xAARRGGBB pixels; the alpha
// byte is written only where the form has an alpha mask). A palette form
// takes the picture's own colours, which must be few enough; 16 bits keep the
// top five (or six) bits of each channel.
std::string BmpBytes(ConstPixelView picture, const BmpForm& form);

// A bottom-up 24-bit BMP with an info header, the kind the demo kit writes.
inline std::string BmpBytes(ConstPixelView picture) { return BmpBytes(picture, BmpForm{}); }

// `bytes` with the little-endian field of `size` bytes at `at` set to `value`.
std::string WithField(std::string bytes, std::size_t at, std::uint32_t value, int size = 4);

// An 80-byte run-length coded BMP whose header claims width x height pixels.
std::string ShortBmpClaiming(int width, int height);

#endif
