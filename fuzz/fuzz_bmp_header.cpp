// The look at a picture file's headers before it is decoded: it reads no byte
// beyond the file, and what it accepts is within the limits, in a form
// Windows reads, with every pixel byte inside the file (checked here in
// 128-bit arithmetic); cut anywhere before its pixels end, the same file is
// refused; a widened BMP header reads back as the same picture; and an
// accepted uncompressed BMP is decoded without reading a byte beyond the file.
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.h"
#include "pictures/bmp_pixels.h"
#include "pictures/picture_header.h"
#include "pictures/pixel_buffer.h"

namespace {

std::uint32_t Little(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

PictureFault Read(const std::string& file, PictureHeader* header) {
  // A copy of exactly the file's size, so that a read past it is caught.
  std::unique_ptr<unsigned char[]> bytes(new unsigned char[file.empty() ? 1 : file.size()]);
  std::memcpy(bytes.get(), file.data(), file.size());
  return ReadPictureHeader(bytes.get(), file.size(), header);
}

// Where the BMP's pixel data end, by its own headers.
FUZZ_ORACLE __int128 BmpPixelEnd(const std::string& file, const PictureHeader& header) {
  const auto* p = reinterpret_cast<const unsigned char*>(file.data());
  const __int128 offset = Little(p + 10, 4);
  if (header.compression == kBmpRle8 || header.compression == kBmpRle4) return offset + Little(p + 34, 4);
  const __int128 row = (static_cast<__int128>(header.width) * header.bitCount + 31) / 32 * 4;
  return offset + row * header.height;
}

FUZZ_ORACLE void CheckAccepted(const std::string& file, const PictureHeader& header) {
  FUZZ_REQUIRE(header.width >= 1 && header.height >= 1 && header.width <= kMaxPictureSide &&
               header.height <= kMaxPictureSide &&
               static_cast<long long>(header.width) * header.height <= kMaxPicturePixels);
  if (header.format == PictureFormat::kPng) return;
  const int bits = header.bitCount;
  FUZZ_REQUIRE(bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
  FUZZ_REQUIRE(header.compression <= kBmpBitFields);
  if (header.compression == kBmpRle8) FUZZ_REQUIRE(bits == 8 && !header.topDown);
  if (header.compression == kBmpRle4) FUZZ_REQUIRE(bits == 4 && !header.topDown);
  if (header.compression == kBmpBitFields) FUZZ_REQUIRE(bits == 16 || bits == 32);
  const __int128 end = BmpPixelEnd(file, header);
  FUZZ_REQUIRE(end <= static_cast<__int128>(file.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const int form = in.ConsumeIntegralInRange(0, 2);
  const std::size_t cut = in.ConsumeIntegral<std::uint16_t>();
  std::string file = in.ConsumeRemainingBytesAsString();
  // Most inputs start with a signature, so the rules behind it are reached.
  if (form == 0 && file.size() >= 2) file.replace(0, 2, "BM");
  if (form == 1 && file.size() >= 8) file.replace(0, 8, "\x89PNG\r\n\x1a\n", 8);

  PictureHeader header;
  const PictureFault fault = Read(file, &header);
  if (fault != PictureFault::kNone) return 0;
  CheckAccepted(file, header);
  if (header.IsUncompressedBmp() && static_cast<long long>(header.width) * header.height <= (1 << 20)) {
    std::unique_ptr<unsigned char[]> bytes(new unsigned char[file.size()]);
    std::memcpy(bytes.get(), file.data(), file.size());
    PixelBuffer pixels;
    FUZZ_REQUIRE(DecodeBmpPixels(bytes.get(), file.size(), header, &pixels));
    FUZZ_REQUIRE(pixels.width() == header.width && pixels.height() == header.height);
  }

  // A BMP cut before the end of its pixels is refused.
  if (header.format == PictureFormat::kBmp && cut < BmpPixelEnd(file, header)) {
    PictureHeader shorter;
    FUZZ_REQUIRE(Read(file.substr(0, cut), &shorter) != PictureFault::kNone);
  }

  std::string widened = file;
  PictureHeader wide = header;
  WidenBmpHeader(&widened, &wide);
  PictureHeader again;
  FUZZ_REQUIRE(Read(widened, &again) == PictureFault::kNone);
  FUZZ_REQUIRE(again.width == header.width && again.height == header.height && again.bitCount == header.bitCount &&
               again.compression == header.compression && again.topDown == header.topDown &&
               again.alphaMask == header.alphaMask && again.format == header.format);
  FUZZ_REQUIRE(widened.size() - file.size() == again.headerBytes - header.headerBytes);
  return 0;
}
