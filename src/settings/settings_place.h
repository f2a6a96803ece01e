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

// A settings text holds NUL bytes without a byte-order mark (UTF-16 saved
// without one, a binary file): the profile calls read it as ANSI text, find
// no section, and a write would put ANSI lines into it.
bool IsUnreadableSettingsText(const unsigned char* bytes, std::size_t size);
// The text starts with a UTF-16 byte-order mark (either order).
bool StartsWithUtf16Mark(const unsigned char* bytes, std::size_t size);

#endif
