// The program in a folder whose name the ANSI code page cannot spell, or that
// is too long for a path field: it reaches its settings, pictures and sounds
// through the folder's short name. Runs under the Japanese locale (code page
// 932) and the English one (1252), each with a name foreign to it.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "dialog/alarm_dialog_win32.h"
#include "support/clock_fixture.h"
#include "support/file_chooser.h"
#include "support/x_pointer.h"

namespace {

// Korean letters and Ü have no form in code page 932, Japanese letters none
// in 1252.
std::wstring ForeignName() { return GetACP() == 932 ? L"\uC2DC\uACC4 \u00DCber" : L"\u6642\u8A08\u306E\u90E8\u5C4B"; }
// A name the running code page spells exactly.
std::wstring NativeName() { return GetACP() == 932 ? L"\u6642\u8A08" : L"Caf\u00E9 \u00DCber"; }

// The exact ANSI form, or an empty text when there is none.
std::string ExactAnsi(const std::wstring& wide) {
  char ansi[1024] = {};
  BOOL lossy = FALSE;
  if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), -1, ansi, sizeof ansi, nullptr, &lossy) == 0 ||
      lossy) {
    return std::string();
  }
  return ansi;
}

std::wstring ShortName(const std::wstring& path) {
  wchar_t shortPath[1024] = {};
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath, 1024);
  EXPECT_GT(length, 0u) << "no short name";
  return shortPath;
}

bool MakeFile(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

std::string ReadWide(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.append(chunk, read);
  CloseHandle(file);
  return bytes;
}

// What the program's ANSI calls find under an ANSI name.
std::string ReadAnsi(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  CloseHandle(file);
  return ReadFileBytes(path);
}

// Copies every file of the demo kit into `folder`.
void CopyKit(const std::wstring& folder) {
  const std::wstring kit = WidePath(PathFromEnvironment("TAVELIN_KIT"));
  ASSERT_FALSE(kit.empty()) << "TAVELIN_KIT names the demo kit";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((kit + L"\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE) << "no demo kit";
  int copied = 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    ASSERT_TRUE(CopyFileW((kit + L"\\" + found.cFileName).c_str(), (folder + found.cFileName).c_str(), FALSE));
    ++copied;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  ASSERT_GT(copied, 3);
}

class FolderTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // A folder inside the test's own, ending in a backslash.
  std::wstring MakeFolder(const std::wstring& name) {
    const std::wstring folder = WidePath(temp_.path()) + name + L"\\";
    EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << "cannot make the folder";
    return folder;
  }

  // Starts the clock in process as if Tavelin.exe lay in `folder`.
  void StartIn(const std::wstring& folder) {
    PrepareProgramFolder(folder);
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }

  TempFolder temp_;
  HWND hwnd_ = nullptr;
};

TEST_F(FolderTest, AForeignNameIsTakenByItsShortFormForTheSettingsAndTheCurrentDirectory) {
  const std::wstring folder = MakeFolder(ForeignName());
  ASSERT_EQ(ExactAnsi(folder), "") << "the name must be foreign to code page " << GetACP();
  const std::string shortForm = ExactAnsi(ShortName(folder));
  ASSERT_FALSE(shortForm.empty()) << "the short name is ANSI";
  ASSERT_TRUE(MakeFile(folder + L"marker.txt", "here"));

  StartIn(folder);
  EXPECT_EQ(std::string(g_state.szModuleDir), shortForm);
  EXPECT_EQ(ReadAnsi("marker.txt"), "here") << "relative names resolve in the program's folder";
  g_state.nTimerMinute = 17;
  CloseClock(hwnd_);
  const std::string saved = ReadWide(folder + L"Tavelin.ini");
  EXPECT_NE(saved.find("nTimerMinute=17\r\n"), std::string::npos) << "settings written beside the program";
}

TEST_F(FolderTest, ANameTheCodePageSpellsIsKeptWhole) {
  const std::wstring folder = MakeFolder(NativeName());
  const std::string exact = ExactAnsi(folder);
  ASSERT_FALSE(exact.empty());
  ASSERT_NE(ExactAnsi(ShortName(folder)), exact) << "the short name differs, so the test tells them apart";
  StartIn(folder);
  EXPECT_EQ(std::string(g_state.szModuleDir), exact);
}

TEST_F(FolderTest, AFolderLongerThanAPathFieldIsTakenByItsShortForm) {
  // Two nested folders of 150 letters: more than 259 bytes in any code page.
  const std::wstring outer = MakeFolder(std::wstring(150, L'o'));
  const std::wstring folder = outer + std::wstring(150, L'i') + L"\\";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(MakeFile(folder + L"marker.txt", "deep"));

  StartIn(folder);
  const std::string dir = g_state.szModuleDir;
  EXPECT_EQ(dir, ExactAnsi(ShortName(folder)));
  EXPECT_LT(dir.size(), 260u);
  EXPECT_EQ(ReadAnsi(dir + "marker.txt"), "deep");
  CloseClock(hwnd_);
  EXPECT_NE(ReadWide(folder + L"Tavelin.ini").find("[GENERAL]"), std::string::npos);
}

// A folder of 250 bytes has an exact form within a path field, but
// "<folder>Tavelin.ini" would be cut to 259 bytes ("Tavelin.i"): it is taken
// by its short form, finds its kit and writes Tavelin.ini itself.
TEST_F(FolderTest, AFolderTooLongForTheWholeSettingsPathIsTakenByItsShortForm) {
  const std::size_t base = ExactAnsi(WidePath(temp_.path())).size();
  ASSERT_LT(base, 200u);
  const std::wstring folder = MakeFolder(std::wstring(250 - base - 1, L'b'));
  ASSERT_EQ(ExactAnsi(folder).size(), 250u);
  CopyKit(folder);
  std::string ini = ReadWide(folder + L"Tavelin.ini");
  ini += "\r\n[GENERAL]\r\nnChara=40001\r\n";
  ASSERT_TRUE(MakeFile(folder + L"Tavelin.ini", ini));

  StartIn(folder);
  EXPECT_EQ(std::string(g_state.szModuleDir), ExactAnsi(ShortName(folder)));
  EXPECT_NE(g_state.hbmMascot, nullptr) << "the figure loads";
  g_state.nTimerMinute = 21;
  CloseClock(hwnd_);
  EXPECT_NE(ReadWide(folder + L"Tavelin.ini").find("nTimerMinute=21\r\n"), std::string::npos);
  EXPECT_EQ(GetFileAttributesW((folder + L"Tavelin.i").c_str()), INVALID_FILE_ATTRIBUTES) << "no stray file";
}

TEST_F(FolderTest, AFolderWithNoAnsiFormAtAllIsNeitherReadNorWritten) {
  // A folder that does not exist has no short name either.
  const std::wstring folder = WidePath(temp_.path()) + ForeignName() + L"\\";
  ASSERT_TRUE(SetCurrentDirectoryA(temp_.path().c_str()));
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  StartIn(folder);
  EXPECT_STREQ(g_state.szModuleDir, "?\\");
  char after[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, after);
  EXPECT_STREQ(after, current) << "the current directory stays";
  CloseClock(hwnd_);
  EXPECT_FALSE(FileExists(std::string(current) + "\\Tavelin.ini")) << "nothing written in its stead";
  EXPECT_FALSE(FileExists(std::string(current) + "\\?\\Tavelin.ini"));
}

// A thread timer keeps running inside the chooser's own loop: it confirms
// `path` in the chooser that the clock window opens.
std::wstring g_chosenPath;
bool g_chooserSeen = false;
BOOL CALLBACK ConfirmIfChooser(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  wchar_t kind[16] = {};
  GetClassNameW(window, kind, 16);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || lstrcmpW(kind, L"#32770") != 0 ||
      GetWindow(window, GW_OWNER) != g_hwndMain) {
    return TRUE;
  }
  g_chooserSeen = true;
  ChooseInChooser(window, g_chosenPath);
  return FALSE;
}
void CALLBACK LookForChooser(HWND, UINT, UINT_PTR id, DWORD) {
  EnumWindows(ConfirmIfChooser, 0);
  if (g_chooserSeen) KillTimer(nullptr, id);
}

TEST_F(FolderTest, ASoundChosenInAForeignFolderIsStoredByANameThatOpensIt) {
  const std::wstring folder = MakeFolder(ForeignName());
  const std::wstring sound = folder + ForeignName() + L".wav";
  ASSERT_TRUE(MakeFile(sound, "RIFF-this-sound"));
  StartIn(WidePath(temp_.path()));

  g_chosenPath = sound;
  g_chooserSeen = false;
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, LookForChooser);
  ChooseSoundFile(hwnd_, g_state.alarms[0].szAlarmSound);
  if (!g_chooserSeen) KillTimer(nullptr, timer);
  ASSERT_TRUE(g_chooserSeen) << "no chooser opened";

  const std::string stored = g_state.alarms[0].szAlarmSound;
  EXPECT_EQ(stored, ExactAnsi(ShortName(sound)));
  EXPECT_EQ(ReadAnsi(stored), "RIFF-this-sound") << "the stored name opens the chosen file";
}

