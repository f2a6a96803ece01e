#include "desktop/tray_win32.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "desktop/start_with_windows_win32.h"
#include "desktop/tray_tip.h"

namespace {

// The name of the character last loaded; empty until one loads.
wchar_t g_characterName[64] = L"";

std::wstring LoadText(UINT id) {
  wchar_t text[128] = {};
  (void)LoadStringW(g_hInstance, id, text, static_cast<int>(std::size(text)));
  return text;
}

// The tip's line templates in the user's language, read once.
const TipTexts& Texts() {
  static const TipTexts texts{LoadText(IDS_TIP_TIMER_ONCE),  LoadText(IDS_TIP_TIMER_ONCE_LAST),
                              LoadText(IDS_TIP_TIMER_REPEAT), LoadText(IDS_TIP_TIMER_REPEAT_LAST),
                              LoadText(IDS_TIP_ALARM_ONCE),  LoadText(IDS_TIP_ALARM_DAILY),
                              LoadText(IDS_TIP_ALARM_WEEKDAYS), LoadText(IDS_TIP_SNOOZE),
                              LoadText(IDS_TIP_MUTED)};
  return texts;
}

std::wstring CurrentTip() {
  const std::wstring head = g_characterName[0] == L'\0' ? std::wstring(L"Tavelin")
                                                        : std::wstring(L"Tavelin - ") + g_characterName;
  const ArmedEvents armed{{g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline},
                          g_system.tickCount(),
                          {g_state.nAlarmMode, g_state.nAlarmHour, g_state.nAlarmMinute, g_state.nAlarmFiredDay},
                          {g_state.qwSnoozeDeadline, g_state.nSnoozeHour, g_state.nSnoozeMinute},
                          g_state.fMute != 0};
  return ComposeTrayTip(head, armed, Texts());
}

void CopyTip(const std::wstring& tip) {
  wchar_t (&field)[128] = g_state.nidTray.szTip;
  const std::size_t length = std::min(tip.size(), std::size(field) - 1);
  std::wmemcpy(field, tip.c_str(), length);
  field[length] = L'\0';
}

}  // namespace

void AddTrayIcon(HWND hwnd) {
  NOTIFYICONDATAW& nid = g_state.nidTray;
  std::memset(&nid, 0, sizeof nid);
  g_characterName[0] = L'\0';
  // The second form of the record, the first with a tip of 128 characters.
  nid.cbSize = NOTIFYICONDATAW_V2_SIZE;
  nid.hWnd = hwnd;
  nid.uID = 1;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = WM_TRAYNOTIFY;
  nid.hIcon = LoadIconW(g_hInstance, MAKEINTRESOURCEW(IDI_TRAY));
  CopyTip(CurrentTip());
  (void)Shell_NotifyIconW(NIM_ADD, &nid);  // without an icon the figure's own menu still works
}

void UpdateTrayTip(HWND, const char* characterName) {
  // The table's names are plain ASCII; converted as the system's code page reads them.
  if (MultiByteToWideChar(CP_ACP, 0, characterName, -1, g_characterName, static_cast<int>(std::size(g_characterName))) == 0) {
    g_characterName[0] = L'\0';
  }
  CopyTip(CurrentTip());
  (void)Shell_NotifyIconW(NIM_MODIFY, &g_state.nidTray);
}

void RefreshTrayTip(HWND) {
  if (g_state.nidTray.cbSize == 0) return;  // not added yet
  const std::wstring tip = CurrentTip();
  if (tip == g_state.nidTray.szTip) return;
  const std::wstring previous = g_state.nidTray.szTip;
  CopyTip(tip);
  // The record keeps the tip the shell last took, so a failed call is tried again.
  if (!Shell_NotifyIconW(NIM_MODIFY, &g_state.nidTray)) CopyTip(previous);
}

void RemoveTrayIcon(HWND) { (void)Shell_NotifyIconW(NIM_DELETE, &g_state.nidTray); }

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void RestoreTrayIcon(HWND) {
  if (g_state.nidTray.cbSize == 0) return;  // never added: start-up has not got there
  (void)Shell_NotifyIconW(NIM_ADD, &g_state.nidTray);
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
  MarkStartWithWindows();
  SetForegroundWindow(hwnd);
  TrackPopupMenu(g_state.hMenuPopup, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, hwnd, nullptr);
}
