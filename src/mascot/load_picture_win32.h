// Loading one picture file through the system decoder, as the figure does.
#ifndef TAVELIN_MASCOT_LOAD_PICTURE_WIN32_H
#define TAVELIN_MASCOT_LOAD_PICTURE_WIN32_H

#include <windows.h>

#include "mascot/gdi_handles_win32.h"

// Whether the named file is a BMP within the picture size limit with all of
// its pixels present.
bool IsWholeBmpFile(const char* fileName);

// The BMP file at its own size in the display's format; null when the name
// is empty or the file is missing, cut short, too large or unreadable.
ScopedBitmap LoadPicture(const char* fileName);

#endif
