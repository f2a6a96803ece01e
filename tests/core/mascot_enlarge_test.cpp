// The enlargement of the canvas above a picture factor of 1, and the
// figure's geometry at the monitor's DPI and the pictures' own scale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "clockface/hands.h"
#include "mascot/enlarge.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "pictures/pixel_buffer.h"
#include "resource.h"

namespace {

PixelBuffer Filled(int width, int height, Pixel colour) {
  PixelBuffer buffer;
  EXPECT_TRUE(buffer.Allocate(width, height, colour));
  return buffer;
}

unsigned Channel(Pixel p, int shift) { return (p >> shift) & 0xFF; }

// A soft and a keyed picture of the same shape: `inside` (premultiplied,
// opaque) where the shape is, transparent or `key` elsewhere.
template <typename Inside>
void Paint(PixelView picture, Pixel colour, Pixel background, Inside inside) {
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) picture.At(x, y) = inside(x, y) ? colour : background;
  }
}

struct EnlargeCase {
  int sourceWidth, sourceHeight, targetWidth, targetHeight;
};
const EnlargeCase kSizes[] = {{7, 5, 14, 10}, {7, 5, 16, 11}, {20, 9, 61, 27}, {9, 9, 10, 9}, {1, 1, 3, 4}};

TEST(Enlarge, AFlatPictureStaysFlatAndEqualSizesAreAnExactCopy) {
  for (const EnlargeCase& c : kSizes) {
    const PixelBuffer flat = Filled(c.sourceWidth, c.sourceHeight, 0x80402010);
    PixelBuffer soft = Filled(c.targetWidth, c.targetHeight, 0);
    ASSERT_TRUE(EnlargePremultiplied(flat.view(), soft.view()));
    PixelBuffer keyed = Filled(c.targetWidth, c.targetHeight, 0);
    ASSERT_TRUE(EnlargeKeyed(flat.view(), 0x00FF00FF, keyed.view()));
    for (int i = 0; i < c.targetWidth * c.targetHeight; ++i) {
      ASSERT_EQ(soft.data()[i], 0x80402010u) << c.targetWidth << "x" << c.targetHeight << " at " << i;
      ASSERT_EQ(keyed.data()[i], 0x00402010u) << c.targetWidth << "x" << c.targetHeight << " at " << i;
    }
  }
  std::mt19937 random(21);
  PixelBuffer noise = Filled(13, 8, 0);
  for (int i = 0; i < 13 * 8; ++i) {
    const Pixel alpha = random() & 0xFF;
    noise.data()[i] = (alpha << 24) | (alpha * 0x010101u & 0x7F7F7F);  // premultiplied: no channel above alpha
  }
  PixelBuffer copy = Filled(13, 8, 1);
  ASSERT_TRUE(EnlargePremultiplied(noise.view(), copy.view()));
  EXPECT_TRUE(std::equal(noise.data(), noise.data() + 13 * 8, copy.data()));
  PixelBuffer smaller = Filled(12, 8, 0);
  EXPECT_FALSE(EnlargePremultiplied(noise.view(), smaller.view())) << "enlarging only";
}

// Across a hard edge between two greys, every pixel lies between them and
// the row rises step by step: no overshoot, no ring on either side.
TEST(Enlarge, AHardEdgeNeitherOvershootsNorRings) {
  for (const EnlargeCase& c : kSizes) {
    if (c.sourceWidth < 4) continue;
    PixelBuffer edge = Filled(c.sourceWidth, c.sourceHeight, 0);
    Paint(edge.view(), 0xFFC0C0C0, 0xFF404040, [&](int x, int) { return x >= c.sourceWidth / 2; });
    PixelBuffer out = Filled(c.targetWidth, c.targetHeight, 0);
    ASSERT_TRUE(EnlargePremultiplied(edge.view(), out.view()));
    for (int y = 0; y < c.targetHeight; ++y) {
      for (int x = 0; x < c.targetWidth; ++x) {
        const Pixel p = out.view().At(x, y);
        ASSERT_EQ(p >> 24, 0xFFu);
        ASSERT_GE(Channel(p, 0), 0x40u) << "undershoot at " << x << "," << y;
        ASSERT_LE(Channel(p, 0), 0xC0u) << "overshoot at " << x << "," << y;
        if (x > 0) {
          ASSERT_GE(Channel(p, 8), Channel(out.view().At(x - 1, y), 8)) << "ring at " << x << "," << y;
        }
      }
    }
  }
}

