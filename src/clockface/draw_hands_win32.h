// The three hands drawn with GDI pens, shared by the repaint and the kit checker.
#ifndef TAVELIN_CLOCKFACE_DRAW_HANDS_WIN32_H
#define TAVELIN_CLOCKFACE_DRAW_HANDS_WIN32_H

#include <windows.h>

// Draws the shadow, the hour and minute hands and the second hand for the time
// (hour 0-23) around the clock centre of a figure at `scale` and size `nSize`.
void DrawClockHands(HDC dc, int xCenter, int yCenter, double scale, int nSize, int hour, int minute, int second,
                    bool active);

#endif
