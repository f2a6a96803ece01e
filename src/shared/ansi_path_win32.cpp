#include "shared/ansi_path_win32.h"

#include <cwchar>
#include <string>

namespace {

// The round trip catches both default and best-fit replacements, on any code
// page (the flags that report them are refused for UTF-8); a form longer than
// the field fails the first conversion.
bool ExactAnsiForm(const std::wstring& path, char* out, std::size_t size) {
  if (WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, out, static_cast<int>(size), nullptr, nullptr) == 0) {
    return false;
  }
  std::wstring back(path.size() + 1, L'\0');
  if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, out, -1, back.data(), static_cast<int>(back.size())) == 0) {
    return false;
  }
  return std::wcscmp(back.c_str(), path.c_str()) == 0;
}

// The short name of an existing file or folder; empty when the system has
// none to give.
std::wstring ShortPathOf(const wchar_t* path) {
  const DWORD needed = GetShortPathNameW(path, nullptr, 0);
  if (needed == 0) return std::wstring();
  std::wstring shortPath(needed, L'\0');
  const DWORD length = GetShortPathNameW(path, shortPath.data(), needed);
  if (length == 0 || length >= needed) return std::wstring();
  shortPath.resize(length);
  return shortPath;
}

}  // namespace

bool AnsiPathOf(const wchar_t* path, char* out, std::size_t size) {
  if (size == 0) return false;
  if (ExactAnsiForm(path, out, size)) return true;
  const std::wstring shortPath = ShortPathOf(path);
  if (!shortPath.empty() && ExactAnsiForm(shortPath, out, size)) return true;
  out[0] = '\0';
  return false;
}
