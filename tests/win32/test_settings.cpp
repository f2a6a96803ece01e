// Tavelin.ini: read once at start, written once at close, everything else in
// the file left as it was.
#include <gtest/gtest.h>

#include <string>

#include "app/clock_state_win32.h"
#include "support/clock_fixture.h"

namespace {

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  std::string IniPath() const { return folder_.File("Tavelin.ini"); }
  void Start() {
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  void Close() { CloseClock(hwnd_); }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(SettingsTest, WithNoFileTheDefaultsApplyAndCloseWritesBothSectionsInOrder) {
  Start();
  EXPECT_EQ(g_state.fTopMost, 1);
  EXPECT_EQ(g_state.fHideOnMouse, 0);
  EXPECT_EQ(g_state.nChara, IDM_CHARA_RANDOM);
  EXPECT_EQ(g_state.nSize, IDM_SIZE_NORMAL);
  EXPECT_EQ(g_state.nOClockMode, IDC_OCLOCK_ON);
  EXPECT_EQ(g_state.nOClockChangeChara, 1);
  EXPECT_EQ(g_state.nOClockQuietFrom, 0u) << "never quiet";
  EXPECT_EQ(g_state.nOClockQuietTo, 0u);
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_STOP);
  EXPECT_EQ(g_state.dwTimerDeadline, kNoDeadline);
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_STOP);
  EXPECT_EQ(g_state.nTimerMinute, 5u);
  EXPECT_EQ(g_state.alarms[0].nAlarmHour, 0u);
  EXPECT_EQ(g_state.alarms[0].nAlarmMinute, 0u);
  EXPECT_STREQ(g_state.szOClockSound, "oclock.wav");
  EXPECT_STREQ(g_state.szTimerSound, "timer.wav");
  EXPECT_STREQ(g_state.alarms[0].szAlarmSound, "alarm.wav");
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, 0);
  EXPECT_FALSE(FileExists(IniPath())) << "nothing is written before the close";

  Close();
  EXPECT_EQ(ReadFileBytes(IniPath()),
            "[GENERAL]\r\n"
            "fTopMost=1\r\n"
            "fHideOnMouse=0\r\n"
            "nChara=40013\r\n"
            "nSize=42002\r\n"
            "xPosWindow=0\r\n"
            "yPosWindow=0\r\n"
            "fAsideFullScreen=1\r\n"
            "fClickThrough=0\r\n"
            "nOpacity=100\r\n"
            "fMute=0\r\n"
            "fAnimate=1\r\n"
            "fBalloon=0\r\n"
            "[ALARM]\r\n"
            "nOClockMode=1018\r\n"
            "nOClockChangeChara=1\r\n"
            "nOClockQuietFrom=0\r\n"
            "nOClockQuietTo=0\r\n"
            "nTimerMode=1014\r\n"
            "nTimerMinute=5\r\n"
            "szOClockSound=oclock.wav\r\n"
            "szTimerSound=timer.wav\r\n"
            "nAlarmMode=1011\r\n"
            "nAlarmHour=0\r\n"
            "nAlarmMinute=0\r\n"
            "szAlarmSound=alarm.wav\r\n"
            "szAlarmLabel=\r\n"
            "nAlarmRepeat=1013\r\n"
            "nAlarmDays=0\r\n"
            "nAlarmVolume=100\r\n"
            "nAlarmSnooze=5\r\n"
            "nTimerVolume=100\r\n"
            "nOClockVolume=100\r\n");
}

