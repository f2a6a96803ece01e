// Writes test pictures as PNG files: every colour type, 8 or 16 bits a
// channel, with stored (uncompressed) deflate blocks.
#ifndef TAVELIN_TESTS_WIN32_PNG_WRITER_H
#define TAVELIN_TESTS_WIN32_PNG_WRITER_H

#include <cstdint>
#include <string>

#include "pictures/pixel_buffer.h"

// Colour types as IHDR stores them.
constexpr int kPngGrey = 0;
constexpr int kPngRgb = 2;
constexpr int kPngPalette = 3;
constexpr int kPngGreyAlpha = 4;
constexpr int kPngRgbAlpha = 6;

struct PngForm {
  int colourType = kPngRgb;
  int bitDepth = 8;  // 8 or 16; a palette takes 8
  // A tRNS chunk: for the palette, each colour's own alpha; for grey and RGB,
  // `transparent` (0x00RRGGBB) is the one see-through colour.
  bool transparency = false;
  Pixel transparent = 0;
};

// The bytes of a PNG file holding the picture (0xAARRGGBB pixels). Grey
// forms take the green channel; forms without alpha leave alpha out; a
// palette takes the picture's own colours with their alphas (at most 256).
// 16 bits store each 8-bit value v as v * 257.
std::string PngBytes(ConstPixelView picture, const PngForm& form);

// CRC-32 as PNG chunks (and zip files) use it.
std::uint32_t Crc32(const std::string& bytes);

#endif
