#include <windows.h>
#include <commctrl.h>

#include <climits>
#include <cstddef>
#include <new>
#include <vector>

#include "app/clock_state_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_progress.h"
#include "shared/gdi_handles_win32.h"
#include "shared/screen_rect_win32.h"

void (*g_shapeProgressObserver)(HWND progressWindow, int row, int value) = nullptr;

namespace {

// The outline's runs, row by row, feeding the progress bar as rows are done.
bool FindRunsWithProgress(ConstPixelView picture, Pixel key, HWND progress, std::vector<ShapeRun>* runs) {
  ProgressCounter counter;
  try {
    runs->reserve(static_cast<std::size_t>(picture.height) * 2);
    for (int y = 0; y < picture.height; ++y) {
      AppendRowRuns(picture.Row(y), picture.width, key, y, runs);
      if (const int value = counter.AfterRow(y, picture.height); value != 0) {
        SendDlgItemMessageA(progress, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(value), 0);
        UpdateWindow(progress);
        if (g_shapeProgressObserver != nullptr) g_shapeProgressObserver(progress, y, value);
      }
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

}  // namespace

// One rectangle-shaped polygon per run, in one call. The runs are disjoint,
// so every pixel lies inside one polygon or none and the region is exactly
// their union. Under Wine this is several times faster than ExtCreateRegion
// over the same rectangles, which adds them one at a time
// (bench_character_load measures both).
HRGN CreateRegionFromRuns(const std::vector<ShapeRun>& runs) {
  if (runs.empty()) return CreateRectRgn(0, 0, 0, 0);
  if (runs.size() > static_cast<std::size_t>(INT_MAX / 4)) return nullptr;
  std::vector<POINT> corners;
  std::vector<INT> counts;
  try {
    corners.reserve(runs.size() * 4);
    counts.assign(runs.size(), 4);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  for (const ShapeRun& run : runs) {
    corners.push_back({run.left, run.y});
    corners.push_back({run.right, run.y});
    corners.push_back({run.right, run.y + 1});
    corners.push_back({run.left, run.y + 1});
  }
  return CreatePolyPolygonRgn(corners.data(), counts.data(), static_cast<int>(counts.size()), ALTERNATE);
}

namespace {

// The runs of `picture` that differ from `key`, made into a region while the
// progress window shows the rows being done.
HRGN BuildRegionWithProgress(HWND hwnd, ConstPixelView picture, Pixel key) {
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  // The bar's class must exist before the template is built; registering it
  // again is harmless.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  // A Unicode window, so its text reads right whatever the ANSI code page.
  HWND progress = CreateDialogParamW(g_hInstance, MAKEINTRESOURCEW(IDD_PROGRESS), hwnd, ProgressDialogProc, 0);
  // Shown without activation, like every window the clock shows by itself.
  ShowWindow(progress, SW_SHOWNOACTIVATE);

  HRGN region = nullptr;
  std::vector<ShapeRun> runs;
  if (!picture.empty() && FindRunsWithProgress(picture, key, progress, &runs)) region = CreateRegionFromRuns(runs);

  if (progress != nullptr) DestroyWindow(progress);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return region;
}

}  // namespace

HRGN BuildShapeRegion(HWND hwnd, HBITMAP picture, ConstPixelView madeFrom) {
  if (picture == nullptr) return nullptr;
  PixelBuffer pixels;
  ConstPixelView outlined;
  {
    const ScopedWindowDC windowDC = ScopedWindowDC::Whole(hwnd);
    int width = 0;
    int height = 0;
    if (!madeFrom.empty() && GetDeviceCaps(windowDC.get(), BITSPIXEL) == 32 && GetBitmapSize(picture, &width, &height) &&
        width == madeFrom.width && height == madeFrom.height) {
      outlined = madeFrom;  // the picture holds these very pixels
    } else if (ReadBitmapPixels(windowDC.get(), picture, &pixels)) {
      outlined = pixels.view();
    }
  }
  return BuildRegionWithProgress(hwnd, outlined, outlined.empty() ? 0 : outlined.At(0, 0));
}

HRGN BuildSoftShapeRegion(HWND hwnd, ConstPixelView premultiplied) {
  if (premultiplied.empty()) return nullptr;
  // Premultiplied, a pixel with alpha 0 is 0 exactly and every other is not.
  return BuildRegionWithProgress(hwnd, premultiplied, 0);
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      RECT window;
      RECT parent;
      GetWindowRect(dialog, &window);
      GetWindowRect(GetParent(dialog), &parent);
      const ScreenPoint corner = CentreOver(ToScreenRect(window), ToScreenRect(parent));
      SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
      // No control takes the focus: focus given to a control activates its
      // window, and the clock's window after it when the progress window goes.
      return 0;
    }
    case WM_DESTROY:
      return 1;
    default:
      return 0;
  }
}