TEST_F(SettingsTest, StoredValuesAreReadBack) {
  WriteFileBytes(IniPath(),
                 "[GENERAL]\r\nfTopMost=0\r\nfHideOnMouse=1\r\nnChara=40005\r\nnSize=42001\r\n"
                 "fAsideFullScreen=0\r\nfClickThrough=1\r\nnOpacity=70\r\nfMute=1\r\nfAnimate=0\r\nfBalloon=1\r\n"
                 "[ALARM]\r\nnOClockMode=1017\r\nnOClockChangeChara=0\r\nnAlarmMode=1013\r\n"
                 "nTimerMinute=-1\r\nnAlarmHour=7\r\nnAlarmMinute=30\r\n"
                 "szOClockSound=C:\\sounds\\chime.wav\r\nszTimerSound=\r\nszAlarmSound=wake.wav\r\n");
  Start();
  EXPECT_EQ(g_state.fTopMost, 0);
  EXPECT_EQ(g_state.fHideOnMouse, 1);
  EXPECT_EQ(g_state.nChara, 40005);
  EXPECT_EQ(g_state.nSize, IDM_SIZE_SMALL);
  EXPECT_EQ(g_state.fAsideFullScreen, 0);
  EXPECT_EQ(g_state.fClickThrough, 1);
  EXPECT_EQ(g_state.nOpacity, 80) << "the nearest of the four";
  EXPECT_EQ(g_state.fMute, 1);
  EXPECT_EQ(g_state.fAnimate, 0);
  EXPECT_EQ(g_state.fBalloon, 1);
  EXPECT_EQ(g_state.nOClockMode, IDC_OCLOCK_OFF);
  EXPECT_EQ(g_state.nOClockChangeChara, 0);
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_REPEAT);
  EXPECT_EQ(g_state.nTimerMinute, 4294967295u) << "a negative number reads back as the same 32 bits";
  EXPECT_EQ(g_state.alarms[0].nAlarmHour, 7u);
  EXPECT_EQ(g_state.alarms[0].nAlarmMinute, 30u);
  EXPECT_STREQ(g_state.szOClockSound, "C:\\sounds\\chime.wav");
  EXPECT_STREQ(g_state.szTimerSound, "") << "an empty text stays empty";
  EXPECT_STREQ(g_state.alarms[0].szAlarmSound, "wake.wav");

  Close();
  const std::string saved = ReadFileBytes(IniPath());
  EXPECT_NE(saved.find("nTimerMinute=-1\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("nOpacity=80\r\n"), std::string::npos) << saved;
}

TEST_F(SettingsTest, WeekdaysAndQuietHoursAreReadBackAndWritten) {
  WriteFileBytes(IniPath(), "[ALARM]\r\nnAlarmMode=1037\r\nnOClockQuietFrom=22\r\nnOClockQuietTo=7\r\n");
  Start();
  EXPECT_EQ(g_state.alarms[0].nAlarmMode, IDC_ALARM_WEEKDAYS);
  EXPECT_EQ(g_state.nOClockQuietFrom, 22u);
  EXPECT_EQ(g_state.nOClockQuietTo, 7u);
  g_state.nOClockQuietFrom = 23;
  Close();
  const std::string saved = ReadFileBytes(IniPath());
  for (const char* line : {"nAlarmMode=1037\r\n", "nOClockQuietFrom=23\r\n", "nOClockQuietTo=7\r\n"}) {
    EXPECT_NE(saved.find(line), std::string::npos) << line << " in " << saved;
  }
}

// ALARM and the ALARMn sections that hold an alarm, in order, gaps closed;
// bad values made safe; lines the program does not own kept.
TEST_F(SettingsTest, SeveralAlarmsAreReadInOrderAndWrittenBack) {
  WriteFileBytes(IniPath(),
                 "[ALARM]\r\nnAlarmMode=1013\r\nnAlarmHour=6\r\nnAlarmMinute=30\r\nszAlarmSound=wake.wav\r\n"
                 "[ALARM3]\r\nnAlarmMode=1100\r\nnAlarmHour=9\r\nnAlarmMinute=15\r\nnAlarmDays=42\r\n"
                 "szAlarmLabel=Weekly meeting\r\nnAlarmVolume=40\r\nnAlarmSnooze=10\r\nszNote=mine\r\n"
                 "[ALARM5]\r\nnAlarmMode=1011\r\nnAlarmRepeat=1012\r\nnAlarmHour=25\r\nnAlarmVolume=300\r\n"
                 "nAlarmSnooze=0\r\n");
  Start();
  ASSERT_EQ(g_state.nAlarmCount, 3);
  const Alarm& first = g_state.alarms[0];
  EXPECT_EQ(first.nAlarmMode, IDC_ALARM_REPEAT) << "today's file rings as it did";
  EXPECT_EQ(first.nAlarmHour * 100 + first.nAlarmMinute, 630u);
  EXPECT_STREQ(first.szAlarmSound, "wake.wav");
  EXPECT_STREQ(first.szAlarmLabel, "");
  EXPECT_EQ(first.nAlarmVolume, 100u);
  EXPECT_EQ(first.nAlarmSnooze, 5u);
  const Alarm& second = g_state.alarms[1];
  EXPECT_EQ(second.nAlarmMode, IDC_ALARM_DAYS);
  EXPECT_EQ(second.nAlarmDays, 42u);
  EXPECT_STREQ(second.szAlarmLabel, "Weekly meeting");
  EXPECT_STREQ(second.szAlarmSound, "alarm.wav");
  EXPECT_EQ(second.nAlarmVolume, 40u);
  EXPECT_EQ(second.nAlarmSnooze, 10u);
  const Alarm& third = g_state.alarms[2];
  EXPECT_EQ(third.nAlarmMode, IDC_ALARM_STOP);
  EXPECT_EQ(third.nAlarmRepeat, IDC_ALARM_ONCE);
  EXPECT_EQ(third.nAlarmHour, 25u) << "kept; it never rings";
  EXPECT_EQ(third.nAlarmVolume, 100u);
  EXPECT_EQ(third.nAlarmSnooze, 5u);
  Close();

  const std::string saved = ReadFileBytes(IniPath());
  const std::size_t alarm2 = saved.find("[ALARM2]");
  ASSERT_NE(alarm2, std::string::npos) << saved;
  EXPECT_NE(saved.find("szAlarmLabel=Weekly meeting", alarm2), std::string::npos) << saved;
  EXPECT_NE(saved.find("szNote=mine"), std::string::npos) << "a line the program does not own stays";
  const std::size_t alarm5 = saved.find("[ALARM5]");
  EXPECT_TRUE(alarm5 == std::string::npos ||
              saved.substr(alarm5 + 1, saved.find('[', alarm5 + 1) - alarm5 - 1).find("nAlarm") == std::string::npos)
      << "the moved alarm's old keys are gone: " << saved;

  Start();
  ASSERT_EQ(g_state.nAlarmCount, 3) << "read back the same";
  EXPECT_STREQ(g_state.alarms[1].szAlarmLabel, "Weekly meeting");
  EXPECT_EQ(g_state.alarms[2].nAlarmRepeat, IDC_ALARM_ONCE);
  g_state.nAlarmCount = 1;  // two deleted
  Close();
  const std::string fewer = ReadFileBytes(IniPath());
  EXPECT_EQ(fewer.find("Weekly meeting"), std::string::npos) << fewer;
}

TEST_F(SettingsTest, StoredTimerModeIsIgnoredAndOverwritten) {
  WriteFileBytes(IniPath(), "[ALARM]\r\nnTimerMode=1016\r\n");
  Start();
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_STOP);
  EXPECT_EQ(g_state.dwTimerDeadline, kNoDeadline);
  Close();
  const std::string saved = ReadFileBytes(IniPath());
  EXPECT_NE(saved.find("nTimerMode=1014\r\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("1016"), std::string::npos) << saved;
}

TEST_F(SettingsTest, IntegerKeysReadTheLeadingNumber) {
  struct Case {
    const char* text;
    unsigned expected;
  } cases[] = {{"", 5}, {"abc", 0}, {"12x", 12}, {"42", 42}, {"-3", 4294967293u}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    WriteFileBytes(IniPath(), std::string("[ALARM]\r\nnTimerMinute=") + c.text + "\r\n");
    PrepareProgramFolder(folder_.path());
    Start();
    EXPECT_EQ(g_state.nTimerMinute, c.expected);
    DestroyWindow(hwnd_);  // leave without saving, so the next case reads its own file
    PumpMessages();
  }
}

TEST_F(SettingsTest, NegativeWindowPositionIsApplied) {
  WriteFileBytes(IniPath(), "[GENERAL]\r\nxPosWindow=-40\r\nyPosWindow=25\r\n");
  Start();
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  EXPECT_EQ(rc.left, -40);
  EXPECT_EQ(rc.top, 25);
}

TEST_F(SettingsTest, LongSoundPathIsCutTo259BytesAndWrittenBackCut) {
  const std::string longPath = "C:\\" + std::string(297, 's');
  ASSERT_EQ(longPath.size(), 300u);
  WriteFileBytes(IniPath(), "[ALARM]\r\nszAlarmSound=" + longPath + "\r\n");
  Start();
  EXPECT_EQ(std::string(g_state.alarms[0].szAlarmSound), longPath.substr(0, 259));
  Close();
  const std::string saved = ReadFileBytes(IniPath());
  EXPECT_NE(saved.find("szAlarmSound=" + longPath.substr(0, 259) + "\r\n"), std::string::npos);
  EXPECT_EQ(saved.find(longPath.substr(0, 260)), std::string::npos);
}

TEST_F(SettingsTest, HandAddedLinesAndCharacterSectionsSurviveTheSave) {
  const std::string character =
      "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=aduvi.bmp\r\nxPosFace=-30\r\n"
      "yPosFace=20\r\nfFaceOnChara=1\r\n";
  WriteFileBytes(IniPath(), character +
                                "[GENERAL]\r\n; my own note\r\nfTopMost=0\r\nmyKey=kept\r\n"
                                "[ALARM]\r\nnAlarmHour=6\r\n");
  Start();
  g_state.fTopMost = 1;
  Close();
  const std::string saved = ReadFileBytes(IniPath());
  EXPECT_EQ(saved.rfind(character, 0), 0u) << saved;
  EXPECT_NE(saved.find("; my own note\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("myKey=kept\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("fTopMost=1\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("nAlarmHour=6\r\n"), std::string::npos) << saved;
}

TEST_F(SettingsTest, ReadOnlyFileStaysAsItWas) {
  const std::string original = "[GENERAL]\r\nfTopMost=0\r\n";
  WriteFileBytes(IniPath(), original);
  ASSERT_TRUE(SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
  // Wine running as root writes through the read-only attribute; a handle
  // that shares only reading makes the file unwritable there as on Windows.
  HANDLE guard = CreateFileA(IniPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(guard, INVALID_HANDLE_VALUE);
  Start();
  EXPECT_EQ(g_state.fTopMost, 0) << "a read-only file is still read";
  g_state.nChara = 40002;
  Close();
  CloseHandle(guard);
  EXPECT_FALSE(IsWindow(hwnd_)) << "the close went through";
  EXPECT_EQ(ReadFileBytes(IniPath()), original);
}

TEST_F(SettingsTest, SavedPositionIsTheWindowsTopLeftAtClose) {
  Start();
  SetWindowPos(hwnd_, nullptr, 123, 45, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  Close();
  const std::string saved = ReadFileBytes(IniPath());
  EXPECT_NE(saved.find("xPosWindow=123\r\nyPosWindow=45\r\n"), std::string::npos) << saved;
}

}  // namespace
