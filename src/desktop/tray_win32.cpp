#include "desktop/tray_win32.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "balloon/balloon_win32.h"
#include "desktop/start_with_windows_win32.h"
#include "desktop/tray_tip.h"
#include "shared/dpi_win32.h"

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
  static const TipTexts texts = [] {
    TipTexts loaded{LoadText(IDS_TIP_TIMER_ONCE),  LoadText(IDS_TIP_TIMER_ONCE_LAST),
                    LoadText(IDS_TIP_TIMER_REPEAT), LoadText(IDS_TIP_TIMER_REPEAT_LAST),
                    LoadText(IDS_TIP_NEXT_ALARM), LoadText(IDS_TIP_SNOOZE),
                    LoadText(IDS_TIP_MUTED), {}};
    for (UINT day = 0; day < 7; ++day) loaded.days[day] = LoadText(IDS_DAY_FIRST + day);
    return loaded;
  }();
  return texts;
}

std::wstring CurrentTip() {
  const std::wstring head = g_characterName[0] == L'\0' ? std::wstring(L"Tavelin")
                                                        : std::wstring(L"Tavelin - ") + g_characterName;
  // The time of the last check, so the tip costs no reading of its own.
  const SYSTEMTIME& time = g_state.stLastCheck;
  const std::uint64_t now = g_system.tickCount();
  const LocalStamp stamp{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wDayOfWeek};
  const NextAlarm next = FindNextAlarm(g_state.alarms, g_state.nAlarmCount, stamp, now);
  wchar_t label[kAlarmLabelSize] = {};
  if (next.index >= 0 &&
      MultiByteToWideChar(CP_ACP, 0, g_state.alarms[next.index].szAlarmLabel, -1, label, kAlarmLabelSize) == 0)
    label[0] = L'\0';
  const ArmedEvents armed{{g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline}, now, next, label,
                          g_state.fMute != 0};
  return ComposeTrayTip(head, armed, Texts());
}

// The DPI the notification area is drawn at: that of the primary monitor,
// which holds it, from Windows 8.1 on; the system's before.
UINT TrayDpi() {
  const int dpi = MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
  return static_cast<UINT>(dpi > 0 ? dpi : ScreenDpi());
}

// The side of the shell's small icon at that DPI. Before Windows 10 the
// system tells it for its own DPI only, which is then the primary monitor's.
int TrayIconSize() {
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto getSystemMetricsForDpi =
      SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  const int size = getSystemMetricsForDpi != nullptr ? getSystemMetricsForDpi(SM_CXSMICON, TrayDpi())
                                                     : GetSystemMetrics(SM_CXSMICON);
  return size > 0 ? size : 16;
}

// Gives the record the icon at the size the notification area wants now,
// drawn for that size where the icon carries it (it carries every common
// one). Returns whether the icon changed; the one it replaces is destroyed.
bool LoadTrayIconImage() {
  NOTIFYICONDATAW& nid = g_state.nidTray;
  const int size = TrayIconSize();
  if (nid.hIcon != nullptr) {
    ICONINFO info{};
    if (GetIconInfo(nid.hIcon, &info)) {
      BITMAP bitmap{};
      const HBITMAP image = info.hbmColor != nullptr ? info.hbmColor : info.hbmMask;
      const bool same = GetObjectW(image, sizeof bitmap, &bitmap) != 0 && bitmap.bmWidth == size;
      if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
      if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
      if (same) return false;
    }
  }
  const auto icon = static_cast<HICON>(
      LoadImageW(g_hInstance, MAKEINTRESOURCEW(IDI_TRAY), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  if (icon == nullptr) return false;  // the icon it has stays
  if (nid.hIcon != nullptr) DestroyIcon(nid.hIcon);
  nid.hIcon = icon;
  return true;
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
  (void)LoadTrayIconImage();
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

void RemoveTrayIcon(HWND) {
  (void)Shell_NotifyIconW(NIM_DELETE, &g_state.nidTray);
  if (g_state.nidTray.hIcon != nullptr) DestroyIcon(g_state.nidTray.hIcon);
  g_state.nidTray.hIcon = nullptr;
}

void RefreshTrayIcon(HWND) {
  if (g_state.nidTray.cbSize == 0) return;  // not added yet
  if (LoadTrayIconImage()) (void)Shell_NotifyIconW(NIM_MODIFY, &g_state.nidTray);
}

UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageA("TaskbarCreated");
  return message;
}

void RestoreTrayIcon(HWND) {
  if (g_state.nidTray.cbSize == 0) return;  // never added: start-up has not got there
  (void)LoadTrayIconImage();  // a new notification area may come with another scale
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
  PrepareBalloonMenu(g_state.hMenuPopup);
  SetForegroundWindow(hwnd);
  TrackPopupMenu(g_state.hMenuPopup, TPM_RIGHTBUTTON, pointer.x, pointer.y, 0, hwnd, nullptr);
  RestoreBalloonMenu(g_state.hMenuPopup);
}
