// The one picture reader of the clock and the kit checker: a regular disk
// file read whole and its headers checked, then decoded from memory into
// 32-bit pixels: an uncompressed BMP by our own decoder (bmp_pixels.h), the
// same on every system, and every other picture (PNG, run-length coded BMP)
// by the Windows Imaging Component. No GDI object is made for a picture.
#ifndef TAVELIN_PICTURES_PICTURE_READER_WIN32_H
#define TAVELIN_PICTURES_PICTURE_READER_WIN32_H

#include <cstdint>
#include <string>

#include "pictures/picture_header.h"
#include "pictures/pixel_buffer.h"

// Starts COM on this thread (apartment-threaded) and makes the imaging
// factory that every load uses until the matching ClosePictureReader; loads
// run on this thread only. Opens nest; the outermost pair does the work. False when the factory cannot be
// made: every load then fails like an unreadable picture.
bool OpenPictureReader();
void ClosePictureReader();

// The reader open for as long as the object lives.
class ScopedPictureReader {
 public:
  ScopedPictureReader() { OpenPictureReader(); }
  ~ScopedPictureReader() { ClosePictureReader(); }
  ScopedPictureReader(const ScopedPictureReader&) = delete;
  ScopedPictureReader& operator=(const ScopedPictureReader&) = delete;
};

struct DecodedPicture {
  PictureHeader header;
  PixelBuffer pixels;            // 0xAARRGGBB, rows from the top
  bool hasAlphaChannel = false;  // the alpha bytes are the picture's own
  bool cutByAlpha = false;       // transparency comes from alpha, not the corner colour
};

// The whole file, when it is a regular disk file of at most `maxBytes`;
// `bytes` is untouched on failure. Nothing is opened for a device name and
// nothing read from a device, pipe or folder. Opened for reading with others
// allowed to read only, so a file that another program writes counts as locked.
PictureFault ReadRegularFile(const char* fileName, std::uint64_t maxBytes, std::string* bytes);

// Reads and decodes a BMP or PNG file. On failure `picture` is left empty
// and its header holds what was read of it; memory running out is told as
// kOutOfMemory, not as an unreadable file.
PictureFault LoadPictureFile(const char* fileName, DecodedPicture* picture);

// Decodes a whole file already in memory; `bytes` may be rewritten (a BMP
// header widened) on the way.
PictureFault DecodePictureBytes(std::string* bytes, DecodedPicture* picture);

#endif