// A block of figure in the middle of nothing: a target pixel whose centre
// lies two source pixels or more from the block reads none of it and stays
// exactly transparent; the keyed twin keeps the key there. Premultiplied,
// no colour exceeds its alpha.
TEST(Enlarge, TransparentStaysExactlyZeroBeyondTheFiltersReach) {
  const int side = 20, block0 = 8, block1 = 12;  // the block: [8, 12) on both axes
  const auto inBlock = [&](int x, int y) { return x >= block0 && x < block1 && y >= block0 && y < block1; };
  PixelBuffer soft = Filled(side, side, 0);
  Paint(soft.view(), 0xFF20A0E0, 0, inBlock);
  PixelBuffer keyed = Filled(side, side, 0);
  Paint(keyed.view(), 0x0020A0E0, 0x00FF00FF, inBlock);
  for (int target : {40, 57, 60}) {
    PixelBuffer softOut = Filled(target, target, 1);
    PixelBuffer keyedOut = Filled(target, target, 1);
    ASSERT_TRUE(EnlargePremultiplied(soft.view(), softOut.view()));
    ASSERT_TRUE(EnlargeKeyed(keyed.view(), 0x00FF00FF, keyedOut.view()));
    const double step = static_cast<double>(side) / target;
    // How far a target pixel's centre, in source pixels, lies outside the block on one axis.
    const auto outside = [&](int t) {
      const double centre = (t + 0.5) * step - 0.5;
      return std::max({block0 - centre, centre - (block1 - 1), 0.0});
    };
    for (int y = 0; y < target; ++y) {
      for (int x = 0; x < target; ++x) {
        const Pixel p = softOut.view().At(x, y);
        for (int shift = 0; shift < 24; shift += 8) ASSERT_LE(Channel(p, shift), p >> 24);
        if (outside(x) >= 2.0 || outside(y) >= 2.0) {
          ASSERT_EQ(p, 0u) << target << ": " << x << "," << y;
          ASSERT_EQ(keyedOut.view().At(x, y), 0x00FF00FFu) << target << ": " << x << "," << y;
        }
        if (outside(x) == 0.0 && outside(y) == 0.0) {
          ASSERT_EQ(p >> 24, 0xFFu) << x << "," << y;
        }
      }
    }
  }
}

// Doubled, a keyed square's outline is the square doubled (half coverage
// falls on the edge), and no pixel takes the key's colour, even where the
// figure's own colours average to it.
TEST(Enlarge, AKeyedFigureKeepsItsOutlineByHalfCoverageAndNoKeyColour) {
  const Pixel key = 0x00808080;
  PixelBuffer source = Filled(12, 10, key);
  for (int y = 2; y < 8; ++y) {
    for (int x = 3; x < 9; ++x) source.view().At(x, y) = (x + y) % 2 ? 0x007F7F7F : 0x00818181;
  }
  PixelBuffer out = Filled(24, 20, 0);
  ASSERT_TRUE(EnlargeKeyed(source.view(), key, out.view()));
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) {
      const Pixel p = out.view().At(x, y);
      const bool figure = x >= 6 && x < 18 && y >= 4 && y < 16;
      if (!figure) {
        EXPECT_EQ(p, key) << x << "," << y;
        continue;
      }
      EXPECT_NE(p, key) << x << "," << y;
      for (int shift = 0; shift < 24; shift += 8) {
        EXPECT_GE(Channel(p, shift), 0x7Fu) << x << "," << y;
        EXPECT_LE(Channel(p, shift), 0x81u) << x << "," << y;
      }
    }
  }
}

// One figure, a 200 x 300 character with its face at (-30, 20), on monitors
// of 96, 144 and 192 DPI at both sizes, and the same figure drawn at 200
// (400 x 600, face 300 x 300 at (-60, 40)): the window, ClockCenter, the
// second hand's tip at 15 and 45 seconds and the pens.
TEST(FigureAtScale, WindowClockCentreAndHandsAtEachDpiAndPictureScale) {
  struct Case {
    int dpi, nSize, pictureScale;
    int width, height, xCentre, yCentre;
    int tip15, tip45, hourAtZero;  // offsets from the centre along the hand
    int penWidth, secondWidth, shadowOffset;
  };
  const Case cases[] = {
      {96, IDM_SIZE_NORMAL, 100, 230, 300, 75, 95, 52, -51, -37, 3, 1, 3},
      {96, IDM_SIZE_SMALL, 100, 161, 210, 53, 67, 37, -36, -25, 2, 1, 3},
      {144, IDM_SIZE_NORMAL, 100, 345, 450, 113, 143, 79, -78, -55, 5, 2, 5},
      {192, IDM_SIZE_NORMAL, 100, 460, 600, 150, 190, 105, -104, -74, 6, 2, 6},
      {192, IDM_SIZE_SMALL, 100, 322, 420, 105, 133, 73, -72, -52, 4, 2, 6},
      {96, IDM_SIZE_NORMAL, 200, 230, 300, 75, 95, 52, -51, -37, 3, 1, 3},
      {96, IDM_SIZE_SMALL, 200, 161, 210, 53, 67, 37, -36, -25, 2, 1, 3},
      {144, IDM_SIZE_NORMAL, 200, 345, 450, 113, 143, 79, -78, -55, 5, 2, 5},
      {192, IDM_SIZE_NORMAL, 200, 460, 600, 150, 190, 105, -104, -74, 6, 2, 6},
  };
  for (const Case& c : cases) {
    const int times = c.pictureScale / 100;
    const int faceSide = FaceSideAt(c.pictureScale);
    ASSERT_EQ(faceSide, 150 * times);
    const PixelBuffer face = Filled(faceSide, faceSide, 0x00FFFFFF);
    const PixelBuffer character = Filled(200 * times, 300 * times, 0x00000000);
    FigurePictures pictures{face.view(), character.view(), -30 * times, 20 * times, 0};
    pictures.nPictureScale = c.pictureScale;
    const double display = DisplayScale(c.nSize, c.dpi);
    Figure figure;
    ASSERT_TRUE(ComposeFigure(pictures, PictureFactor(display, c.pictureScale), &figure));
    const std::string at = std::to_string(c.dpi) + " DPI, size " + std::to_string(c.nSize) + ", drawn at " +
                           std::to_string(c.pictureScale);
    EXPECT_EQ(figure.picture.width(), c.width) << at;
    EXPECT_EQ(figure.picture.height(), c.height) << at;
    EXPECT_EQ(figure.xClockCenter, c.xCentre) << at;
    EXPECT_EQ(figure.yClockCenter, c.yCentre) << at;
    const WindowSize size = FigureWindowSize(230 * times, 300 * times, PictureFactor(display, c.pictureScale));
    EXPECT_EQ(size.width, c.width) << at << ": the size a DPI change is answered with";
    EXPECT_EQ(size.height, c.height) << at;
    const HandTips at15 = ComputeHandTips(0, 0, display, 0, 0, 15);
    const HandTips at45 = ComputeHandTips(0, 0, display, 0, 0, 45);
    EXPECT_EQ(at15.second.x, c.tip15) << at;
    EXPECT_EQ(at45.second.x, c.tip45) << at;
    EXPECT_EQ(at15.hour.y, c.hourAtZero) << at;
    const HandPens pens = HandPensAt(c.nSize, c.dpi);
    EXPECT_EQ(pens.width, c.penWidth) << at;
    EXPECT_EQ(pens.secondWidth, c.secondWidth) << at;
    EXPECT_EQ(pens.shadowOffset, c.shadowOffset) << at;
  }
}

}  // namespace

