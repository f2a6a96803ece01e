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
  const Pixel faceKey = ResolveKey(pictures.face, pictures.faceKey);
  const Pixel characterKey = ResolveKey(pictures.character, pictures.characterKey);
  const KeyedView parts[] = {{pictures.face, faceKey}, {pictures.character, characterKey}};
  const Pixel key = FindFreeKey(parts);
  PixelBuffer canvas;
  if (!canvas.Allocate(layout.width, layout.height, key)) return false;
  if (pictures.fFaceOnChara != 0) {
    DrawTransparent(canvas.view(), layout.characterX, layout.characterY, pictures.character, characterKey);
    DrawTransparent(canvas.view(), layout.faceX, layout.faceY, pictures.face, faceKey);
  } else {
    DrawTransparent(canvas.view(), layout.faceX, layout.faceY, pictures.face, faceKey);
    DrawTransparent(canvas.view(), layout.characterX, layout.characterY, pictures.character, characterKey);
  }
  // The outline cuts away the colour of the picture's corner, so the corner
  // stays the key: a picture cut by alpha may have a figure pixel there, and
  // a reduced corner can be half covered by the figure.
  canvas.view().At(0, 0) = key;

  // At full size the canvas is the picture; no second buffer of its size.
  if (width != layout.width || height != layout.height) {
    PixelBuffer scaled;
    if (!scaled.Allocate(width, height, key)) return false;
    ScaleByCoverage(canvas.view(), key, scaled.view());
    scaled.view().At(0, 0) = key;
    canvas = std::move(scaled);
  }
  figure->picture = std::move(canvas);
  figure->dScale = scale;
  figure->xClockCenter = ClockCentreCoordinate(scale, pictures.xPosFace);
  figure->yClockCenter = ClockCentreCoordinate(scale, pictures.yPosFace);
  return true;
}
