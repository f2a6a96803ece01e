#include "settings/settings_place.h"

#include <cstring>

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

void SettingsTextCheck::Add(const unsigned char* bytes, std::size_t size) {
  std::size_t i = 0;
  for (; i < size && seen_ < 2; ++i) start_[seen_++] = bytes[i];
  if (seen_ < 2) return;
  // Either order of the UTF-16 mark.
  marked_ = (start_[0] == 0xFF && start_[1] == 0xFE) || (start_[0] == 0xFE && start_[1] == 0xFF);
  if (marked_) return;
  nul_ = nul_ || start_[0] == 0 || start_[1] == 0 || std::memchr(bytes + i, 0, size - i) != nullptr;
}

bool SettingsTextCheck::Unreadable() const { return !marked_ && (nul_ || (seen_ == 1 && start_[0] == 0)); }

bool IsUnreadableSettingsText(const unsigned char* bytes, std::size_t size) {
  SettingsTextCheck check;
  check.Add(bytes, size);
  return check.Unreadable();
}
