// The outline's runs: ordered, disjoint and maximal, inside the picture, and
// together exactly the pixels that differ from the key; the progress values
// sent while they are built.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "mascot/shape_progress.h"
#include "mascot/shape_runs.h"

namespace {

// Runs of one picture against a brute-force mask of its non-key pixels.
FUZZ_ORACLE void CheckRuns(const std::vector<ShapeRun>& runs, std::size_t first, FencedPicture& picture, Pixel key) {
  const int width = picture.width();
  std::vector<char> covered(static_cast<std::size_t>(width) * picture.height(), 0);
  for (std::size_t i = first; i < runs.size(); ++i) {
    const ShapeRun& run = runs[i];
    FUZZ_REQUIRE(run.y >= 0 && run.y < picture.height());
    FUZZ_REQUIRE(run.left >= 0 && run.left < run.right && run.right <= width);
    if (i > first) {
      const ShapeRun& previous = runs[i - 1];
      FUZZ_REQUIRE(run.y >= previous.y);
      // Maximal runs: two on one row have at least one key pixel between them.
      if (run.y == previous.y) FUZZ_REQUIRE(run.left > previous.right);
    }
    for (int x = run.left; x < run.right; ++x) covered[static_cast<std::size_t>(run.y) * width + x] = 1;
  }
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < width; ++x) {
      FUZZ_REQUIRE((covered[static_cast<std::size_t>(y) * width + x] != 0) == (picture.At(x, y) != key));
    }
  }
}

FUZZ_ORACLE void CheckProgress(int height) {
  ProgressCounter counter;
  int last = 0;
  int sent = 0;
  for (int y = 0; y < height; ++y) {
    const int value = counter.AfterRow(y, height);
    if (y == 0) FUZZ_REQUIRE(value == 5);
    if (value == 0) continue;
    FUZZ_REQUIRE(value % 5 == 0 && value > last && value <= 100);
    last = value;
    ++sent;
  }
  // Every window is at least 105 rows high; from 20 rows on, each of the
  // twenty values is sent exactly once and the last row brings 100.
  if (height >= 20) FUZZ_REQUIRE(sent == 20 && last == 100 && ProgressAfterRow(height - 1, height) == 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool wide = in.ConsumeBool();
  const int width = wide ? in.ConsumeIntegralInRange(0, 4000) : in.ConsumeIntegralInRange(0, 40);
  const int height = wide ? in.ConsumeIntegralInRange(0, 3) : in.ConsumeIntegralInRange(0, 24);
  const std::vector<Pixel> palette = ConsumePalette(in);
  // Guards of a non-key colour would lengthen a run read past the row's end.
  FencedPicture picture(width, height, in.ConsumeIntegralInRange(0, 3), ~palette[0]);
  picture.Fill(in, palette);
  if (width > 0 && height > 0) {
    // Long stretches of one colour, as pictures have.
    const int stretches = in.ConsumeIntegralInRange(0, 6);
    for (int s = 0; s < stretches; ++s) {
      const int y = in.ConsumeIntegralInRange(0, height - 1);
      const int left = in.ConsumeIntegralInRange(0, width - 1);
      const int right = in.ConsumeIntegralInRange(left, width - 1);
      const Pixel colour = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];
      for (int x = left; x <= right; ++x) picture.At(x, y) = colour;
    }
  }

  const std::vector<ShapeRun> runs = FindShapeRuns(picture.const_view());
  if (width == 0 || height == 0) {
    FUZZ_REQUIRE(runs.empty());
  } else {
    CheckRuns(runs, 0, picture, picture.At(0, 0));
  }

  // Row by row with another key, appended after runs already there.
  const Pixel key = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)];
  std::vector<ShapeRun> appended = {{-7, -3, -1}};
  for (int y = 0; y < height; ++y) AppendRowRuns(picture.view().Row(y), width, key, y, &appended);
  FUZZ_REQUIRE(appended[0] == (ShapeRun{-7, -3, -1}));
  CheckRuns(appended, 1, picture, key);
  FUZZ_REQUIRE(picture.GuardsIntact());

  CheckProgress(in.ConsumeIntegralInRange(1, kMaxPictureSide));
  return 0;
}
