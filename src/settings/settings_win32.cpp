#include "settings/settings_win32.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "desktop/window_look.h"
#include "settings/settings_path.h"
#include "settings/settings_place.h"
#include "shared/ansi_path_win32.h"
#include "shared/message_in_front_win32.h"

namespace {
constexpr const char* kGeneral = "GENERAL";
constexpr const char* kAlarm = "ALARM";

bool HasReadOnlyAttribute(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

// Whether the file could be written, found out without changing it: an
// existing file is opened for writing and closed; for a missing one, a trial
// file of that name is made in its folder and goes again when closed.
bool CanWrite(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                       FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
  }
  CloseHandle(file);
  return true;
}

// Read a piece at a time, so that a file of any size takes no memory.
bool IsUnreadableFile(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  static unsigned char chunk[65536];
  SettingsTextCheck check;
  DWORD read = 0;
  while (!check.Decided() && ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) check.Add(chunk, read);
  CloseHandle(file);
  return check.Unreadable();
}

// The user's own settings folder, %APPDATA%\Tavelin\, made when missing, in
// the ANSI form the profile calls take. False when there is none to reach.
bool FindUserFolder(char (&folder)[kTextBufferSize]) {
  std::wstring base(32768, L'\0');
  DWORD length = GetEnvironmentVariableW(L"APPDATA", base.data(), static_cast<DWORD>(base.size()));
  if (length == 0 || length >= base.size()) {
    wchar_t known[MAX_PATH];
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, known))) return false;
    base = known;
  } else {
    base.resize(length);
  }
  if (!base.empty() && base.back() != L'\\') base += L'\\';
  base += L"Tavelin\\";
  (void)CreateDirectoryW(base.c_str(), nullptr);  // an existing folder is fine
  return AnsiPathOf(base.c_str(), folder, kSettingsFolderFieldSize);
}

// Decides, once at start, where GENERAL and ALARM are read and written, and
// which message (if any) the user is to see about it.
void FindSettingsPlace() {
  char programFile[kTextBufferSize];
  SettingsPath(programFile);
  char userFile[kTextBufferSize] = "";

  SettingsPlaceFacts facts{};
  facts.programFileReadOnly = HasReadOnlyAttribute(programFile);
  if (!facts.programFileReadOnly) {
    facts.programFileWritable = CanWrite(programFile);
    facts.programFileUnreadable = facts.programFileWritable && IsUnreadableFile(programFile);
    char userFolder[kTextBufferSize];
    if (!facts.programFileWritable && FindUserFolder(userFolder)) {
      BuildSettingsPath(userFolder, userFile, sizeof userFile);
      facts.userFileExists = GetFileAttributesA(userFile) != INVALID_FILE_ATTRIBUTES;
      facts.userFileReadOnly = HasReadOnlyAttribute(userFile);
      facts.userFileWritable = !facts.userFileReadOnly && CanWrite(userFile);
      facts.userFileUnreadable = facts.userFileExists && IsUnreadableFile(userFile);
    }
  }

  const SettingsPlace place = ChooseSettingsPlace(facts);
  auto pathOf = [&](SettingsFile file) -> const char* {
    if (file == SettingsFile::kProgram) return programFile;
    if (file == SettingsFile::kUser) return userFile;
    return "";
  };
  CopyTruncated(g_state.szSettingsReadPath, kTextBufferSize, pathOf(place.readFrom));
  CopyTruncated(g_state.szSettingsWritePath, kTextBufferSize, pathOf(place.writeTo));
  g_state.nSettingsNotice = static_cast<int>(place.notice);
  CopyTruncated(g_state.szSettingsNoticeFile, kTextBufferSize,
                place.notice == SettingsNotice::kNowhere ? programFile : pathOf(place.noticeFile));
}
}  // namespace

