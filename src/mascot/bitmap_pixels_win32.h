// Between GDI bitmaps and the pixel buffers the figure is computed on.
#ifndef TAVELIN_MASCOT_BITMAP_PIXELS_WIN32_H
#define TAVELIN_MASCOT_BITMAP_PIXELS_WIN32_H

#include <windows.h>

#include "pictures/pixel_buffer.h"

// A bitmap's width and height in pixels; false when it is no bitmap.
bool GetBitmapSize(HBITMAP bitmap, int* width, int* height);

// Reads the whole bitmap as 32-bit top-down pixels, the unused top byte
// cleared. The bitmap must not be selected into a DC. False, with `pixels`
// untouched, when its size is not sane or the read fails.
bool ReadBitmapPixels(HDC dc, HBITMAP bitmap, PixelBuffer* pixels);

// A bitmap compatible with `dc` holding the pixels; null on failure.
HBITMAP CreateBitmapFromPixels(HDC dc, ConstPixelView pixels);

// A 32-bit top-down DIB section of the given size, its pixels seen through
// `view` for as long as the section lives; null when it cannot be made.
HBITMAP CreatePixelSection(int width, int height, PixelView* view);

// The pixels of a 32-bit DIB section made by CreatePixelSection; false for a
// bitmap that is no 32-bit DIB section.
bool SectionPixels(HBITMAP section, PixelView* view);

#endif
