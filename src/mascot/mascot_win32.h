// The figure: the character's pictures composed with the clock face, scaled
// into MascotBitmap, and the window's outline built from it.
#ifndef TAVELIN_MASCOT_MASCOT_WIN32_H
#define TAVELIN_MASCOT_MASCOT_WIN32_H

#include <windows.h>

// Rebuilds the figure for nChara and nSize. Returns 1 when the figure was
// rebuilt, 0 when a picture could not be loaded (nothing then changes).
int LoadCharacter(HWND hwnd);

#endif
