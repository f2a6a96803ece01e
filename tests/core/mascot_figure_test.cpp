// The figure as pixels: colour-key copy, canvas layout, scale, clock centre,
// reduction by coverage and the whole composition.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "coverage_oracle.h"
#include "mascot/area_scale.h"
#include "mascot/draw_transparent.h"
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

// A picture from rows of characters, one colour per letter.
PixelBuffer FromRows(const std::vector<const char*>& rows) {
  PixelBuffer buffer = Filled(static_cast<int>(std::strlen(rows[0])), static_cast<int>(rows.size()), 0);
  for (int y = 0; y < buffer.height(); ++y) {
    for (int x = 0; x < buffer.width(); ++x) buffer.view().At(x, y) = static_cast<Pixel>(rows[y][x]);
  }
  return buffer;
}

std::vector<std::string> ToRows(ConstPixelView view) {
  std::vector<std::string> rows;
  for (int y = 0; y < view.height; ++y) {
    std::string row;
    for (int x = 0; x < view.width; ++x) row.push_back(static_cast<char>(view.At(x, y)));
    rows.push_back(row);
  }
  return rows;
}

TEST(DrawTransparent, LeavesOutEveryPixelOfTheSourcesCornerColour) {
  PixelBuffer destination = FromRows({"......", "......", "......", "......"});
  const PixelBuffer source = FromRows({"kab", "bkk", "kck"});  // 'k' inside the figure is cut too
  EXPECT_EQ(DrawTransparent(destination.view(), 1, 1, source.view()), 1);
  EXPECT_EQ(ToRows(destination.view()), (std::vector<std::string>{"......", "..ab..", ".b....", "..c..."}));
}

