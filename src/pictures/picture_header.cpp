#include "pictures/picture_header.h"

#include <algorithm>
#include <cstdio>

#include "pictures/pixel_buffer.h"

namespace {

std::uint32_t Little16(const unsigned char* p) { return static_cast<std::uint32_t>(p[0] | (p[1] << 8)); }
std::uint32_t Little32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::uint32_t Big32(const unsigned char* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}
void PutLittle32(unsigned char* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kV2HeaderBytes = 52;
constexpr std::uint32_t kV3HeaderBytes = 56;
constexpr std::uint32_t kV4HeaderBytes = 108;
constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Sides are stored as read, clamped into int; the limits refuse them anyway.
int ClampSide(long long side) { return static_cast<int>(std::min<long long>(side, 0x7FFFFFFF)); }

PictureFault CheckSides(long long width, long long height, PictureHeader* header) {
  header->width = ClampSide(width);
  header->height = ClampSide(height);
  if (width == 0 || height == 0) return PictureFault::kZeroSize;
  if (!IsSanePictureSize(width, height)) return PictureFault::kBeyondLimits;
  return PictureFault::kNone;
}

bool IsWindowsBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

// The bit counts and compressions Windows reads, together: run-length coding
// with its own bit count and bottom-up only, bit fields with 16 or 32 bits.
bool IsWindowsBmpForm(int bitCount, std::uint32_t compression, bool topDown) {
  if (!IsWindowsBitCount(bitCount)) return false;
  switch (compression) {
    case kBmpRgb:
      return true;
    case kBmpRle8:
      return bitCount == 8 && !topDown;
    case kBmpRle4:
      return bitCount == 4 && !topDown;
    case kBmpBitFields:
      return bitCount == 16 || bitCount == 32;
    default:
      return false;
  }
}

// A mask of one run of set bits (or none at all), as Windows requires.
bool IsContiguousMask(std::uint32_t mask) {
  if (mask == 0) return true;
  const std::uint32_t low = mask & (~mask + 1);  // the lowest set bit
  return ((mask + low) & mask) == 0;
}

// The masks by which the pixels of an uncompressed 16- or 32-bit BMP are read:
// fixed without bit fields (5-5-5, or 8-8-8 with the header's alpha mask), else
// from the header or from the three words after a 40-byte header.
void ReadBmpMasks(const unsigned char* bytes, PictureHeader* header) {
  const std::uint32_t infoSize = header->headerBytes;
  const std::uint32_t alpha = infoSize >= kV3HeaderBytes ? Little32(bytes + kFileHeaderBytes + 52) : 0;
  if (header->compression == kBmpBitFields) {
    for (int i = 0; i < 3; ++i) header->masks[i] = Little32(bytes + kFileHeaderBytes + 40 + 4 * i);
    header->masks[3] = alpha;
  } else if (header->bitCount == 16) {
    header->masks[0] = 0x7C00;
    header->masks[1] = 0x03E0;
    header->masks[2] = 0x001F;
  } else if (header->bitCount == 32) {
    header->masks[0] = 0x00FF0000;
    header->masks[1] = 0x0000FF00;
    header->masks[2] = 0x000000FF;
    header->masks[3] = alpha;
  }
  header->alphaMask = header->masks[3] != 0;
}

PictureFault ReadBmpHeader(const unsigned char* bytes, std::size_t size, PictureHeader* header) {
  header->format = PictureFormat::kBmp;
  if (size < kFileHeaderBytes + 4) return PictureFault::kCutShort;
  const std::uint64_t pixelOffset = Little32(bytes + 10);
  const std::uint32_t infoSize = Little32(bytes + 14);
  header->headerBytes = infoSize;
  header->pixelOffset = static_cast<std::uint32_t>(pixelOffset);
  long long width = 0;
  long long height = 0;
  std::uint32_t coloursUsed = 0;
  if (infoSize == kCoreHeaderBytes) {
    if (size < kFileHeaderBytes + kCoreHeaderBytes) return PictureFault::kCutShort;
    width = Little16(bytes + 18);
    height = Little16(bytes + 20);
    header->bitCount = static_cast<int>(Little16(bytes + 24));
    header->paletteEntryBytes = 3;
  } else if (infoSize >= kInfoHeaderBytes) {
    if (size - kFileHeaderBytes < infoSize) return PictureFault::kCutShort;
    width = static_cast<std::int32_t>(Little32(bytes + 18));
    height = static_cast<std::int32_t>(Little32(bytes + 22));
    header->bitCount = static_cast<int>(Little16(bytes + 28));
    header->compression = Little32(bytes + 30);
    coloursUsed = Little32(bytes + 46);
  } else {
    return PictureFault::kNotAPicture;
  }
  if (width < 0) return PictureFault::kNotAPicture;
  if (height < 0) {
    header->topDown = true;
    height = -height;
  }
  if (const PictureFault sides = CheckSides(width, height, header); sides != PictureFault::kNone) return sides;
  if (!IsWindowsBmpForm(header->bitCount, header->compression, header->topDown) ||
      (infoSize == kCoreHeaderBytes && (header->bitCount == 16 || header->bitCount == 32))) {
    return PictureFault::kUnsupportedForm;
  }

  // What lies between the headers and the pixels: the masks after a 40-byte
  // header, and the palette of a picture of 8 bits or fewer. A decoder would
  // make up what is missing.
  std::uint64_t tables = kFileHeaderBytes + infoSize;
  if (header->compression == kBmpBitFields && infoSize == kInfoHeaderBytes) tables += 12;
  if (header->bitCount <= 8) {
    const std::uint32_t most = 1u << header->bitCount;
    header->paletteEntries = static_cast<int>(coloursUsed == 0 || coloursUsed > most ? most : coloursUsed);
    tables += static_cast<std::uint64_t>(header->paletteEntries) * header->paletteEntryBytes;
  }
  if (pixelOffset < kFileHeaderBytes + infoSize) return PictureFault::kNotAPicture;
  if (pixelOffset < tables) return PictureFault::kNoRoomForTables;
  if (pixelOffset > size) return PictureFault::kCutShort;
  if (header->bitCount == 16 || header->bitCount == 32) {
    ReadBmpMasks(bytes, header);
    for (const std::uint32_t mask : header->masks) {
      if (!IsContiguousMask(mask) || (header->bitCount == 16 && mask > 0xFFFF)) return PictureFault::kUnsupportedForm;
    }
  }

  std::uint64_t pixelBytes = 0;
  if (header->compression == kBmpRgb || header->compression == kBmpBitFields) {
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * header->bitCount + 31) / 32 * 4;
    pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
  } else {
    pixelBytes = Little32(bytes + 34);
    if (pixelBytes == 0) return PictureFault::kNotAPicture;  // run-length coding must say how long it is
  }
  if (pixelBytes > size - pixelOffset) return PictureFault::kCutShort;
  return PictureFault::kNone;
}

bool IsPngForm(int colourType, int bitDepth) {
  switch (colourType) {
    case 0:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8 || bitDepth == 16;
    case 3:
      return bitDepth == 1 || bitDepth == 2 || bitDepth == 4 || bitDepth == 8;
    case 2:
    case 4:
    case 6:
      return bitDepth == 8 || bitDepth == 16;
    default:
      return false;
  }
}

// The signature, IHDR first, and every chunk whole up to IEND.
PictureFault ReadPngHeader(const unsigned char* bytes, std::size_t size, PictureHeader* header) {
  header->format = PictureFormat::kPng;
  constexpr std::size_t kIhdrEnd = 8 + 8 + 13 + 4;
  if (size < kIhdrEnd) return PictureFault::kCutShort;
  if (Big32(bytes + 8) != 13 || std::string(reinterpret_cast<const char*>(bytes + 12), 4) != "IHDR") {
    return PictureFault::kNotAPicture;
  }
  const std::uint32_t width = Big32(bytes + 16);
  const std::uint32_t height = Big32(bytes + 20);
  header->bitDepth = bytes[24];
  header->colourType = bytes[25];
  if (width > 0x7FFFFFFF || height > 0x7FFFFFFF) return PictureFault::kNotAPicture;
  if (const PictureFault sides = CheckSides(width, height, header); sides != PictureFault::kNone) return sides;
  if (!IsPngForm(header->colourType, header->bitDepth) || bytes[26] != 0 || bytes[27] != 0 || bytes[28] > 1) {
    return PictureFault::kNotAPicture;
  }
  bool pixels = false;
  for (std::size_t at = kIhdrEnd; at < size;) {
    if (size - at < 12) return PictureFault::kCutShort;
    const std::uint64_t length = Big32(bytes + at);
    if (length > size - at - 12) return PictureFault::kCutShort;
    const std::string type(reinterpret_cast<const char*>(bytes + at + 4), 4);
    if (type == "IEND") return pixels ? PictureFault::kNone : PictureFault::kNotAPicture;
    if (type == "IDAT") pixels = true;
    if (type == "tRNS" && !pixels) header->transparency = true;
    at += 12 + length;
  }
  return PictureFault::kCutShort;  // no IEND
}

const char* CompressionWord(std::uint32_t compression) {
  switch (compression) {
    case kBmpRle8:
      return " RLE8";
    case kBmpRle4:
      return " RLE4";
    case kBmpBitFields:
      return " bit fields";
    default:
      return "";
  }
}

const char* ColourTypeWord(int colourType) {
  switch (colourType) {
    case 0:
    case 4:
      return "grey";
    case 3:
      return "palette";
    default:
      return "RGB";
  }
}

std::string Format(const char* format, long long a, long long b, const char* c = "", const char* d = "") {
  char text[256];
  std::snprintf(text, sizeof text, format, a, b, c, d);
  return text;
}

}  // namespace

