#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/character_table.h"
#include "app/module_dir.h"
#include "app/random.h"
#include "resource.h"
#include "settings/settings_path.h"

namespace {

bool NoLeadBytes(unsigned char) { return false; }

std::string Cut(std::string path, LeadBytePredicate lead = IsShiftJisLeadByte) {
  path.push_back('\0');
  CutToDirectory(path.data(), lead);
  return path.c_str();
}

TEST(ModuleDir, KeepsEverythingUpToTheLastBackslash) {
  EXPECT_EQ(Cut("C:\\Program Files\\Tavelin\\Tavelin.exe"), "C:\\Program Files\\Tavelin\\");
  EXPECT_EQ(Cut("C:\\Tavelin.exe"), "C:\\");
  EXPECT_EQ(Cut("Tavelin.exe"), "");
  EXPECT_EQ(Cut(""), "");
}

TEST(ModuleDir, TrailByteWithTheBackslashValueIsNoSeparator) {
  // "表" is 0x95 0x5C in Shift-JIS: its second byte has the backslash's value.
  const std::string table = "\x95\x5C";
  const std::string path = "C:\\" + table + "\\" + table + "clock.exe";
  EXPECT_EQ(Cut(path), "C:\\" + table + "\\");
  // Read byte by byte, the same path would be cut inside the character.
  EXPECT_EQ(Cut(path, NoLeadBytes), "C:\\" + table + "\\" + table.substr(0, 2));
}

TEST(ModuleDir, LeadByteAtTheVeryEndDoesNotReadPastTheText) {
  EXPECT_EQ(Cut("C:\\dir\\\x95"), "C:\\dir\\");
}

TEST(ShiftJis, LeadByteRanges) {
  struct Case {
    unsigned char byte;
    bool lead;
  } cases[] = {{0x5C, false}, {0x80, false}, {0x81, true}, {0x9F, true}, {0xA0, false},
               {0xDF, false}, {0xE0, true},  {0xFC, true}, {0xFD, false}, {'A', false}};
  for (const Case& c : cases) EXPECT_EQ(IsShiftJisLeadByte(c.byte), c.lead) << int(c.byte);
}

TEST(RandomGenerator, FollowsTheLinearCongruentialRule) {
  RandomGenerator random;
  random.Seed(1);
  // s = 1 * 214013 + 2531011 = 2745024 -> (2745024 >> 16) & 0x7FFF = 41
  EXPECT_EQ(random.Next(), 41);
  EXPECT_EQ(random.Next(), 18467);
  EXPECT_EQ(random.Next(), 6334);
}

TEST(RandomGenerator, StaysWithinFifteenBitsAcrossTheWrap) {
  RandomGenerator random;
  random.Seed(0xFFFFFFFFu);
  for (int i = 0; i < 10000; ++i) {
    const int value = random.Next();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST(CharacterTable, NamesAndLabelsInMenuOrder) {
  const char* names[] = {"Aduvi", "Belmoa", "Cirrat", "Dovane", "Esmuka", "Fornel",
                         "Gavoni", "Hesket", "Ilvora", "Jemsut", "Kaltra", "Lunavi"};
  const char* keys = "123456789ABC";
  for (int i = 0; i < kCharacterCount; ++i) {
    EXPECT_STREQ(CharacterTable[i].name, names[i]);
    EXPECT_EQ(std::string(CharacterTable[i].menuLabel),
              std::string("&") + keys[i] + ". " + names[i]);
  }
}

TEST(CharacterTable, ChoiceToIndex) {
  EXPECT_EQ(CharacterIndexForChoice(IDM_CHARA_FIRST, 7), 0);
  EXPECT_EQ(CharacterIndexForChoice(IDM_CHARA_LAST, 7), 11);
  EXPECT_EQ(CharacterIndexForChoice(IDM_CHARA_RANDOM, 25), 1);
  EXPECT_EQ(CharacterIndexForChoice(IDM_CHARA_RANDOM, 32767), 32767 % 12);
  // A hand-edited value outside the menu counts as the random entry.
  EXPECT_EQ(CharacterIndexForChoice(12345, 14), 2);
  EXPECT_TRUE(IsCharacterChoice(IDM_CHARA_RANDOM));
  EXPECT_FALSE(IsCharacterChoice(IDM_CHARA_FIRST - 1));
}

TEST(SettingsPath, IsTheFolderFollowedByTheIniName) {
  char out[260];
  BuildSettingsPath("C:\\Clock\\", out, sizeof out);
  EXPECT_STREQ(out, "C:\\Clock\\Tavelin.ini");
}

TEST(SettingsPath, LongFolderIsCutTo259Bytes) {
  const std::string folder(255, 'd');
  char out[260];
  BuildSettingsPath(folder.c_str(), out, sizeof out);
  EXPECT_EQ(std::strlen(out), 259u);
  EXPECT_EQ(std::string(out), folder + "Tave");
}

TEST(CopyTruncated, CutsAndTerminates) {
  char out[4];
  CopyTruncated(out, sizeof out, "abcdef");
  EXPECT_STREQ(out, "abc");
  CopyTruncated(out, sizeof out, "x");
  EXPECT_STREQ(out, "x");
}

}  // namespace
