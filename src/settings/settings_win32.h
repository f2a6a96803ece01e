// Tavelin.ini: GENERAL and ALARM are read once at start and written once at
// close; the character sections, beside the program, are only ever read.
#ifndef TAVELIN_SETTINGS_SETTINGS_WIN32_H
#define TAVELIN_SETTINGS_SETTINGS_WIN32_H

#include <windows.h>

// SettingsPath: szModuleDir followed by "Tavelin.ini", at most 259 bytes.
void SettingsPath(char (&path)[260]);

// Each access is one profile call; all four return 1 whatever the call did.
int ReadSettingInt(const char* path, const char* section, const char* key, int* value, int defaultValue);
int ReadSettingInt(const char* path, const char* section, const char* key, unsigned* value,
                   unsigned defaultValue);
int ReadSettingString(const char* path, const char* section, const char* key, char (&value)[260],
                      const char* defaultValue);
int WriteSettingInt(const char* path, const char* section, const char* key, long value);
int WriteSettingString(const char* path, const char* section, const char* key, const char* value);

// Decides where GENERAL and ALARM live (beside the program when that file can
// be written, else in the user's %APPDATA%\Tavelin\Tavelin.ini), reads them
// into g_state and moves the window to its saved place.
void LoadSettings(HWND hwnd);
// Writes GENERAL (with the window's top-left corner) and ALARM where start-up
// decided; nothing when no file may take them.
void SaveSettings(HWND hwnd);
// Shows, once, the message start-up left about the settings, if any.
void ShowSettingsNotice(HWND hwnd);

#endif
