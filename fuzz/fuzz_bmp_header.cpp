// The look at a BMP file's headers before it is decoded: it reads no byte
// beyond the head it is given, and it accepts a file only when its sides are
// within the picture limit and the pixel data the headers describe lie within
// the file, computed here without any wrap.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "mascot/bmp_header.h"

namespace {

std::uint32_t Field(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

// Whether the picture is within the limit and the headers' pixel data end
// within fileSize, in 128-bit arithmetic.
bool Loadable(const unsigned char* head, std::size_t headSize, std::uint64_t fileSize) {
  if (headSize < 18 || head[0] != 'B' || head[1] != 'M') return false;
  const std::uint32_t offset = Field(head + 10, 4);
  const std::uint32_t infoSize = Field(head + 14, 4);
  __int128 width;
  __int128 height;
  std::uint32_t bits;
  std::uint32_t compression = 0;
  std::uint32_t imageSize = 0;
  if (infoSize == 12) {
    if (headSize < 26) return false;
    width = Field(head + 18, 2);
    height = Field(head + 20, 2);
    bits = Field(head + 24, 2);
  } else if (infoSize >= 40) {
    if (headSize < 54) return false;
    width = static_cast<std::int32_t>(Field(head + 18, 4));
    height = static_cast<std::int32_t>(Field(head + 22, 4));
    bits = Field(head + 28, 2);
    compression = Field(head + 30, 4);
    imageSize = Field(head + 34, 4);
  } else {
    return false;
  }
  if (height < 0) height = -height;
  if (width < 1 || height < 1 || width > kMaxPictureSide || height > kMaxPictureSide) return false;
  if (bits == 0 || bits > 32) return false;
  __int128 pixelBytes = imageSize;
  if (compression == 0 || compression == 3) {
    pixelBytes = (width * bits + 31) / 32 * 4 * height;
  } else if (imageSize == 0) {
    return false;
  }
  return offset >= 14 + static_cast<__int128>(infoSize) && offset + pixelBytes <= fileSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool explicitSize = in.ConsumeBool();
  const std::uint64_t extra = in.ConsumeIntegral<std::uint64_t>();
  const std::size_t headSize = std::min(in.remaining_bytes(), kBmpHeadBytes);
  // A copy of exactly headSize bytes, so that a read past it is caught.
  std::unique_ptr<unsigned char[]> head(new unsigned char[headSize == 0 ? 1 : headSize]);
  const std::vector<std::uint8_t> bytes = in.ConsumeBytes<std::uint8_t>(headSize);
  if (headSize > 0) std::memcpy(head.get(), bytes.data(), headSize);
  // The head starts a file of any size from its own length up: a short file
  // read whole, a longer one, or one whose head came back cut short.
  const std::uint64_t fileSize =
      !explicitSize ? headSize : (extra > UINT64_MAX - headSize ? UINT64_MAX : headSize + extra);

  const bool loadable = IsLoadableBmp(head.get(), headSize, fileSize);
  FUZZ_REQUIRE(loadable == Loadable(head.get(), headSize, fileSize));
  // A longer file with the same head holds its pixels all the more.
  if (loadable) FUZZ_REQUIRE(IsLoadableBmp(head.get(), headSize, UINT64_MAX));
  return 0;
}
