// Where the settings are kept: beside the program when that file can be
// written, else in the user's own file; a file the clock cannot read is never
// written, and the user is told once, after start-up.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "support/box_watcher.h"
#include "support/clock_fixture.h"
#include "support/x_pointer.h"

namespace {

std::string Utf16WithoutMark(const std::string& ascii) {
  std::string wide;
  for (char c : ascii) wide += std::string{c, '\0'};
  return wide;
}

bool Contains(const std::wstring& text, const std::string& ascii) {
  return text.find(WidePath(ascii)) != std::wstring::npos;
}

class SettingsPlaceTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  std::string IniPath() const { return folder_.File("Tavelin.ini"); }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

// Files the clock reads as they are, and what becomes of them; a file it
// cannot read is never written, and the user is told once, never at exit.
TEST_F(SettingsPlaceTest, EachFileIsReadAndWrittenOrLeftAsItWas) {
  const struct {
    const char* name;
    std::string bytes;
    bool readOnly;
    bool readable;
  } cases[] = {
      {"ANSI text", "[GENERAL]\r\nfTopMost=0\r\n", false, true},
      {"UTF-16 with its mark", "\xFF\xFE" + Utf16WithoutMark("[GENERAL]\r\nfTopMost=0\r\n"), false, true},
      {"read-only on purpose", "[GENERAL]\r\nfTopMost=0\r\n", true, true},
      {"UTF-16 without its mark", Utf16WithoutMark("[GENERAL]\r\nfTopMost=0\r\n[Aduvi]\r\nxPosFace=3\r\n"), false,
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    PrepareProgramFolder(folder_.path());
    SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
    WriteFileBytes(IniPath(), c.bytes);
    if (c.readOnly) {
      ASSERT_TRUE(SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    }
    BoxWatcher boxes(L"Tavelin");
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    if (c.readable) {
      PumpMessages(300);
      EXPECT_EQ(g_state.fTopMost, 0) << "the file is read";
    } else {
      EXPECT_TRUE(PumpUntil([&] { return !boxes.Texts().empty(); })) << "no message";
    }
    g_state.nChara = IDM_CHARA_FIRST + 4;
    g_state.nTimerMinute = 44;
    CloseClock(hwnd_);
    PumpMessages(300);
    const auto texts = boxes.Texts();
    ASSERT_EQ(texts.size(), c.readable ? 0u : 1u) << "a message only for a file the clock cannot read, once";
    if (!c.readable) {
      EXPECT_TRUE(Contains(texts[0], IniPath())) << "the message names the file";
    }
    const bool written = c.readable && !c.readOnly;
    EXPECT_EQ(GetPrivateProfileIntA("ALARM", "nTimerMinute", 0, IniPath().c_str()) == 44, written);
    if (!written) {
      EXPECT_EQ(ReadFileBytes(IniPath()), c.bytes) << "the file is byte for byte as it was";
    }
  }
}

// The following run as a user who cannot write the program's folder (the
// test runner prepares the folder with Tavelin.exe and the kit in it, and
// names it in TAVELIN_LOCKED_PROGRAM); Wine running as root would write anyway.
class LockedFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = PathFromEnvironment("TAVELIN_LOCKED_PROGRAM");
    if (folder_.empty()) GTEST_SKIP() << "runs only as a user who cannot write TAVELIN_LOCKED_PROGRAM";
    if (folder_.back() != '\\') folder_ += '\\';
    programIni_ = ReadFileBytes(folder_ + "Tavelin.ini");
    ASSERT_NE(programIni_.find("[Aduvi]"), std::string::npos) << "the kit's sections lie beside the program";
    ASSERT_EQ(GetFileAttributesA((folder_ + "probe").c_str()), INVALID_FILE_ATTRIBUTES);
    HANDLE probe = CreateFileA((folder_ + "probe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);
    ASSERT_EQ(probe, INVALID_HANDLE_VALUE) << "this user can write the program's folder";
  }

  // Runs Tavelin.exe from the locked folder with APPDATA at `appData`; posts
  // the commands once the figure shows and, when `boxes` is given, a message
  // has been seen; closes the clock and returns the figure's width (0 when
  // none showed).
  int RunClock(const std::string& appData, const int* commands, int count, BoxWatcher* boxes = nullptr) {
    SetEnvironmentVariableA("APPDATA", appData.c_str());
    PROCESS_INFORMATION process{};
    EXPECT_TRUE(LaunchProgramIn(WidePath(folder_), &process));
    RECT rc{};
    const HWND clock = WaitForShownClock(&rc, 30000);
    if (boxes != nullptr) {
      EXPECT_TRUE(PumpUntil([&] { return !boxes->Texts().empty(); }, 20000)) << "no message";
    }
    if (clock != nullptr) {
      for (int i = 0; i < count; ++i) PostMessageA(clock, WM_COMMAND, commands[i], 0);
      PumpMessages(500);
    }
    StopProgram(clock, &process);
    return clock != nullptr ? rc.right - rc.left : 0;
  }

  std::string folder_;
  std::string programIni_;
  TempFolder user_;
};

TEST_F(LockedFolderTest, SettingsGoToTheUsersFileAndComeBack) {
  BoxWatcher boxes(L"Tavelin");
  const int changes[] = {IDM_CHARA_FIRST + 2, IDM_SIZE_SMALL};
  const int firstWidth = RunClock(user_.path(), changes, 2);
  EXPECT_GT(firstWidth, 0) << "the character sections come from the program's file";
  const std::string userIni = ReadFileBytes(user_.File("Tavelin\\Tavelin.ini"));
  EXPECT_NE(userIni.find("nChara=40003\r\n"), std::string::npos) << userIni;
  EXPECT_NE(userIni.find("nSize=42001\r\n"), std::string::npos) << userIni;
  EXPECT_EQ(userIni.find("[Aduvi]"), std::string::npos) << "character sections are not copied";

  const int secondWidth = RunClock(user_.path(), nullptr, 0);
  EXPECT_GT(secondWidth, 0) << "the figure still shows";
  const std::string again = ReadFileBytes(user_.File("Tavelin\\Tavelin.ini"));
  EXPECT_NE(again.find("nChara=40003\r\n"), std::string::npos) << "read back at the next start:\n" << again;
  EXPECT_NE(again.find("nSize=42001\r\n"), std::string::npos) << again;
  EXPECT_EQ(ReadFileBytes(folder_ + "Tavelin.ini"), programIni_) << "the program's file is untouched";
  EXPECT_TRUE(boxes.Texts().empty()) << "no message when the settings are kept";
}

TEST_F(LockedFolderTest, WithNoPlaceToWriteTheClockSaysSoOnce) {
  BoxWatcher boxes(L"Tavelin");
  // The user's folder lies inside the locked one: it cannot be made.
  const int changes[] = {IDM_SIZE_SMALL};
  EXPECT_GT(RunClock(folder_ + "AppData", changes, 1, &boxes), 0);
  PumpMessages(300);
  const auto texts = boxes.Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_TRUE(Contains(texts[0], folder_ + "Tavelin.ini")) << "the message names the program's file";
  EXPECT_EQ(ReadFileBytes(folder_ + "Tavelin.ini"), programIni_);
}

}  // namespace
