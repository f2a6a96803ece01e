#include "app/clock_state_win32.h"

ClockState g_state;
HWND g_hwndMain;
HINSTANCE g_hInstance;
RandomGenerator g_random;
