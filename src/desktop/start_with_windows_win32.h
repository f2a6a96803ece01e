// Start with Windows: the popup menu's checkable item and the value it keeps
// in the current user's Run key, the program's only trace in the registry.
#ifndef TAVELIN_DESKTOP_START_WITH_WINDOWS_WIN32_H
#define TAVELIN_DESKTOP_START_WITH_WINDOWS_WIN32_H

#include <windows.h>

// The key and the value's name.
extern const wchar_t kRunKey[];
extern const wchar_t kRunValueName[];

// Whether the Run value names this very program.
bool StartsWithWindows();

// The menu command: removes the value while it names this program, else
// writes it for this program. Returns 1 when the registry took the change.
int ToggleStartWithWindows(HWND hwnd);

// Sets the menu item's check mark from the registry.
void MarkStartWithWindows();

#endif
