// Start with Windows: the value "Tavelin" in the user's Run key names this
// program by its full path, quoted.
#ifndef TAVELIN_DESKTOP_START_WITH_WINDOWS_H
#define TAVELIN_DESKTOP_START_WITH_WINDOWS_H

#include <string>

// The value's data for the program at `programPath`.
std::wstring RunValueFor(const std::wstring& programPath);

// Whether the value's data starts this very program: the same path, quoted
// or not, in any case of the ASCII letters. A value that names another
// folder (the portable folder was moved) does not.
bool RunValueNamesProgram(const std::wstring& value, const std::wstring& programPath);

#endif
