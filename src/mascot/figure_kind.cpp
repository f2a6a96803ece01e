#include "mascot/figure_kind.h"

#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"

namespace {

// The picture made ready for the figure's kind; its key, for a keyed figure.
Pixel PreparePart(const DecodedPart& part, bool soft) {
  if (soft && part.cutByAlpha) {
    PremultiplyPicture(part.pixels);
    return 0;
  }
  const Pixel key = KeyPicture(part.pixels);
  if (soft) OpaqueFromKey(part.pixels, key);
  return key;
}

}  // namespace

bool ComposeDecodedFigure(DecodedPart face, DecodedPart character, const FigurePictures& placement, double scale,
                          Figure* figure, bool* soft, PoseSource* poses) {
  *soft = IsSoftFigure(face, character);
  FigurePictures pictures = placement;
  pictures.faceKey = PreparePart(face, *soft);
  pictures.characterKey = PreparePart(character, *soft);
  pictures.face = face.pixels;
  pictures.character = character.pixels;
  PixelBuffer* canvas = poses != nullptr ? &poses->canvas : nullptr;
  Pixel canvasKey = 0;
  if (!(*soft ? ComposeSoftFigure(pictures, scale, figure, canvas)
              : ComposeFigure(pictures, scale, figure, canvas, &canvasKey))) {
    return false;
  }
  if (poses != nullptr) {
    poses->canvasKey = canvasKey;
    LayOutFigure(pictures, &poses->layout);
    poses->face = pictures.face;
    poses->character = pictures.character;
    poses->faceKey = pictures.faceKey;
    poses->characterKey = pictures.characterKey;
    poses->fFaceOnChara = pictures.fFaceOnChara;
    poses->soft = *soft;
    poses->windowWidth = figure->picture.width();
    poses->windowHeight = figure->picture.height();
  }
  return true;
}

Pixel PreparePose(DecodedPart pose, bool soft) {
  if (soft || !pose.cutByAlpha) return PreparePart(pose, soft);
  // No keyed colour has a high byte: this key matches no figure pixel.
  constexpr Pixel kAlphaCut = 0xFF000000;
  for (int y = 0; y < pose.pixels.height; ++y) {
    Pixel* row = pose.pixels.Row(y);
    for (int x = 0; x < pose.pixels.width; ++x) row[x] = row[x] >> 24 < 128 ? kAlphaCut : row[x] & 0x00FFFFFF;
  }
  return kAlphaCut;
}
