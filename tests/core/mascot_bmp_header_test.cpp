// A BMP file cut short, or too large for the figure, is refused before it is decoded.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "mascot/bmp_header.h"
#include "mascot/pixel_buffer.h"

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

bool Holds(const std::string& head, std::uint64_t fileSize) {
  return IsLoadableBmp(reinterpret_cast<const unsigned char*>(head.data()), head.size(), fileSize);
}

TEST(BmpHeader, PixelsMustAllLieWithinTheFile) {
  struct Case {
    const char* what;
    std::string head;
    std::uint64_t fileSize;
    bool holds;
  } cases[] = {
      {"24-bit, rows padded to 4 bytes, complete", InfoHead(3, 2, 24), 54 + 12 * 2, true},
      {"24-bit, one byte short", InfoHead(3, 2, 24), 54 + 12 * 2 - 1, false},
      {"32-bit top-down, complete", InfoHead(5, -4, 32), 54 + 80, true},
      {"32-bit top-down, half", InfoHead(5, -4, 32), 54 + 40, false},
      {"1-bit rows of 4 bytes", InfoHead(33, 2, 1), 54 + 16, true},
      {"header only", InfoHead(200, 300, 24), 54, false},
      {"height at the integer limit", InfoHead(1, INT32_MIN, 8), 1000, false},
      {"width at the integer limit", InfoHead(INT32_MAX, 1, 32), 1000, false},
      {"run-length coded with its length", InfoHead(100, 100, 8, 1, 500), 54 + 500, true},
      {"run-length coded, cut short", InfoHead(100, 100, 8, 1, 500), 54 + 499, false},
      {"run-length coded without a length", InfoHead(100, 100, 8, 1, 0), 100000, false},
      {"sides at the picture limit", InfoHead(16384, -16384, 1), 54 + 2048ull * 16384, true},
      {"wider than the picture limit", InfoHead(16385, 1, 1), 54 + 2052, false},
      {"taller than the picture limit", InfoHead(1, -16385, 1), 54 + 4 * 16385, false},
      {"no width", InfoHead(0, 10, 24), 100000, false},
      {"no height", InfoHead(10, 0, 24), 100000, false},
      {"not a BMP", "This is not a picture.\r\n", 24, false},
      {"a few bytes", "BM", 2, false},
      {"empty", "", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Holds(c.head, c.fileSize), c.holds);
  }
}

TEST(BmpHeader, PixelOffsetMustFollowTheHeadersAndLieInTheFile) {
  std::string head = InfoHead(2, 2, 32);
  Put(&head, 10, 20, 4);  // inside the info header
  EXPECT_FALSE(Holds(head, 1000));
  Put(&head, 10, 0xFFFFFFF0u, 4);  // far beyond the file
  EXPECT_FALSE(Holds(head, 1000));
  Put(&head, 10, 100, 4);  // after a palette or masks
  EXPECT_TRUE(Holds(head, 116));
  EXPECT_FALSE(Holds(head, 115));
}

TEST(BmpHeader, OldCoreHeaderIsMeasuredToo) {
  std::string head(26, '\0');
  head[0] = 'B';
  head[1] = 'M';
  Put(&head, 10, 26, 4);
  Put(&head, 14, 12, 4);
  Put(&head, 18, 4, 2);
  Put(&head, 20, 3, 2);
  Put(&head, 22, 1, 2);
  Put(&head, 24, 24, 2);
  EXPECT_TRUE(Holds(head, 26 + 12 * 3));
  EXPECT_FALSE(Holds(head, 26 + 12 * 3 - 1));
}

}  // namespace