bool PictureHeader::MayHaveAlpha() const {
  if (format == PictureFormat::kPng) return colourType == 4 || colourType == 6 || transparency;
  return alphaMask;
}

bool PictureHeader::IsUncompressedBmp() const {
  return format == PictureFormat::kBmp && (compression == kBmpRgb || compression == kBmpBitFields);
}

PictureFault ReadPictureHeader(const unsigned char* bytes, std::size_t size, PictureHeader* header) {
  *header = PictureHeader();
  if (size == 0) return PictureFault::kEmpty;
  if (size >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ReadBmpHeader(bytes, size, header);
  if (size >= sizeof kPngSignature && std::equal(kPngSignature, kPngSignature + sizeof kPngSignature, bytes)) {
    return ReadPngHeader(bytes, size, header);
  }
  return PictureFault::kNotAPicture;
}

void WidenBmpHeader(std::string* bytes, PictureHeader* header) {
  if (header->format != PictureFormat::kBmp ||
      (header->headerBytes != kV2HeaderBytes && header->headerBytes != kV3HeaderBytes)) {
    return;
  }
  const std::size_t oldEnd = kFileHeaderBytes + header->headerBytes;
  const std::uint32_t added = kV4HeaderBytes - header->headerBytes;
  std::string widened = bytes->substr(0, oldEnd);
  widened.resize(kFileHeaderBytes + kV4HeaderBytes, '\0');
  widened.append(*bytes, oldEnd, std::string::npos);
  auto* p = reinterpret_cast<unsigned char*>(widened.data());
  PutLittle32(p + 2, static_cast<std::uint32_t>(std::min<std::size_t>(widened.size(), 0xFFFFFFFF)));
  PutLittle32(p + 10, Little32(p + 10) + added);
  PutLittle32(p + 14, kV4HeaderBytes);
  PutLittle32(p + kFileHeaderBytes + 56, 0x73524742);  // colour space 'sRGB'
  bytes->swap(widened);
  header->headerBytes = kV4HeaderBytes;
}

std::string DescribePicture(const PictureHeader& header, bool hasAlphaChannel) {
  std::string text;
  if (header.format == PictureFormat::kPng) {
    text = Format("PNG %lld x %lld %s%s", header.width, header.height, ColourTypeWord(header.colourType),
                  header.bitDepth == 16 ? " 16-bit" : "");
    if (hasAlphaChannel) text += header.transparency ? " with alpha (tRNS)" : " with alpha";
    return text;
  }
  text = Format("BMP %lld x %lld %s-bit%s", header.width, header.height, std::to_string(header.bitCount).c_str(),
                CompressionWord(header.compression));
  if (header.topDown) text += " top-down";
  if (hasAlphaChannel) text += " with alpha";
  return text;
}

std::string DescribePictureFault(PictureFault fault, const PictureHeader& header) {
  switch (fault) {
    case PictureFault::kNone:
      return "is readable";
    case PictureFault::kNotRegularFile:
      return "is not a regular file (a device, a folder or a pipe)";
    case PictureFault::kMissing:
      return "not found";
    case PictureFault::kLocked:
      return "is locked by another program";
    case PictureFault::kUnreadable:
      return "cannot be read (no permission, or a read error)";
    case PictureFault::kEmpty:
      return "is empty";
    case PictureFault::kFileTooLarge:
      return "is larger than the " + std::to_string(kMaxPictureFileBytes >> 20) + " MiB a picture file may take";
    case PictureFault::kCutShort:
      return "is cut short: the file ends before its picture does";
    case PictureFault::kZeroSize:
      return "has a width or height of 0";
    case PictureFault::kBeyondLimits:
      return "is " + std::to_string(header.width) + " x " + std::to_string(header.height) +
             " pixels, beyond the limits of " + std::to_string(kMaxPictureSide) + " pixels a side and " +
             std::to_string(kMaxPicturePixels) + " pixels (16 megapixels) in all";
    case PictureFault::kUnsupportedForm:
      if (header.topDown && (header.compression == kBmpRle8 || header.compression == kBmpRle4)) {
        return "is a run-length coded BMP stored top-down, which Windows does not read";
      }
      if (header.headerBytes == kCoreHeaderBytes && (header.bitCount == 16 || header.bitCount == 32)) {
        return "is a BMP with a 12-byte core header and " + std::to_string(header.bitCount) +
               " bits a pixel, which Windows does not read (a core header allows 1, 4, 8 and 24 bits)";
      }
      if (IsWindowsBmpForm(header.bitCount, header.compression, header.topDown)) {
        return "is a BMP whose bit masks are not each one run of bits, which Windows does not read";
      }
      return "is a BMP of " + std::to_string(header.bitCount) + " bits a pixel with compression " +
             std::to_string(header.compression) + ", which Windows does not read (it reads 1, 4, 8, 16, 24 and " +
             "32 bits; uncompressed, RLE8 with 8 bits, RLE4 with 4 bits, bit fields with 16 or 32 bits)";
    case PictureFault::kNoRoomForTables:
      return header.bitCount <= 8 ? "has no room for its palette of " + std::to_string(header.paletteEntries) +
                                        " colours before its pixels"
                                  : "has no room for its bit masks before its pixels";
    case PictureFault::kDecoderRefused:
      return "passes the clock's checks, but this system's picture decoder refuses it";
    case PictureFault::kOutOfMemory:
      return "needs more memory than this system can give; the clock fails to load it";
    case PictureFault::kNotAPicture:
      break;
  }
  return "is not a picture Windows can read (the clock reads BMP and PNG)";
}
