// The kit checker: what the clock would make of each character of a
// Tavelin.ini, told in plain words, and optionally a sheet of the figures.
#ifndef TAVELIN_KITCHECK_KIT_CHECK_WIN32_H
#define TAVELIN_KITCHECK_KIT_CHECK_WIN32_H

#include <ostream>

// Checks every character of the table against the INI file at `iniPath`,
// whose folder relative picture names are taken from, and writes to `out` a
// summary line per character (whether it loads, soft or keyed, the scale its
// pictures are drawn at, its window at 100, 150 and 200 percent) with its
// warnings and problems under it, or, when `verbose`, every finding, one line
// each; then the sections the clock ignores. With a non-empty `sheetPath`,
// also writes the sheet there. Returns 0 when every character loads (and the
// sheet, if asked for, was written), 1 otherwise.
int RunKitCheck(const char* iniPath, const char* sheetPath, bool verbose, std::ostream& out);

#endif
