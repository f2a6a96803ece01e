// Character load times: a large figure (about 1000 x 1400 canvas, ragged
// outline, several runs per row) at both sizes and a demo-sized figure,
// against the pixel-at-a-time outline (GetPixel, one CombineRgn per run) on
// the same picture.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/gdi_handles_win32.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_runs.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/test_pictures.h"

namespace {

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The outline built the slow way: every pixel read with GetPixel, every run
// added as its own region.
HRGN ReferenceShapeRegion(HBITMAP picture, int width, int height) {
  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  const ScopedMemoryDC memory(screen.get());
  const ScopedSelectObject selected(memory.get(), picture);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const COLORREF key = GetPixel(memory.get(), 0, 0);
  for (int y = 0; y < height; ++y) {
    int start = -1;
    for (int x = 0; x < width; ++x) {
      const bool figure = GetPixel(memory.get(), x, y) != key;
      if (figure && start < 0) start = x;
      if (!figure && start >= 0) {
        const ScopedRegion run(CreateRectRgn(start, y, x, y + 1));
        CombineRgn(region, region, run.get(), RGN_OR);
        start = -1;
      }
    }
    if (start >= 0) {
      const ScopedRegion run(CreateRectRgn(start, y, width, y + 1));
      CombineRgn(region, region, run.get(), RGN_OR);
    }
  }
  return region;
}

// The fastest of `repeats` loads of the current choice, in ms.
double TimeLoads(HWND hwnd, int repeats) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const double start = NowMs();
    if (LoadCharacter(hwnd) != 1) {
      std::printf("load failed\n");
      return -1;
    }
    best = std::min(best, NowMs() - start);
    PumpMessages(50);
  }
  return best;
}

struct Row {
  const char* what;
  double loadMs;
  double shapeMs;
  double referenceMs;
  double extCreateMs;
  double polygonMs;
  std::size_t runs;
  int width;
  int height;
};

// The fastest of three runs of `make`, which returns a region to delete.
template <typename Make>
double TimeRegion(Make make) {
  double best = 1e30;
  for (int i = 0; i < 3; ++i) {
    const double start = NowMs();
    DeleteObject(make());
    best = std::min(best, NowMs() - start);
  }
  return best;
}

// The same runs as one polygon each, in one call: a comparison for the
// region call alone.
HRGN PolygonRegion(const std::vector<ShapeRun>& runs) {
  std::vector<POINT> points;
  std::vector<INT> counts(runs.size(), 4);
  for (const ShapeRun& run : runs) {
    points.push_back({run.left, run.y});
    points.push_back({run.right, run.y});
    points.push_back({run.right, run.y + 1});
    points.push_back({run.left, run.y + 1});
  }
  return CreatePolyPolygonRgn(points.data(), counts.data(), static_cast<int>(counts.size()), ALTERNATE);
}

}  // namespace

int main() {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  const PixelBuffer face = MakeTestFace();
  const PixelBuffer large = MakeTestCharacter(1000, 1400, 0x0000FF00, 0x00C08040, 4, 1);
  const PixelBuffer demo = MakeTestCharacter(250, 350, 0x0000FF00, 0x004080C0, 2, 2);
  WriteFileBytes(folder.File("face.bmp"), BmpBytes(face.view()));
  WriteFileBytes(folder.File("large.bmp"), BmpBytes(large.view()));
  WriteFileBytes(folder.File("demo.bmp"), BmpBytes(demo.view()));
  WriteFileBytes(folder.File("Tavelin.ini"),
                 "[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\n"
                 "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=large.bmp\r\nxPosFace=420\r\nyPosFace=-30\r\n"
                 "fFaceOnChara=1\r\n"
                 "[Belmoa]\r\nFileNameFace=face.bmp\r\nFileNameChara=demo.bmp\r\nxPosFace=-20\r\nyPosFace=40\r\n");
  HWND hwnd = StartClock();
  if (hwnd == nullptr) {
    std::printf("the clock window could not be made\n");
    return 1;
  }

  struct Choice {
    const char* what;
    int nChara;
    int nSize;
    int repeats;
  } choices[] = {
      {"large, normal size", IDM_CHARA_FIRST, IDM_SIZE_NORMAL, 5},
      {"large, small size", IDM_CHARA_FIRST, IDM_SIZE_SMALL, 5},
      {"demo-sized, normal size", IDM_CHARA_FIRST + 1, IDM_SIZE_NORMAL, 20},
      {"demo-sized, small size", IDM_CHARA_FIRST + 1, IDM_SIZE_SMALL, 20},
  };
  std::vector<Row> rows;
  for (const Choice& choice : choices) {
    g_state.nChara = choice.nChara;
    g_state.nSize = choice.nSize;
    Row row{choice.what, TimeLoads(hwnd, choice.repeats), 0, 0, 0, 0, 0, g_state.nWindowWidth, g_state.nWindowHeight};
    row.shapeMs = TimeRegion([&] { return BuildShapeRegion(hwnd, g_state.hbmMascot); });

    const double start = NowMs();
    const ScopedRegion reference(ReferenceShapeRegion(g_state.hbmMascot, row.width, row.height));
    row.referenceMs = NowMs() - start;
    if (!EqualRgn(reference.get(), g_state.hrgnShape)) std::printf("%s: the two outlines differ!\n", choice.what);

    PixelBuffer pixels;
    {
      const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
      ReadBitmapPixels(screen.get(), g_state.hbmMascot, &pixels);
    }
    const std::vector<ShapeRun> runs = FindShapeRuns(pixels.view());
    row.runs = runs.size();
    row.extCreateMs = TimeRegion([&] { return CreateRegionFromRuns(runs); });
    row.polygonMs = TimeRegion([&] { return PolygonRegion(runs); });
    rows.push_back(row);
  }
  CloseClock(hwnd);

  std::printf("%-36s %8s %8s %10s %9s %9s %6s %10s %10s\n", "figure (window size)", "load", "outline",
              "reference", "speed-up", "speed-up", "runs", "ExtCreate", "PolyPoly");
  std::printf("%-36s %8s %8s %10s %9s %9s %6s %10s %10s\n", "", "ms", "ms", "outline ms", "load", "outline", "",
              "Region ms", "Rgn ms");
  for (const Row& row : rows) {
    char name[64];
    std::snprintf(name, sizeof name, "%s (%dx%d)", row.what, row.width, row.height);
    std::printf("%-36s %8.2f %8.2f %10.1f %8.1fx %8.1fx %6zu %10.2f %10.2f\n", name, row.loadMs, row.shapeMs,
                row.referenceMs, row.referenceMs / row.loadMs, row.referenceMs / row.shapeMs, row.runs,
                row.extCreateMs, row.polygonMs);
  }
  std::printf("targets: large figure at least 100x faster than the reference; demo-sized load under 20 ms\n");
  return 0;
}
