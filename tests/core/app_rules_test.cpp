#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/character_table.h"
#include "app/module_dir.h"
#include "app/random.h"
#include "resource.h"
#include "settings/settings_path.h"

namespace {

std::wstring Cut(std::wstring path) {
  CutToDirectory(path);
  return path;
}

TEST(ModuleDir, KeepsEverythingUpToTheLastBackslash) {
  EXPECT_EQ(Cut(L"C:\\Program Files\\Tavelin\\Tavelin.exe"), L"C:\\Program Files\\Tavelin\\");
  EXPECT_EQ(Cut(L"C:\\Tavelin.exe"), L"C:\\");
  EXPECT_EQ(Cut(L"\\\\server\\share\\Tavelin.exe"), L"\\\\server\\share\\");
  EXPECT_EQ(Cut(L"Tavelin.exe"), L"");
  EXPECT_EQ(Cut(L""), L"");
  // "表" is 0x95 0x5C in Shift-JIS, its second byte the backslash's value.
  EXPECT_EQ(Cut(L"C:\\\u8868\\\u8868\uC2DC.exe"), L"C:\\\u8868\\");
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
