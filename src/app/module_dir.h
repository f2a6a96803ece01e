#ifndef TAVELIN_APP_MODULE_DIR_H
#define TAVELIN_APP_MODULE_DIR_H

#include <cstddef>

// Tells whether a byte starts a double-byte character in the ANSI code page.
using LeadBytePredicate = bool (*)(unsigned char);

// Cuts the program's full path after its last backslash, in place, so that it
// names the program's directory and ends with that backslash. The path is
// walked character by character: a backslash value in the second byte of a
// double-byte character is not a separator. A path with no backslash becomes
// empty.
void CutToDirectory(char* path, LeadBytePredicate isLeadByte);

// Lead bytes of Shift-JIS (code page 932).
bool IsShiftJisLeadByte(unsigned char byte);

#endif
