// The reduction by coverage: it fills the whole target and nothing beside it;
// a target pixel is figure exactly when at least half of the area it covers
// is, and then has a colour within each channel's range over the figure
// pixels it covers, never the key; equal sizes give an exact copy.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "coverage_oracle.h"
#include "fuzz_support.h"
#include "mascot/area_scale.h"
#include "mascot/figure_geometry.h"
#include "resource.h"

namespace {

// Above this source area the input is shrunk, so one input stays fast.
constexpr long long kSourceBudget = 1 << 14;

// No output of a real reduction has its top byte set.
constexpr Pixel kUnwritten = 0xA5000000;

int ConsumeSide(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange(1, 48) : in.ConsumeIntegralInRange(1, kMaxPictureSide);
}

// Every output pixel against the source pixels it covers.
FUZZ_ORACLE void CheckOutput(FencedPicture& source, Pixel key, FencedPicture& target) {
  const int targetWidth = target.width();
  const int targetHeight = target.height();
  if (targetWidth == source.width() && targetHeight == source.height()) {
    for (int y = 0; y < targetHeight; ++y)
      for (int x = 0; x < targetWidth; ++x) FUZZ_REQUIRE(target.At(x, y) == source.At(x, y));
    return;
  }
  for (int ty = 0; ty < targetHeight; ++ty) {
    for (int tx = 0; tx < targetWidth; ++tx) {
      const CoveredFigure cover = CoverTargetPixel(source.const_view(), key, targetWidth, targetHeight, tx, ty);
      const Pixel out = target.At(tx, ty);
      FUZZ_REQUIRE((out != key) == cover.IsFigure());
      if (out != key) {
        FUZZ_REQUIRE((out & 0xFF000000) == 0);
        FUZZ_REQUIRE(cover.InRange(out));
      }
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  int sourceWidth = ConsumeSide(in);
  int sourceHeight = ConsumeSide(in);
  while (static_cast<long long>(sourceWidth) * sourceHeight > kSourceBudget) {
    if (sourceWidth > sourceHeight) sourceWidth = (sourceWidth + 1) / 2; else sourceHeight = (sourceHeight + 1) / 2;
  }
  int targetWidth;
  int targetHeight;
  const int mode = in.ConsumeIntegralInRange(0, 2);
  if (mode == 0) {  // the program's own sizes
    const double scale = ScaleForSize(in.ConsumeBool() ? IDM_SIZE_SMALL : IDM_SIZE_NORMAL);
    targetWidth = ScaledLength(scale, sourceWidth);
    targetHeight = ScaledLength(scale, sourceHeight);
    FUZZ_REQUIRE(targetWidth >= 1 && std::abs(targetWidth - scale * sourceWidth) <= 0.5);
    FUZZ_REQUIRE(targetHeight >= 1 && std::abs(targetHeight - scale * sourceHeight) <= 0.5);
  } else if (mode == 1) {  // any reduction or enlargement
    targetWidth = in.ConsumeIntegralInRange(1, 64);
    targetHeight = in.ConsumeIntegralInRange(1, 64);
  } else {
    targetWidth = sourceWidth;
    targetHeight = sourceHeight;
  }
  if (static_cast<long long>(targetWidth) * targetHeight > 4 * kSourceBudget) return 0;

  FencedPicture source(sourceWidth, sourceHeight, in.ConsumeIntegralInRange(0, 2), 0x00FFFFFF);
  const std::vector<Pixel> palette = ConsumePalette(in);
  if (mode == 2 || in.ConsumeBool()) {
    source.Fill(in, palette);
  } else {
    // Large pictures: rows of runs of one colour, cheap to make from a short input.
    for (int y = 0; y < sourceHeight; ++y) {
      Pixel colour = palette[0];
      for (int x = 0; x < sourceWidth; ++x) {
        if (in.ConsumeIntegralInRange(0, 15) == 0)
          colour = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];
        source.At(x, y) = colour;
      }
    }
  }
  // Real pixels have no top byte, except where the copy passes it on unchanged.
  if (targetWidth != sourceWidth || targetHeight != sourceHeight) {
    for (int y = 0; y < sourceHeight; ++y)
      for (int x = 0; x < sourceWidth; ++x) source.At(x, y) &= 0x00FFFFFF;
  }
  FencedPicture target(targetWidth, targetHeight, in.ConsumeIntegralInRange(0, 2), kUnwritten);

  const Pixel key = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)] & 0x00FFFFFF;
  FUZZ_REQUIRE(ScaleByCoverage(source.const_view(), key, target.view()));
  FUZZ_REQUIRE(target.GuardsIntact());
  FUZZ_REQUIRE(!ScaleByCoverage(ConstPixelView{}, key, target.view()));
  FUZZ_REQUIRE(!ScaleByCoverage(source.const_view(), key, PixelView{}));

  CheckOutput(source, key, target);
  return 0;
}
