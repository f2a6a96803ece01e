#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <new>
#include <vector>

#include "app/clock_state_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/gdi_handles_win32.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_progress.h"

void (*g_shapeProgressObserver)(HWND progressWindow, int row, int value) = nullptr;

namespace {

ScreenRect ToScreenRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// The outline's runs, row by row, feeding the progress bar as rows are done.
bool FindRunsWithProgress(const PixelBuffer& pixels, HWND progress, std::vector<ShapeRun>* runs) {
  const ConstPixelView picture = pixels.view();
  const Pixel key = picture.At(0, 0);
  ProgressCounter counter;
  try {
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

HRGN CreateRegionFromRuns(const std::vector<ShapeRun>& runs) {
  const std::size_t bytes = sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT);
  if (runs.size() > (0xFFFFFFFFu - sizeof(RGNDATAHEADER)) / sizeof(RECT)) return nullptr;
  std::vector<unsigned char> storage;
  try {
    storage.resize(bytes);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  auto* data = reinterpret_cast<RGNDATA*>(storage.data());
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(runs.size());
  data->rdh.nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
  RECT bounds = {0, 0, 0, 0};
  auto* rects = reinterpret_cast<RECT*>(storage.data() + sizeof(RGNDATAHEADER));
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const ShapeRun& run = runs[i];
    rects[i] = {run.left, run.y, run.right, run.y + 1};
    if (i == 0) {
      bounds = rects[i];
    } else {
      bounds.left = run.left < bounds.left ? run.left : bounds.left;
      bounds.right = run.right > bounds.right ? run.right : bounds.right;
      bounds.bottom = run.y + 1;  // runs come row by row
    }
  }
  data->rdh.rcBound = bounds;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), data);
}

HRGN BuildShapeRegion(HWND hwnd, HBITMAP picture) {
  if (picture == nullptr) return nullptr;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  // The bar's class must exist before the template is built; registering it
  // again is harmless.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
  HWND progress = CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_PROGRESS), hwnd, ProgressDialogProc, 0);
  ShowWindow(progress, SW_SHOW);

  HRGN region = nullptr;
  PixelBuffer pixels;
  bool read = false;
  {
    const ScopedWindowDC windowDC = ScopedWindowDC::Whole(hwnd);
    read = ReadBitmapPixels(windowDC.get(), picture, &pixels);
  }
  std::vector<ShapeRun> runs;
  if (read && FindRunsWithProgress(pixels, progress, &runs)) region = CreateRegionFromRuns(runs);

  if (progress != nullptr) DestroyWindow(progress);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  return region;
}

INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      RECT window;
      RECT parent;
      GetWindowRect(dialog, &window);
      GetWindowRect(GetParent(dialog), &parent);
      const ScreenPoint corner = CentreOver(ToScreenRect(window), ToScreenRect(parent));
      SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      SendDlgItemMessageA(dialog, IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
      return 1;
    }
    case WM_DESTROY:
      return 1;
    default:
      return 0;
  }
}
