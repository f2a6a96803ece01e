#ifndef TAVELIN_SETTINGS_SETTINGS_PATH_H
#define TAVELIN_SETTINGS_SETTINGS_PATH_H

#include <cstddef>

// Writes "<moduleDir>Tavelin.ini" into out, cut to outSize - 1 bytes.
void BuildSettingsPath(const char* moduleDir, char* out, std::size_t outSize);

// Copies text into a fixed buffer, cut to outSize - 1 bytes, always terminated.
void CopyTruncated(char* out, std::size_t outSize, const char* text);

#endif
