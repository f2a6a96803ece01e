#include "app/module_dir.h"

void CutToDirectory(char* path, LeadBytePredicate isLeadByte) {
  char* afterLastSeparator = path;
  for (char* p = path; *p != '\0'; ++p) {
    if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
      ++p;  // the trail byte can hold any value, the backslash's included
    } else if (*p == '\\') {
      afterLastSeparator = p + 1;
    }
  }
  *afterLastSeparator = '\0';
}

bool IsShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
