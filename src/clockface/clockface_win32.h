// The repaint: the figure with the three hands for the local time.
#ifndef TAVELIN_CLOCKFACE_CLOCKFACE_WIN32_H
#define TAVELIN_CLOCKFACE_CLOCKFACE_WIN32_H

#include <windows.h>

// Paints the window and then runs the alarm and hourly checks with the time
// it read. Returns 1.
int RepaintClock(HWND hwnd);

#endif
