// The kit checker: what the clock would make of each character of a
// Tavelin.ini, told in plain words, and optionally a sheet of the figures.
#ifndef TAVELIN_KITCHECK_KIT_CHECK_WIN32_H
#define TAVELIN_KITCHECK_KIT_CHECK_WIN32_H

#include <ostream>

// Checks every character of the table against the INI file at `iniPath`,
// whose folder relative picture names are taken from, writing one line per
// finding to `out`. With a non-empty `sheetPath`, also writes the sheet there.
// Returns 0 when every character loads (and the sheet, if asked for, was
// written), 1 otherwise.
int RunKitCheck(const char* iniPath, const char* sheetPath, std::ostream& out);

#endif
