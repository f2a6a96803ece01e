#include "settings/settings_place.h"

SettingsPlace ChooseSettingsPlace(const SettingsPlaceFacts& facts) {
  SettingsPlace place{SettingsFile::kProgram, SettingsFile::kNone, SettingsNotice::kNone, SettingsFile::kNone};
  if (facts.programFileReadOnly) return place;
  if (facts.programFileWritable) {
    if (facts.programFileUnreadable) {
      place.notice = SettingsNotice::kUnreadable;
      place.noticeFile = SettingsFile::kProgram;
    } else {
      place.writeTo = SettingsFile::kProgram;
    }
    return place;
  }
  if (facts.userFileExists) place.readFrom = SettingsFile::kUser;
  if (facts.userFileReadOnly) return place;
  if (!facts.userFileWritable) {
    place.notice = SettingsNotice::kNowhere;
  } else if (facts.userFileExists && facts.userFileUnreadable) {
    place.notice = SettingsNotice::kUnreadable;
    place.noticeFile = SettingsFile::kUser;
  } else {
    place.writeTo = SettingsFile::kUser;
  }
  return place;
}

bool StartsWithUtf16Mark(const unsigned char* bytes, std::size_t size) {
  return size >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF));
}

bool IsUnreadableSettingsText(const unsigned char* bytes, std::size_t size) {
  // UTF-16 with its mark: the profile calls read and write it as such.
  if (StartsWithUtf16Mark(bytes, size)) return false;
  for (std::size_t i = 0; i < size; ++i) {
    if (bytes[i] == 0) return true;
  }
  return false;
}
