#include "desktop/start_with_windows.h"

namespace {

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

}  // namespace

std::wstring RunValueFor(const std::wstring& programPath) { return L"\"" + programPath + L"\""; }

bool RunValueNamesProgram(const std::wstring& value, const std::wstring& programPath) {
  std::wstring path = value;
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
  if (programPath.empty() || path.size() != programPath.size()) return false;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (FoldAscii(path[i]) != FoldAscii(programPath[i])) return false;
  }
  return true;
}
