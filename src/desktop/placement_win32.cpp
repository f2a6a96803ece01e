#include "desktop/placement_win32.h"

int ApplyStacking(HWND) { return 1; }
void RaiseCheck(HWND) {}
void LowerOnMouseMove(HWND) {}
void StartDrag(HWND) {}
