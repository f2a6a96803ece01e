// Character load times, step by step: a large figure (about 1000 x 1400
// canvas, ragged outline, several runs per row), a demo-sized one and a small
// one (a 120 x 120 character with its 150 x 150 face), at both sizes. Each
// step of one load is timed on its own (the best of several runs). Where a
// step could be done another way, that way is measured too, in the same run,
// and named in the step: pictures through LoadImageA with the bitmap read
// back, runs found in MascotBitmap read back, the outline made by
// ExtCreateRegion, and the window shown with its outline already set. Steps
// without another way show "-" in its column. The last lines are the whole LoadCharacter with its
// first paint, measured, and the large figure's time against the small one's.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "desktop/placement_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_runs.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/test_pictures.h"

#include "bench_timing.h"

namespace {

// The outline made by ExtCreateRegion: every run one rectangle of the
// region data, which Wine adds one at a time.
HRGN ExtCreateRegionFromRuns(const std::vector<ShapeRun>& runs) {
  std::vector<unsigned char> storage(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(storage.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(runs.size());
  data->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  RECT bounds = {0, 0, 0, 0};
  auto* rects = reinterpret_cast<RECT*>(storage.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    rects[i] = {runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
    UnionRect(&bounds, &bounds, &rects[i]);
  }
  data->rdh.rcBound = bounds;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(storage.size()), data);
}

// The region of the runs added one at a time, the reference both must equal.
HRGN RegionOneRunAtATime(const std::vector<ShapeRun>& runs) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (const ShapeRun& run : runs) {
    const ScopedRegion piece(CreateRectRgn(run.left, run.y, run.right, run.y + 1));
    CombineRgn(region, region, piece.get(), RGN_OR);
  }
  return region;
}

struct Step {
  const char* name;
  double other;  // the other way the step names; negative: none
  double clock;  // the clock's own way
};

struct Choice {
  const char* what;
  const char* face;
  const char* character;
  int x;
  int y;
  int nSize;
  int repeats;
};

// Every step of one load of `choice`, the clock's way and any other.
std::vector<Step> MeasureSteps(HWND hwnd, const Choice& choice, bool* regionsEqual, std::size_t* runCount) {
  const ScopedPictureReader reader;
  std::vector<Step> steps;
  const int n = choice.repeats;

  std::string faceBytes;
  std::string characterBytes;
  const double reading = BestOf(n, [&] {
    ReadRegularFile(choice.face, kMaxPictureFileBytes, &faceBytes);
    ReadRegularFile(choice.character, kMaxPictureFileBytes, &characterBytes);
  });
  DecodedPicture face;
  DecodedPicture character;
  Pixel faceKey = 0;
  Pixel characterKey = 0;
  const double decoding = BestOf(n, [&] {
    DecodePictureBytes(&faceBytes, &face);
    DecodePictureBytes(&characterBytes, &character);
  });
  // Keying changes the pixels in place, so it is timed on copies.
  const PixelBuffer faceDecoded = face.pixels;
  const PixelBuffer characterDecoded = character.pixels;
  const double copying = BestOf(n, [&] {
    face.pixels = faceDecoded;
    character.pixels = characterDecoded;
  });
  const double keying = BestOf(n, [&] {
    face.pixels = faceDecoded;
    character.pixels = characterDecoded;
    faceKey = KeyPicture(face.pixels.view());
    characterKey = KeyPicture(character.pixels.view());
  });
  const double loadImage = BestOf(n, [&] {
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    for (const char* name : {choice.face, choice.character}) {
      const ScopedBitmap bitmap(
          static_cast<HBITMAP>(LoadImageA(nullptr, name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
      PixelBuffer pixels;
      ReadBitmapPixels(screen.get(), bitmap.get(), &pixels);
    }
  });
  steps.push_back({"reading", -1, reading});
  steps.push_back({"decoding (other way: LoadImageA, read back)", loadImage, decoding});
  steps.push_back({"keying", -1, std::max(keying - copying, 0.0)});

  FigurePictures pictures{};
  pictures.face = face.pixels.view();
  pictures.character = character.pixels.view();
  pictures.faceKey = faceKey;
  pictures.characterKey = characterKey;
  pictures.xPosFace = choice.x;
  pictures.yPosFace = choice.y;
  Figure figure;
  const double composition = BestOf(n, [&] { ComposeFigure(pictures, 1.0, &figure); });
  const double composed = BestOf(n, [&] { ComposeFigure(pictures, ScaleForSize(choice.nSize), &figure); });
  const KeyedView parts[] = {{pictures.face, faceKey}, {pictures.character, characterKey}};
  const double keySearch = BestOf(n, [&] { (void)FindFreeKey(parts); });
  steps.push_back({"key search on its own (the clock: while composing)", keySearch, 0});
  steps.push_back({"composition", -1, composition});
  const double scaling = std::max(composed - composition, 0.0);
  steps.push_back({"scaling", -1, scaling});

  ScopedBitmap mascot;
  const double bitmap = BestOf(n, [&] {
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    mascot.reset(CreateBitmapFromPixels(screen.get(), figure.picture.view()));
  });
  steps.push_back({"MascotBitmap", -1, bitmap});

  std::vector<ShapeRun> runs;
  const double readBackRuns = BestOf(n, [&] {
    PixelBuffer pixels;
    {
      const ScopedWindowDC windowDC = ScopedWindowDC::Whole(hwnd);
      ReadBitmapPixels(windowDC.get(), mascot.get(), &pixels);
    }
    runs = FindShapeRuns(pixels.view());
  });
  const double findRuns = BestOf(n, [&] { runs = FindShapeRuns(figure.picture.view()); });
  steps.push_back({"runs (other way: MascotBitmap read back)", readBackRuns, findRuns});
  *runCount = runs.size();

  const double extCreate = BestOf(n, [&] { DeleteObject(ExtCreateRegionFromRuns(runs)); });
  const double oneCall = BestOf(n, [&] { DeleteObject(CreateRegionFromRuns(runs)); });
  steps.push_back({"region call (other way: ExtCreateRegion)", extCreate, oneCall});
  {
    const ScopedRegion reference(RegionOneRunAtATime(runs));
    const ScopedRegion byExtCreate(ExtCreateRegionFromRuns(runs));
    const ScopedRegion byOneCall(CreateRegionFromRuns(runs));
    *regionsEqual = EqualRgn(reference.get(), byExtCreate.get()) && EqualRgn(reference.get(), byOneCall.get());
  }

  // The outline is built while the figure is hidden.
  ShowWindow(hwnd, SW_HIDE);
  const double progress = BestOf(n, [&] {
    HWND window = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PROGRESS), hwnd, ProgressDialogProc, 0);
    ShowWindow(window, SW_SHOW);
    for (int value = 5; value <= 100; value += 5) {
      SendDlgItemMessageA(window, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(value), 0);
      UpdateWindow(window);
    }
    DestroyWindow(window);
  });
  steps.push_back({"progress window", -1, progress});

  // The window calls of a load and the first paint that follows them. Shown
  // with its outline set, a window of a detailed outline takes long under
  // Wine; shown with an empty one and given its outline at once, it does not.
  const ScopedRegion outline(CreateRegionFromRuns(runs));
  const auto giveOutline = [&] {
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, outline.get(), nullptr, RGN_COPY);
    if (!SetWindowRgn(hwnd, copy, FALSE)) DeleteObject(copy);
  };
  const auto windowCalls = [&](bool outlineFirst) {
    return BestOf(n, [&] {
      ShowWindow(hwnd, SW_HIDE);
      SetWindowPos(hwnd, nullptr, 0, 0, figure.picture.width(), figure.picture.height(),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS);
      if (outlineFirst) {
        giveOutline();
      } else {
        SetWindowRgn(hwnd, CreateRectRgn(0, 0, 0, 0), FALSE);
      }
      ClampToScreen(hwnd);
      ShowWindow(hwnd, SW_SHOW);
      if (!outlineFirst) giveOutline();
      InvalidateRect(hwnd, nullptr, FALSE);  // the whole figure asked for, as a load does
      UpdateWindow(hwnd);
      PumpMessages(20);
    });
  };
  const double outlineFirst = windowCalls(true);
  const double outlineAfter = windowCalls(false);
  steps.push_back({"window calls, first paint (other way: outline set first)", outlineFirst, outlineAfter});
  return steps;
}

}  // namespace

int main() {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  const PixelBuffer face = MakeTestFace();
  const PixelBuffer large = MakeTestCharacter(1000, 1400, 0x0000FF00, 0x00C08040, 4, 1);
  const PixelBuffer demo = MakeTestCharacter(250, 350, 0x0000FF00, 0x004080C0, 2, 2);
  const PixelBuffer small = MakeTestCharacter(120, 120, 0x0000FF00, 0x004080C0, 1, 2);
  WriteFileBytes(folder.File("face.bmp"), BmpBytes(face.view()));
  WriteFileBytes(folder.File("large.bmp"), BmpBytes(large.view()));
  WriteFileBytes(folder.File("demo.bmp"), BmpBytes(demo.view()));
  WriteFileBytes(folder.File("small.bmp"), BmpBytes(small.view()));
  WriteFileBytes(folder.File("Tavelin.ini"),
                 "[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\n"
                 "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=large.bmp\r\nxPosFace=420\r\nyPosFace=-30\r\n"
                 "fFaceOnChara=1\r\n"
                 "[Belmoa]\r\nFileNameFace=face.bmp\r\nFileNameChara=demo.bmp\r\nxPosFace=-20\r\nyPosFace=40\r\n"
                 "[Cirrat]\r\nFileNameFace=face.bmp\r\nFileNameChara=small.bmp\r\nxPosFace=0\r\nyPosFace=0\r\n");
  HWND hwnd = StartClock();
  if (hwnd == nullptr) {
    std::printf("the clock window could not be made\n");
    return 1;
  }
  SetCurrentDirectoryA(folder.path().c_str());

  const Choice choices[] = {
      {"large, normal size", "face.bmp", "large.bmp", 420, -30, IDM_SIZE_NORMAL, 5},
      {"large, small size", "face.bmp", "large.bmp", 420, -30, IDM_SIZE_SMALL, 5},
      {"demo-sized, normal size", "face.bmp", "demo.bmp", -20, 40, IDM_SIZE_NORMAL, 20},
      {"demo-sized, small size", "face.bmp", "demo.bmp", -20, 40, IDM_SIZE_SMALL, 20},
      {"small (120 x 120 character), normal size", "face.bmp", "small.bmp", 0, 0, IDM_SIZE_NORMAL, 20},
      {"small (120 x 120 character), small size", "face.bmp", "small.bmp", 0, 0, IDM_SIZE_SMALL, 20},
  };
  double wholeLoads[6] = {};
  int choiceIndex = 0;
  for (const Choice& choice : choices) {
    const std::string character = choice.character;
    g_state.nChara = character == "large.bmp" ? IDM_CHARA_FIRST : character == "demo.bmp" ? IDM_CHARA_FIRST + 1
                                                                                         : IDM_CHARA_FIRST + 2;
    g_state.nSize = choice.nSize;
    const double load = BestOf(choice.repeats, [&] {
      LoadCharacter(hwnd);
      UpdateWindow(hwnd);
      PumpMessages(20);
    });
    wholeLoads[choiceIndex++] = load;
    bool equal = false;
    std::size_t runs = 0;
    const std::vector<Step> steps = MeasureSteps(hwnd, choice, &equal, &runs);

    std::printf("\n%s (%dx%d window, %zu runs)%s\n", choice.what, g_state.nWindowWidth, g_state.nWindowHeight, runs,
                equal ? "" : "  THE REGIONS DIFFER!");
    std::printf("  %-54s %14s %10s\n", "step of one load", "other way ms", "clock ms");
    double other = 0;
    double clock = 0;
    for (const Step& step : steps) {
      char otherText[16] = "-";
      if (step.other >= 0) std::snprintf(otherText, sizeof otherText, "%.2f", step.other);
      std::printf("  %-54s %14s %10.2f\n", step.name, otherText, step.clock);
      other += step.other >= 0 ? step.other : step.clock;  // the clock's way where there is no other
      clock += step.clock;
    }
    std::printf("  %-54s %14.2f %10.2f\n", "sum of the steps (other ways where there are)", other, clock);
    std::printf("  %-54s %14s %10.2f\n", "LoadCharacter and first paint, whole", "", load);
  }
  std::printf("\nlarge against small (120 x 120 character), whole load: %.1f times at the normal size, %.1f at the "
              "small size\n", wholeLoads[0] / wholeLoads[4], wholeLoads[1] / wholeLoads[5]);
  CloseClock(hwnd);
  std::printf("\nregions: the one-call outline (one polygon per run, CreatePolyPolygonRgn) and ExtCreateRegion both\n"
              "equal the runs added one at a time, EqualRgn, on every figure above unless said otherwise\n");
  return 0;
}
