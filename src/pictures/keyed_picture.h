// Pictures as a keyed figure is composed from them: every pixel either
// belongs to the figure with its own colour or is the picture's key colour,
// which stands for transparent. And the rule that says which pictures are
// cut by alpha instead.
#ifndef TAVELIN_PICTURES_KEYED_PICTURE_H
#define TAVELIN_PICTURES_KEYED_PICTURE_H

#include <span>

#include "pictures/picture_header.h"
#include "pictures/pixel_buffer.h"

// Stands in for a key colour and means "the picture's own top-left pixel".
// No picture pixel (0x00RRGGBB) has its top byte set, so none can equal it.
constexpr Pixel kOwnCornerKey = 0xFFFFFFFF;

// The background of the canvas, and the first choice of key wherever a key
// colour is picked: magenta, unless a figure pixel has that colour.
constexpr Pixel kCanvasMagenta = 0x00FF00FF;

// A picture together with the colour that is transparent in it.
struct KeyedView {
  ConstPixelView picture;
  Pixel key;
};

// The key colour of `picture` when `key` is kOwnCornerKey, else `key` itself.
Pixel ResolveKey(ConstPixelView picture, Pixel key);

// A colour that no figure pixel of the pictures has: kCanvasMagenta when it is
// free, else the lowest free colour. With every colour taken (a picture of 2^24
// distinct figure pixels) kCanvasMagenta all the same.
Pixel FindFreeKey(std::span<const KeyedView> pictures);

// Whether a decoded picture (0xAARRGGBB) is cut by its alpha rather than by
// the colour of its top-left pixel; the one rule every load and the kit
// checker follow, the same whatever decoder read the picture:
// - a PNG with an alpha channel or a transparency chunk always is, also when
//   its alpha is zero everywhere (it then shows nothing);
// - a BMP is when its header gives an alpha mask and its alpha is not zero
//   everywhere;
// - no other picture is.
bool IsCutByAlpha(const PictureHeader& header, ConstPixelView decoded);

// Turns decoded pixels (0xAARRGGBB) of a picture not cut by alpha in place
// into a keyed picture (0x00RRGGBB) and returns its key colour, the colour of
// its top-left pixel.
Pixel KeyPicture(PixelView decoded);

#endif
