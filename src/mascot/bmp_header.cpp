#include "mascot/bmp_header.h"

#include "mascot/pixel_buffer.h"

namespace {

std::uint32_t Read16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t Read32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kUncompressed = 0;  // BI_RGB
constexpr std::uint32_t kBitFields = 3;     // BI_BITFIELDS

}  // namespace

bool IsLoadableBmp(const unsigned char* head, std::size_t headSize, std::uint64_t fileSize) {
  if (headSize < kFileHeaderBytes + 4 || head[0] != 'B' || head[1] != 'M') return false;
  const std::uint64_t pixelOffset = Read32(head + 10);
  const std::uint32_t infoSize = Read32(head + 14);

  long long width = 0;
  long long height = 0;
  std::uint32_t bitCount = 0;
  std::uint32_t compression = kUncompressed;
  std::uint64_t imageSize = 0;
  if (infoSize == kCoreHeaderBytes) {
    if (headSize < kFileHeaderBytes + kCoreHeaderBytes) return false;
    width = Read16(head + 18);
    height = Read16(head + 20);
    bitCount = Read16(head + 24);
  } else if (infoSize >= kInfoHeaderBytes) {
    if (headSize < kFileHeaderBytes + kInfoHeaderBytes) return false;
    width = static_cast<std::int32_t>(Read32(head + 18));
    height = static_cast<std::int32_t>(Read32(head + 22));
    bitCount = Read16(head + 28);
    compression = Read32(head + 30);
    imageSize = Read32(head + 34);
  } else {
    return false;
  }
  if (height < 0) height = -height;
  if (!IsSanePictureSize(width, height) || bitCount == 0 || bitCount > 32) return false;

  std::uint64_t pixelBytes = imageSize;
  if (compression == kUncompressed || compression == kBitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
  } else if (imageSize == 0) {
    return false;  // a compressed picture must say how long it is
  }
  return pixelOffset >= kFileHeaderBytes + infoSize && pixelOffset <= fileSize &&
         pixelBytes <= fileSize - pixelOffset;
}
