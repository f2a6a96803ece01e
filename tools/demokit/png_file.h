#ifndef TAVELIN_DEMOKIT_PNG_FILE_H
#define TAVELIN_DEMOKIT_PNG_FILE_H

#include "bytes.h"
#include "picture.h"

namespace demokit {

// An 8-bit RGBA PNG of the picture, compressed at zlib's best level, with no
// chunk that changes from run to run (no time). Empty if libpng fails.
Bytes EncodePng(const Image& p);

}  // namespace demokit

#endif
