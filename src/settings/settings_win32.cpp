#include "settings/settings_win32.h"

#include <cstdio>

#include "app/clock_state_win32.h"
#include "settings/settings_path.h"

namespace {
constexpr const char* kGeneral = "GENERAL";
constexpr const char* kAlarm = "ALARM";
}  // namespace

void SettingsPath(char (&path)[260]) { BuildSettingsPath(g_state.szModuleDir, path, sizeof path); }

int ReadSettingInt(const char* path, const char* section, const char* key, int* value, int defaultValue) {
  *value = static_cast<int>(GetPrivateProfileIntA(section, key, defaultValue, path));
  return 1;
}

int ReadSettingInt(const char* path, const char* section, const char* key, unsigned* value,
                   unsigned defaultValue) {
  *value = GetPrivateProfileIntA(section, key, static_cast<INT>(defaultValue), path);
  return 1;
}

int ReadSettingString(const char* path, const char* section, const char* key, char (&value)[260],
                      const char* defaultValue) {
  (void)GetPrivateProfileStringA(section, key, defaultValue, value, sizeof value, path);
  return 1;
}

int WriteSettingInt(const char* path, const char* section, const char* key, long value) {
  char text[260];
  std::snprintf(text, sizeof text, "%ld", value);
  (void)WritePrivateProfileStringA(section, key, text, path);  // a read-only file is left alone
  return 1;
}

int WriteSettingString(const char* path, const char* section, const char* key, const char* value) {
  (void)WritePrivateProfileStringA(section, key, value, path);
  return 1;
}

void LoadSettings(HWND hwnd) {
  char path[260];
  SettingsPath(path);

  ReadSettingInt(path, kGeneral, "fTopMost", &g_state.fTopMost, 1);
  ReadSettingInt(path, kGeneral, "fHideOnMouse", &g_state.fHideOnMouse, 0);
  ReadSettingInt(path, kGeneral, "nChara", &g_state.nChara, IDM_CHARA_RANDOM);
  ReadSettingInt(path, kGeneral, "nSize", &g_state.nSize, IDM_SIZE_NORMAL);
  int x = 0;
  int y = 0;
  ReadSettingInt(path, kGeneral, "xPosWindow", &x, 0);
  ReadSettingInt(path, kGeneral, "yPosWindow", &y, 0);
  // Not checked here: the first character load sizes the window and pulls it
  // back onto the screen.
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE);

  ReadSettingInt(path, kAlarm, "nOClockMode", &g_state.nOClockMode, IDC_OCLOCK_ON);
  ReadSettingInt(path, kAlarm, "nOClockChangeChara", &g_state.nOClockChangeChara, 1);
  ReadSettingInt(path, kAlarm, "nOClockQuietFrom", &g_state.nOClockQuietFrom, 0u);
  ReadSettingInt(path, kAlarm, "nOClockQuietTo", &g_state.nOClockQuietTo, 0u);
  // A countdown never survives a restart.
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.dwTimerDeadline = kNoDeadline;
  ReadSettingInt(path, kAlarm, "nAlarmMode", &g_state.nAlarmMode, IDC_ALARM_STOP);
  ReadSettingInt(path, kAlarm, "nTimerMinute", &g_state.nTimerMinute, 5u);
  ReadSettingInt(path, kAlarm, "nAlarmHour", &g_state.nAlarmHour, 0u);
  ReadSettingInt(path, kAlarm, "nAlarmMinute", &g_state.nAlarmMinute, 0u);
  ReadSettingString(path, kAlarm, "szOClockSound", g_state.szOClockSound, "oclock.wav");
  ReadSettingString(path, kAlarm, "szTimerSound", g_state.szTimerSound, "timer.wav");
  ReadSettingString(path, kAlarm, "szAlarmSound", g_state.szAlarmSound, "alarm.wav");
}

void SaveSettings(HWND hwnd) {
  char path[260];
  SettingsPath(path);

  WriteSettingInt(path, kGeneral, "fTopMost", g_state.fTopMost);
  WriteSettingInt(path, kGeneral, "fHideOnMouse", g_state.fHideOnMouse);
  WriteSettingInt(path, kGeneral, "nChara", g_state.nChara);
  WriteSettingInt(path, kGeneral, "nSize", g_state.nSize);
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  WriteSettingInt(path, kGeneral, "xPosWindow", rc.left);
  WriteSettingInt(path, kGeneral, "yPosWindow", rc.top);

  WriteSettingInt(path, kAlarm, "nOClockMode", g_state.nOClockMode);
  WriteSettingInt(path, kAlarm, "nOClockChangeChara", g_state.nOClockChangeChara);
  WriteSettingInt(path, kAlarm, "nOClockQuietFrom", static_cast<int>(g_state.nOClockQuietFrom));
  WriteSettingInt(path, kAlarm, "nOClockQuietTo", static_cast<int>(g_state.nOClockQuietTo));
  WriteSettingInt(path, kAlarm, "nTimerMode", g_state.nTimerMode);
  WriteSettingInt(path, kAlarm, "nAlarmMode", g_state.nAlarmMode);
  // Unsigned values above 2147483647 go out as negative numbers and read back
  // as the same 32 bits.
  WriteSettingInt(path, kAlarm, "nTimerMinute", static_cast<int>(g_state.nTimerMinute));
  WriteSettingInt(path, kAlarm, "nAlarmHour", static_cast<int>(g_state.nAlarmHour));
  WriteSettingInt(path, kAlarm, "nAlarmMinute", static_cast<int>(g_state.nAlarmMinute));
  WriteSettingString(path, kAlarm, "szOClockSound", g_state.szOClockSound);
  WriteSettingString(path, kAlarm, "szTimerSound", g_state.szTimerSound);
  WriteSettingString(path, kAlarm, "szAlarmSound", g_state.szAlarmSound);
}
