// The clock's own reading of uncompressed BMP pixels (1 to 32 bits, bit
// fields with any masks of one run of bits each), so that no such picture
// reaches a system decoder that may read it differently, or crash on it.
#ifndef TAVELIN_PICTURES_BMP_PIXELS_H
#define TAVELIN_PICTURES_BMP_PIXELS_H

#include <cstddef>

#include "pictures/picture_header.h"
#include "pictures/pixel_buffer.h"

// Decodes the pixels of a whole BMP file whose headers ReadPictureHeader has
// passed and that is uncompressed (header.IsUncompressedBmp()) into
// 0xAARRGGBB pixels, rows from the top. Alpha comes from the alpha mask when
// the header gives one, else it is 255. A palette index beyond the palette is
// black. False, with `pixels` untouched, when memory is short.
bool DecodeBmpPixels(const unsigned char* bytes, std::size_t size, const PictureHeader& header,
                     PixelBuffer* pixels);

#endif