TEST(DrawTransparent, ClipsToTheDestinationOnEverySide) {
  const PixelBuffer source = FromRows({"kab", "cde", "fgh"});
  struct Case {
    int x;
    int y;
    std::vector<std::string> expected;
  } cases[] = {
      {-1, -1, {"de.", "gh.", "..."}},
      {2, 2, {"...", "...", "..."}},  // only the key pixel (0, 0) would land inside
      {1, -2, {".fg", "...", "..."}},
      {-2, 1, {"...", "b..", "e.."}},
      {3, 0, {"...", "...", "..."}},
      {INT_MAX, INT_MIN, {"...", "...", "..."}},
      {INT_MIN, INT_MAX, {"...", "...", "..."}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
    PixelBuffer destination = FromRows({"...", "...", "..."});
    EXPECT_EQ(DrawTransparent(destination.view(), c.x, c.y, source.view()), 1);
    EXPECT_EQ(ToRows(destination.view()), c.expected);
  }
}

TEST(DrawTransparent, WithoutASourceDrawsNothing) {
  PixelBuffer destination = FromRows({".."});
  EXPECT_EQ(DrawTransparent(destination.view(), 0, 0, ConstPixelView{}), 0);
  EXPECT_EQ(ToRows(destination.view()), std::vector<std::string>{".."});
}

TEST(DrawTransparent, ComparesTheWholeColourExactly) {
  PixelBuffer destination = Filled(3, 1, 0);
  PixelBuffer source = Filled(3, 1, 0x00FF00FF);
  source.view().At(1, 0) = 0x00FF00FE;
  source.view().At(2, 0) = 0x00FE00FF;
  DrawTransparent(destination.view(), 0, 0, source.view());
  EXPECT_EQ(destination.view().At(0, 0), 0u);
  EXPECT_EQ(destination.view().At(1, 0), 0x00FF00FEu);
  EXPECT_EQ(destination.view().At(2, 0), 0x00FE00FFu);
}

TEST(CanvasLayout, SizesAndPlacesFollowTheFaceOffset) {
  struct Case {
    int cw, ch, x, y;
    CanvasLayout expected;
  } cases[] = {
      {200, 300, 0, 0, {200, 300, 0, 0, 0, 0}},
      {100, 100, 0, 0, {150, 150, 0, 0, 0, 0}},
      {200, 300, -30, 20, {230, 300, 0, 20, 30, 0}},
      {180, 320, 40, -25, {190, 345, 40, 0, 0, 25}},
      {100, 100, -200, -10, {300, 150, 0, 0, 200, 10}},
      {400, 50, 300, 10, {450, 160, 300, 10, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch << " at " << c.x << ", " << c.y);
    CanvasLayout layout{};
    ASSERT_TRUE(LayOutCanvas(c.cw, c.ch, c.x, c.y, &layout));
    EXPECT_EQ(layout.width, c.expected.width);
    EXPECT_EQ(layout.height, c.expected.height);
    EXPECT_EQ(layout.faceX, c.expected.faceX);
    EXPECT_EQ(layout.faceY, c.expected.faceY);
    EXPECT_EQ(layout.characterX, c.expected.characterX);
    EXPECT_EQ(layout.characterY, c.expected.characterY);
  }
}

TEST(CanvasLayout, RefusesWhatWouldOverflowOrPassTheLimit) {
  struct Case {
    int cw, ch, x, y;
    bool fits;
  } cases[] = {
      {100, 100, INT_MAX, 0, false},           {100, 100, INT_MIN, 0, false},
      {100, 100, 0, INT_MAX, false},           {100, 100, 0, INT_MIN, false},
      {100, 100, INT_MAX - 100, 0, false},     {100, 100, INT_MIN + 1, INT_MIN + 1, false},
      {kMaxPictureSide, 100, 0, 0, true},      {kMaxPictureSide + 1, 100, 0, 0, false},
      {100, 100, kMaxPictureSide - 150, 0, true}, {100, 100, kMaxPictureSide - 149, 0, false},
      {100, 100, 0, -(kMaxPictureSide - 100), true}, {100, 100, 0, -(kMaxPictureSide - 99), false},
      {0, 100, 0, 0, false},                   {100, -1, 0, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch << " at " << c.x << ", " << c.y);
    CanvasLayout layout{-1, -1, -1, -1, -1, -1};
    EXPECT_EQ(LayOutCanvas(c.cw, c.ch, c.x, c.y, &layout), c.fits);
    if (!c.fits) {
      EXPECT_EQ(layout.width, -1) << "a refused layout is left alone";
    }
  }
}

TEST(FigureGeometry, ScaleComesFromTheSize) {
  EXPECT_EQ(ScaleForSize(IDM_SIZE_SMALL), 0.7);
  EXPECT_EQ(ScaleForSize(IDM_SIZE_NORMAL), 1.0);
  EXPECT_EQ(ScaleForSize(0), 1.0);
  EXPECT_EQ(ScaleForSize(42003), 1.0);
}

TEST(FigureGeometry, LengthsRoundTheDoubleProductHalfUp) {
  struct Case {
    double scale;
    int length;
    int expected;
  } cases[] = {
      {0.7, 155, 109},  // 108.5 exactly
      {0.7, 165, 115},  // just below 115.5
      {0.7, 215, 151},  {0.7, 150, 105}, {0.7, 230, 161}, {0.7, 300, 210},
      {0.7, 190, 133},  {0.7, 345, 241}, {1.0, 200, 200}, {1.0, 16384, 16384},
      {0.7, 1, 1},      {0.7, 16384, 11469},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.scale << " x " << c.length);
    EXPECT_EQ(ScaledLength(c.scale, c.length), c.expected);
  }
}

TEST(FigureGeometry, ClockCentreIsTheScaledCentreOfThePlacedFace) {
  struct Case {
    double scale;
    int offset;
    int expected;
  } cases[] = {
      {1.0, 0, 75},  {0.7, 0, 53},  {1.0, -30, 75}, {0.7, -30, 53}, {1.0, 20, 95},
      {0.7, 20, 67}, {1.0, 40, 115}, {0.7, 40, 81}, {0.7, -25, 53}, {1.0, -25, 75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.scale << " with offset " << c.offset);
    EXPECT_EQ(ClockCentreCoordinate(c.scale, c.offset), c.expected);
  }
}

constexpr Pixel kKey = kCanvasMagenta;

TEST(CoverageScale, EqualSizesCopyExactly) {
  std::mt19937 random(7);
  PixelBuffer source = Filled(37, 23, 0);
  for (int i = 0; i < 37 * 23; ++i) source.data()[i] = random() & 0x00FFFFFF;
  source.data()[5] = kKey;
  PixelBuffer target = Filled(37, 23, 0);
  ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
  EXPECT_EQ(std::vector<Pixel>(source.data(), source.data() + 37 * 23),
            std::vector<Pixel>(target.data(), target.data() + 37 * 23));
}

TEST(CoverageScale, TwoByTwoToOneAveragesTheFigureAndKeepsItFromHalfOn) {
  struct Case {
    Pixel pixels[4];
    Pixel expected;
  } cases[] = {
      {{0x00FF0000, 0x0000FF00, 0x000000FF, 0x00FFFFFF}, 0x00808080},  // 510 / 4 = 127.5, rounded up
      {{0x00FF0000, 0x0000FF00, 0x000000FF, kKey}, 0x00555555},        // three of four: the key is left out
      {{0x00FF0000, kKey, 0x000000FF, kKey}, 0x00800080},              // exactly half is figure
      {{kKey, kKey, 0x000000FF, kKey}, kKey},                          // a quarter is not
      {{kKey, kKey, kKey, kKey}, kKey},
  };
  for (const Case& c : cases) {
    PixelBuffer source = Filled(2, 2, 0);
    std::copy(std::begin(c.pixels), std::end(c.pixels), source.data());
    PixelBuffer target = Filled(1, 1, 0);
    ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
    EXPECT_EQ(target.view().At(0, 0), c.expected) << std::hex << c.pixels[0] << " " << c.pixels[1] << " "
                                                  << c.pixels[2] << " " << c.pixels[3];
  }
}

TEST(CoverageScale, PartlyCoveredPixelsCountByTheirCoveredPart) {
  // Three source columns into two: target 0 covers column 0 and half of
  // column 1, target 1 the other half of column 1 and column 2.
  PixelBuffer source = Filled(3, 1, 0);
  source.view().At(0, 0) = 0x000000F0;
  source.view().At(1, 0) = 0x00000030;
  source.view().At(2, 0) = 0x00000000;
  PixelBuffer target = Filled(2, 1, 0);
  ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
  EXPECT_EQ(target.view().At(0, 0), static_cast<Pixel>((0xF0 * 2 + 0x30 + 1) / 3));  // 528 / 3 = 176
  EXPECT_EQ(target.view().At(1, 0), static_cast<Pixel>(0x30 / 3));                   // 16

  // With the middle column transparent, each side is two thirds figure, of one colour.
  source.view().At(1, 0) = kKey;
  ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
  EXPECT_EQ(target.view().At(0, 0), 0x000000F0u);
  EXPECT_EQ(target.view().At(1, 0), 0x00000000u);
}

TEST(CoverageScale, AUniformPictureStaysUniformAtAnySize) {
  const Pixel colour = 0x00123456;
  const PixelBuffer source = Filled(230, 300, colour);
  for (int width : {161, 1, 229, 7}) {
    for (int height : {210, 1, 299, 13}) {
      PixelBuffer target = Filled(width, height, 0);
      ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
      for (int i = 0; i < width * height; ++i) ASSERT_EQ(target.data()[i], colour) << width << "x" << height;
    }
  }
}

TEST(CoverageScale, EdgesTakeNoKeyColourAndTheOutlineIsTheCoverage) {
  // A green disc on magenta, reduced by 0.7 as the small size does.
  PixelBuffer source = Filled(61, 47, kKey);
  for (int y = 0; y < 47; ++y)
    for (int x = 0; x < 61; ++x)
      if ((x - 30) * (x - 30) + (y - 23) * (y - 23) <= 20 * 20) source.view().At(x, y) = 0x0000C000;
  const int width = ScaledLength(0.7, 61), height = ScaledLength(0.7, 47);
  PixelBuffer target = Filled(width, height, 0);
  ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
  int figurePixels = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const CoveredFigure cover = CoverTargetPixel(source.view(), kKey, width, height, x, y);
      const Pixel out = target.view().At(x, y);
      EXPECT_EQ(out != kKey, cover.IsFigure()) << "at " << x << ", " << y;
      if (out != kKey) {
        EXPECT_EQ(out, 0x0000C000u) << "at " << x << ", " << y << ": no mixture with the key";
      }
      figurePixels += out != kKey;
    }
  }
  EXPECT_GT(figurePixels, 350);  // about pi * 14^2 = 616
}

