#include "ico_file.h"

#include <cstdint>

namespace iconmaker {
namespace {

void PutU16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

// Bytes per row of the AND mask: one bit a pixel, rows padded to 32 bits.
std::uint32_t MaskStride(int size) { return static_cast<std::uint32_t>((size + 31) / 32 * 4); }

std::uint32_t ImageBytes(int size) {
  const auto s = static_cast<std::uint32_t>(size);
  return 40 + s * s * 4 + MaskStride(size) * s;
}

// A BMP image as an icon holds it: the header counts the colour rows and the
// mask rows in its height; both are stored bottom-up.
void PutImage(std::string& out, const Square& image) {
  const int size = image.size;
  const auto s = static_cast<std::uint32_t>(size);
  PutU32(out, 40);
  PutU32(out, s);
  PutU32(out, s * 2);
  PutU16(out, 1);   // planes
  PutU16(out, 32);  // bits per pixel
  PutU32(out, 0);   // no compression
  PutU32(out, ImageBytes(size) - 40);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    for (int x = 0; x < size; ++x) {
      const Rgba p = image.at(x, y);
      out.push_back(static_cast<char>(p.b));
      out.push_back(static_cast<char>(p.g));
      out.push_back(static_cast<char>(p.r));
      out.push_back(static_cast<char>(p.a));
    }
  }
  for (int y = size - 1; y >= 0; --y) {
    std::string row(MaskStride(size), '\0');
    for (int x = 0; x < size; ++x)
      if (image.at(x, y).a == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    out += row;
  }
}

}  // namespace

std::string EncodeIco(const std::vector<Square>& images) {
  std::string out;
  PutU16(out, 0);
  PutU16(out, 1);  // an icon, not a cursor
  PutU16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
  for (const Square& image : images) {
    // A size of 256 is written as 0.
    out.push_back(static_cast<char>(image.size & 0xFF));
    out.push_back(static_cast<char>(image.size & 0xFF));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, 1);   // planes
    PutU16(out, 32);  // bits per pixel
    PutU32(out, ImageBytes(image.size));
    PutU32(out, offset);
    offset += ImageBytes(image.size);
  }
  for (const Square& image : images) PutImage(out, image);
  return out;
}

}  // namespace iconmaker
