#include "app/module_dir.h"

void CutToDirectory(std::wstring& path) {
  const std::wstring::size_type lastSeparator = path.rfind(L'\\');
  path.resize(lastSeparator == std::wstring::npos ? 0 : lastSeparator + 1);
}
