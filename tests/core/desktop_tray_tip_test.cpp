// The tray tip's text for every armed state, in both languages, with the
// texts of the resource script; and the Run value of start with Windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "desktop/start_with_windows.h"
#include "desktop/tray_tip.h"
#include "resource.h"

namespace {

constexpr std::uint64_t kMinute = 60000;
constexpr std::uint64_t kNow = 1000000000;

std::wstring FromUtf8(const std::string& text) {
  std::wstring wide;
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    unsigned value = length == 1 ? c : c & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k) value = (value << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    wide += static_cast<wchar_t>(value);
    i += static_cast<std::size_t>(length);
  }
  return wide;
}

// The string table entries named IDS_... in the block of `language` of the
// resource script, as the program's resources hold them.
std::map<std::string, std::wstring> StringsOf(const std::string& language) {
  std::ifstream file(TAVELIN_SOURCE_DIR "/res/Tavelin.rc");
  std::map<std::string, std::wstring> strings;
  std::string line;
  bool inBlock = false;
  while (std::getline(file, line)) {
    if (line.rfind("LANGUAGE ", 0) == 0) inBlock = line.find(language) != std::string::npos;
    std::istringstream words(line);
    std::string name;
    words >> name;
    const std::size_t open = line.find('"');
    const std::size_t close = line.rfind('"');
    if (inBlock && name.rfind("IDS_", 0) == 0 && open != close) strings[name] = FromUtf8(line.substr(open + 1, close - open - 1));
  }
  return strings;
}

TipTexts TextsOf(const std::string& language) {
  auto strings = StringsOf(language);
  TipTexts texts;
  const std::pair<const char*, std::wstring TipTexts::*> fields[] = {
      {"IDS_TIP_TIMER_ONCE", &TipTexts::timerOnce},          {"IDS_TIP_TIMER_ONCE_LAST", &TipTexts::timerOnceLast},
      {"IDS_TIP_TIMER_REPEAT", &TipTexts::timerRepeat},      {"IDS_TIP_TIMER_REPEAT_LAST", &TipTexts::timerRepeatLast},
      {"IDS_TIP_NEXT_ALARM", &TipTexts::nextAlarm},         {"IDS_TIP_SNOOZE", &TipTexts::snooze},
      {"IDS_TIP_MUTED", &TipTexts::muted}};
  for (const auto& [name, field] : fields) {
    texts.*field = strings[name];
    EXPECT_FALSE((texts.*field).empty()) << name << " is missing in " << language;
  }
  const char* days[] = {"IDS_DAY_SUN", "IDS_DAY_MON", "IDS_DAY_TUE", "IDS_DAY_WED",
                        "IDS_DAY_THU", "IDS_DAY_FRI", "IDS_DAY_SAT"};
  for (int day = 0; day < 7; ++day) {
    texts.days[day] = strings[days[day]];
    EXPECT_FALSE(texts.days[day].empty()) << days[day] << " is missing in " << language;
  }
  return texts;
}

const NextAlarm kNoAlarm{};
const CountdownState kNoCountdown{IDC_TIMER_STOP, 5, kNoCountdownDeadline};

