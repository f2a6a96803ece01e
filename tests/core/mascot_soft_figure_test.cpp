// The soft figure: premultiplied pixels, "source over", the reduction by area
// average in premultiplied space, the composition and its alpha outline.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "coverage_oracle.h"
#include "mascot/figure.h"
#include "mascot/soft_figure.h"
#include "pictures/pixel_buffer.h"

namespace {

unsigned Channel(Pixel p, int k) { return (p >> (24 - 8 * k)) & 0xFF; }  // 0 alpha, 1 red, 2 green, 3 blue

PixelBuffer Filled(int width, int height, Pixel fill) {
  PixelBuffer buffer;
  EXPECT_TRUE(buffer.Allocate(width, height, fill));
  return buffer;
}

// Calls f(x, y) for every pixel of a width x height picture, row by row.
template <typename F>
void EachPixel(int width, int height, F f) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) f(x, y);
}

TEST(SoftFigure, SourceOverInPremultipliedSpace) {
  struct Case {
    Pixel destination, source, expected;
  } cases[] = {
      {0xFF808080, 0xFF102030, 0xFF102030},  // an opaque source replaces
      {0x80404040, 0x00000000, 0x80404040},  // a transparent one leaves all
      {0x00000000, 0x40201000, 0x40201000},  // over nothing the source stays
      {0xFF808080, 0x8D8D0000, 0xFFC63939},  // alpha 141 red over grey 128: 198, 57, 57
      {0xFF808080, 0x80800000, 0xFFC04040},
      {0x80000080, 0x80800000, 0xC0800040},  // half red over half blue: alpha 192
      {0xFFFFFFFF, 0x01010101, 0xFFFFFFFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SourceOver(c.destination, c.source), c.expected) << std::hex << c.destination << " " << c.source;
  }
}

TEST(SoftFigure, PremultiplyAndKeyToAlpha) {
  struct Case {
    Pixel straight, premultiplied;
  } cases[] = {
      {0xFF123456, 0xFF123456}, {0x00FFFFFF, 0x00000000}, {0x80FF0000, 0x80800000},
      {0x40808080, 0x40202020}, {0x01FFFFFF, 0x01010101},
  };
  for (const Case& c : cases) {
    PixelBuffer one = Filled(1, 1, c.straight);
    PremultiplyPicture(one.view());
    EXPECT_EQ(one.view().At(0, 0), c.premultiplied) << std::hex << c.straight;
  }
  PixelBuffer keyed = Filled(3, 1, 0x00FF00FF);
  keyed.view().At(1, 0) = 0x00000000;  // black is a colour, not transparency
  OpaqueFromKey(keyed.view(), 0x00FF00FF);
  EXPECT_EQ(keyed.view().At(0, 0), 0u);
  EXPECT_EQ(keyed.view().At(1, 0), 0xFF000000u);
}

TEST(SoftFigure, DrawSourceOverClipsAtEveryEdge) {
  PixelBuffer canvas = Filled(4, 3, 0);
  const PixelBuffer square = Filled(3, 3, 0xFF0000FF);
  DrawSourceOver(canvas.view(), -2, 1, square.view());
  DrawSourceOver(canvas.view(), 3, -1, square.view());
  const char* expected[] = {"...#", "#..#", "#..."};
  EachPixel(4, 3, [&](int x, int y) {
    EXPECT_EQ(canvas.view().At(x, y) != 0, expected[y][x] == '#') << x << "," << y;
  });
}

// Exact premultiplied sums over the source area one target pixel covers, and
// the range of the straight colours of the covered pixels with alpha.
struct CoveredSoft {
  double alpha = 0;  // exact covered alpha
  bool anyFigure = false;
  double low[3] = {255, 255, 255};
  double high[3] = {0, 0, 0};
};

CoveredSoft CoverSoft(ConstPixelView source, int tw, int th, int tx, int ty) {
  CoveredSoft result;
  const long long sw = source.width, sh = source.height;
  const double total = static_cast<double>(sw * sh);
  for (long long y = 0; y < sh; ++y) {
    const std::uint64_t rowPart = Overlap(y, ty, sh, th);
    if (rowPart == 0) continue;
    for (long long x = 0; x < sw; ++x) {
      const std::uint64_t part = rowPart * Overlap(x, tx, sw, tw);
      const Pixel p = source.At(static_cast<int>(x), static_cast<int>(y));
      if (part == 0 || p == 0) continue;
      result.anyFigure = true;
      result.alpha += static_cast<double>(part) * Channel(p, 0) / total;
      for (int c = 0; c < 3; ++c) {
        const double straight = 255.0 * Channel(p, c + 1) / Channel(p, 0);
        result.low[c] = std::min(result.low[c], straight);
        result.high[c] = std::max(result.high[c], straight);
      }
    }
  }
  return result;
}

// A premultiplied picture: soft discs of random colours on transparency.
PixelBuffer RandomSoftPicture(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  PixelBuffer picture = Filled(width, height, 0);
  EachPixel(width, height, [&](int x, int y) {
    const unsigned roll = random() % 4;
    const Pixel alpha = roll == 0 ? 0 : roll == 1 ? 255 : random() % 256;
    picture.view().At(x, y) = (alpha << 24) | (random() & 0x00FFFFFF);
  });
  PremultiplyPicture(picture.view());
  return picture;
}

