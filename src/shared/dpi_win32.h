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

// A function of a system library, looked up rather than linked, so that the
// program still starts on systems that lack it; null there.
FARPROC SystemFunction(const wchar_t* library, const char* name);
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(SystemFunction(library, name)));
}

// The screen's DPI, as systems before per-monitor DPI give it; 96 when it
// cannot be read.
int ScreenDpi();

// The monitor's DPI for a per-monitor aware program (GetDpiForMonitor,
// Windows 8.1 and later); 0 where the system cannot say.
int MonitorDpi(HMONITOR monitor);

// The window's DPI as the system gives it (GetDpiForWindow, Windows 10 1607
// and later); under the older per-monitor awareness (Windows 8.1, Windows 10
// before 1607) that of the monitor that holds it; before, the screen's.
int WindowDpi(HWND hwnd);

#endif
