#include "desktop/tray_win32.h"

void AddTrayIcon(HWND) {}
void UpdateTrayTip(HWND, const char*) {}
void RemoveTrayIcon(HWND) {}
LRESULT OnTrayNotify(HWND, LPARAM) { return 0; }
void ShowPopupMenu(HWND) {}
