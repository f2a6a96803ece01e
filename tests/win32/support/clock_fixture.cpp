#include "clock_fixture.h"

#include <cstring>
#include <fstream>
#include <sstream>

#include "app/app_win32.h"
#include "app/system_win32.h"

namespace {

std::wstring g_fakeModulePath;

DWORD FakeModuleFileName(wchar_t* buffer, DWORD size) {
  lstrcpynW(buffer, g_fakeModulePath.c_str(), static_cast<int>(size));
  return static_cast<DWORD>(lstrlenW(buffer));
}

// Wide throughout: the tests also make folders whose names the ANSI code
// page cannot spell.
void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring full = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full + L"\\");
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

struct FindByTitle {
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<FindByTitle*>(param);
  wchar_t text[256];
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) &&
      GetWindowTextW(hwnd, text, 256) > 0 && lstrcmpW(text, search->title) == 0) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TempFolder::TempFolder() {
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  static int counter = 0;
  for (;;) {
    std::ostringstream name;
    name << base << "tavelin-test-" << GetCurrentProcessId() << "-" << ++counter;
    if (CreateDirectoryA(name.str().c_str(), nullptr)) {
      path_ = name.str() + "\\";
      break;
    }
  }
}

TempFolder::~TempFolder() {
  // Leave the folder first: it may be the process's current directory.
  char base[MAX_PATH];
  GetTempPathA(MAX_PATH, base);
  SetCurrentDirectoryA(base);
  RemoveTree(WidePath(path_));
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::wstring WidePath(const std::string& path) {
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()))));
  if (!wide.empty()) wide.pop_back();  // the terminator
  return wide;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void PumpMessages(DWORD maxMilliseconds) {
  const ULONGLONG end = GetTickCount64() + maxMilliseconds;
  MSG msg;
  while (GetTickCount64() <= end && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool BringToForeground(HWND hwnd) {
  SetForegroundWindow(hwnd);
  return PumpUntil([&] { return GetForegroundWindow() == hwnd; }, 3000);
}

void PrepareProgramFolder(const std::string& folder) { PrepareProgramFolder(WidePath(folder)); }

void PrepareProgramFolder(const std::wstring& folder) {
  // Each start has a user settings folder of its own, empty, so that no test
  // reads what another left there, nor touches the user's real one.
  static TempFolder userData;
  RemoveTree(WidePath(userData.path()) + L"Tavelin\\");
  SetEnvironmentVariableW(L"APPDATA", WidePath(userData.path()).c_str());
  g_fakeModulePath = folder + L"Tavelin.exe";
  ResetSystemReadings();
  g_system.moduleFileName = FakeModuleFileName;
  g_state = ClockState{};
  g_hwndMain = nullptr;
}

HWND StartClock() {
  HWND hwnd = CreateClockWindow(GetModuleHandleA(nullptr));
  if (hwnd != nullptr) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
    UpdateWindow(hwnd);
    PumpMessages();
  }
  return hwnd;
}

void CloseClock(HWND hwnd) {
  if (IsWindow(hwnd)) SendMessageA(hwnd, WM_CLOSE, 0, 0);
  PumpMessages();
}

std::string PathFromEnvironment(const char* name) {
  char value[MAX_PATH];
  const DWORD length = GetEnvironmentVariableA(name, value, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string path = value;
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) {
      if (c == '/') c = '\\';
    }
    path = "Z:" + path;
  }
  return path;
}

HWND FindOwnWindowByTitle(const wchar_t* title) {
  FindByTitle search{title, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HBITMAP MakePlainBitmap(int width, int height, COLORREF colour) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  HBRUSH brush = CreateSolidBrush(colour);
  RECT all{0, 0, width, height};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
  SelectObject(dc, previous);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return bitmap;
}

void TenPastTen(SYSTEMTIME* time) {
  *time = {};
  time->wYear = 2026;
  time->wMonth = 12;
  time->wDay = 9;
  time->wHour = 10;
  time->wMinute = 8;
  time->wSecond = 30;
}

std::vector<Pixel> CopyPixels(HWND source, const RECT& rc) {
  const int width = rc.right - rc.left;
  const int height = rc.bottom - rc.top;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC from = GetDC(source);
  HDC copy = CreateCompatibleDC(from);
  HGDIOBJ previous = SelectObject(copy, section);
  BitBlt(copy, 0, 0, width, height, from, rc.left, rc.top, SRCCOPY);
  GdiFlush();
  std::vector<Pixel> pixels(static_cast<const Pixel*>(bits), static_cast<const Pixel*>(bits) + width * height);
  for (Pixel& p : pixels) p &= 0x00FFFFFF;
  SelectObject(copy, previous);
  DeleteDC(copy);
  ReleaseDC(source, from);
  DeleteObject(section);
  return pixels;
}

std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

SYSTEMTIME TimeWithRoomInMinute() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  if (now.wSecond > 40) {
    Sleep((61 - now.wSecond) * 1000);
    GetLocalTime(&now);
  }
  return now;
}
