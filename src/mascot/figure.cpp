#include "mascot/figure.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "mascot/area_scale.h"
#include "mascot/draw_transparent.h"
#include "mascot/enlarge.h"
#include "mascot/figure_geometry.h"

namespace {

bool LiesWithin(const CanvasLayout& layout, int x, int y, ConstPixelView picture) {
  return static_cast<long long>(x) + picture.width <= layout.width &&
         static_cast<long long>(y) + picture.height <= layout.height;
}

// Draw whichever lies under first; with `magentaDrawn`, tells whether a figure
// pixel drawn is magenta.
void DrawPictures(PixelView canvas, const CanvasLayout& layout, const FigurePictures& pictures, Pixel faceKey,
                  Pixel characterKey, bool* magentaDrawn) {
  struct Part {
    int x;
    int y;
    ConstPixelView picture;
    Pixel key;
  };
  const Part face{layout.faceX, layout.faceY, pictures.face, faceKey};
  const Part character{layout.characterX, layout.characterY, pictures.character, characterKey};
  const Part order[] = {pictures.fFaceOnChara != 0 ? character : face, pictures.fFaceOnChara != 0 ? face : character};
  for (const Part& part : order) {
    if (magentaDrawn != nullptr) {
      DrawTransparent(canvas, part.x, part.y, part.picture, part.key, kCanvasMagenta, magentaDrawn);
    } else {
      DrawTransparent(canvas, part.x, part.y, part.picture, part.key);
    }
  }
}

}  // namespace

bool LayOutFigure(const FigurePictures& pictures, CanvasLayout* layout) {
  return LayOutCanvas(pictures.character.width, pictures.character.height, pictures.xPosFace, pictures.yPosFace,
                      layout, FaceSideAt(pictures.nPictureScale));
}

bool ComposeFigure(const FigurePictures& pictures, double scale, Figure* figure, PixelBuffer* keptCanvas,
                   Pixel* canvasKey) {
  if (pictures.face.empty() || pictures.character.empty()) return false;
  CanvasLayout layout;
  if (!LayOutFigure(pictures, &layout)) return false;
  const int width = ScaledLength(scale, layout.width);
  const int height = ScaledLength(scale, layout.height);
  const Pixel faceKey = ResolveKey(pictures.face, pictures.faceKey);
  const Pixel characterKey = ResolveKey(pictures.character, pictures.characterKey);
  const KeyedView parts[] = {{pictures.face, faceKey}, {pictures.character, characterKey}};
  // Magenta is the key unless a figure pixel has that colour. When both
  // pictures lie wholly on the canvas, drawing them tells, and the pictures
  // are read once; only a magenta figure pixel makes the clock look for a
  // free colour and draw again.
  const bool wholeOnCanvas = LiesWithin(layout, layout.faceX, layout.faceY, pictures.face) &&
                             LiesWithin(layout, layout.characterX, layout.characterY, pictures.character);
  Pixel key = wholeOnCanvas ? kCanvasMagenta : FindFreeKey(parts);
  PixelBuffer canvas;
  if (!canvas.Allocate(layout.width, layout.height, key)) return false;
  bool magentaDrawn = false;
  DrawPictures(canvas.view(), layout, pictures, faceKey, characterKey, wholeOnCanvas ? &magentaDrawn : nullptr);
  if (magentaDrawn) {
    key = FindFreeKey(parts);
    std::fill(canvas.data(), canvas.data() + static_cast<std::size_t>(layout.width) * layout.height, key);
    DrawPictures(canvas.view(), layout, pictures, faceKey, characterKey, nullptr);
  }
  // The outline cuts away the colour of the picture's corner, so the corner
  // stays the key: a picture cut by alpha may have a figure pixel there, and
  // a reduced corner can be half covered by the figure.
  canvas.view().At(0, 0) = key;

  // At full size the canvas is the picture; no second buffer of its size.
  if (width != layout.width || height != layout.height) {
    PixelBuffer scaled;
    if (!scaled.Allocate(width, height, key)) return false;
    if (width >= layout.width && height >= layout.height) {
      if (!EnlargeKeyed(canvas.view(), key, scaled.view())) return false;
    } else {
      ScaleByCoverage(canvas.view(), key, scaled.view());
    }
    scaled.view().At(0, 0) = key;
    if (keptCanvas != nullptr) *keptCanvas = std::move(canvas);
    canvas = std::move(scaled);
  } else if (keptCanvas != nullptr) {
    *keptCanvas = canvas;
  }
  if (canvasKey != nullptr) *canvasKey = key;
  TakeFigurePicture(&canvas, scale, pictures, figure);
  return true;
}

void TakeFigurePicture(PixelBuffer* picture, double scale, const FigurePictures& pictures, Figure* figure) {
  figure->picture = std::move(*picture);
  figure->pictureFactor = scale;
  const int faceSide = FaceSideAt(pictures.nPictureScale);
  figure->xClockCenter = ClockCentreCoordinate(scale, pictures.xPosFace, faceSide);
  figure->yClockCenter = ClockCentreCoordinate(scale, pictures.yPosFace, faceSide);
}
