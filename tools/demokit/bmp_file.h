#ifndef TAVELIN_DEMOKIT_BMP_FILE_H
#define TAVELIN_DEMOKIT_BMP_FILE_H

#include "bytes.h"
#include "picture.h"

namespace demokit {

// An uncompressed 24-bit BMP (BITMAPINFOHEADER, bottom-up rows padded to
// four bytes) of the picture's colours; alpha is left out.
Bytes EncodeBmp(const Image& p);

}  // namespace demokit

#endif
