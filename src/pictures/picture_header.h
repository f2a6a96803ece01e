// A look at a picture file's own headers before the system decodes it. The
// decoder is not trusted with a file cut short (it may make a picture of
// what is missing), with a size beyond the limits (nothing of such a picture
// is allocated), or with a BMP form that Windows itself would not read.
#ifndef TAVELIN_PICTURES_PICTURE_HEADER_H
#define TAVELIN_PICTURES_PICTURE_HEADER_H

#include <cstddef>
#include <cstdint>
#include <string>

// Why a picture file was refused; each is one rule, told in plain words by
// DescribePictureFault.
enum class PictureFault {
  kNone,
  kNotRegularFile,  // a device, a folder, a pipe
  kMissing,
  kLocked,          // another program holds it
  kUnreadable,      // the system would not read it
  kEmpty,
  kFileTooLarge,    // more bytes than kMaxPictureFileBytes
  kCutShort,
  kZeroSize,        // width or height 0
  kBeyondLimits,    // side or pixel count beyond the picture limits
  kUnsupportedForm, // a bit count or compression Windows does not read
  kNoRoomForTables, // the palette or the bit masks do not fit before the pixels
  kNotAPicture,     // neither BMP nor PNG by its own headers
  kDecoderRefused,  // passes these rules, but the system's decoder refuses it
  kOutOfMemory,     // the file or its pixels take more memory than the system gives
};

// The most bytes a picture file may have: a picture within the limits takes
// at most 128 MiB even as 16-bit RGBA PNG; the rest is room for metadata.
constexpr std::uint64_t kMaxPictureFileBytes = 144ull << 20;

enum class PictureFormat { kBmp, kPng };

// BMP compressions as the header stores them.
constexpr std::uint32_t kBmpRgb = 0;
constexpr std::uint32_t kBmpRle8 = 1;
constexpr std::uint32_t kBmpRle4 = 2;
constexpr std::uint32_t kBmpBitFields = 3;

struct PictureHeader {
  PictureFormat format = PictureFormat::kBmp;
  int width = 0;
  int height = 0;
  // BMP: the info header's size, bits per pixel, compression, row order and
  // whether the header gives an alpha mask (bit fields with a V3 header or
  // later, or 32 bits uncompressed with one), where the pixels start, the
  // palette (entries of 3 bytes after a core header, else 4) and the masks
  // of red, green, blue and alpha as the pixels are read with them.
  std::uint32_t headerBytes = 0;
  int bitCount = 0;
  std::uint32_t compression = kBmpRgb;
  bool topDown = false;
  bool alphaMask = false;
  std::uint32_t pixelOffset = 0;
  int paletteEntries = 0;
  int paletteEntryBytes = 4;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  // PNG: colour type, bits per channel and whether a tRNS chunk is there.
  int colourType = 0;
  int bitDepth = 0;
  bool transparency = false;

  // Whether the file says it carries alpha: a PNG with an alpha channel or a
  // transparency chunk, a BMP whose header gives an alpha mask.
  bool MayHaveAlpha() const;
  // An uncompressed BMP, which the clock decodes itself.
  bool IsUncompressedBmp() const;
};

// Reads the headers of a whole file of `size` bytes: kNone with `header`
// filled when it is a BMP or PNG within the limits whose data all lie in the
// file, otherwise the first rule it breaks.
PictureFault ReadPictureHeader(const unsigned char* bytes, std::size_t size, PictureHeader* header);

// Rewrites a BMP with a 52- or 56-byte info header (V2, V3) into the same
// picture with a 108-byte one (V4), which every decoder reads; other files
// are left as they are. The header must have been read by ReadPictureHeader.
void WidenBmpHeader(std::string* bytes, PictureHeader* header);

// "BMP 320 x 400 24-bit top-down", "PNG 320 x 400 RGB 16-bit with alpha":
// the form of a picture that was read.
std::string DescribePicture(const PictureHeader& header, bool hasAlphaChannel);

// The rule a refused picture broke, in plain words ("is cut short").
std::string DescribePictureFault(PictureFault fault, const PictureHeader& header);

#endif