TEST(CoverageScale, AnAverageThatLandsOnTheKeyIsSteppedOff) {
  PixelBuffer source = Filled(2, 1, 0);
  source.view().At(0, 0) = 0x00FF00FE;
  source.view().At(1, 0) = 0x00FF0100;  // their average is exactly magenta
  PixelBuffer target = Filled(1, 1, 0);
  ASSERT_TRUE(ScaleByCoverage(source.view(), kKey, target.view()));
  const Pixel out = target.view().At(0, 0);
  EXPECT_NE(out, kKey);
  const CoveredFigure cover = CoverTargetPixel(source.view(), kKey, 1, 1, 0, 0);
  EXPECT_TRUE(cover.InRange(out)) << std::hex << out;
}

TEST(PixelBuffer, RefusesSizesBeyondTheLimitBeforeAllocating) {
  PixelBuffer buffer;
  EXPECT_FALSE(buffer.Allocate(kMaxPictureSide + 1, 1, 0));
  EXPECT_FALSE(buffer.Allocate(1, kMaxPictureSide + 1, 0));
  EXPECT_FALSE(buffer.Allocate(0, 1, 0));
  EXPECT_FALSE(buffer.Allocate(INT_MAX, INT_MAX, 0));
  EXPECT_TRUE(buffer.empty());
  EXPECT_TRUE(buffer.Allocate(kMaxPictureSide, 1, 5));
  EXPECT_EQ(buffer.width(), kMaxPictureSide);
}

