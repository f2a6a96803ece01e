#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <iterator>
#include <string>

#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "app/module_dir.h"
#include "app/system_win32.h"
#include "sound/sound_player_win32.h"
#include "balloon/balloon_win32.h"
#include "desktop/manners_win32.h"
#include "desktop/placement_win32.h"
#include "desktop/tray_win32.h"
#include "events/events_win32.h"
#include "life/life_win32.h"
#include "mascot/mascot_win32.h"
#include "pictures/picture_reader_win32.h"
#include "settings/settings_path.h"
#include "settings/settings_win32.h"
#include "shared/ansi_path_win32.h"

namespace {

// A folder for a program whose own folder has no ANSI spelling: no file can
// be named "?", so the settings and pictures are neither found nor written.
constexpr char kUnreachableFolder[] = "?\\";

// The program's folder, ending in a backslash, as the ANSI calls take it: its
// exact form, or its short form when the name is of another script or too
// long for the settings path.
void FindModuleDir(char (&dir)[kTextBufferSize]) {
  std::wstring path(32768, L'\0');  // the longest path the system allows
  const DWORD length = g_system.moduleFileName(path.data(), static_cast<DWORD>(path.size()));
  path.resize(length < path.size() ? length : 0);
  CutToDirectory(path);
  // The exact form only when the settings path that ends in it fits its field
  // whole; a longer form would be cut into another file's name.
  if (path.empty() || !AnsiPathOf(path.c_str(), dir, kSettingsFolderFieldSize)) {
    std::memcpy(dir, kUnreachableFolder, sizeof kUnreachableFolder);
  }
}

// The two start-up refusals, in the user's language whatever the system locale.
void ShowStartupWarning(HWND hwnd, UINT textId) {
  wchar_t text[128];
  if (LoadStringW(g_hInstance, textId, text, static_cast<int>(std::size(text))) == 0) text[0] = L'\0';
  MessageBoxW(hwnd, text, L"Tavelin", MB_ICONWARNING);
}

bool DisplayHasEnoughColours() {
  HDC screen = GetDC(nullptr);
  const bool palette = (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
  const int colours = GetDeviceCaps(screen, NUMCOLORS);  // -1 above 256 colours
  ReleaseDC(nullptr, screen);
  return !palette && colours < 0;
}

// Keeps only the "DUMMY" entry's submenu; the menu bar around it is released.
HMENU LoadPopupMenu() {
  HMENU bar = LoadMenuA(g_hInstance, MAKEINTRESOURCEA(IDR_MENU));
  if (bar == nullptr) return nullptr;
  HMENU popup = GetSubMenu(bar, 0);
  RemoveMenu(bar, 0, MF_BYPOSITION);  // detaches the submenu without destroying it
  DestroyMenu(bar);
  return popup;
}

}  // namespace

int InitializeClock(HWND hwnd) {
  g_random.Seed(GetTickCount());
  // The progress window and the settings dialog are built from these classes.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS | ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);

  FindModuleDir(g_state.szModuleDir);
  SetCurrentDirectoryA(g_state.szModuleDir);

  if (!DisplayHasEnoughColours()) {
    ShowStartupWarning(hwnd, IDS_NEED_COLORS);
    return 0;
  }
  if (SetTimer(hwnd, ID_CLOCKTIMER, 1000, nullptr) == 0) {
    ShowStartupWarning(hwnd, IDS_NO_TIMER);
    return 0;
  }

  ResetTimeEvents();
  AddTrayIcon(hwnd);
  LoadSettings(hwnd);

  SYSTEMTIME now;
  g_system.localTime(&now);
  g_state.nLastHour = now.wHour;  // so the first repaint plays no chime
  for (Alarm& alarm : g_state.alarms) alarm.nAlarmFiredDay = 0;

  g_state.hMenuPopup = LoadPopupMenu();
  ApplyStacking(hwnd);
  ApplyWindowLook(hwnd);  // the window's layering, also when no figure loads
  // COM and the imaging factory stay for the whole run; without the factory
  // every picture fails to load and the clock runs without a figure.
  (void)OpenPictureReader();
  LoadCharacter(hwnd);  // start-up goes on whether or not the pictures load
  StartLife(hwnd);
  // A message about the settings is shown once start-up is over, outside the
  // window's creation.
  if (g_state.nSettingsNotice != 0) PostMessageA(hwnd, WM_SETTINGSNOTICE, 0, 0);
  return 1;
}

void ShutdownClock(HWND hwnd) {
  StopLife(hwnd);
  SaveSettings(hwnd);
  ShutdownSoundPlayer();
  DestroyBalloon();
  if (g_state.hbmMascot != nullptr) {
    DeleteObject(g_state.hbmMascot);
    g_state.hbmMascot = nullptr;
  }
  if (g_state.hbmFrame != nullptr) {
    DeleteObject(g_state.hbmFrame);
    g_state.hbmFrame = nullptr;
  }
  if (g_state.hrgnShape != nullptr) {
    DeleteObject(g_state.hrgnShape);
    g_state.hrgnShape = nullptr;
  }
  if (g_state.hMenuPopup != nullptr) {
    DestroyMenu(g_state.hMenuPopup);
    g_state.hMenuPopup = nullptr;
  }
  KillTimer(hwnd, ID_CLOCKTIMER);
  RemoveTrayIcon(hwnd);
  ClosePictureReader();
}

HWND CreateClockWindow(HINSTANCE instance) {
  g_hInstance = instance;
  WNDCLASSA wc{};
  if (!GetClassInfoA(instance, kClassName, &wc)) {
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ClockWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (RegisterClassA(&wc) == 0) return nullptr;
  }
  return CreateWindowExA(WS_EX_TOOLWINDOW, kClassName, kWindowTitle, WS_POPUP, 0, 0, 0, 0, nullptr,
                         nullptr, instance, nullptr);
}

int RunProgram(HINSTANCE instance, int showCommand) {
  // Left open until the process ends: its existence is the guard.
  HANDLE mutex = CreateMutexA(nullptr, FALSE, kMutexName);
  if (mutex != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
    HWND first = FindWindowA(kClassName, nullptr);
    if (first != nullptr) {
      ShowWindow(first, SW_RESTORE);
      SetForegroundWindow(first);
    }
    return 0;
  }

  HWND hwnd = CreateClockWindow(instance);
  if (hwnd == nullptr) return 0;
  ShowWindow(hwnd, showCommand);
  UpdateWindow(hwnd);

  HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCEL));
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (!TranslateAcceleratorA(hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return 0;
}
