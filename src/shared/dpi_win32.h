// The DPI of the monitor that holds a window.
#ifndef TAVELIN_SHARED_DPI_WIN32_H
#define TAVELIN_SHARED_DPI_WIN32_H

#include <windows.h>

// Sent to per-monitor aware windows (WM_GETDPISCALEDSIZE from Windows 10 1703
// on); the SDK names them only for builds that target those systems.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_GETDPISCALEDSIZE
#define WM_GETDPISCALEDSIZE 0x02E4
#endif

// The window's DPI as the system gives it (GetDpiForWindow, Windows 10 1607
// and later); on older systems, the screen's.
int WindowDpi(HWND hwnd);

#endif
