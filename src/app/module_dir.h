#ifndef TAVELIN_APP_MODULE_DIR_H
#define TAVELIN_APP_MODULE_DIR_H

#include <string>

// Cuts the program's full path, in wide characters, after its last
// backslash, so that it names the program's directory and ends with that
// backslash. A path with no backslash becomes empty.
void CutToDirectory(std::wstring& path);

#endif
