// Small owners for GDI objects and device contexts: each releases what it
// holds on every way out of the function that made it.
#ifndef TAVELIN_SHARED_GDI_HANDLES_WIN32_H
#define TAVELIN_SHARED_GDI_HANDLES_WIN32_H

#include <windows.h>

// A bitmap, region, brush... released with DeleteObject.
template <typename Handle>
class ScopedGdiObject {
 public:
  ScopedGdiObject() = default;
  explicit ScopedGdiObject(Handle handle) : handle_(handle) {}
  ~ScopedGdiObject() { reset(); }
  ScopedGdiObject(ScopedGdiObject&& other) noexcept : handle_(other.release()) {}
  ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ScopedGdiObject(const ScopedGdiObject&) = delete;
  ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Hands the object over to whoever keeps it from now on.
  Handle release() {
    Handle handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void reset(Handle handle = nullptr) {
    if (handle_ != nullptr) DeleteObject(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;

// A window's DC (or the screen's, for a null window), released with ReleaseDC.
class ScopedWindowDC {
 public:
  // The client area's DC, as GetDC gives it.
  static ScopedWindowDC Client(HWND hwnd) { return ScopedWindowDC(hwnd, GetDC(hwnd)); }
  // The whole window's DC, as GetWindowDC gives it.
  static ScopedWindowDC Whole(HWND hwnd) { return ScopedWindowDC(hwnd, GetWindowDC(hwnd)); }

  ~ScopedWindowDC() {
    if (dc_ != nullptr) ReleaseDC(hwnd_, dc_);
  }
  ScopedWindowDC(ScopedWindowDC&& other) noexcept : hwnd_(other.hwnd_), dc_(other.dc_) { other.dc_ = nullptr; }
  ScopedWindowDC& operator=(ScopedWindowDC&&) = delete;
  ScopedWindowDC(const ScopedWindowDC&) = delete;
  ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

  HDC get() const { return dc_; }

 private:
  ScopedWindowDC(HWND hwnd, HDC dc) : hwnd_(hwnd), dc_(dc) {}
  HWND hwnd_;
  HDC dc_;
};

// A memory DC, deleted with DeleteDC.
class ScopedMemoryDC {
 public:
  explicit ScopedMemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
  ~ScopedMemoryDC() {
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  ScopedMemoryDC(const ScopedMemoryDC&) = delete;
  ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Selects an object into a DC and puts the previous one back.
class ScopedSelectObject {
 public:
  ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~ScopedSelectObject() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  ScopedSelectObject(const ScopedSelectObject&) = delete;
  ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

#endif