struct FigureCase {
  int cw, ch, x, y;
  int size;
  int width, height, cx, cy;
};

TEST(ComposeFigure, WindowSizeAndClockCentre) {
  const FigureCase cases[] = {
      {200, 300, 0, 0, IDM_SIZE_NORMAL, 200, 300, 75, 75},
      {100, 100, 0, 0, IDM_SIZE_SMALL, 105, 105, 53, 53},
      {200, 300, -30, 20, IDM_SIZE_NORMAL, 230, 300, 75, 95},
      {200, 300, -30, 20, IDM_SIZE_SMALL, 161, 210, 53, 67},
      {180, 320, 40, -25, IDM_SIZE_NORMAL, 190, 345, 115, 75},
      {180, 320, 40, -25, IDM_SIZE_SMALL, 133, 241, 81, 53},
      {155, 165, 0, 0, IDM_SIZE_SMALL, 109, 115, 53, 53},
      {215, 100, 0, 0, IDM_SIZE_SMALL, 151, 105, 53, 53},
  };
  const PixelBuffer face = Filled(150, 150, 0x00FFFFFF);
  for (const FigureCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.cw << "x" << c.ch << " at " << c.x << ", " << c.y << " size "
                                    << c.size);
    const PixelBuffer character = Filled(c.cw, c.ch, 0x00010203);
    Figure figure;
    ASSERT_TRUE(ComposeFigure({face.view(), character.view(), c.x, c.y, 0}, ScaleForSize(c.size), &figure));
    EXPECT_EQ(figure.picture.width(), c.width);
    EXPECT_EQ(figure.picture.height(), c.height);
    EXPECT_EQ(figure.xClockCenter, c.cx);
    EXPECT_EQ(figure.yClockCenter, c.cy);
    EXPECT_EQ(figure.pictureFactor, ScaleForSize(c.size));
  }
}

TEST(ComposeFigure, OverlapShowsThePictureDrawnLast) {
  PixelBuffer face = Filled(150, 150, 0x00000000);  // key black
  for (int y = 10; y < 140; ++y)
    for (int x = 10; x < 140; ++x) face.view().At(x, y) = 0x00FFFFFF;
  PixelBuffer character = Filled(200, 300, 0x0000FF00);  // key green everywhere but a block
  for (int y = 50; y < 250; ++y)
    for (int x = 50; x < 150; ++x) character.view().At(x, y) = 0x00800000;

  for (int onTop : {0, 1}) {
    SCOPED_TRACE(onTop);
    Figure figure;
    ASSERT_TRUE(ComposeFigure({face.view(), character.view(), 0, 0, onTop}, 1.0, &figure));
    const ConstPixelView picture = figure.picture.view();
    EXPECT_EQ(picture.At(100, 100), onTop ? 0x00FFFFFFu : 0x00800000u) << "where both are opaque";
    EXPECT_EQ(picture.At(20, 20), 0x00FFFFFFu) << "face only";
    EXPECT_EQ(picture.At(100, 200), 0x00800000u) << "character only";
    EXPECT_EQ(picture.At(0, 0), kCanvasMagenta) << "neither";
    EXPECT_EQ(picture.At(199, 299), kCanvasMagenta);
  }
}