namespace {

// The alarm keys, the same in ALARM and in ALARM2 to ALARM8.
constexpr const char* kAlarmKeys[] = {"nAlarmMode",   "nAlarmHour",   "nAlarmMinute", "szAlarmSound", "szAlarmLabel",
                                      "nAlarmRepeat", "nAlarmDays",   "nAlarmVolume", "nAlarmSnooze"};

void AlarmSection(int index, char (&section)[16]) {
  if (index == 0) {
    std::snprintf(section, sizeof section, "%s", kAlarm);
  } else {
    std::snprintf(section, sizeof section, "%s%d", kAlarm, index + 1);
  }
}

bool SectionHasAlarm(const char* path, const char* section) {
  char value[16];
  (void)GetPrivateProfileStringA(section, "nAlarmMode", "", value, sizeof value, path);
  return value[0] != '\0';
}

void ReadAlarm(const char* path, const char* section, Alarm& alarm) {
  alarm = DefaultAlarm("alarm.wav");
  ReadSettingInt(path, section, "nAlarmMode", &alarm.nAlarmMode, IDC_ALARM_STOP);
  ReadSettingInt(path, section, "nAlarmHour", &alarm.nAlarmHour, 0u);
  ReadSettingInt(path, section, "nAlarmMinute", &alarm.nAlarmMinute, 0u);
  ReadSettingString(path, section, "szAlarmSound", alarm.szAlarmSound, "alarm.wav");
  (void)GetPrivateProfileStringA(section, "szAlarmLabel", "", alarm.szAlarmLabel, sizeof alarm.szAlarmLabel, path);
  ReadSettingInt(path, section, "nAlarmRepeat", &alarm.nAlarmRepeat, 0);
  ReadSettingInt(path, section, "nAlarmDays", &alarm.nAlarmDays, 0u);
  ReadSettingInt(path, section, "nAlarmVolume", &alarm.nAlarmVolume, kFullVolume);
  ReadSettingInt(path, section, "nAlarmSnooze", &alarm.nAlarmSnooze, kDefaultSnoozeMinutes);
  NormaliseAlarm(alarm);
}

void WriteAlarm(const char* path, const char* section, const Alarm& alarm) {
  WriteSettingInt(path, section, "nAlarmMode", alarm.nAlarmMode);
  // Unsigned values above 2147483647 go out as negative numbers and read back
  // as the same 32 bits.
  WriteSettingInt(path, section, "nAlarmHour", static_cast<int>(alarm.nAlarmHour));
  WriteSettingInt(path, section, "nAlarmMinute", static_cast<int>(alarm.nAlarmMinute));
  WriteSettingString(path, section, "szAlarmSound", alarm.szAlarmSound);
  WriteSettingString(path, section, "szAlarmLabel", alarm.szAlarmLabel);
  WriteSettingInt(path, section, "nAlarmRepeat", alarm.nAlarmRepeat);
  WriteSettingInt(path, section, "nAlarmDays", static_cast<int>(alarm.nAlarmDays));
  WriteSettingInt(path, section, "nAlarmVolume", static_cast<int>(alarm.nAlarmVolume));
  WriteSettingInt(path, section, "nAlarmSnooze", static_cast<int>(alarm.nAlarmSnooze));
}

// The first alarm is always there; the others are the ALARMn sections that
// hold an alarm, in order, closing up any gaps.
void LoadAlarms(const char* path) {
  g_state.nAlarmCount = 0;
  for (int n = 0; n < kMaxAlarms; ++n) {
    char section[16];
    AlarmSection(n, section);
    if (n > 0 && !SectionHasAlarm(path, section)) continue;
    ReadAlarm(path, section, g_state.alarms[g_state.nAlarmCount++]);
  }
  for (int i = g_state.nAlarmCount; i < kMaxAlarms; ++i) g_state.alarms[i] = DefaultAlarm("alarm.wav");
}

// Alarms beyond the count lose their keys; other lines of their sections stay.
void SaveAlarms(const char* path) {
  for (int n = 0; n < kMaxAlarms; ++n) {
    char section[16];
    AlarmSection(n, section);
    if (n < g_state.nAlarmCount) {
      WriteAlarm(path, section, g_state.alarms[n]);
    } else if (n > 0 && SectionHasAlarm(path, section)) {
      for (const char* key : kAlarmKeys) (void)WritePrivateProfileStringA(section, key, nullptr, path);
    }
  }
}

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
  FindSettingsPlace();
  const char* path = g_state.szSettingsReadPath;

  ReadSettingInt(path, kGeneral, "fTopMost", &g_state.fTopMost, 1);
  ReadSettingInt(path, kGeneral, "fHideOnMouse", &g_state.fHideOnMouse, 0);
  ReadSettingInt(path, kGeneral, "nChara", &g_state.nChara, IDM_CHARA_RANDOM);
  ReadSettingInt(path, kGeneral, "nSize", &g_state.nSize, IDM_SIZE_NORMAL);
  int x = 0;
  int y = 0;
  ReadSettingInt(path, kGeneral, "xPosWindow", &x, 0);
  ReadSettingInt(path, kGeneral, "yPosWindow", &y, 0);
  // Not checked here: the first character load sizes the window and pulls it
  // back onto the screen. With no position stored (a first start) it places
  // the figure itself, once its size is known.
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  char stored[kTextBufferSize];
  ReadSettingString(path, kGeneral, "xPosWindow", stored, "");
  const bool xStored = stored[0] != '\0';
  ReadSettingString(path, kGeneral, "yPosWindow", stored, "");
  g_state.fFirstPlace = !xStored && stored[0] == '\0';
  ReadSettingInt(path, kGeneral, "fAsideFullScreen", &g_state.fAsideFullScreen, 1);
  ReadSettingInt(path, kGeneral, "fClickThrough", &g_state.fClickThrough, 0);
  ReadSettingInt(path, kGeneral, "nOpacity", &g_state.nOpacity, kFullOpacity);
  g_state.nOpacity = NearestOpacity(g_state.nOpacity);
  ReadSettingInt(path, kGeneral, "fMute", &g_state.fMute, 0);
  ReadSettingInt(path, kGeneral, "fAnimate", &g_state.fAnimate, 1);
  ReadSettingInt(path, kGeneral, "fBalloon", &g_state.fBalloon, 0);