// A figure that would pass the picture limits once enlarged is enlarged by
// the largest factor within them: the window a little smaller than asked,
// answered to a DPI change as the load builds it, never refused.
TEST(FigureSize, EnlargementIsHeldToThePictureLimits) {
  const struct {
    int canvasWidth, canvasHeight, nSize, dpi, pictureScale;
    int width, height;
    bool held;
  } cases[] = {
      {230, 300, IDM_SIZE_NORMAL, 96, 100, 230, 300, false},
      {230, 300, IDM_SIZE_NORMAL, 192, 100, 460, 600, false},
      {2048, 2048, IDM_SIZE_NORMAL, 192, 100, 4096, 4096, false},  // exactly 16 megapixels
      {2049, 2048, IDM_SIZE_NORMAL, 192, 100, 4097, 4095, true},   // one column more
      {2900, 2900, IDM_SIZE_NORMAL, 192, 100, 4096, 4096, true},
      {2900, 2900, IDM_SIZE_NORMAL, 192, 200, 2900, 2900, false},  // drawn for 200: not enlarged
      {3000, 2000, IDM_SIZE_NORMAL, 192, 100, 5017, 3344, true},
      {3500, 3500, IDM_SIZE_SMALL, 192, 100, 4096, 4096, true},
      {10000, 100, IDM_SIZE_NORMAL, 192, 100, 16384, 164, true},  // held by the side, not the area
      {4096, 4096, IDM_SIZE_NORMAL, 96, 100, 4096, 4096, false},
      {4096, 4096, IDM_SIZE_SMALL, 96, 100, 2867, 2867, false},  // reduced: never held
  };
  for (const auto& c : cases) {
    const std::string at = std::to_string(c.canvasWidth) + " x " + std::to_string(c.canvasHeight) + " at " +
                           std::to_string(c.dpi) + " DPI, size " + std::to_string(c.nSize) + ", drawn at " +
                           std::to_string(c.pictureScale);
    const FigureSize size = SizeFigure(c.canvasWidth, c.canvasHeight, c.nSize, c.dpi, c.pictureScale);
    EXPECT_EQ(size.window.width, c.width) << at;
    EXPECT_EQ(size.window.height, c.height) << at;
    EXPECT_EQ(size.held, c.held) << at;
    const double asked = PictureFactor(DisplayScale(c.nSize, c.dpi), c.pictureScale);
    // The window is the canvas at the factor chosen, and the face is shown at that factor.
    const WindowSize built = FigureWindowSize(c.canvasWidth, c.canvasHeight, size.pictureFactor);
    EXPECT_TRUE(built.width == size.window.width && built.height == size.window.height) << at;
    EXPECT_DOUBLE_EQ(size.displayScale, size.pictureFactor * c.pictureScale / 100.0) << at;
    if (!c.held) {
      EXPECT_EQ(size.pictureFactor, asked) << at;
      continue;
    }
    EXPECT_LT(size.pictureFactor, asked) << at;
    // The largest factor within the limits: the next one up passes them.
    const WindowSize above = FigureWindowSize(c.canvasWidth, c.canvasHeight, std::nextafter(size.pictureFactor, asked));
    EXPECT_FALSE(IsSanePictureSize(above.width, above.height)) << at << ": a larger factor would fit";
  }
}