TEST(SoftFigure, ReductionKeepsAlphaAndColoursOfWhatItCovers) {
  struct Size {
    int sw, sh, tw, th;
  } sizes[] = {{10, 10, 7, 7}, {155, 3, 109, 2}, {23, 17, 16, 12}, {3, 5, 2, 4}};
  for (const Size& size : sizes) {
    const PixelBuffer source = RandomSoftPicture(size.sw, size.sh, static_cast<unsigned>(size.sw * 31 + size.th));
    PixelBuffer target = Filled(size.tw, size.th, 0xDEADBEEF);
    ASSERT_TRUE(ReducePremultiplied(source.view(), target.view()));
    EachPixel(size.tw, size.th, [&](int tx, int ty) {
      const Pixel p = target.view().At(tx, ty);
      const CoveredSoft covered = CoverSoft(source.view(), size.tw, size.th, tx, ty);
      SCOPED_TRACE(testing::Message() << size.sw << "x" << size.sh << " at " << tx << "," << ty);
      const unsigned alpha = Channel(p, 0);
      EXPECT_LE(covered.anyFigure ? std::fabs(alpha - covered.alpha) : 0, 0.5 + 1e-9);
      if (!covered.anyFigure || alpha == 0) {
        EXPECT_EQ(p, 0u);
        return;
      }
      for (int c = 0; c < 3; ++c) {
        // Un-premultiplied, within the covered colours to this alpha's precision.
        const double colour = Channel(p, c + 1);
        EXPECT_GE(colour, std::floor(covered.low[c] * alpha / 255.0 - 0.5 + 1e-9));
        EXPECT_LE(colour, std::ceil(covered.high[c] * alpha / 255.0 + 0.5 - 1e-9));
        EXPECT_LE(colour, alpha);
      }
    });
  }
}

TEST(SoftFigure, ReducedEdgeOfOneColourHasNoHalo) {
  // A white disc: every reduced edge pixel is white at its own alpha.
  PixelBuffer disc = Filled(40, 40, 0);
  EachPixel(40, 40, [&](int x, int y) {
    if ((x - 20) * (x - 20) + (y - 20) * (y - 20) < 300) disc.view().At(x, y) = 0xFFFFFFFF;
  });
  PixelBuffer reduced = Filled(28, 28, 0);
  ReducePremultiplied(disc.view(), reduced.view());
  int edges = 0;
  EachPixel(28, 28, [&](int x, int y) {
    const Pixel p = reduced.view().At(x, y);
    const unsigned alpha = Channel(p, 0);
    for (int c = 1; c < 4; ++c) EXPECT_EQ(Channel(p, c), alpha) << x << "," << y;
    edges += alpha > 0 && alpha < 255;
  });
  EXPECT_GT(edges, 20);
}

TEST(SoftFigure, ComposesLikeTheKeyedFigureWithoutCutting) {
  // Face 150 x 150 opaque blue with a transparent corner; a 200 x 300
  // character of half-transparent red, face at (-30, 20).
  PixelBuffer face = Filled(150, 150, 0xFF0000FF);
  face.view().At(0, 0) = 0;
  PixelBuffer character = Filled(200, 300, 0x80800000);
  for (int onTop = 0; onTop <= 1; ++onTop) {
    const FigurePictures pictures{face.view(), character.view(), -30, 20, onTop};
    for (const double scale : {1.0, 0.7}) {
      Figure soft;
      Figure keyed;
      ASSERT_TRUE(ComposeSoftFigure(pictures, scale, &soft));
      ASSERT_TRUE(ComposeFigure(pictures, scale, &keyed));
      EXPECT_EQ(soft.picture.width(), keyed.picture.width());
      EXPECT_EQ(soft.picture.height(), keyed.picture.height());
      EXPECT_EQ(soft.xClockCenter, keyed.xClockCenter);
      EXPECT_EQ(soft.yClockCenter, keyed.yClockCenter);
      if (scale != 1.0) continue;
      const ConstPixelView view = soft.picture.view();
      EXPECT_EQ(view.At(0, 0), 0u);                           // nothing covers the canvas's corner
      EXPECT_EQ(view.At(0, 20), 0u);                          // the face's transparent corner
      EXPECT_EQ(view.At(229, 299), 0x80800000u);              // the character alone keeps its alpha
      EXPECT_EQ(view.At(100, 100), onTop ? 0xFF0000FFu : 0xFF80007Fu);  // overlap: order decides
      EXPECT_EQ(view.At(10, 299), 0u);                        // below the face, left of the character
    }
  }
}

TEST(SoftFigure, OutlineHoldsEveryPixelWithAlpha) {
  PixelBuffer picture = Filled(6, 2, 0);
  picture.view().At(1, 0) = 0xFF000000;  // opaque black
  picture.view().At(2, 0) = 0x01000000;  // the faintest shadow
  picture.view().At(5, 1) = 0x80808080;
  const std::vector<ShapeRun> expected = {{1, 3, 0}, {5, 6, 1}};
  EXPECT_EQ(FindAlphaRuns(picture.view()), expected);
}

}  // namespace
