// Where the clock keeps its settings, which files it must never write, and
// which program folders are used in their exact form.
#include <gtest/gtest.h>

#include <string>

#include "settings/settings_path.h"
#include "settings/settings_place.h"

namespace {

using F = SettingsFile;
using N = SettingsNotice;

struct PlaceCase {
  const char* name;
  SettingsPlaceFacts facts;  // programReadOnly, programWritable, programUnreadable,
                             // userReadOnly, userWritable, userExists, userUnreadable
  F readFrom;
  F writeTo;
  N notice;
  F noticeFile;
};

TEST(SettingsPlace, IsChosenByWhatCanBeWrittenAndRead) {
  const PlaceCase cases[] = {
      {"beside a writable program", {false, true, false, false, false, false, false}, F::kProgram, F::kProgram,
       N::kNone, F::kNone},
      {"read-only on purpose: read, left alone, silent", {true, false, false, false, true, true, false},
       F::kProgram, F::kNone, N::kNone, F::kNone},
      {"unreadable beside the program: never written, told", {false, true, true, false, true, false, false},
       F::kProgram, F::kNone, N::kUnreadable, F::kProgram},
      {"program folder locked, first run: program values, user file", {false, false, false, false, true, false, false},
       F::kProgram, F::kUser, N::kNone, F::kNone},
      {"program folder locked, later runs", {false, false, false, false, true, true, false}, F::kUser, F::kUser,
       N::kNone, F::kNone},
      {"program file unreadable but locked: the user file takes the settings",
       {false, false, true, false, true, false, false}, F::kProgram, F::kUser, N::kNone, F::kNone},
      {"user file unreadable", {false, false, false, false, true, true, true}, F::kUser, F::kNone, N::kUnreadable,
       F::kUser},
      {"user file read-only on purpose", {false, false, false, true, false, true, false}, F::kUser, F::kNone,
       N::kNone, F::kNone},
      {"no place at all", {false, false, false, false, false, false, false}, F::kProgram, F::kNone, N::kNowhere,
       F::kNone},
      {"no place, an old user file is still read", {false, false, false, false, false, true, false}, F::kUser,
       F::kNone, N::kNowhere, F::kNone},
  };
  for (const PlaceCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SettingsPlace place = ChooseSettingsPlace(c.facts);
    EXPECT_EQ(place.readFrom, c.readFrom);
    EXPECT_EQ(place.writeTo, c.writeTo);
    EXPECT_EQ(place.notice, c.notice);
    EXPECT_EQ(place.noticeFile, c.noticeFile);
  }
}

// The clock's file check reads a piece at a time, the kit checker the whole
// text: both answers are the same, wherever the pieces break.
TEST(SettingsPlace, TextWithNulBytesAndNoMarkIsUnreadable) {
  const struct {
    std::string bytes;
    bool unreadable;
  } cases[] = {
      {"", false},
      {"[GENERAL]\r\nnChara=40001\r\n", false},
      {"\x8E\x9E\x8C\x76=1\r\n", false},                             // Shift-JIS
      {std::string("[\0G\0E\0N\0]\0", 10), true},                    // UTF-16 LE without a mark
      {std::string("\0[\0G", 4), true},                              // UTF-16 BE without a mark
      {std::string("\xFF\xFE[\0G\0", 6), false},                      // UTF-16 LE with its mark
      {std::string("\xFE\xFF\0[\0G", 6), false},                      // UTF-16 BE with its mark
      {std::string("[GENERAL]\r\nfTopMost=1\r\n\0", 24), true},      // one NUL at the very end
      {std::string("\xFF", 1), false},
      {std::string("\0", 1), true},
      {std::string("\xFF\xFE", 2), false},                          // the mark alone
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
    EXPECT_EQ(IsUnreadableSettingsText(bytes, c.bytes.size()), c.unreadable);
    SettingsTextCheck byteByByte;
    for (std::size_t i = 0; i < c.bytes.size(); ++i) byteByByte.Add(bytes + i, 1);
    EXPECT_EQ(byteByByte.Unreadable(), c.unreadable) << "a byte at a time";
  }
}

// A folder is spelled whole only when "<folder>Tavelin.ini" stays within 259
// bytes; from 249 bytes on the name would be cut (to "Tavelin.i" and the like).
TEST(SettingsPath, FolderFitsOnlyWhenTheWholeSettingsPathDoes) {
  for (std::size_t length = 1; length <= 270; ++length) {
    SCOPED_TRACE(length);
    const std::string folder = std::string(length - 1, 'd') + "\\";
    char out[260];
    BuildSettingsPath(folder.c_str(), out, sizeof out);
    const bool whole = std::string(out) == folder + "Tavelin.ini";
    EXPECT_EQ(SettingsFolderFits(length), whole);
    EXPECT_EQ(SettingsFolderFits(length), length < kSettingsFolderFieldSize);
    EXPECT_EQ(SettingsFolderFits(length), length <= 248);
  }
}

}  // namespace
