#include "mascot/bitmap_pixels_win32.h"

#include <utility>

#include "shared/gdi_handles_win32.h"

namespace {

// 32 bits per pixel, rows from the top (negative height).
BITMAPINFO TopDownInfo(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

}  // namespace

bool GetBitmapSize(HBITMAP bitmap, int* width, int* height) {
  BITMAP description{};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof description, &description) != sizeof description) {
    return false;
  }
  *width = description.bmWidth;
  *height = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
  return true;
}

bool ReadBitmapPixels(HDC dc, HBITMAP bitmap, PixelBuffer* pixels) {
  int width = 0;
  int height = 0;
  if (!GetBitmapSize(bitmap, &width, &height)) return false;
  PixelBuffer read;
  if (!read.Allocate(width, height, 0)) return false;
  BITMAPINFO info = TopDownInfo(width, height);
  if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), read.data(), &info, DIB_RGB_COLORS) != height) {
    return false;
  }
  // Colours are compared whole; the fourth byte carries nothing.
  Pixel* p = read.data();
  for (Pixel* end = p + static_cast<std::size_t>(width) * height; p != end; ++p) *p &= 0x00FFFFFF;
  *pixels = std::move(read);
  return true;
}

HBITMAP CreateBitmapFromPixels(HDC dc, ConstPixelView pixels) {
  if (pixels.empty() || pixels.stride != pixels.width) return nullptr;
  ScopedBitmap bitmap(CreateCompatibleBitmap(dc, pixels.width, pixels.height));
  if (!bitmap) return nullptr;
  BITMAPINFO info = TopDownInfo(pixels.width, pixels.height);
  if (SetDIBits(dc, bitmap.get(), 0, static_cast<UINT>(pixels.height), pixels.pixels, &info, DIB_RGB_COLORS) !=
      pixels.height) {
    return nullptr;
  }
  return bitmap.release();
}

HBITMAP CreatePixelSection(int width, int height, PixelView* view) {
  if (!IsSanePictureSize(width, height)) return nullptr;
  BITMAPINFO info = TopDownInfo(width, height);
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (section == nullptr) return nullptr;
  if (bits == nullptr) {
    DeleteObject(section);
    return nullptr;
  }
  *view = {static_cast<Pixel*>(bits), width, height, width};
  return section;
}

bool SectionPixels(HBITMAP section, PixelView* view) {
  DIBSECTION description{};
  if (section == nullptr || GetObjectA(section, sizeof description, &description) != sizeof description) return false;
  const BITMAPINFOHEADER& header = description.dsBmih;
  if (description.dsBm.bmBits == nullptr || header.biBitCount != 32) return false;
  // The height's sign is not kept alike by every system: the rows are in the
  // order the section was made with.
  const int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
  *view = {static_cast<Pixel*>(description.dsBm.bmBits), header.biWidth, height, header.biWidth};
  return true;
}
