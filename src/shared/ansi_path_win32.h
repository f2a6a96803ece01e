// Paths as the program stores and passes them on: in the ANSI code page,
// byte for byte, within a fixed field. The system gives paths in wide
// characters; a folder named in another script, or one too long for the
// field, is reached through its short (8.3) name.
#ifndef TAVELIN_SHARED_ANSI_PATH_WIN32_H
#define TAVELIN_SHARED_ANSI_PATH_WIN32_H

#include <windows.h>

#include <cstddef>

// Writes the exact ANSI form of a wide path into out (size bytes with the
// terminator), or else the exact ANSI form of its short name. False when
// neither exists or fits; out is then left empty.
bool AnsiPathOf(const wchar_t* path, char* out, std::size_t size);

#endif
