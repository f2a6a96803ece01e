// Composition from arbitrary pictures, keys and offsets: the colour-key copy
// never writes outside its destination and draws exactly the source's non-key
// pixels; the picture's key is a colour no figure pixel has; the canvas layout is the one of a 64-bit computation; a failed
// composition leaves the figure alone and a successful one has the window
// size and clock centre of the geometry rules.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "fuzz_support.h"
#include "mascot/draw_transparent.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "resource.h"

namespace {

// Above this canvas area only the layout is checked, so one input stays fast;
// a deeper run can raise it (-DFUZZ_COMPOSE_BUDGET=...) with more memory.
#ifndef FUZZ_COMPOSE_BUDGET
#define FUZZ_COMPOSE_BUDGET (1 << 19)
#endif
constexpr long long kComposeBudget = FUZZ_COMPOSE_BUDGET;

struct Layer {
  ConstPixelView picture;
  Pixel key;
  long long x;
  long long y;
};

// The colour at (x, y) of a canvas made by drawing `layers` in order over `background`.
FUZZ_ORACLE Pixel ReferenceCanvasPixel(const Layer* layers, int count, long long x, long long y, Pixel background) {
  Pixel colour = background;
  for (int i = 0; i < count; ++i) {
    const Layer& layer = layers[i];
    const long long u = x - layer.x;
    const long long v = y - layer.y;
    if (u < 0 || v < 0 || u >= layer.picture.width || v >= layer.picture.height) continue;
    const Pixel p = layer.picture.At(static_cast<int>(u), static_cast<int>(v));
    if (p != layer.key) colour = p;
  }
  return colour;
}

// The destination after the copy against one drawn pixel by pixel.
FUZZ_ORACLE void CheckDrawn(FencedPicture& destination, const std::vector<Pixel>& before,
                            FencedPicture& source, int x, int y) {
  const bool hasSource = source.width() > 0 && source.height() > 0;
  std::size_t k = 0;
  for (int j = 0; j < destination.height(); ++j) {
    for (int i = 0; i < destination.width(); ++i, ++k) {
      Pixel expected = before[k];
      if (hasSource) {
        const long long u = static_cast<long long>(i) - x;
        const long long v = static_cast<long long>(j) - y;
        if (u >= 0 && v >= 0 && u < source.width() && v < source.height()) {
          const Pixel p = source.At(static_cast<int>(u), static_cast<int>(v));
          if (p != source.At(0, 0)) expected = p;
        }
      }
      FUZZ_REQUIRE(destination.At(i, j) == expected);
    }
  }
}

FUZZ_ORACLE bool IsFigureColour(ConstPixelView picture, Pixel key, Pixel colour) {
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.At(x, y) != key && picture.At(x, y) == colour) return true;
  return false;
}

// The picture's key, its corner, is magenta unless a figure pixel is
// magenta, and then no figure pixel's colour.
FUZZ_ORACLE void CheckPictureKey(const Layer* layers, Pixel key) {
  bool magentaTaken = false;
  for (int i = 0; i < 2; ++i) {
    magentaTaken = magentaTaken || IsFigureColour(layers[i].picture, layers[i].key, kCanvasMagenta);
    FUZZ_REQUIRE(key == kCanvasMagenta || !IsFigureColour(layers[i].picture, layers[i].key, key));
  }
  FUZZ_REQUIRE(magentaTaken || key == kCanvasMagenta);
}

// At size 1.0 the window's picture is the canvas itself, pixel for pixel, but
// for its corner, which is always the key.
FUZZ_ORACLE void CheckUnscaledPicture(const Layer* layers, ConstPixelView picture) {
  const Pixel key = picture.At(0, 0);
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (x == 0 && y == 0) continue;
      FUZZ_REQUIRE(picture.At(x, y) == ReferenceCanvasPixel(layers, 2, x, y, key));
    }
  }
}

void CheckDrawTransparent(FuzzedDataProvider& in) {
  const Pixel guard = in.ConsumeIntegral<Pixel>();
  FencedPicture destination(in.ConsumeIntegralInRange(0, 24), in.ConsumeIntegralInRange(0, 24),
                            in.ConsumeIntegralInRange(0, 3), guard);
  FencedPicture source(in.ConsumeIntegralInRange(0, 24), in.ConsumeIntegralInRange(0, 24),
                       in.ConsumeIntegralInRange(0, 3), ~guard);
  const std::vector<Pixel> palette = ConsumePalette(in);
  destination.Fill(in, palette);
  source.Fill(in, palette);
  const int x = ConsumeOffset(in, 40);
  const int y = ConsumeOffset(in, 40);

  std::vector<Pixel> before;
  for (int j = 0; j < destination.height(); ++j)
    for (int i = 0; i < destination.width(); ++i) before.push_back(destination.At(i, j));

  const int result = DrawTransparent(destination.view(), x, y, source.const_view());
  FUZZ_REQUIRE(result == (source.width() > 0 && source.height() > 0 ? 1 : 0));
  FUZZ_REQUIRE(destination.GuardsIntact());
  FUZZ_REQUIRE(source.GuardsIntact());
  CheckDrawn(destination, before, source, x, y);
}

// A face position: one that puts the canvas side right at the picture limit
// (either way), or any of ConsumeOffset's.
int ConsumeFacePosition(FuzzedDataProvider& in, int characterLength) {
  switch (in.ConsumeIntegralInRange(0, 5)) {
    case 4: return kMaxPictureSide - kFaceSide + in.ConsumeIntegralInRange(-2, 2);
    case 5: return characterLength - kMaxPictureSide + in.ConsumeIntegralInRange(-2, 2);
    default: return ConsumeOffset(in, 200);
  }
}

