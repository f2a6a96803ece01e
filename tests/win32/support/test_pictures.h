// Pictures for the figure's tests and benchmark, drawn here.
#ifndef TAVELIN_TESTS_WIN32_TEST_PICTURES_H
#define TAVELIN_TESTS_WIN32_TEST_PICTURES_H

#include "pictures/pixel_buffer.h"

// A character: a shaded ellipse on the `key` colour with a ragged edge, cut
// by `slits` key-coloured gaps per row (so each row has several runs), and a
// key-coloured hole in the middle. The same seed gives the same picture.
PixelBuffer MakeTestCharacter(int width, int height, Pixel key, Pixel body, int slits, unsigned seed);

// A 150 x 150 clock face: a light dial with a dark rim on white.
PixelBuffer MakeTestFace();

// The keyed picture as a PNG artist would give it (0xAARRGGBB): the key
// transparent, the figure opaque, and each figure pixel beside the key half
// transparent, a soft edge one pixel wide.
PixelBuffer SoftenKeyedPicture(ConstPixelView keyed, Pixel key);

constexpr Pixel kTestFaceDial = 0x00F0E0A0;
constexpr Pixel kTestFaceRim = 0x00303050;

#endif
