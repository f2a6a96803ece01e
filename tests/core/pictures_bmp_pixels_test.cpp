// The clock's own reading of uncompressed BMP pixels: every bit count, rows in
// either order, palettes, and bit fields in any byte order.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "pictures/bmp_pixels.h"
#include "pictures/picture_header.h"

namespace {

void Put(std::string* bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(i < 4 ? static_cast<char>((value >> (8 * i)) & 0xFF) : 0);
}

// A BMP with a V5 header (or a 40-byte one) and the given raw pixel rows, in
// file order, each padded to 4 bytes by the caller.
std::string Bmp(int width, int height, int bitCount, std::uint32_t compression, const std::uint32_t (&masks)[4],
                const std::vector<std::uint32_t>& palette, const std::string& rows, std::uint32_t headerBytes = 124) {
  std::string info;
  Put(&info, headerBytes, 4);
  Put(&info, static_cast<std::uint32_t>(width), 4);
  Put(&info, static_cast<std::uint32_t>(height), 4);
  Put(&info, 1, 2);
  Put(&info, static_cast<std::uint32_t>(bitCount), 2);
  Put(&info, compression, 4);
  Put(&info, static_cast<std::uint32_t>(rows.size()), 4);
  Put(&info, 0, 8);
  Put(&info, static_cast<std::uint32_t>(palette.size()), 4);
  Put(&info, 0, 4);
  for (const std::uint32_t mask : masks) Put(&info, mask, 4);
  // A 40-byte header carries its three masks after it.
  info.resize(headerBytes == 40 && compression == kBmpBitFields ? 52 : headerBytes, '\0');
  for (const std::uint32_t colour : palette) Put(&info, colour, 4);
  std::string file = "BM";
  Put(&file, static_cast<std::uint32_t>(14 + info.size() + rows.size()), 4);
  Put(&file, 0, 4);
  Put(&file, static_cast<std::uint32_t>(14 + info.size()), 4);
  return file + info + rows;
}

std::vector<Pixel> Decode(const std::string& file) {
  PictureHeader header;
  const auto* bytes = reinterpret_cast<const unsigned char*>(file.data());
  EXPECT_EQ(ReadPictureHeader(bytes, file.size(), &header), PictureFault::kNone);
  EXPECT_TRUE(header.IsUncompressedBmp());
  PixelBuffer pixels;
  EXPECT_TRUE(DecodeBmpPixels(bytes, file.size(), header, &pixels));
  return std::vector<Pixel>(pixels.data(), pixels.data() + pixels.width() * pixels.height());
}

// Red, green and blue in each of the six byte orders, each with and without
// an alpha mask in the fourth byte: two pixels, 0x80112233 and 0x00445566.
TEST(BmpPixels, BitFieldsAreReadInAnyByteOrder) {
  const int orders[6][3] = {{2, 1, 0}, {0, 1, 2}, {1, 2, 0}, {0, 2, 1}, {1, 0, 2}, {2, 0, 1}};
  for (const auto& order : orders) {
    for (const bool alpha : {false, true}) {
      std::uint32_t masks[4] = {0xFFu << (8 * order[0]), 0xFFu << (8 * order[1]), 0xFFu << (8 * order[2]),
                                alpha ? 0xFF000000u : 0};
      SCOPED_TRACE(testing::Message() << std::hex << masks[0] << " " << masks[1] << " " << masks[2] << " " << masks[3]);
      std::string rows;
      const Pixel pixels[2] = {0x80112233, 0x00445566};
      for (const Pixel p : pixels) {
        Put(&rows, ((p >> 16) & 0xFF) << (8 * order[0]) | ((p >> 8) & 0xFF) << (8 * order[1]) |
                       (p & 0xFF) << (8 * order[2]) | (p & 0xFF000000), 4);
      }
      const std::vector<Pixel> expected = alpha ? std::vector<Pixel>{0x80112233, 0x00445566}
                                                : std::vector<Pixel>{0xFF112233, 0xFF445566};
      EXPECT_EQ(Decode(Bmp(2, 1, 32, kBmpBitFields, masks, {}, rows)), expected);
    }
  }
  // The layout that makes one system decoder read beyond its buffer.
  const std::uint32_t redLow[4] = {0xFF, 0xFF00, 0xFF0000, 0};
  std::string rows;
  Put(&rows, 0x00332211, 4);
  EXPECT_EQ(Decode(Bmp(1, 1, 32, kBmpBitFields, redLow, {}, rows, 40)), std::vector<Pixel>{0xFF112233});
}

TEST(BmpPixels, EachBitCountAndRowOrder) {
  const std::uint32_t none[4] = {0, 0, 0, 0};
  const std::uint32_t rgb565[4] = {0xF800, 0x07E0, 0x001F, 0};
  const std::uint32_t argb1555[4] = {0x7C00, 0x03E0, 0x001F, 0x8000};
  const std::vector<std::uint32_t> two = {0x00000000, 0x00FFFFFF};
  const std::vector<std::uint32_t> four = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456};
  const struct {
    const char* what;
    std::string file;
    std::vector<Pixel> pixels;
  } cases[] = {
      // Bottom-up: the last row of the file is the top one.
      {"1 bit, bottom-up", Bmp(3, 2, 1, kBmpRgb, none, two, std::string("\xA0\0\0\0\x40\0\0\0", 8)),
       {0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF}},
      {"4 bits, top-down", Bmp(3, -1, 4, kBmpRgb, none, four, std::string("\x01\x30\0\0", 4)),
       {0xFFFF0000, 0xFF00FF00, 0xFF123456}},
      {"8 bits, an index beyond the palette is black", Bmp(2, 1, 8, kBmpRgb, none, four, std::string("\x02\x09\0\0", 4)),
       {0xFF0000FF, 0xFF000000}},
      {"24 bits, rows padded", Bmp(1, -2, 24, kBmpRgb, none, {}, std::string("\x33\x22\x11\0\x66\x55\x44\0", 8)),
       {0xFF112233, 0xFF445566}},
      {"16 bits 5-5-5", Bmp(2, 1, 16, kBmpRgb, none, {}, std::string("\x00\x7C\xFF\x7F", 4)), {0xFFFF0000, 0xFFFFFFFF}},
      {"16 bits 5-6-5, widened", Bmp(2, 1, 16, kBmpBitFields, rgb565, {}, std::string("\x41\x08\x1F\x00", 4)),
       {0xFF080808, 0xFF0000FF}},
      {"16 bits with an alpha bit", Bmp(2, 1, 16, kBmpBitFields, argb1555, {}, std::string("\x1F\x80\x1F\x00", 4)),
       {0xFF0000FF, 0x000000FF}},
      {"32 bits without bit fields: the header's alpha mask counts",
       Bmp(1, 1, 32, kBmpRgb, {0, 0, 0, 0xFF000000}, {}, std::string("\x33\x22\x11\x40", 4)), {0x40112233}},
      {"32 bits without bit fields or alpha mask", Bmp(1, 1, 32, kBmpRgb, none, {}, std::string("\x33\x22\x11\x40", 4)),
       {0xFF112233}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Decode(c.file), c.pixels);
  }
}

TEST(BmpPixels, CoreHeaderPaletteHasThreeByteEntries) {
  std::string file = "BM";
  Put(&file, 0, 8);
  Put(&file, 14 + 12 + 6, 4);
  Put(&file, 12, 4);
  Put(&file, 2, 2);
  Put(&file, 1, 2);
  Put(&file, 1, 2);
  Put(&file, 1, 2);
  file += std::string("\x33\x22\x11\x66\x55\x44", 6);  // blue, green, red
  file += std::string("\x40\0\0\0", 4);
  EXPECT_EQ(Decode(file), (std::vector<Pixel>{0xFF112233, 0xFF445566}));
}

}  // namespace