TEST(TrayTip, EachArmedStateHasItsLine) {
  const TipTexts english = TextsOf("LANG_ENGLISH");
  const TipTexts japanese = TextsOf("LANG_JAPANESE");
  const NextAlarm tuesday{2, 2, 7, 0, false};
  const NextAlarm snooze{0, 2, 7, 5, true};
  struct Case {
    CountdownState countdown;
    NextAlarm next;
    const wchar_t* label;
    bool muted;
    const wchar_t* english;  // the lines under the name
    const wchar_t* japanese;
  } cases[] = {
      {kNoCountdown, kNoAlarm, L"", false, L"", L""},
      {{IDC_TIMER_ONCE, 25, kNow + 12 * kMinute}, kNoAlarm, L"", false, L"Timer: 12 min left", L"タイマー: 残り 12 分"},
      {{IDC_TIMER_ONCE, 25, kNow + 11 * kMinute + 1}, kNoAlarm, L"", false,
       L"Timer: 12 min left", L"タイマー: 残り 12 分"},  // minutes round up
      {{IDC_TIMER_ONCE, 25, kNow + kMinute}, kNoAlarm, L"", false, L"Timer: 1 min left", L"タイマー: 残り 1 分"},
      {{IDC_TIMER_ONCE, 25, kNow + kMinute - 1}, kNoAlarm, L"", false,
       L"Timer: less than a minute left", L"タイマー: 残り1分未満"},
      {{IDC_TIMER_REPEAT, 10, kNow + 4 * kMinute}, kNoAlarm, L"", false,
       L"Timer: every 10 min, next in 4 min", L"タイマー: 10 分ごと, 次まで 4 分"},
      {{IDC_TIMER_REPEAT, 10, kNow}, kNoAlarm, L"", false,
       L"Timer: every 10 min, next in less than a minute", L"タイマー: 10 分ごと, 次まで1分未満"},
      {{IDC_TIMER_ONCE, 25, kNoCountdownDeadline}, kNoAlarm, L"", false, L"", L""},
      {{IDC_TIMER_STOP, 25, kNow + kMinute}, kNoAlarm, L"", false, L"", L""},
      {kNoCountdown, tuesday, L"", false, L"Alarm: Tue 7:00", L"アラーム: 火 7:00"},
      {kNoCountdown, tuesday, L"Meeting", false, L"Alarm: Tue 7:00 Meeting", L"アラーム: 火 7:00 Meeting"},
      {kNoCountdown, {1, 6, 23, 5, false}, L"", false, L"Alarm: Sat 23:05", L"アラーム: 土 23:05"},
      {kNoCountdown, snooze, L"", false, L"Snooze: 7:05", L"スヌーズ: 7:05"},
      {kNoCountdown, snooze, L"Wake", false, L"Snooze: 7:05 Wake", L"スヌーズ: 7:05 Wake"},
      {{IDC_TIMER_ONCE, 25, kNow + 2 * kMinute}, tuesday, L"", false,
       L"Timer: 2 min left\nAlarm: Tue 7:00", L"タイマー: 残り 2 分\nアラーム: 火 7:00"},
      {kNoCountdown, kNoAlarm, L"", true, L"Muted: no sounds", L"消音中: 音は鳴りません"},
      {{IDC_TIMER_ONCE, 25, kNow + 2 * kMinute}, kNoAlarm, L"", true,
       L"Muted: no sounds\nTimer: 2 min left", L"消音中: 音は鳴りません\nタイマー: 残り 2 分"},
  };
  const std::wstring head = L"Tavelin - Aduvi";
  auto under = [&](const std::wstring& lines) { return lines.empty() ? head : head + L"\n" + lines; };
  for (const Case& c : cases) {
    const ArmedEvents armed{c.countdown, kNow, c.next, c.label, c.muted};
    EXPECT_EQ(ComposeTrayTip(head, armed, english), under(c.english));
    EXPECT_EQ(ComposeTrayTip(head, armed, japanese), under(c.japanese));
  }
}

