#include "mascot/figure.h"

#include <utility>

#include "mascot/area_scale.h"
#include "mascot/draw_transparent.h"
#include "mascot/figure_geometry.h"

bool ComposeFigure(const FigurePictures& pictures, double scale, Figure* figure) {
  if (pictures.face.empty() || pictures.character.empty()) return false;
  CanvasLayout layout;
  if (!LayOutCanvas(pictures.character.width, pictures.character.height, pictures.xPosFace,
                    pictures.yPosFace, &layout)) {
    return false;
  }
  const int width = ScaledLength(scale, layout.width);
  const int height = ScaledLength(scale, layout.height);
  PixelBuffer canvas;
  if (!canvas.Allocate(layout.width, layout.height, kCanvasMagenta)) return false;
  if (pictures.fFaceOnChara != 0) {
    DrawTransparent(canvas.view(), layout.characterX, layout.characterY, pictures.character);
    DrawTransparent(canvas.view(), layout.faceX, layout.faceY, pictures.face);
  } else {
    DrawTransparent(canvas.view(), layout.faceX, layout.faceY, pictures.face);
    DrawTransparent(canvas.view(), layout.characterX, layout.characterY, pictures.character);
  }

  // At full size the canvas is the picture; no second buffer of its size.
  if (width != layout.width || height != layout.height) {
    PixelBuffer scaled;
    if (!scaled.Allocate(width, height, kCanvasMagenta)) return false;
    ScaleAreaAverage(canvas.view(), scaled.view());
    // The outline cuts away the colour of the picture's corner. Reduced, that
    // corner can take in a figure pixel next to it and stop being the
    // background, which would then show as a rectangle: it keeps the canvas's
    // own corner colour instead.
    scaled.view().At(0, 0) = canvas.view().At(0, 0);
    canvas = std::move(scaled);
  }
  figure->picture = std::move(canvas);
  figure->dScale = scale;
  figure->xClockCenter = ClockCentreCoordinate(scale, pictures.xPosFace);
  figure->yClockCenter = ClockCentreCoordinate(scale, pictures.yPosFace);
  return true;
}
