#include "desktop/placement_win32.h"
#include "desktop/screen_clamp.h"

int ClampToScreen(HWND hwnd) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  const ClampedCorner corner = ClampWindowCorner(rc.left, rc.top, rc.right, rc.bottom, GetSystemMetrics(SM_CXSCREEN),
                                                 GetSystemMetrics(SM_CYSCREEN));
  // Moved every time, also when nothing changed.
  SetWindowPos(hwnd, nullptr, corner.left, corner.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  return 1;
}
