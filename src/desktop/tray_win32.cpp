#include "desktop/tray_win32.h"

#include <cstdio>
#include <cstring>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"

void AddTrayIcon(HWND hwnd) {
  NOTIFYICONDATAA& nid = g_state.nidTray;
  std::memset(&nid, 0, sizeof nid);
  // The first form of the record, which every shell version accepts.
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 1;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = WM_TRAYNOTIFY;
  nid.hIcon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_TRAY));
  std::snprintf(nid.szTip, sizeof nid.szTip, "Tavelin");
  (void)Shell_NotifyIconA(NIM_ADD, &nid);  // without an icon the figure's own menu still works
}

void UpdateTrayTip(HWND, const char* characterName) {
  NOTIFYICONDATAA& nid = g_state.nidTray;
  std::snprintf(nid.szTip, sizeof nid.szTip, "Tavelin - %s", characterName);
  (void)Shell_NotifyIconA(NIM_MODIFY, &nid);
}

void RemoveTrayIcon(HWND) { (void)Shell_NotifyIconA(NIM_DELETE, &g_state.nidTray); }

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void RestoreTrayIcon(HWND) {
  if (g_state.nidTray.cbSize == 0) return;  // never added: start-up has not got there
  (void)Shell_NotifyIconA(NIM_ADD, &g_state.nidTray);
}

LRESULT OnTrayNotify(HWND hwnd, LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_LBUTTONDOWN:
      SetForegroundWindow(hwnd);
      break;
    case WM_LBUTTONDBLCLK:
      // Synchronous: the dialog runs before this notification returns.
      SendMessageA(hwnd, WM_COMMAND, IDM_ALARMSETTINGS, 0);
      break;
    case WM_RBUTTONDOWN:
      ShowPopupMenu(hwnd);
      break;
    default:
      break;
  }
  return 0;
}

void ShowPopupMenu(HWND hwnd) {
  POINT pointer{};
  g_system.cursorPos(&pointer);  // where the pointer is now, not where the event was
  SetForegroundWindow(hwnd);
  TrackPopupMenu(g_state.hMenuPopup, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, hwnd, nullptr);
}
