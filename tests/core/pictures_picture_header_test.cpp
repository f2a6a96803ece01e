// The headers of a picture file, read before it is decoded: a file cut short,
// beyond the limits or in a BMP form Windows does not read is refused, each
// for its own reason.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

#include "mascot/figure_geometry.h"
#include "pictures/picture_header.h"
#include "pictures/pixel_buffer.h"

namespace {

void Put(std::string* bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) (*bytes)[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Headers of a BMP with a 40-byte info header and pixels at offset 54.
std::string InfoHead(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t compression = 0,
                     std::uint32_t imageSize = 0) {
  std::string head(54, '\0');
  head[0] = 'B';
  head[1] = 'M';
  Put(&head, 10, 54, 4);
  Put(&head, 14, 40, 4);
  Put(&head, 18, static_cast<std::uint32_t>(width), 4);
  Put(&head, 22, static_cast<std::uint32_t>(height), 4);
  Put(&head, 26, 1, 2);
  Put(&head, 28, static_cast<std::uint32_t>(bitCount), 2);
  Put(&head, 30, compression, 4);
  Put(&head, 34, imageSize, 4);
  return head;
}

// The head with its pixels at `offset`: room for a palette or masks after it.
std::string PixelsAt(std::string head, std::uint32_t offset) {
  Put(&head, 10, offset, 4);
  return head;
}

// A 12-byte core header: pixels right after it, or after `palette` entries.
std::string CoreHead(int width, int height, int bitCount, int palette = 0) {
  std::string head(26, '\0');
  head[0] = 'B';
  head[1] = 'M';
  Put(&head, 10, 26 + 3 * palette, 4);
  Put(&head, 14, 12, 4);
  Put(&head, 18, static_cast<std::uint32_t>(width), 2);
  Put(&head, 20, static_cast<std::uint32_t>(height), 2);
  Put(&head, 22, 1, 2);
  Put(&head, 24, static_cast<std::uint32_t>(bitCount), 2);
  return head;
}

// The head, grown to `size` bytes, with a field set.
std::string PutAt(std::string head, std::size_t at, std::uint32_t value, std::size_t size) {
  head.resize(std::max(head.size(), size), '\0');
  Put(&head, at, value, 4);
  return head;
}

// The head followed by zeros up to `fileSize` bytes.
PictureFault Fault(std::string head, std::size_t fileSize, PictureHeader* header = nullptr) {
  head.resize(std::max(fileSize, head.size()), '\0');
  head.resize(fileSize);
  PictureHeader read;
  const PictureFault fault = ReadPictureHeader(reinterpret_cast<const unsigned char*>(head.data()), head.size(), &read);
  if (header != nullptr) *header = read;
  return fault;
}

void PutBig(std::string* bytes, std::uint32_t value) {
  for (int i = 3; i >= 0; --i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void AppendChunk(std::string* png, const char* type, const std::string& data) {
  PutBig(png, static_cast<std::uint32_t>(data.size()));
  png->append(type, 4);
  png->append(data);
  PutBig(png, 0);  // the CRC is the decoder's to check
}

// A PNG whose chunks are all there: IHDR, the given middle chunks, IEND.
std::string Png(std::uint32_t width, std::uint32_t height, int bitDepth, int colourType, const char* middle = "IDAT") {
  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string ihdr;
  PutBig(&ihdr, width);
  PutBig(&ihdr, height);
  ihdr += static_cast<char>(bitDepth);
  ihdr += static_cast<char>(colourType);
  ihdr.append(3, '\0');
  AppendChunk(&png, "IHDR", ihdr);
  for (const char* type = middle; *type != '\0'; type += 4) AppendChunk(&png, std::string(type, 4).c_str(), "xx");
  AppendChunk(&png, "IEND", "");
  return png;
}

TEST(PictureHeader, EachBmpRuleHasItsOwnFault) {
  using F = PictureFault;
  struct Case {
    const char* what;
    std::string head;
    std::size_t fileSize;
    PictureFault fault;
  } cases[] = {
      {"24-bit, rows padded to 4 bytes, complete", InfoHead(3, 2, 24), 54 + 12 * 2, F::kNone},
      {"24-bit, one byte short", InfoHead(3, 2, 24), 54 + 12 * 2 - 1, F::kCutShort},
      {"32-bit top-down, complete", InfoHead(5, -4, 32), 54 + 80, F::kNone},
      {"32-bit top-down, half", InfoHead(5, -4, 32), 54 + 40, F::kCutShort},
      {"1-bit rows of 4 bytes", PixelsAt(InfoHead(33, 2, 1), 62), 62 + 16, F::kNone},
      {"header only", InfoHead(200, 300, 24), 54, F::kCutShort},
      {"info header cut", InfoHead(200, 300, 24), 40, F::kCutShort},
      {"height at the integer limit", InfoHead(1, INT32_MIN, 8), 1000, F::kBeyondLimits},
      {"width at the integer limit", InfoHead(INT32_MAX, 1, 32), 1000, F::kBeyondLimits},
      {"negative width", InfoHead(-5, 1, 32), 1000, F::kNotAPicture},
      {"RLE8 with its length", PixelsAt(InfoHead(100, 100, 8, kBmpRle8, 500), 1078), 1078 + 500, F::kNone},
      {"RLE8 cut short", PixelsAt(InfoHead(100, 100, 8, kBmpRle8, 500), 1078), 1078 + 499, F::kCutShort},
      {"RLE8 without a length", PixelsAt(InfoHead(100, 100, 8, kBmpRle8, 0), 1078), 100000, F::kNotAPicture},
      {"RLE4", PixelsAt(InfoHead(100, 100, 4, kBmpRle4, 500), 118), 118 + 500, F::kNone},
      {"RLE8 top-down", InfoHead(100, -100, 8, kBmpRle8, 500), 54 + 500, F::kUnsupportedForm},
      {"RLE4 top-down", InfoHead(100, -100, 4, kBmpRle4, 500), 54 + 500, F::kUnsupportedForm},
      {"RLE8 with 4 bits", InfoHead(100, 100, 4, kBmpRle8, 500), 54 + 500, F::kUnsupportedForm},
      {"RLE4 with 8 bits", InfoHead(100, 100, 8, kBmpRle4, 500), 54 + 500, F::kUnsupportedForm},
      {"bit fields, 16 bits", PixelsAt(InfoHead(2, 2, 16, kBmpBitFields), 66), 66 + 8, F::kNone},
      {"bit fields, 32 bits top-down", PixelsAt(InfoHead(2, -2, 32, kBmpBitFields), 66), 66 + 16, F::kNone},
      {"bit fields without room for their masks", InfoHead(2, 2, 32, kBmpBitFields), 54 + 16, F::kNoRoomForTables},
      {"bit fields, masks one byte short", PixelsAt(InfoHead(2, 2, 32, kBmpBitFields), 65), 65 + 16,
       F::kNoRoomForTables},
      {"8 bits without room for a palette", InfoHead(2, 2, 8), 54 + 8, F::kNoRoomForTables},
      {"8 bits, palette one entry short", PixelsAt(InfoHead(2, 2, 8), 54 + 255 * 4), 54 + 255 * 4 + 8,
       F::kNoRoomForTables},
      {"8 bits, whole palette", PixelsAt(InfoHead(2, 2, 8), 54 + 256 * 4), 54 + 256 * 4 + 8, F::kNone},
      {"4 bits with a palette of 3 colours", PixelsAt(PutAt(InfoHead(2, 2, 4), 46, 3, 54), 66), 66 + 8, F::kNone},
      {"4 bits, 3 colours, one short", PixelsAt(PutAt(InfoHead(2, 2, 4), 46, 3, 54), 65), 65 + 8,
       F::kNoRoomForTables},
      {"24 bits need no palette", InfoHead(2, 2, 24), 54 + 16, F::kNone},
      {"core header, 1 bit with its palette", CoreHead(4, 2, 1, 2), 26 + 6 + 8, F::kNone},
      {"core header, 8 bits without its palette", CoreHead(4, 2, 8), 26 + 8, F::kNoRoomForTables},
      {"core header, 8 bits with its palette", CoreHead(4, 2, 8, 256), 26 + 768 + 8, F::kNone},
      {"core header, 24 bits", CoreHead(4, 2, 24), 26 + 24, F::kNone},
      {"core header, 16 bits", CoreHead(4, 2, 16), 26 + 16, F::kUnsupportedForm},
      {"core header, 32 bits", CoreHead(4, 2, 32), 26 + 32, F::kUnsupportedForm},
      {"bit fields with a mask of two runs", PutAt(PixelsAt(InfoHead(2, 2, 32, kBmpBitFields), 66), 54, 0x00FF00FF, 66),
       66 + 16, F::kUnsupportedForm},
      {"16-bit bit fields with a mask beyond 16 bits", PutAt(PixelsAt(InfoHead(2, 2, 16, kBmpBitFields), 66), 54,
       0x000F0000, 66), 66 + 8, F::kUnsupportedForm},
      {"bit fields, 24 bits", InfoHead(2, 2, 24, kBmpBitFields), 54 + 16, F::kUnsupportedForm},
      {"bit count 2", InfoHead(4, 4, 2), 54 + 16, F::kUnsupportedForm},
      {"bit count 7", InfoHead(4, 4, 7), 54 + 16, F::kUnsupportedForm},
      {"bit count 0", InfoHead(4, 4, 0), 54 + 16, F::kUnsupportedForm},
      {"bit count 64", InfoHead(4, 4, 64), 54 + 128, F::kUnsupportedForm},
      {"JPEG inside", InfoHead(4, 4, 24, 4, 100), 54 + 100, F::kUnsupportedForm},
      {"PNG inside", InfoHead(4, 4, 24, 5, 100), 54 + 100, F::kUnsupportedForm},
      {"unknown compression", InfoHead(4, 4, 24, 77, 100), 54 + 100, F::kUnsupportedForm},
      {"sides at the picture limit", PixelsAt(InfoHead(16384, -1024, 1), 62), 62 + 2048 * 1024, F::kNone},
      {"16 megapixels and one row more", InfoHead(16384, -1025, 1), 54 + 2048 * 1025, F::kBeyondLimits},
      {"wider than the picture limit", InfoHead(16385, 1, 1), 54 + 2052, F::kBeyondLimits},
      {"taller than the picture limit", InfoHead(1, -16385, 1), 54 + 4 * 16385, F::kBeyondLimits},
      {"80 bytes claiming 16384 x 16384", InfoHead(16384, 16384, 8, kBmpRle8, 26), 80, F::kBeyondLimits},
      {"no width", InfoHead(0, 10, 24), 100000, F::kZeroSize},
      {"no height", InfoHead(10, 0, 24), 100000, F::kZeroSize},
      {"not a picture", "This is not a picture.\r\n", 24, F::kNotAPicture},
      {"a few bytes", "BM", 2, F::kCutShort},
      {"one byte", "B", 1, F::kNotAPicture},
      {"empty", "", 0, F::kEmpty},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Fault(c.head, c.fileSize), c.fault);
  }
}

TEST(PictureHeader, BmpPixelOffsetMustFollowTheHeadersAndLieInTheFile) {
  std::string head = InfoHead(2, 2, 32);
  Put(&head, 10, 20, 4);  // inside the info header
  EXPECT_EQ(Fault(head, 1000), PictureFault::kNotAPicture);
  Put(&head, 10, 0xFFFFFFF0u, 4);  // far beyond the file
  EXPECT_EQ(Fault(head, 1000), PictureFault::kCutShort);
  Put(&head, 10, 100, 4);  // after a palette or masks
  EXPECT_EQ(Fault(head, 116), PictureFault::kNone);
  EXPECT_EQ(Fault(head, 115), PictureFault::kCutShort);
}

TEST(PictureHeader, CoreHeaderIsMeasuredToo) {
  std::string head(26, '\0');
  head[0] = 'B';
  head[1] = 'M';
  Put(&head, 10, 26, 4);
  Put(&head, 14, 12, 4);
  Put(&head, 18, 4, 2);
  Put(&head, 20, 3, 2);
  Put(&head, 22, 1, 2);
  Put(&head, 24, 24, 2);
  PictureHeader header;
  EXPECT_EQ(Fault(head, 26 + 12 * 3, &header), PictureFault::kNone);
  EXPECT_EQ(header.width, 4);
  EXPECT_EQ(header.height, 3);
  EXPECT_EQ(header.bitCount, 24);
  EXPECT_EQ(Fault(head, 26 + 12 * 3 - 1), PictureFault::kCutShort);
  EXPECT_EQ(Fault(head, 20), PictureFault::kCutShort);
}

TEST(PictureHeader, BmpAlphaMaskComesFromTheV3HeaderOnward) {
  for (const std::uint32_t size : {40u, 52u, 56u, 108u, 124u}) {
    SCOPED_TRACE(size);
    std::string head = InfoHead(2, 2, 32, kBmpBitFields);
    head.resize(14 + size, '\0');
    Put(&head, 14, size, 4);
    const std::uint32_t offset = 14 + size + (size == 40 ? 12 : 0);  // the masks follow a 40-byte header
    Put(&head, 10, offset, 4);
    if (size >= 56) Put(&head, 14 + 52, 0xFF000000u, 4);
    PictureHeader header;
    ASSERT_EQ(Fault(head, offset + 16, &header), PictureFault::kNone);
    EXPECT_EQ(header.alphaMask, size >= 56);
    EXPECT_EQ(header.MayHaveAlpha(), size >= 56);
  }
}

// Uncompressed, only 32 bits take the header's alpha mask; 16 and 24 bits
// have a fixed layout without alpha.
TEST(PictureHeader, UncompressedBmpHasAnAlphaMaskOnlyWith32Bits) {
  for (const int bits : {16, 24, 32}) {
    SCOPED_TRACE(bits);
    std::string head = InfoHead(2, 2, bits, kBmpRgb);
    head.resize(14 + 108, '\0');
    Put(&head, 14, 108, 4);
    Put(&head, 10, 14 + 108, 4);
    Put(&head, 14 + 52, 0xFF000000u, 4);
    PictureHeader header;
    ASSERT_EQ(Fault(head, 14 + 108 + 16, &header), PictureFault::kNone);
    EXPECT_EQ(header.alphaMask, bits == 32);
  }
}

TEST(PictureHeader, WideningAV3HeaderKeepsItsMasksAndMovesThePixels) {
  std::string file = InfoHead(1, 1, 32, kBmpBitFields);
  file.resize(14 + 56, '\0');
  Put(&file, 14, 56, 4);
  Put(&file, 10, 14 + 56, 4);
  Put(&file, 14 + 40, 0x00FF0000u, 4);
  Put(&file, 14 + 44, 0x0000FF00u, 4);
  Put(&file, 14 + 48, 0x000000FFu, 4);
  Put(&file, 14 + 52, 0xFF000000u, 4);
  file += std::string("\x11\x22\x33\x80", 4);
  PictureHeader header;
  ASSERT_EQ(ReadPictureHeader(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &header),
            PictureFault::kNone);
  const std::string before = file;
  WidenBmpHeader(&file, &header);
  ASSERT_EQ(file.size(), before.size() + 52);
  EXPECT_EQ(header.headerBytes, 108u);
  PictureHeader again;
  ASSERT_EQ(ReadPictureHeader(reinterpret_cast<const unsigned char*>(file.data()), file.size(), &again),
            PictureFault::kNone);
  EXPECT_EQ(again.headerBytes, 108u);
  EXPECT_TRUE(again.alphaMask);
  EXPECT_EQ(file.substr(14 + 4, 52), before.substr(14 + 4, 52)) << "sides, bits, compression and masks";
  EXPECT_EQ(file.substr(14 + 108), "\x11\x22\x33\x80") << "the pixels follow the wider header";
  EXPECT_EQ(static_cast<unsigned char>(file[10]), 14 + 108);
  EXPECT_EQ(static_cast<unsigned char>(file[2]), file.size());

  std::string plain = InfoHead(1, 1, 24) + std::string(4, '\0');
  ASSERT_EQ(ReadPictureHeader(reinterpret_cast<const unsigned char*>(plain.data()), plain.size(), &header),
            PictureFault::kNone);
  const std::string untouched = plain;
  WidenBmpHeader(&plain, &header);
  EXPECT_EQ(plain, untouched) << "an info header stays as it is";
}

TEST(PictureHeader, PngIsReadFromItsChunks) {
  using F = PictureFault;
  struct Case {
    const char* what;
    std::string file;
    PictureFault fault;
    bool alpha;
  } cases[] = {
      {"RGB", Png(320, 400, 8, 2), F::kNone, false},
      {"RGBA, 16 bits", Png(320, 400, 16, 6), F::kNone, true},
      {"grey and alpha", Png(3, 4, 8, 4), F::kNone, true},
      {"palette with tRNS", Png(3, 4, 8, 3, "PLTEtRNSIDAT"), F::kNone, true},
      {"grey with tRNS", Png(3, 4, 16, 0, "tRNSIDAT"), F::kNone, true},
      {"tRNS after the pixels counts not", Png(3, 4, 8, 2, "IDATtRNS"), F::kNone, false},
      {"RGB with 4 bits", Png(3, 4, 4, 2), F::kNotAPicture, false},
      {"colour type 5", Png(3, 4, 8, 5), F::kNotAPicture, false},
      {"no pixels", Png(3, 4, 8, 2, ""), F::kNotAPicture, false},
      {"no width", Png(0, 4, 8, 2), F::kZeroSize, false},
      {"beyond the limits", Png(16384, 1025, 8, 2), F::kBeyondLimits, false},
      {"beyond the integer limit", Png(0x80000000u, 1, 8, 2), F::kNotAPicture, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PictureHeader header;
    EXPECT_EQ(Fault(c.file, c.file.size(), &header), c.fault);
    EXPECT_EQ(header.format, PictureFormat::kPng);
    if (c.fault == F::kNone) {
      EXPECT_EQ(header.MayHaveAlpha(), c.alpha);
    }
  }
  const std::string whole = Png(3, 4, 8, 2);
  for (const std::size_t cut : {whole.size() - 1, whole.size() - 12, whole.size() - 13, std::size_t{20}}) {
    SCOPED_TRACE(cut);
    EXPECT_EQ(Fault(whole, cut), F::kCutShort);
  }
}

TEST(PictureHeader, DescriptionsNameTheForm) {
  PictureHeader header;
  ASSERT_EQ(Fault(InfoHead(320, -400, 24), 54 + 960 * 400, &header), PictureFault::kNone);
  EXPECT_EQ(DescribePicture(header, false), "BMP 320 x 400 24-bit top-down");
  ASSERT_EQ(Fault(PixelsAt(InfoHead(100, 100, 8, kBmpRle8, 500), 1078), 1078 + 500, &header), PictureFault::kNone);
  EXPECT_EQ(DescribePicture(header, false), "BMP 100 x 100 8-bit RLE8");
  const std::string png = Png(320, 400, 16, 6);
  ASSERT_EQ(Fault(png, png.size(), &header), PictureFault::kNone);
  EXPECT_EQ(DescribePicture(header, true), "PNG 320 x 400 RGB 16-bit with alpha");

  ASSERT_EQ(Fault(InfoHead(20000, 30, 24), 100, &header), PictureFault::kBeyondLimits);
  EXPECT_EQ(DescribePictureFault(PictureFault::kBeyondLimits, header),
            "is 20000 x 30 pixels, beyond the limits of 16384 pixels a side and 16777216 pixels (16 megapixels) in "
            "all");
  ASSERT_EQ(Fault(InfoHead(4, 4, 7), 100, &header), PictureFault::kUnsupportedForm);
  EXPECT_NE(DescribePictureFault(PictureFault::kUnsupportedForm, header).find("7 bits a pixel"), std::string::npos);
  ASSERT_EQ(Fault(CoreHead(4, 4, 16), 100, &header), PictureFault::kUnsupportedForm);
  EXPECT_NE(DescribePictureFault(PictureFault::kUnsupportedForm, header).find("core header allows 1, 4, 8 and 24"),
            std::string::npos);
  ASSERT_EQ(Fault(InfoHead(4, 4, 8), 100, &header), PictureFault::kNoRoomForTables);
  EXPECT_EQ(DescribePictureFault(PictureFault::kNoRoomForTables, header),
            "has no room for its palette of 256 colours before its pixels");
  EXPECT_EQ(DescribePictureFault(PictureFault::kDecoderRefused, header),
            "passes the clock's checks, but this system's picture decoder refuses it");
}

// The same limits hold for a canvas, whose size only the layout knows.
TEST(PictureLimits, SixteenMegapixelsAndSixteenThousandPixelsASide) {
  struct Case {
    long long width;
    long long height;
    bool sane;
  } cases[] = {
      {16384, 1024, true},  {1024, 16384, true},  {4096, 4096, true},  {16384, 1025, false},
      {4096, 4097, false},  {16385, 1, false},    {1, 16385, false},   {0, 5, false},
      {5, 0, false},        {-1, -1, false},      {1, 1, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsSanePictureSize(c.width, c.height), c.sane) << c.width << " x " << c.height;
    EXPECT_EQ(IsSanePictureSize(c.height, c.width), c.sane) << c.height << " x " << c.width;
  }
  CanvasLayout layout;
  EXPECT_TRUE(LayOutCanvas(16384, 1024, 0, 0, &layout));
  EXPECT_TRUE(LayOutCanvas(16384, 1024, 0, 874, &layout));
  EXPECT_FALSE(LayOutCanvas(16384, 1024, 0, 875, &layout)) << "the face lengthens the canvas past 16 megapixels";
  EXPECT_FALSE(LayOutCanvas(16384, 1000, 0, -25, &layout));
  PixelBuffer buffer;
  EXPECT_FALSE(buffer.Allocate(4097, 4096, 0));
}

}  // namespace
