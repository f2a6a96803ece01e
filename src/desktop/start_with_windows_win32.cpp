#include "desktop/start_with_windows_win32.h"

#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "desktop/start_with_windows.h"

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const wchar_t kRunValueName[] = L"Tavelin";

namespace {

// The program's full path in its wide form, which holds any folder name.
std::wstring ProgramPath() {
  wchar_t path[32768] = {};
  const DWORD length = g_system.moduleFileName(path, static_cast<DWORD>(std::size(path)));
  return length == 0 || length >= std::size(path) ? std::wstring() : std::wstring(path, length);
}

std::wstring ReadRunValue() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  wchar_t data[32768 + 2] = {};
  DWORD type = 0;
  DWORD size = sizeof data - sizeof(wchar_t);  // room for a closing NUL the data may lack
  const LSTATUS status = RegQueryValueExW(key, kRunValueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return {};
  return data;
}

}  // namespace

bool StartsWithWindows() { return RunValueNamesProgram(ReadRunValue(), ProgramPath()); }

int ToggleStartWithWindows(HWND) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return 0;
  }
  LSTATUS status;
  if (StartsWithWindows()) {
    status = RegDeleteValueW(key, kRunValueName);
  } else {
    const std::wstring path = ProgramPath();
    const std::wstring value = RunValueFor(path);
    status = path.empty() ? ERROR_INVALID_DATA
                          : RegSetValueExW(key, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  RegCloseKey(key);
  MarkStartWithWindows();
  return status == ERROR_SUCCESS ? 1 : 0;
}

void MarkStartWithWindows() {
  if (g_state.hMenuPopup == nullptr) return;
  CheckMenuItem(g_state.hMenuPopup, IDM_STARTWITHWINDOWS,
                MF_BYCOMMAND | (StartsWithWindows() ? MF_CHECKED : MF_UNCHECKED));
}
