#include "events/events_win32.h"

void CheckCountdown(HWND) {}

void RunRepaintChecks(HWND, int, int, int) {}
