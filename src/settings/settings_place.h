// Where the clock keeps its own settings (GENERAL and ALARM), decided once at
// start from what the system lets it do. The character sections are always
// read from the file beside the program.
#ifndef TAVELIN_SETTINGS_SETTINGS_PLACE_H
#define TAVELIN_SETTINGS_SETTINGS_PLACE_H

#include <cstddef>

// What start-up finds out about the two places a settings file can be.
struct SettingsPlaceFacts {
  bool programFileReadOnly;    // beside the program, read-only attribute set by the user
  bool programFileWritable;    // beside the program, can be opened or made for writing
  bool programFileUnreadable;  // beside the program, holds text the profile calls misread
  bool userFileReadOnly;       // in the user's own folder, read-only attribute set by the user
  bool userFileWritable;       // in the user's own folder, can be opened or made for writing
  bool userFileExists;
  bool userFileUnreadable;
};

enum class SettingsFile { kNone, kProgram, kUser };

// The one message start-up may have to show about the settings.
enum class SettingsNotice {
  kNone,
  kUnreadable,  // the file is not written, since what the clock reads of it is not what it holds
  kNowhere,     // neither place can be written
};

struct SettingsPlace {
  SettingsFile readFrom;
  SettingsFile writeTo;
  SettingsNotice notice;
  SettingsFile noticeFile;  // the file the message names
};

// The file beside the program whenever it can be written; otherwise the
// user's own, which starts from the program file's values until it exists.
// A file the user made read-only is read and left alone, without a word.
// A file whose text the clock cannot read is never written: the changes of
// the run are lost, and the user is told.
SettingsPlace ChooseSettingsPlace(const SettingsPlaceFacts& facts);

// The one rule for a settings file the clock will not write, the clock's and
// the kit checker's alike: its text holds NUL bytes and does not start with a
// UTF-16 byte-order mark (UTF-16 saved without one, a binary file). The
// profile calls read such a file as ANSI text, find no section, and a write
// would put ANSI lines into it. UTF-16 with its mark they read and write as
// such. The text may come a piece at a time, of any size.
class SettingsTextCheck {
 public:
  void Add(const unsigned char* bytes, std::size_t size);
  // Nothing that follows can change the answer.
  bool Decided() const { return marked_ || nul_; }
  bool Unreadable() const;

 private:
  unsigned char start_[2] = {};
  std::size_t seen_ = 0;
  bool marked_ = false;
  bool nul_ = false;
};

// The rule for a whole text at once.
bool IsUnreadableSettingsText(const unsigned char* bytes, std::size_t size);

#endif