// One axis of the canvas: from the leftmost to the rightmost edge of the two pictures.
long long ReferenceLength(long long characterLength, long long facePosition) {
  return std::max(characterLength, facePosition + kFaceSide) - std::min(0LL, facePosition);
}

void CheckComposeFigure(FuzzedDataProvider& in) {
  const int sizes[] = {IDM_SIZE_SMALL, IDM_SIZE_NORMAL, in.ConsumeIntegral<int>()};
  const int size = in.PickValueInArray(sizes);
  FencedPicture face(in.ConsumeIntegralInRange(0, 40), in.ConsumeIntegralInRange(0, 40), 0, 0);
  FencedPicture character(in.ConsumeIntegralInRange(0, 48), in.ConsumeIntegralInRange(0, 48), 0, 0);
  const std::vector<Pixel> palette = ConsumePalette(in);
  face.Fill(in, palette);
  character.Fill(in, palette);
  FigurePictures pictures;
  pictures.face = face.const_view();
  pictures.character = character.const_view();
  pictures.xPosFace = ConsumeFacePosition(in, character.width());
  pictures.yPosFace = ConsumeFacePosition(in, character.height());
  pictures.fFaceOnChara = in.ConsumeIntegral<int>();
  // Each picture keyed by its corner, as a BMP is, or by a colour of its own,
  // as a picture cut by alpha is.
  if (in.ConsumeBool()) pictures.faceKey = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];
  if (in.ConsumeBool())
    pictures.characterKey = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];

  // The monitor's DPI last, so that inputs made before it existed read as 96:
  // above 96 the canvas is enlarged.
  const int dpis[] = {96, 144, 192, 120};
  const double scale = DisplayScale(size, in.PickValueInArray(dpis));

  const bool hasPictures = !pictures.face.empty() && !pictures.character.empty();
  const long long width = ReferenceLength(character.width(), pictures.xPosFace);
  const long long height = ReferenceLength(character.height(), pictures.yPosFace);
  const bool fits = width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
                    width * height <= kMaxPicturePixels;

  CanvasLayout layout{};
  if (character.width() > 0 && character.height() > 0) {
    FUZZ_REQUIRE(LayOutCanvas(character.width(), character.height(), pictures.xPosFace,
                              pictures.yPosFace, &layout) == fits);
    if (fits) {
      FUZZ_REQUIRE(layout.width == width && layout.height == height);
      const long long left = std::min(0, pictures.xPosFace);
      const long long top = std::min(0, pictures.yPosFace);
      FUZZ_REQUIRE(layout.faceX == pictures.xPosFace - left && layout.faceY == pictures.yPosFace - top);
      FUZZ_REQUIRE(layout.characterX == -left && layout.characterY == -top);
    }
  }
  if (hasPictures && fits && width * height > kComposeBudget) return;

  Figure figure;
  figure.picture.Allocate(2, 1, 0xDEADBEEF);
  figure.pictureFactor = -1;
  figure.xClockCenter = 12345;
  figure.yClockCenter = -12345;
  const bool composed = ComposeFigure(pictures, scale, &figure);
  if (!hasPictures || !fits) {
    FUZZ_REQUIRE(!composed);
    FUZZ_REQUIRE(figure.picture.width() == 2 && figure.picture.height() == 1);
    FUZZ_REQUIRE(figure.picture.data()[0] == 0xDEADBEEF && figure.picture.data()[1] == 0xDEADBEEF);
    FUZZ_REQUIRE(figure.pictureFactor == -1 && figure.xClockCenter == 12345 && figure.yClockCenter == -12345);
    return;
  }
  FUZZ_REQUIRE(composed);
  FUZZ_REQUIRE(figure.pictureFactor == scale);
  FUZZ_REQUIRE(figure.picture.width() == ScaledLength(scale, layout.width));
  FUZZ_REQUIRE(figure.picture.height() == ScaledLength(scale, layout.height));
  // The rounding rule: within half a pixel of the exact product, never empty.
  FUZZ_REQUIRE(figure.picture.width() >= 1 && figure.picture.height() >= 1);
  FUZZ_REQUIRE(std::abs(figure.picture.width() - scale * layout.width) <= 0.5);
  FUZZ_REQUIRE(std::abs(figure.picture.height() - scale * layout.height) <= 0.5);
  FUZZ_REQUIRE(figure.xClockCenter == ClockCentreCoordinate(scale, pictures.xPosFace));
  FUZZ_REQUIRE(figure.yClockCenter == ClockCentreCoordinate(scale, pictures.yPosFace));
  FUZZ_REQUIRE(std::abs(figure.xClockCenter - scale * (std::max(pictures.xPosFace, 0) + kFaceCentre)) <= 0.5);
  FUZZ_REQUIRE(std::abs(figure.yClockCenter - scale * (std::max(pictures.yPosFace, 0) + kFaceCentre)) <= 0.5);

  const Layer faceLayer{pictures.face, ResolveKey(pictures.face, pictures.faceKey), layout.faceX, layout.faceY};
  const Layer characterLayer{pictures.character, ResolveKey(pictures.character, pictures.characterKey),
                             layout.characterX, layout.characterY};
  const Layer layers[2] = {pictures.fFaceOnChara != 0 ? characterLayer : faceLayer,
                           pictures.fFaceOnChara != 0 ? faceLayer : characterLayer};
  CheckPictureKey(layers, figure.picture.view().At(0, 0));
  if (scale == 1.0) CheckUnscaledPicture(layers, figure.picture.view());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    CheckDrawTransparent(in);
  } else {
    CheckComposeFigure(in);
  }
  return 0;
}
