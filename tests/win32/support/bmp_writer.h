// Writes test pictures as 24-bit BMP files, the kind the clock loads.
#ifndef TAVELIN_TESTS_WIN32_BMP_WRITER_H
#define TAVELIN_TESTS_WIN32_BMP_WRITER_H

#include <string>

#include "mascot/pixel_buffer.h"

// The bytes of a bottom-up 24-bit BMP file holding the picture (XRGB pixels).
std::string BmpBytes(ConstPixelView picture);

#endif
