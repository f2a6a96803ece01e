// The .ico file: one directory, then one 32-bit BMP image with alpha per size.
#ifndef TAVELIN_ICONMAKER_ICO_FILE_H
#define TAVELIN_ICONMAKER_ICO_FILE_H

#include <string>
#include <vector>

#include "drawing.h"

namespace iconmaker {

// The bytes of an icon file holding the images in the order given. Every
// image is 32 bits per pixel, straight alpha, with the AND mask that older
// readers use set where a pixel is fully transparent.
std::string EncodeIco(const std::vector<Square>& images);

}  // namespace iconmaker

#endif
