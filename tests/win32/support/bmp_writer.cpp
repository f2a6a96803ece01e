#include "support/bmp_writer.h"

#include <cstdint>

namespace {

void PutLittleEndian(std::string* bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

std::string BmpBytes(ConstPixelView picture) {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
  std::string bytes = "BM";
  PutLittleEndian(&bytes, 54 + imageBytes, 4);
  PutLittleEndian(&bytes, 0, 4);
  PutLittleEndian(&bytes, 54, 4);
  PutLittleEndian(&bytes, 40, 4);
  PutLittleEndian(&bytes, static_cast<std::uint32_t>(picture.width), 4);
  PutLittleEndian(&bytes, static_cast<std::uint32_t>(picture.height), 4);
  PutLittleEndian(&bytes, 1, 2);
  PutLittleEndian(&bytes, 24, 2);
  PutLittleEndian(&bytes, 0, 4);  // BI_RGB
  PutLittleEndian(&bytes, imageBytes, 4);
  PutLittleEndian(&bytes, 2835, 4);
  PutLittleEndian(&bytes, 2835, 4);
  PutLittleEndian(&bytes, 0, 4);
  PutLittleEndian(&bytes, 0, 4);
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t start = bytes.size();
    for (int x = 0; x < picture.width; ++x) PutLittleEndian(&bytes, picture.At(x, y), 3);
    bytes.resize(start + rowBytes, '\0');
  }
  return bytes;
}