// Tavelin.exe itself and the demo kit in a folder with a foreign name.
TEST_F(FolderTest, TheProgramInAForeignFolderShowsItsFigureAndKeepsItsSettings) {
  const std::wstring folder = MakeFolder(ForeignName());
  CopyKit(folder);
  const std::wstring exe = WidePath(PathFromEnvironment("TAVELIN_EXE"));
  ASSERT_FALSE(exe.empty()) << "TAVELIN_EXE names the program";
  ASSERT_TRUE(CopyFileW(exe.c_str(), (folder + L"Tavelin.exe").c_str(), FALSE));
  std::string ini = ReadWide(folder + L"Tavelin.ini");
  ini += "\r\n[GENERAL]\r\nnChara=40001\r\nxPosWindow=120\r\nyPosWindow=90\r\n";
  ASSERT_TRUE(MakeFile(folder + L"Tavelin.ini", ini));

  PROCESS_INFORMATION process{};
  ASSERT_TRUE(LaunchProgramIn(folder, &process));
  RECT rc{};
  const HWND clock = WaitForShownClock(&rc, 20000);
  EXPECT_NE(clock, nullptr) << "no figure: the pictures were not found";
  if (clock != nullptr) {
    EXPECT_EQ(rc.left, 120) << "the saved position was read";
    EXPECT_EQ(rc.top, 90);
    PostMessageA(clock, WM_COMMAND, IDM_CHARA_FIRST + 2, 0);
  }
  StopProgram(clock, &process);

  const std::string saved = ReadWide(folder + L"Tavelin.ini");
  EXPECT_NE(saved.find("nChara=40003\r\n"), std::string::npos) << "the settings were written back:\n" << saved;
  EXPECT_NE(saved.find("[Aduvi]"), std::string::npos) << "the kit's sections stay";
}

}  // namespace
