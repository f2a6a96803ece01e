// Screen rectangles as the system gives them and as the portable rules take them.
#ifndef TAVELIN_SHARED_SCREEN_RECT_WIN32_H
#define TAVELIN_SHARED_SCREEN_RECT_WIN32_H

#include <windows.h>

#include "desktop/screen_clamp.h"

inline ScreenRect ToScreenRect(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

// The primary monitor's whole screen: what is left when no monitor can be asked.
inline RECT PrimaryScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

#endif
