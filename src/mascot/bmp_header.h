// A look at a BMP file's headers before the system decodes it: a file cut
// short must count as unreadable, whatever the decoder would make of it, and
// a picture too large for the figure is never decoded at all.
#ifndef TAVELIN_MASCOT_BMP_HEADER_H
#define TAVELIN_MASCOT_BMP_HEADER_H

#include <cstddef>
#include <cstdint>

// Bytes of the file's start that IsLoadableBmp looks at.
constexpr std::size_t kBmpHeadBytes = 54;

// Whether a file of `fileSize` bytes starting with `head` (as much of the
// first kBmpHeadBytes as the file has) is a BMP whose sides are within
// kMaxPictureSide and whose pixel data all lie within the file.
bool IsLoadableBmp(const unsigned char* head, std::size_t headSize, std::uint64_t fileSize);

#endif