  ReadSettingInt(path, kAlarm, "nOClockMode", &g_state.nOClockMode, IDC_OCLOCK_ON);
  ReadSettingInt(path, kAlarm, "nOClockChangeChara", &g_state.nOClockChangeChara, 1);
  ReadSettingInt(path, kAlarm, "nOClockQuietFrom", &g_state.nOClockQuietFrom, 0u);
  ReadSettingInt(path, kAlarm, "nOClockQuietTo", &g_state.nOClockQuietTo, 0u);
  // A countdown never survives a restart.
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.dwTimerDeadline = kNoDeadline;
  ReadSettingInt(path, kAlarm, "nTimerMinute", &g_state.nTimerMinute, 5u);
  ReadSettingString(path, kAlarm, "szOClockSound", g_state.szOClockSound, "oclock.wav");
  ReadSettingString(path, kAlarm, "szTimerSound", g_state.szTimerSound, "timer.wav");
  LoadAlarms(path);
  ReadSettingInt(path, kAlarm, "nTimerVolume", &g_state.nTimerVolume, kFullVolume);
  ReadSettingInt(path, kAlarm, "nOClockVolume", &g_state.nOClockVolume, kFullVolume);
  if (g_state.nTimerVolume > kFullVolume) g_state.nTimerVolume = kFullVolume;
  if (g_state.nOClockVolume > kFullVolume) g_state.nOClockVolume = kFullVolume;
}

void SaveSettings(HWND hwnd) {
  const char* path = g_state.szSettingsWritePath;
  if (path[0] == '\0') return;  // decided at start: no file takes the settings

  WriteSettingInt(path, kGeneral, "fTopMost", g_state.fTopMost);
  WriteSettingInt(path, kGeneral, "fHideOnMouse", g_state.fHideOnMouse);
  WriteSettingInt(path, kGeneral, "nChara", g_state.nChara);
  WriteSettingInt(path, kGeneral, "nSize", g_state.nSize);
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  WriteSettingInt(path, kGeneral, "xPosWindow", rc.left);
  WriteSettingInt(path, kGeneral, "yPosWindow", rc.top);
  WriteSettingInt(path, kGeneral, "fAsideFullScreen", g_state.fAsideFullScreen);
  WriteSettingInt(path, kGeneral, "fClickThrough", g_state.fClickThrough);
  WriteSettingInt(path, kGeneral, "nOpacity", g_state.nOpacity);
  WriteSettingInt(path, kGeneral, "fMute", g_state.fMute);
  WriteSettingInt(path, kGeneral, "fAnimate", g_state.fAnimate);
  WriteSettingInt(path, kGeneral, "fBalloon", g_state.fBalloon);

  WriteSettingInt(path, kAlarm, "nOClockMode", g_state.nOClockMode);
  WriteSettingInt(path, kAlarm, "nOClockChangeChara", g_state.nOClockChangeChara);
  WriteSettingInt(path, kAlarm, "nOClockQuietFrom", static_cast<int>(g_state.nOClockQuietFrom));
  WriteSettingInt(path, kAlarm, "nOClockQuietTo", static_cast<int>(g_state.nOClockQuietTo));
  WriteSettingInt(path, kAlarm, "nTimerMode", g_state.nTimerMode);
  WriteSettingInt(path, kAlarm, "nTimerMinute", static_cast<int>(g_state.nTimerMinute));
  WriteSettingString(path, kAlarm, "szOClockSound", g_state.szOClockSound);
  WriteSettingString(path, kAlarm, "szTimerSound", g_state.szTimerSound);
  SaveAlarms(path);
  WriteSettingInt(path, kAlarm, "nTimerVolume", static_cast<int>(g_state.nTimerVolume));
  WriteSettingInt(path, kAlarm, "nOClockVolume", static_cast<int>(g_state.nOClockVolume));
}

void ShowSettingsNotice(HWND hwnd) {
  const auto notice = static_cast<SettingsNotice>(g_state.nSettingsNotice);
  g_state.nSettingsNotice = static_cast<int>(SettingsNotice::kNone);  // once
  if (notice == SettingsNotice::kNone) return;
  wchar_t format[512] = {};
  LoadStringW(g_hInstance, notice == SettingsNotice::kUnreadable ? IDS_SETTINGS_UNREADABLE : IDS_SETTINGS_NOWHERE,
              format, static_cast<int>(std::size(format)));
  wchar_t file[kTextBufferSize] = {};
  (void)MultiByteToWideChar(CP_ACP, 0, g_state.szSettingsNoticeFile, -1, file, static_cast<int>(std::size(file)));
  wchar_t text[1024];
  wsprintfW(text, format, file);
  (void)MessageBoxInFront(hwnd, text, L"Tavelin", MB_OK | MB_ICONWARNING);
}
