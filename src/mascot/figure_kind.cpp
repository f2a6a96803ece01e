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
                          Figure* figure, bool* soft) {
  *soft = IsSoftFigure(face, character);
  FigurePictures pictures = placement;
  pictures.faceKey = PreparePart(face, *soft);
  pictures.characterKey = PreparePart(character, *soft);
  pictures.face = face.pixels;
  pictures.character = character.pixels;
  return *soft ? ComposeSoftFigure(pictures, scale, figure) : ComposeFigure(pictures, scale, figure);
}
