#include "support/bmp_writer.h"

#include <algorithm>
#include <vector>

#include "support/byte_writer.h"

namespace {

// The picture's distinct colours in order of first appearance.
std::vector<Pixel> Palette(ConstPixelView picture) {
  std::vector<Pixel> colours;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const Pixel colour = picture.At(x, y) & 0x00FFFFFF;
      if (std::find(colours.begin(), colours.end(), colour) == colours.end()) colours.push_back(colour);
    }
  }
  return colours;
}

int IndexOf(const std::vector<Pixel>& palette, Pixel colour) {
  return static_cast<int>(std::find(palette.begin(), palette.end(), colour & 0x00FFFFFF) - palette.begin());
}

// An 8-bit channel put into the bits of `mask`, keeping its top bits.
std::uint32_t IntoMask(std::uint32_t channel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1) == 0) ++shift;
  int bits = 0;
  while (shift + bits < 32 && ((mask >> (shift + bits)) & 1) != 0) ++bits;
  const std::uint32_t value = bits >= 8 ? channel << (bits - 8) : channel >> (8 - bits);
  return (value << shift) & mask;
}

// One row of indices, encoded as runs of one index each.
void AppendRleRow(const std::vector<int>& indices, bool fourBits, std::string* out) {
  std::size_t x = 0;
  while (x < indices.size()) {
    std::size_t end = x;
    while (end < indices.size() && indices[end] == indices[x] && end - x < 255) ++end;
    out->push_back(static_cast<char>(end - x));
    out->push_back(static_cast<char>(fourBits ? (indices[x] << 4) | indices[x] : indices[x]));
    x = end;
  }
  out->append(std::string("\0\0", 2));  // end of line
}

}  // namespace

std::string BmpBytes(ConstPixelView picture, const BmpForm& form) {
  const bool core = form.headerBytes == kBmpCoreHeader;
  const bool indexed = form.bitCount <= 8;
  const std::vector<Pixel> palette = indexed ? Palette(picture) : std::vector<Pixel>();
  if (indexed && palette.size() > (1u << form.bitCount)) return std::string();
  std::uint32_t masks[4] = {form.masks[0], form.masks[1], form.masks[2], form.masks[3]};
  if (form.compression != kBmpBitFields) {
    if (form.bitCount == 16) {
      masks[0] = 0x7C00;
      masks[1] = 0x03E0;
      masks[2] = 0x001F;
    } else {
      masks[0] = 0x00FF0000;
      masks[1] = 0x0000FF00;
      masks[2] = 0x000000FF;
    }
  }

  // Pixel rows in file order.
  std::string pixels;
  const bool rle = form.compression == kBmpRle8 || form.compression == kBmpRle4;
  const std::size_t rowBytes = (static_cast<std::size_t>(picture.width) * form.bitCount + 31) / 32 * 4;
  for (int i = 0; i < picture.height; ++i) {
    const int y = form.topDown ? i : picture.height - 1 - i;
    if (indexed) {
      std::vector<int> indices;
      for (int x = 0; x < picture.width; ++x) indices.push_back(IndexOf(palette, picture.At(x, y)));
      if (rle) {
        AppendRleRow(indices, form.compression == kBmpRle4, &pixels);
        continue;
      }
      std::string row(rowBytes, '\0');
      for (int x = 0; x < picture.width; ++x) {
        const std::size_t bit = static_cast<std::size_t>(x) * form.bitCount;
        const int shift = 8 - form.bitCount - static_cast<int>(bit % 8);
        row[bit / 8] = static_cast<char>(static_cast<unsigned char>(row[bit / 8]) | (indices[x] << shift));
      }
      pixels += row;
      continue;
    }
    std::string row;
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.At(x, y);
      const std::uint32_t value = IntoMask((p >> 16) & 0xFF, masks[0]) | IntoMask((p >> 8) & 0xFF, masks[1]) |
                                  IntoMask(p & 0xFF, masks[2]) | IntoMask(p >> 24, masks[3]);
      PutLittleEndian(&row, value, form.bitCount / 8);
    }
    row.resize(rowBytes, '\0');
    pixels += row;
  }
  if (rle) pixels.append(std::string("\0\1", 2));  // end of picture

  std::string info;
  PutLittleEndian(&info, static_cast<std::uint32_t>(form.headerBytes), 4);
  if (core) {
    PutLittleEndian(&info, static_cast<std::uint32_t>(picture.width), 2);
    PutLittleEndian(&info, static_cast<std::uint32_t>(picture.height), 2);
    PutLittleEndian(&info, 1, 2);
    PutLittleEndian(&info, static_cast<std::uint32_t>(form.bitCount), 2);
  } else {
    PutLittleEndian(&info, static_cast<std::uint32_t>(picture.width), 4);
    PutLittleEndian(&info, static_cast<std::uint32_t>(form.topDown ? -picture.height : picture.height), 4);
    PutLittleEndian(&info, 1, 2);
    PutLittleEndian(&info, static_cast<std::uint32_t>(form.bitCount), 2);
    PutLittleEndian(&info, form.compression, 4);
    PutLittleEndian(&info, static_cast<std::uint32_t>(pixels.size()), 4);
    PutLittleEndian(&info, 2835, 4);
    PutLittleEndian(&info, 2835, 4);
    PutLittleEndian(&info, static_cast<std::uint32_t>(palette.size()), 4);
    PutLittleEndian(&info, 0, 4);
    // Masks inside the V2 header and later; the plain info header carries
    // the three colour masks after it when it has bit fields.
    const int maskCount = form.headerBytes >= kBmpV3Header ? 4 : form.headerBytes >= kBmpV2Header ? 3 : 0;
    for (int i = 0; i < maskCount; ++i) PutLittleEndian(&info, form.masks[i], 4);
    if (form.headerBytes >= kBmpV4Header) PutLittleEndian(&info, 0x73524742, 4);  // 'sRGB'
    info.resize(static_cast<std::size_t>(form.headerBytes), '\0');
    if (form.headerBytes == kBmpInfoHeader && form.compression == kBmpBitFields) {
      for (int i = 0; i < 3; ++i) PutLittleEndian(&info, form.masks[i], 4);
    }
  }
  // The core header has no colour count: its palette is always full.
  for (const Pixel colour : palette) PutLittleEndian(&info, colour, core ? 3 : 4);
  if (core && indexed) info.resize(info.size() + 3 * ((1u << form.bitCount) - palette.size()), '\0');

  const std::uint32_t offset = static_cast<std::uint32_t>(14 + info.size());
  std::string bytes = "BM";
  PutLittleEndian(&bytes, offset + static_cast<std::uint32_t>(pixels.size()), 4);
  PutLittleEndian(&bytes, 0, 4);
  PutLittleEndian(&bytes, offset, 4);
  return bytes + info + pixels;
}

std::string WithField(std::string bytes, std::size_t at, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string ShortBmpClaiming(int width, int height) {
  PixelBuffer one;
  one.Allocate(1, 1, 0);
  BmpForm rle;
  rle.bitCount = 8;
  rle.compression = kBmpRle8;
  std::string bytes = BmpBytes(one.view(), rle);
  bytes.resize(80, '\0');
  bytes = WithField(bytes, 2, 80);
  bytes = WithField(bytes, 18, static_cast<std::uint32_t>(width));
  return WithField(bytes, 22, static_cast<std::uint32_t>(height));
}