TEST(ComposeFigure, FaceBeyondItsSquareIsCutAtTheCanvas) {
  PixelBuffer face = Filled(400, 400, 0x00000001);
  face.view().At(0, 0) = 0;  // key
  const PixelBuffer character = Filled(100, 100, 0);
  Figure figure;
  ASSERT_TRUE(ComposeFigure({face.view(), character.view(), 10, 10, 1}, 1.0, &figure));
  EXPECT_EQ(figure.picture.width(), 160);
  EXPECT_EQ(figure.picture.height(), 160);
  EXPECT_EQ(figure.picture.view().At(159, 159), 1u);
  EXPECT_EQ(figure.xClockCenter, 85);
}

TEST(ComposeFigure, ReducedCornerKeepsTheBackgroundColour) {
  const PixelBuffer face = Filled(150, 150, 0);  // all key: only the character shows
  PixelBuffer character = Filled(100, 100, 0x0000FF00);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x)
      if (x + y > 0) character.view().At(x, y) = 0x00000080;  // opaque all round the corner
  Figure figure;
  ASSERT_TRUE(ComposeFigure({face.view(), character.view(), 0, 0, 0}, 0.7, &figure));
  const ConstPixelView picture = figure.picture.view();
  EXPECT_EQ(picture.At(0, 0), kCanvasMagenta) << "the corner still names the background";
  EXPECT_EQ(picture.At(1, 0), 0x00000080u) << "the figure's edge keeps its own colour";
  EXPECT_EQ(picture.At(50, 50), kCanvasMagenta);

  // At full size an opaque corner is the key, as before.
  character.view().At(0, 0) = 0x00000080;
  ASSERT_TRUE(ComposeFigure({face.view(), character.view(), 0, 0, 0}, 1.0, &figure));
  EXPECT_EQ(figure.picture.view().At(0, 0), kCanvasMagenta) << "the character's own corner is its key";
}

TEST(ComposeFigure, PicturesWithTheirOwnKeysKeepEveryFigurePixel) {
  // A character keyed by a colour of its own choosing whose corner is
  // figure, with a magenta pixel, and a face keyed by its corner.
  constexpr Pixel characterKey = 0x00000001;
  PixelBuffer character = Filled(100, 100, characterKey);
  for (int x = 0; x < 100; ++x) character.view().At(x, 10) = 0x00000000;  // a black line
  character.view().At(0, 0) = 0x0000FF00;
  character.view().At(1, 0) = kCanvasMagenta;
  const PixelBuffer face = Filled(150, 150, 0x00FFFFFF);

  Figure figure;
  FigurePictures pictures{face.view(), character.view(), 200, 200, 0};
  pictures.characterKey = characterKey;
  ASSERT_TRUE(ComposeFigure(pictures, 1.0, &figure));
  const ConstPixelView picture = figure.picture.view();
  const Pixel key = picture.At(0, 0);
  EXPECT_NE(key, kCanvasMagenta) << "magenta is a figure colour here";
  EXPECT_EQ(picture.At(1, 0), kCanvasMagenta) << "so it shows";
  EXPECT_EQ(picture.At(50, 10), 0x00000000u) << "the black line stays";
  EXPECT_EQ(picture.At(50, 50), key);
  EXPECT_EQ(picture.At(299, 299), key) << "the face keyed by its corner shows nothing";
  int keyPixels = 0;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) keyPixels += picture.At(x, y) == key;
  EXPECT_EQ(keyPixels, 350 * 350 - 100 - 1) << "the line and the magenta pixel are figure, the rest is key";
}

TEST(ComposeFigure, FailureLeavesTheFigureAlone) {
  const PixelBuffer face = Filled(150, 150, 0);
  const PixelBuffer character = Filled(100, 100, 0);
  Figure figure;
  figure.pictureFactor = 0.5;
  figure.xClockCenter = 9;
  EXPECT_FALSE(ComposeFigure({face.view(), character.view(), INT_MAX, 0, 0}, 1.0, &figure));
  EXPECT_FALSE(ComposeFigure({face.view(), character.view(), 0, INT_MIN, 0}, 0.7, &figure));
  EXPECT_FALSE(ComposeFigure({ConstPixelView{}, character.view(), 0, 0, 0}, 1.0, &figure));
  EXPECT_FALSE(ComposeFigure({face.view(), ConstPixelView{}, 0, 0, 0}, 1.0, &figure));
  EXPECT_TRUE(figure.picture.empty());
  EXPECT_EQ(figure.pictureFactor, 0.5);
  EXPECT_EQ(figure.xClockCenter, 9);
}

}  // namespace
