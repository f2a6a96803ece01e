#include "support/png_writer.h"

#include <algorithm>
#include <vector>

#include "support/byte_writer.h"

namespace {

std::uint32_t Adler32(const std::string& bytes) {
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const char c : bytes) {
    a = (a + static_cast<unsigned char>(c)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

// A zlib stream of stored deflate blocks.
std::string StoredZlib(const std::string& data) {
  std::string out("\x78\x01", 2);
  std::size_t at = 0;
  do {
    const std::size_t length = std::min<std::size_t>(data.size() - at, 65535);
    const bool last = at + length == data.size();
    out.push_back(last ? 1 : 0);
    PutLittleEndian(&out, static_cast<std::uint32_t>(length), 2);
    PutLittleEndian(&out, static_cast<std::uint32_t>(~length & 0xFFFF), 2);
    out.append(data, at, length);
    at += length;
  } while (at < data.size());
  PutBigEndian(&out, Adler32(data), 4);
  return out;
}

void AppendChunk(std::string* png, const char* type, const std::string& data) {
  PutBigEndian(png, static_cast<std::uint32_t>(data.size()), 4);
  const std::string typed = std::string(type, 4) + data;
  png->append(typed);
  PutBigEndian(png, Crc32(typed), 4);
}

void PutSample(std::string* row, std::uint32_t value, int bitDepth) {
  PutBigEndian(row, bitDepth == 16 ? value * 257 : value, bitDepth / 8);
}

}  // namespace

std::uint32_t Crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (const char c : bytes) {
    crc ^= static_cast<unsigned char>(c);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::string PngBytes(ConstPixelView picture, const PngForm& form) {
  std::vector<Pixel> palette;
  if (form.colourType == kPngPalette) {
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        if (std::find(palette.begin(), palette.end(), picture.At(x, y)) == palette.end()) {
          palette.push_back(picture.At(x, y));
        }
      }
    }
    if (palette.size() > 256) return std::string();
  }

  std::string raw;
  for (int y = 0; y < picture.height; ++y) {
    raw.push_back('\0');  // no filter
    for (int x = 0; x < picture.width; ++x) {
      const Pixel p = picture.At(x, y);
      const std::uint32_t alpha = p >> 24;
      const std::uint32_t red = (p >> 16) & 0xFF;
      const std::uint32_t green = (p >> 8) & 0xFF;
      const std::uint32_t blue = p & 0xFF;
      switch (form.colourType) {
        case kPngPalette:
          raw.push_back(static_cast<char>(std::find(palette.begin(), palette.end(), p) - palette.begin()));
          break;
        case kPngGrey:
        case kPngGreyAlpha:
          PutSample(&raw, green, form.bitDepth);
          if (form.colourType == kPngGreyAlpha) PutSample(&raw, alpha, form.bitDepth);
          break;
        default:
          PutSample(&raw, red, form.bitDepth);
          PutSample(&raw, green, form.bitDepth);
          PutSample(&raw, blue, form.bitDepth);
          if (form.colourType == kPngRgbAlpha) PutSample(&raw, alpha, form.bitDepth);
          break;
      }
    }
  }

  std::string png("\x89PNG\r\n\x1a\n", 8);
  std::string header;
  PutBigEndian(&header, static_cast<std::uint32_t>(picture.width), 4);
  PutBigEndian(&header, static_cast<std::uint32_t>(picture.height), 4);
  header.push_back(static_cast<char>(form.bitDepth));
  header.push_back(static_cast<char>(form.colourType));
  header.append(std::string("\0\0\0", 3));  // deflate, adaptive filters, not interlaced
  AppendChunk(&png, "IHDR", header);
  if (form.colourType == kPngPalette) {
    std::string colours;
    std::string alphas;
    for (const Pixel p : palette) {
      PutBigEndian(&colours, p & 0x00FFFFFF, 3);
      alphas.push_back(static_cast<char>(p >> 24));
    }
    AppendChunk(&png, "PLTE", colours);
    if (form.transparency) AppendChunk(&png, "tRNS", alphas);
  } else if (form.transparency) {
    std::string key;
    const Pixel t = form.transparent;
    // Two bytes a channel, holding the value at the picture's own depth.
    const auto put = [&](std::uint32_t v) { PutBigEndian(&key, form.bitDepth == 16 ? v * 257 : v, 2); };
    if (form.colourType == kPngGrey) {
      put((t >> 8) & 0xFF);
    } else {
      for (const int shift : {16, 8, 0}) put((t >> shift) & 0xFF);
    }
    AppendChunk(&png, "tRNS", key);
  }
  AppendChunk(&png, "IDAT", StoredZlib(raw));
  AppendChunk(&png, "IEND", std::string());
  return png;
}
