// The figure as pixels: the face and the character composed on a magenta
// canvas and scaled into the window's picture.
#ifndef TAVELIN_MASCOT_FIGURE_H
#define TAVELIN_MASCOT_FIGURE_H

#include "mascot/figure_geometry.h"
#include "pictures/keyed_picture.h"
#include "pictures/pixel_buffer.h"

struct FigurePictures {
  ConstPixelView face;
  ConstPixelView character;
  int xPosFace;
  int yPosFace;
  int fFaceOnChara;  // non-zero: the face lies over the character
  int nPictureScale = 100;  // the scale both pictures are drawn at, in percent
  Pixel faceKey = kOwnCornerKey;       // transparent colour of each picture
  Pixel characterKey = kOwnCornerKey;
};

// The figure's picture is keyed by its own pixel (0, 0): magenta where neither
// picture shows, unless a figure pixel is magenta, then a colour no figure
// pixel has.
struct Figure {
  PixelBuffer picture;  // MascotBitmap's pixels; its size is the window's
  double pictureFactor = 0;  // the factor the canvas was scaled by
  int xClockCenter = 0;
  int yClockCenter = 0;
};

// Lays out the canvas of `pictures`, the face as large as the scale the
// pictures are drawn at makes it. False as LayOutCanvas.
bool LayOutFigure(const FigurePictures& pictures, CanvasLayout* layout);

// Builds the figure at `scale`, the picture factor: below 1 the canvas is
// reduced by area average, above 1 enlarged by the smooth filter. False, with `figure` untouched, when a picture
// is missing, the canvas would be beyond kMaxPictureSide, or memory is short.
// With `canvas`, the unscaled canvas is kept there too and `canvasKey` tells
// its key: the pose frames are made from it.
bool ComposeFigure(const FigurePictures& pictures, double scale, Figure* figure, PixelBuffer* canvas = nullptr,
                   Pixel* canvasKey = nullptr);

// Gives `figure` its finished picture at `scale` and the centre of its face.
void TakeFigurePicture(PixelBuffer* picture, double scale, const FigurePictures& pictures, Figure* figure);

#endif
