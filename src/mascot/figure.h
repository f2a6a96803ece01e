// The figure as pixels: the face and the character composed on a magenta
// canvas and scaled into the window's picture.
#ifndef TAVELIN_MASCOT_FIGURE_H
#define TAVELIN_MASCOT_FIGURE_H

#include "mascot/pixel_buffer.h"

// Background of the canvas, left where neither picture is opaque.
constexpr Pixel kCanvasMagenta = 0x00FF00FF;

struct FigurePictures {
  ConstPixelView face;
  ConstPixelView character;
  int xPosFace;
  int yPosFace;
  int fFaceOnChara;  // non-zero: the face lies over the character
};

struct Figure {
  PixelBuffer picture;  // MascotBitmap's pixels; its size is the window's
  double dScale = 0;
  int xClockCenter = 0;
  int yClockCenter = 0;
};

// Builds the figure at `scale`. False, with `figure` untouched, when a picture
// is missing, the canvas would be beyond kMaxPictureSide, or memory is short.
bool ComposeFigure(const FigurePictures& pictures, double scale, Figure* figure);

#endif
