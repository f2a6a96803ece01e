// The notification-area icon and the popup menu.
#ifndef TAVELIN_DESKTOP_TRAY_WIN32_H
#define TAVELIN_DESKTOP_TRAY_WIN32_H

#include <windows.h>

// Fills nidTray with the tip "Tavelin" and the icon at the size the
// notification area wants, and adds the icon.
void AddTrayIcon(HWND hwnd);
// Writes "Tavelin - <name>", and a line for each armed time event, into the
// tip and gives the whole record again.
void UpdateTrayTip(HWND hwnd, const char* characterName);
// Gives the tip again when what it says has changed: an event armed or
// ended, a countdown's minutes gone down.
void RefreshTrayTip(HWND hwnd);
// Removes the icon and destroys its image.
void RemoveTrayIcon(HWND hwnd);
// After a change of scale: gives the shell the icon again at the size it
// now wants, if that is another size.
void RefreshTrayIcon(HWND hwnd);
// The message the shell broadcasts when the notification area is created
// anew ("TaskbarCreated"); every icon it held is gone by then.
UINT TaskbarCreatedMessage();
// Adds the icon again with the record as it stands, tip included, its image
// at the size the new notification area wants.
void RestoreTrayIcon(HWND hwnd);
// Mouse events over the icon (WM_TRAYNOTIFY).
LRESULT OnTrayNotify(HWND hwnd, LPARAM mouseMessage);
// Opens the popup menu at the pointer.
void ShowPopupMenu(HWND hwnd);

#endif
