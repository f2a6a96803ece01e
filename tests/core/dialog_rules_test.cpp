#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>

#include "dialog/alarm_dialog_rules.h"
#include "resource.h"

namespace {

using Kind = DialogActionKind;

TEST(DialogCommands, EachControlHasItsAction) {
  struct Case {
    int id;
    Kind kind;
    SoundField sound;  // looked at for sound actions only
  } cases[] = {
      {1, Kind::kStart, SoundField::kTimer},
      {2, Kind::kClose, SoundField::kTimer},
      {IDC_TIMER_STOP, Kind::kTimerMode, SoundField::kTimer},
      {IDC_TIMER_ONCE, Kind::kTimerMode, SoundField::kTimer},
      {IDC_TIMER_REPEAT, Kind::kTimerMode, SoundField::kTimer},
      {IDC_ALARM_ADD, Kind::kAddAlarm, SoundField::kTimer},
      {IDC_ALARM_EDIT, Kind::kEditAlarm, SoundField::kTimer},
      {IDC_ALARM_DELETE, Kind::kDeleteAlarm, SoundField::kTimer},
      {IDC_ALARM_LIST, Kind::kNone, SoundField::kTimer},
      {IDC_OCLOCK_OFF, Kind::kOClockMode, SoundField::kTimer},
      {IDC_OCLOCK_ON, Kind::kOClockMode, SoundField::kTimer},
      {IDC_OCLOCK_CHANGECHARA, Kind::kChangeChara, SoundField::kTimer},
      {IDC_TIMER_SOUND, Kind::kChooseSound, SoundField::kTimer},
      {IDC_OCLOCK_SOUND, Kind::kChooseSound, SoundField::kOClock},
      {IDC_TIMER_PLAY, Kind::kPlaySound, SoundField::kTimer},
      {IDC_OCLOCK_PLAY, Kind::kPlaySound, SoundField::kOClock},
      // The edits, their arrows and the labels do nothing.
      {IDC_TIMER_MINUTE, Kind::kNone, SoundField::kTimer},
      {IDC_ALARM_HOUR, Kind::kNone, SoundField::kTimer},
      {IDC_ALARM_MINUTE, Kind::kNone, SoundField::kTimer},
      {IDC_TIMER_SPIN, Kind::kNone, SoundField::kTimer},
      {IDC_ALARMHOUR_SPIN, Kind::kNone, SoundField::kTimer},
      {IDC_ALARMMINUTE_SPIN, Kind::kNone, SoundField::kTimer},
      {IDC_TIMER_UNIT, Kind::kNone, SoundField::kTimer},
      {IDC_ALARM_COLON, Kind::kNone, SoundField::kTimer},
      {IDC_TIMER_SOUNDLABEL, Kind::kNone, SoundField::kTimer},
      {IDC_ALARM_SOUNDLABEL, Kind::kNone, SoundField::kTimer},
      {IDC_OCLOCK_SOUNDLABEL, Kind::kNone, SoundField::kTimer},
      {0, Kind::kNone, SoundField::kTimer},
      {0xFFFF, Kind::kNone, SoundField::kTimer},  // the group boxes' -1 as a command's low word
      {IDM_ALARMSETTINGS, Kind::kNone, SoundField::kTimer},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const DialogAction action = ActionOfCommand(c.id);
    EXPECT_EQ(action.kind, c.kind);
    if (c.kind == Kind::kChooseSound || c.kind == Kind::kPlaySound) {
      EXPECT_EQ(action.sound, c.sound);
    }
  }
}

TEST(TypedNumbers, ReadAsUnsignedDecimalsWithoutRangeCheck) {
  struct Case {
    const wchar_t* text;
    unsigned expected;
  } cases[] = {
      {L"3", 3},
      {L"0", 0},
      {L"25", 25},      // an hour the clock never shows is kept
      {L"1000", 1000},  // beyond the arrows' range
      {L"007", 7},
      {L"  42", 42},
      {L"12x", 12},  // reading stops at the first other character
      {L"42 ", 42},
      {L"", 0},
      {L"abc", 0},
      {L"x12", 0},
      {L"-3", 0},  // no sign for an unsigned number
      {L"+3", 0},
      {L"\t3", 0},
      {L"4294967295", 4294967295u},
      {L"4294967296", 0},  // beyond 32 bits
      {L"99999999999999999999999", 0},
      {L"00000000000000000000000000000000000000009", 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(ReadUnsignedDecimal(c.text), c.expected);
  }
}

// A Japanese input method in full-width mode types U+FF10 to U+FF19; they
// read as the digits they show, alone or mixed with half-width ones.
TEST(TypedNumbers, FullWidthDigitsCountAsDigits) {
  struct Case {
    const wchar_t* text;
    unsigned expected;
  } cases[] = {
      {L"\uFF13\uFF10", 30},                           // ３０
      {L"\uFF10", 0},                                   // ０
      {L"\uFF19\uFF19\uFF19", 999},                    // ９９９
      {L"\uFF11" L"5", 15},                             // １5
      {L"2\uFF13", 23},                                 // 2３
      {L"  \uFF14\uFF15", 45},                          // leading spaces, then ４５
      {L"\uFF15\uFF1A\uFF10", 5},                       // ５：０ stops at the colon
      {L"\uFF14\uFF12\uFF19\uFF14\uFF19\uFF16\uFF17\uFF12\uFF19\uFF15", 4294967295u},
      {L"\uFF14\uFF12\uFF19\uFF14\uFF19\uFF16\uFF17\uFF12\uFF19\uFF16", 0},  // beyond 32 bits
      {L"\uFF0D\uFF13", 0},                             // a full-width minus is no digit
      {L"\u3000\uFF13", 0},                             // nor is a full-width space a blank
      {L"\uFF0F", 0},                                   // the code points around the digits
      {L"\uFF1A", 0},
      {L"\u0663", 0},                                   // digits of other scripts stay other characters
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(ReadUnsignedDecimal(c.text), c.expected);
  }
}

TEST(CountdownDeadline, AddsTheMinutesInMilliseconds) {
  EXPECT_EQ(CountdownDeadline(1000, 3), 181000u);
  EXPECT_EQ(CountdownDeadline(1000, 0), 1000u) << "due at the next tick";
  EXPECT_EQ(CountdownDeadline(0, 999), 59940000u);
}

TEST(CountdownDeadline, DoesNotWrapAtThirtyTwoBits) {
  // 71583 minutes pass 2^32 milliseconds; 32-bit arithmetic would put the
  // deadline in the past.
  EXPECT_EQ(CountdownDeadline(4000000000u, 71583), 4000000000u + 71583ull * 60000u);
  EXPECT_EQ(CountdownDeadline(5, 4294967295u), 5u + 4294967295ull * 60000u);
}

TEST(CountdownDeadline, NeverBecomesTheNoDeadlineValue) {
  EXPECT_EQ(CountdownDeadline(UINT64_MAX - 10, 1), UINT64_MAX - 1);
  EXPECT_EQ(CountdownDeadline(UINT64_MAX, 0), UINT64_MAX - 1);
  EXPECT_EQ(CountdownDeadline(UINT64_MAX - 60001, 1), UINT64_MAX - 1);
  EXPECT_EQ(CountdownDeadline(UINT64_MAX - 60002, 1), UINT64_MAX - 2);
}

TEST(ChooserFilter, BarsBecomeNulsAndTheListEndsInTwo) {
  wchar_t text[] = L"Sound (*.wav)|*.wav|All (*.*)|*.*|";
  SplitChooserFilter(text);
  const std::wstring joined(text, sizeof text / sizeof text[0]);
  EXPECT_EQ(joined, std::wstring(L"Sound (*.wav)\0*.wav\0All (*.*)\0*.*\0\0", 35));
}

TEST(ChooserFilter, TextWithoutBarsIsLeftAlone) {
  wchar_t text[] = L"*.wav";
  SplitChooserFilter(text);
  EXPECT_STREQ(text, L"*.wav");
  wchar_t empty[] = L"";
  SplitChooserFilter(empty);
  EXPECT_STREQ(empty, L"");
}

}  // namespace
