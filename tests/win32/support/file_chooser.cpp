#include "file_chooser.h"

#include <dlgs.h>

HWND ChooserNameEdit(HWND chooser) {
  HWND name = GetDlgItem(chooser, cmb13);
  if (name == nullptr) return GetDlgItem(chooser, edt1);
  HWND combo = FindWindowExW(name, nullptr, L"ComboBox", nullptr);
  HWND edit = FindWindowExW(combo != nullptr ? combo : name, nullptr, L"Edit", nullptr);
  return edit != nullptr ? edit : name;
}

void ChooseInChooser(HWND chooser, const std::wstring& path) {
  SetWindowTextW(ChooserNameEdit(chooser), path.c_str());
  PostMessageW(chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(chooser, IDOK)));
}
