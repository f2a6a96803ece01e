#ifndef TAVELIN_SETTINGS_SETTINGS_PATH_H
#define TAVELIN_SETTINGS_SETTINGS_PATH_H

#include <cstddef>

// "Tavelin.ini", the name of the settings file in its folder.
constexpr std::size_t kSettingsFileNameLength = 11;
// A folder, in bytes with its closing backslash, whose settings path fits a
// 260-byte field (259 bytes and the terminator) whole.
constexpr std::size_t kMaxSettingsFolderLength = 259 - kSettingsFileNameLength;
// The field a folder is spelled into: one longer form is never cut but
// refused, so that the folder's short form is taken instead.
constexpr std::size_t kSettingsFolderFieldSize = kMaxSettingsFolderLength + 1;

// True when "<folder>Tavelin.ini" fits 259 bytes.
bool SettingsFolderFits(std::size_t folderLength);

// Writes "<moduleDir>Tavelin.ini" into out, cut to outSize - 1 bytes.
void BuildSettingsPath(const char* moduleDir, char* out, std::size_t outSize);

// Copies text into a fixed buffer, cut to outSize - 1 bytes, always terminated.
void CopyTruncated(char* out, std::size_t outSize, const char* text);

#endif
