// The outline's runs, the progress values sent while it is built, and the
// progress window's place.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "mascot/shape_progress.h"
#include "mascot/shape_runs.h"
#include "pictures/pixel_buffer.h"

namespace {

constexpr Pixel kKey = 0x00FF00FF;

PixelBuffer Picture(int width, int height) {
  PixelBuffer buffer;
  EXPECT_TRUE(buffer.Allocate(width, height, kKey));
  return buffer;
}

// Pixel by pixel: whether (x, y) is part of the figure.
std::vector<bool> MaskOf(ConstPixelView picture) {
  std::vector<bool> mask;
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x) mask.push_back(picture.At(x, y) != picture.At(0, 0));
  return mask;
}

// The same from the runs, checking on the way that they are ordered,
// non-empty, inside the picture and never touching one another.
std::vector<bool> MaskOfRuns(const std::vector<ShapeRun>& runs, int width, int height) {
  std::vector<bool> mask(static_cast<std::size_t>(width) * height, false);
  const ShapeRun* previous = nullptr;
  for (const ShapeRun& run : runs) {
    EXPECT_LT(run.left, run.right);
    EXPECT_GE(run.left, 0);
    EXPECT_LE(run.right, width);
    EXPECT_GE(run.y, 0);
    EXPECT_LT(run.y, height);
    if (previous != nullptr) {
      EXPECT_GE(run.y, previous->y);
      if (run.y == previous->y) {
        EXPECT_GT(run.left, previous->right) << "runs of a row touch";
      }
    }
    for (int x = run.left; x < run.right; ++x) mask[static_cast<std::size_t>(run.y) * width + x] = true;
    previous = &run;
  }
  return mask;
}

TEST(ShapeRuns, RowsFromTheRules) {
  const Pixel o = 0x00000000;
  const Pixel k = kKey;
  struct Case {
    const char* name;
    std::vector<Pixel> row;
    std::vector<ShapeRun> expected;
  } cases[] = {
      {"no key pixel gives one full-width run", {o, o, o, o}, {{0, 4, 0}}},
      {"key only gives none", {k, k, k, k}, {}},
      {"alternating gives one-pixel runs", {k, o, k, o, k, o}, {{1, 2, 0}, {3, 4, 0}, {5, 6, 0}}},
      {"a run reaching the right edge ends at the width", {k, k, o, o}, {{2, 4, 0}}},
      {"a run from the left edge starts at 0", {o, o, k, k}, {{0, 2, 0}}},
      {"colours that differ from the key all count", {k, 1, 2, k, k, 0x00FF00FE}, {{1, 3, 0}, {5, 6, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<ShapeRun> runs;
    AppendRowRuns(c.row.data(), static_cast<int>(c.row.size()), kKey, 0, &runs);
    EXPECT_EQ(runs, c.expected);
  }
}

TEST(ShapeRuns, TheCornerPixelIsTheKeyWhateverItsColour) {
  PixelBuffer picture = Picture(4, 2);
  picture.view().At(0, 0) = 0x00112233;  // a picture covering the corner
  picture.view().At(2, 0) = 0x00112233;
  picture.view().At(3, 1) = 0x00112233;
  const std::vector<ShapeRun> expected = {{1, 2, 0}, {3, 4, 0}, {0, 3, 1}};
  EXPECT_EQ(FindShapeRuns(picture.view()), expected) << "the magenta stays part of the window";
}

TEST(ShapeRuns, MatchAPixelMaskOnFixedAndRandomPictures) {
  std::vector<PixelBuffer> pictures;
  pictures.push_back(Picture(1, 1));
  pictures.push_back(Picture(7, 3));
  {
    PixelBuffer ring = Picture(9, 9);
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 9; ++x)
        if ((x - 4) * (x - 4) + (y - 4) * (y - 4) <= 16 && (x - 4) * (x - 4) + (y - 4) * (y - 4) >= 4)
          ring.view().At(x, y) = 0x00405060;
    pictures.push_back(std::move(ring));
  }
  std::mt19937 random(20240601);
  for (int i = 0; i < 40; ++i) {
    PixelBuffer noise = Picture(1 + static_cast<int>(random() % 61), 1 + static_cast<int>(random() % 23));
    const unsigned density = random() % 100;
    for (int p = 0; p < noise.width() * noise.height(); ++p) {
      if (random() % 100 < density) noise.data()[p] = random() % 4;  // colours 0..3, never the key
    }
    pictures.push_back(std::move(noise));
  }
  for (const PixelBuffer& picture : pictures) {
    SCOPED_TRACE(testing::Message() << picture.width() << "x" << picture.height());
    const std::vector<ShapeRun> runs = FindShapeRuns(picture.view());
    EXPECT_EQ(MaskOfRuns(runs, picture.width(), picture.height()), MaskOf(picture.view()));
  }
}

// Rows after which a new value goes to the bar, with the value.
std::vector<std::pair<int, int>> SentValues(int height) {
  std::vector<std::pair<int, int>> sent;
  ProgressCounter counter;
  for (int y = 0; y < height; ++y) {
    if (const int value = counter.AfterRow(y, height); value != 0) sent.emplace_back(y, value);
  }
  return sent;
}

TEST(ShapeProgress, Height105SendsEveryStepOnce) {
  const auto sent = SentValues(105);
  ASSERT_EQ(sent.size(), 20u);
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(sent[i].second, 5 * (i + 1));
    EXPECT_EQ(sent[i].first, i == 0 ? 0 : (105 * i + 19) / 20) << "the first row whose value is new";
  }
  EXPECT_EQ(sent.front(), std::make_pair(0, 5));
  EXPECT_EQ(sent.back(), std::make_pair(100, 100));
}

TEST(ShapeProgress, Height300Reaches100AfterRow285) {
  const auto sent = SentValues(300);
  ASSERT_EQ(sent.size(), 20u);
  EXPECT_EQ(sent.front(), std::make_pair(0, 5));
  EXPECT_EQ(sent.back(), std::make_pair(285, 100));
}

TEST(ShapeProgress, ValueIsFiveTimesOnePlusTheQuotient) {
  for (int height : {1, 2, 7, 19, 20, 21, 105, 150, 241, 300, 1400, 16384}) {
    for (int y = 0; y < height; ++y) {
      ASSERT_EQ(ProgressAfterRow(y, height), 5 * (1 + 20 * y / height)) << y << " of " << height;
    }
    const auto sent = SentValues(height);
    EXPECT_LE(sent.size(), 20u);
    EXPECT_EQ(sent.front().second, 5);
    EXPECT_EQ(sent.front().first, 0);
  }
}

TEST(ShapeProgress, CentresOverTheParent) {
  struct Case {
    ScreenRect window;
    ScreenRect parent;
    ScreenPoint expected;
  } cases[] = {
      {{0, 0, 160, 50}, {1000, 200, 1150, 400}, {995, 275}},
      {{10, 10, 170, 60}, {1000, 200, 1150, 400}, {995, 275}},  // its own place does not matter
      {{0, 0, 160, 51}, {-300, -100, -150, 0}, {-305, -75}},    // -151 / 2 truncates toward zero
      {{0, 0, 21, 21}, {0, 0, 0, 0}, {-10, -10}},
  };
  for (const Case& c : cases) {
    const ScreenPoint corner = CentreOver(c.window, c.parent);
    EXPECT_EQ(corner.x, c.expected.x);
    EXPECT_EQ(corner.y, c.expected.y);
  }
}

}  // namespace