// The longest name, the longest numbers, a label of 63 characters and every
// combination of armed states: each line is there within the tip's 127
// characters, the label cut where it must be.
TEST(TrayTip, EveryCombinationFitsInBothLanguages) {
  std::wstring head = L"Tavelin";
  for (const CharacterEntry& entry : CharacterTable) {
    const std::string name = entry.name;
    if (name.size() + 10 > head.size()) head = L"Tavelin - " + std::wstring(name.begin(), name.end());
  }
  const CountdownState countdowns[] = {
      kNoCountdown,
      {IDC_TIMER_ONCE, 4294967295u, kNoCountdownDeadline - 1},
      {IDC_TIMER_REPEAT, 4294967295u, kNoCountdownDeadline - 1},
  };
  const NextAlarm alarms[] = {kNoAlarm, {0, 3, 23, 59, false}, {7, 3, 23, 59, true}};
  const std::wstring label(63, L'W');
  for (const char* language : {"LANG_ENGLISH", "LANG_JAPANESE"}) {
    const TipTexts texts = TextsOf(language);
    for (const CountdownState& countdown : countdowns) {
      for (const NextAlarm& next : alarms) {
        for (bool muted : {false, true}) {
          const std::wstring tip = ComposeTrayTip(head, {countdown, kNow, next, label, muted}, texts);
          const std::size_t lines = 1 + muted + (countdown.nTimerMode != IDC_TIMER_STOP) + (next.index >= 0);
          EXPECT_LE(tip.size(), kTipCharacters) << language;
          EXPECT_EQ(static_cast<std::size_t>(std::count(tip.begin(), tip.end(), L'\n')) + 1, lines) << language;
          EXPECT_EQ(tip.rfind(head, 0), 0u) << "the name comes first";
        }
      }
    }
  }
}

TEST(TrayTip, AHeadTooLongForTheTipIsCutAndTheLabelGivesWayFirst) {
  const TipTexts english = TextsOf("LANG_ENGLISH");
  const std::wstring head(100, L'x');
  const std::wstring tip = ComposeTrayTip(head, {kNoCountdown, kNow, {0, 2, 7, 0, false}, L"Weekly meeting"}, english);
  EXPECT_EQ(tip, head + L"\nAlarm: Tue 7:00 Weekly mee") << "the label is cut to the room left";
  EXPECT_EQ(ComposeTrayTip(std::wstring(200, L'x'), {kNoCountdown, kNow, kNoAlarm, L""}, english).size(),
            kTipCharacters);
}

TEST(TrayTip, TemplatesAndTimes) {
  EXPECT_EQ(FillTemplate(L"%1 and %2, 100%", L"a", L"b"), L"a and b, 100%");
  EXPECT_EQ(FillTemplate(L"%2%1%3", L"a", L"b"), L"ba%3");
  EXPECT_EQ(ClockTimeText(0, 0), L"0:00");
  EXPECT_EQ(ClockTimeText(7, 5), L"7:05");
  EXPECT_EQ(ClockTimeText(23, 59), L"23:59");
}

TEST(StartWithWindows, TheValueNamesThisVeryProgramQuoted) {
  const std::wstring program = L"C:\\Tools\\Tavelin\\Tavelin.exe";
  EXPECT_EQ(RunValueFor(program), L"\"C:\\Tools\\Tavelin\\Tavelin.exe\"");
  struct Case {
    const wchar_t* value;
    bool names;
  } cases[] = {
      {L"\"C:\\Tools\\Tavelin\\Tavelin.exe\"", true},
      {L"C:\\Tools\\Tavelin\\Tavelin.exe", true},        // written by hand without quotes
      {L"\"c:\\tools\\TAVELIN\\tavelin.EXE\"", true},    // the same file in another case
      {L"\"D:\\Old\\Tavelin\\Tavelin.exe\"", false},     // the portable folder was moved
      {L"\"C:\\Tools\\Tavelin\\Tavelin.exe\" /x", false},
      {L"\"C:\\Tools\\Tavelin\\Tavelin.exe", false},
      {L"", false},
      {L"\"\"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(RunValueNamesProgram(c.value, program), c.names) << c.value;
  EXPECT_FALSE(RunValueNamesProgram(L"\"\"", L"")) << "no program path, no match";
  const std::wstring wide = L"C:\\ツール\\Tavelin.exe";  // a folder without an ANSI form is kept wide
  EXPECT_TRUE(RunValueNamesProgram(RunValueFor(wide), wide));
}

}  // namespace
