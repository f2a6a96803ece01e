// The figure as pixels: the face and the character composed on a magenta
// canvas and scaled into the window's picture.
#ifndef TAVELIN_MASCOT_FIGURE_H
#define TAVELIN_MASCOT_FIGURE_H

#include "pictures/keyed_picture.h"
#include "pictures/pixel_buffer.h"

struct FigurePictures {
  ConstPixelView face;
  ConstPixelView character;
  int xPosFace;
  int yPosFace;
  int fFaceOnChara;  // non-zero: the face lies over the character
  Pixel faceKey = kOwnCornerKey;       // transparent colour of each picture
  Pixel characterKey = kOwnCornerKey;
};

// The figure's picture is keyed by its own pixel (0, 0): magenta where neither
// picture shows, unless a figure pixel is magenta, then a colour no figure
// pixel has.
struct Figure {
  PixelBuffer picture;  // MascotBitmap's pixels; its size is the window's
  double dScale = 0;
  int xClockCenter = 0;
  int yClockCenter = 0;
};

// Builds the figure at `scale`. False, with `figure` untouched, when a picture
// is missing, the canvas would be beyond kMaxPictureSide, or memory is short.
bool ComposeFigure(const FigurePictures& pictures, double scale, Figure* figure);

// Gives `figure` its finished picture at `scale` and the centre of its face.
void TakeFigurePicture(PixelBuffer* picture, double scale, const FigurePictures& pictures, Figure* figure);

#endif
