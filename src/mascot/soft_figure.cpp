#include "mascot/soft_figure.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "mascot/area_scale.h"
#include "mascot/enlarge.h"
#include "mascot/figure_geometry.h"

namespace {

// value * factor / 255, rounded to the nearest integer, for 8-bit operands.
std::uint32_t MulDiv255(std::uint32_t value, std::uint32_t factor) {
  const std::uint32_t t = value * factor + 128;
  return (t + (t >> 8)) >> 8;
}

}  // namespace

void PremultiplyPicture(PixelView decoded) {
  for (int y = 0; y < decoded.height; ++y) {
    Pixel* row = decoded.Row(y);
    for (int x = 0; x < decoded.width; ++x) {
      const Pixel p = row[x];
      const std::uint32_t alpha = p >> 24;
      row[x] = (alpha << 24) | (MulDiv255((p >> 16) & 0xFF, alpha) << 16) | (MulDiv255((p >> 8) & 0xFF, alpha) << 8) |
               MulDiv255(p & 0xFF, alpha);
    }
  }
}

void OpaqueFromKey(PixelView keyed, Pixel key) {
  for (int y = 0; y < keyed.height; ++y) {
    Pixel* row = keyed.Row(y);
    for (int x = 0; x < keyed.width; ++x) row[x] = row[x] == key ? 0 : (row[x] | 0xFF000000);
  }
}

Pixel SourceOver(Pixel destination, Pixel source) {
  const std::uint32_t rest = 255 - (source >> 24);
  Pixel out = 0;
  for (int shift = 0; shift <= 24; shift += 8) {
    const std::uint32_t channel = ((source >> shift) & 0xFF) + MulDiv255((destination >> shift) & 0xFF, rest);
    out |= channel << shift;
  }
  return out;
}

void DrawSourceOver(PixelView destination, int x, int y, ConstPixelView source) {
  if (source.empty() || destination.empty()) return;
  const int left = std::max(0, -x);
  const int top = std::max(0, -y);
  const int right = std::min(source.width, destination.width - x);
  const int bottom = std::min(source.height, destination.height - y);
  for (int sy = top; sy < bottom; ++sy) {
    const Pixel* from = source.Row(sy);
    Pixel* to = destination.Row(sy + y) + x;
    for (int sx = left; sx < right; ++sx) {
      const Pixel p = from[sx];
      if (p >> 24 == 255) {
        to[sx] = p;
      } else if (p != 0) {
        to[sx] = SourceOver(to[sx], p);
      }
    }
  }
}

bool ReducePremultiplied(ConstPixelView source, PixelView target) {
  return ReducePremultiplied(source, target, WholeWindow(target));
}

bool ReducePremultiplied(ConstPixelView source, PixelView target, const ScaleWindow& window) {
  if (source.empty() || target.empty()) return false;
  if (source.width == window.fullWidth && source.height == window.fullHeight) {
    CopyWindow(source, target, window);
    return true;
  }
  const AxisCover columns = CoverAxis(source.width, window.fullWidth);
  const AxisCover rows = CoverAxis(source.height, window.fullHeight);
  const std::uint64_t total = static_cast<std::uint64_t>(source.width) * source.height;
  // The sums: alpha, red, green and blue, all premultiplied.
  const auto add = [](Pixel p, std::uint32_t weight, std::uint32_t* sum) {
    if (p == 0) return;
    sum[0] += weight * (p >> 24);
    sum[1] += weight * ((p >> 16) & 0xFF);
    sum[2] += weight * ((p >> 8) & 0xFF);
    sum[3] += weight * (p & 0xFF);
  };
  const auto make = [total](const std::uint64_t* sums, int, int) -> Pixel {
    const std::uint64_t alpha = (2 * sums[0] + total) / (2 * total);
    if (alpha == 0) return 0;
    // The colour at this alpha of the covered colours' alpha-weighted
    // average: never above the alpha, never outside the covered range.
    Pixel p = static_cast<Pixel>(alpha << 24);
    for (int k = 1; k < 4; ++k) {
      const std::uint64_t channel = (2 * sums[k] * alpha + sums[0]) / (2 * sums[0]);
      p |= static_cast<Pixel>(channel << (24 - 8 * k));
    }
    return p;
  };
  SumCoveredAreas(source, columns, rows, target, window, add, make);
  return true;
}

bool ComposeSoftFigure(const FigurePictures& pictures, double scale, Figure* figure, PixelBuffer* keptCanvas) {
  if (pictures.face.empty() || pictures.character.empty()) return false;
  CanvasLayout layout;
  if (!LayOutFigure(pictures, &layout)) return false;
  PixelBuffer canvas;
  if (!canvas.Allocate(layout.width, layout.height, 0)) return false;
  const bool faceOnTop = pictures.fFaceOnChara != 0;
  const ConstPixelView lower = faceOnTop ? pictures.character : pictures.face;
  const ConstPixelView upper = faceOnTop ? pictures.face : pictures.character;
  DrawSourceOver(canvas.view(), faceOnTop ? layout.characterX : layout.faceX,
                 faceOnTop ? layout.characterY : layout.faceY, lower);
  DrawSourceOver(canvas.view(), faceOnTop ? layout.faceX : layout.characterX,
                 faceOnTop ? layout.faceY : layout.characterY, upper);

  const int width = ScaledLength(scale, layout.width);
  const int height = ScaledLength(scale, layout.height);
  if (width != layout.width || height != layout.height) {
    PixelBuffer scaled;
    if (!scaled.Allocate(width, height, 0)) return false;
    if (width >= layout.width && height >= layout.height) {
      if (!EnlargePremultiplied(canvas.view(), scaled.view())) return false;
    } else {
      ReducePremultiplied(canvas.view(), scaled.view());
    }
    if (keptCanvas != nullptr) *keptCanvas = std::move(canvas);
    canvas = std::move(scaled);
  } else if (keptCanvas != nullptr) {
    *keptCanvas = canvas;
  }
  TakeFigurePicture(&canvas, scale, pictures, figure);
  return true;
}

std::vector<ShapeRun> FindAlphaRuns(ConstPixelView premultiplied) {
  // Premultiplied, a pixel with alpha 0 is 0 exactly and every other is not.
  std::vector<ShapeRun> runs;
  for (int y = 0; y < premultiplied.height; ++y) AppendRowRuns(premultiplied.Row(y), premultiplied.width, 0, y, &runs);
  return runs;
}
