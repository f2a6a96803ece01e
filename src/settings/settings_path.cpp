#include "settings/settings_path.h"

#include <cstdio>

void CopyTruncated(char* out, std::size_t outSize, const char* text) {
  if (outSize == 0) return;
  std::size_t i = 0;
  for (; i + 1 < outSize && text[i] != '\0'; ++i) out[i] = text[i];
  out[i] = '\0';
}

void BuildSettingsPath(const char* moduleDir, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  std::snprintf(out, outSize, "%s%s.ini", moduleDir, "Tavelin");
}

bool SettingsFolderFits(std::size_t folderLength) { return folderLength <= kMaxSettingsFolderLength; }
