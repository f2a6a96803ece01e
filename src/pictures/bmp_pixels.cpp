#include "pictures/bmp_pixels.h"

#include <cstdint>
#include <utility>

namespace {

// One channel of a bit-field pixel, brought to 8 bits: wider fields keep
// their top bits, narrower ones are widened as every decoder widens them,
// their bits repeated below (5 bits abcde give abcdeabc).
class Channel {
 public:
  explicit Channel(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    while (((mask >> shift_) & 1u) == 0) ++shift_;
    for (std::uint32_t field = mask >> shift_; field != 0; field >>= 1) ++bits_;
    if (bits_ >= 8) return;
    for (std::uint32_t field = 0; field < (1u << bits_); ++field) {
      std::uint32_t out = 0;
      for (int at = 8 - bits_; at > -bits_; at -= bits_) out |= at >= 0 ? field << at : field >> -at;
      widened_[field] = static_cast<std::uint8_t>(out);
    }
  }
  std::uint32_t Read(std::uint32_t value) const {
    const std::uint32_t field = (value & mask_) >> shift_;
    return bits_ >= 8 ? field >> (bits_ - 8) : widened_[field];
  }

 private:
  std::uint32_t mask_;
  int shift_ = 0;
  int bits_ = 0;
  std::uint8_t widened_[128] = {};
};

std::uint32_t Little(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

}  // namespace

bool DecodeBmpPixels(const unsigned char* bytes, std::size_t size, const PictureHeader& header,
                     PixelBuffer* pixels) {
  (void)size;  // the header reader has measured the file against the pixels
  PixelBuffer out;
  if (!out.Allocate(header.width, header.height, 0)) return false;
  const int bits = header.bitCount;
  const std::size_t rowBytes = (static_cast<std::size_t>(header.width) * bits + 31) / 32 * 4;
  const unsigned char* first = bytes + header.pixelOffset;

  Pixel palette[256] = {};
  const unsigned char* entries = bytes + 14 + header.headerBytes;
  for (int i = 0; i < header.paletteEntries; ++i) {
    const unsigned char* e = entries + static_cast<std::size_t>(i) * header.paletteEntryBytes;
    palette[i] = 0xFF000000u | (static_cast<Pixel>(e[2]) << 16) | (static_cast<Pixel>(e[1]) << 8) | e[0];
  }
  const Channel red(header.masks[0]);
  const Channel green(header.masks[1]);
  const Channel blue(header.masks[2]);
  const Channel alpha(header.masks[3]);
  const bool hasAlpha = header.masks[3] != 0;

  for (int y = 0; y < header.height; ++y) {
    const int fileRow = header.topDown ? y : header.height - 1 - y;
    const unsigned char* in = first + static_cast<std::size_t>(fileRow) * rowBytes;
    Pixel* row = out.view().Row(y);
    if (bits <= 8) {
      const int perByte = 8 / bits;
      const unsigned mask = (1u << bits) - 1;
      for (int x = 0; x < header.width; ++x) {
        const unsigned shift = static_cast<unsigned>(8 - bits * (x % perByte + 1));
        const unsigned index = (in[x / perByte] >> shift) & mask;
        row[x] = static_cast<int>(index) < header.paletteEntries ? palette[index] : 0xFF000000u;
      }
    } else if (bits == 24) {
      for (int x = 0; x < header.width; ++x, in += 3) {
        row[x] = 0xFF000000u | (static_cast<Pixel>(in[2]) << 16) | (static_cast<Pixel>(in[1]) << 8) | in[0];
      }
    } else {
      const int step = bits / 8;
      for (int x = 0; x < header.width; ++x, in += step) {
        const std::uint32_t value = Little(in, step);
        const Pixel a = hasAlpha ? alpha.Read(value) : 0xFF;
        row[x] = (a << 24) | (red.Read(value) << 16) | (green.Read(value) << 8) | blue.Read(value);
      }
    }
  }
  *pixels = std::move(out);
  return true;
}
