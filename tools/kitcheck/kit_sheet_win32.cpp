#include "kitcheck/kit_sheet_win32.h"

#include <cstring>

#include "clockface/hand_strokes.h"
#include "kitcheck/sheet_layout.h"
#include "mascot/figure_geometry.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/shape_runs.h"
#include "mascot/soft_figure.h"
#include "resource.h"
#include "shared/gdi_handles_win32.h"

namespace {

// The figure with the hands drawn on it by the clock's own renderer, put on
// the sheet at (left, top) as the window shows it at 96 DPI: a keyed figure only inside
// its outline, a soft one blended over the sheet by its alpha.
bool PlaceFigure(const Figure& figure, bool soft, int nSize, int left, int top, PixelView sheet) {
  PixelBuffer painted = figure.picture;
  if (painted.empty()) return false;
  RenderClockHands(painted.view(), 0, 0, soft ? HandsSurface::kPremultiplied : HandsSurface::kOpaque,
                   figure.xClockCenter, figure.yClockCenter, ScaleForSize(nSize), nSize, kSheetHour, kSheetMinute,
                   kSheetSecond, true, kBaseDpi);
  if (soft) {
    for (int y = 0; y < painted.height(); ++y) {
      Pixel* row = sheet.Row(top + y) + left;
      const Pixel* from = painted.view().Row(y);
      for (int x = 0; x < painted.width(); ++x) row[x] = SourceOver(row[x] | 0xFF000000, from[x]) & 0x00FFFFFF;
    }
    return true;
  }
  for (const ShapeRun& run : FindShapeRuns(figure.picture.view())) {
    std::memcpy(sheet.Row(top + run.y) + left + run.left, painted.view().Row(run.y) + run.left,
                sizeof(Pixel) * static_cast<std::size_t>(run.right - run.left));
  }
  return true;
}

void DrawNames(HDC dc, const std::vector<SheetFigure>& figures, const SheetLayout& layout) {
  const ScopedGdiObject<HFONT> font(CreateFontA(-15, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                DEFAULT_PITCH | FF_SWISS, "Tahoma"));
  const HGDIOBJ previousFont = SelectObject(dc, font ? font.get() : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const std::string& name = figures[i].name;
    TextOutA(dc, layout.cells[i].labelCentreX, layout.cells[i].labelY, name.c_str(), static_cast<int>(name.size()));
  }
  SelectObject(dc, previousFont);
}

// The bitmap as a bottom-up 24-bit BMP file; the bitmap must not be selected.
bool WriteBmp24(HDC screen, HBITMAP bitmap, int width, int height, const char* path) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  std::string bits(rowBytes * static_cast<std::size_t>(height), '\0');
  if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS) != height) {
    return false;
  }
  info.bmiHeader.biSizeImage = static_cast<DWORD>(bits.size());
  info.bmiHeader.biXPelsPerMeter = info.bmiHeader.biYPelsPerMeter = 2835;  // 72 dots per inch
  info.bmiHeader.biClrUsed = info.bmiHeader.biClrImportant = 0;

  BITMAPFILEHEADER head{};
  head.bfType = 0x4D42;  // "BM"
  head.bfOffBits = sizeof head + sizeof info.bmiHeader;
  head.bfSize = static_cast<DWORD>(head.bfOffBits + bits.size());

  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, &head, sizeof head, &written, nullptr) && written == sizeof head;
  ok = ok && WriteFile(file, &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
       written == sizeof info.bmiHeader;
  ok = ok && WriteFile(file, bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr) &&
       written == bits.size();
  ok = CloseHandle(file) && ok;
  if (!ok) DeleteFileA(path);
  return ok;
}

}  // namespace

bool WriteKitSheet(const std::vector<SheetFigure>& figures, const char* path, int* width, int* height) {
  std::vector<SheetCellSizes> sizes;
  for (const SheetFigure& figure : figures) {
    sizes.push_back({figure.normal.picture.width(), figure.normal.picture.height(), figure.small.picture.width(),
                     figure.small.picture.height()});
  }
  const SheetLayout layout = LayOutSheet(sizes);
  PixelBuffer sheet;
  if (figures.empty() || !sheet.Allocate(layout.width, layout.height, kSheetBackground)) return false;

  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const SheetCellPlace& place = layout.cells[i];
    const bool soft = figures[i].soft;
    if (!PlaceFigure(figures[i].normal, soft, IDM_SIZE_NORMAL, place.normalX, place.normalY, sheet.view()) ||
        !PlaceFigure(figures[i].small, soft, IDM_SIZE_SMALL, place.smallX, place.smallY, sheet.view())) {
      return false;
    }
  }
  ScopedBitmap bitmap(CreateBitmapFromPixels(screen.get(), sheet.view()));
  if (!bitmap) return false;
  {
    const ScopedMemoryDC dc(screen.get());
    if (dc.get() == nullptr) return false;
    const ScopedSelectObject select(dc.get(), bitmap.get());
    DrawNames(dc.get(), figures, layout);
  }
  if (!WriteBmp24(screen.get(), bitmap.get(), layout.width, layout.height, path)) return false;
  *width = layout.width;
  *height = layout.height;
  return true;
}
