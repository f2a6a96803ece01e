// The repaint: the figure with the three hands for the local time.
#ifndef TAVELIN_CLOCKFACE_CLOCKFACE_WIN32_H
#define TAVELIN_CLOCKFACE_CLOCKFACE_WIN32_H

#include <windows.h>

// Paints what the window asks for (a keyed figure) and then runs the alarm and
// hourly checks with the time it read. Returns 1.
int RepaintClock(HWND hwnd);

// The window's rectangle that the hands can touch: the face, clipped to the window.
RECT ClockFaceRect();

// On a change of activation: the face alone is redrawn on the window at
// once, for either kind of figure, in the hands' colours for it. Nothing is
// checked: activation changes come inside loads and the window's destruction.
void RedrawClockFace(HWND hwnd);

// Every second: the face redrawn as above, then the alarm and the full hour
// checked with the time the hands show; returns that time's hour.
int TickClockFace(HWND hwnd);

// A part of the figure changed (a pose): `rect` is drawn on the window at
// once, a soft figure's presented with it as the dirty rectangle.
void RedrawFigureRect(HWND hwnd, const RECT& rect);

// Shows a soft figure whole with the hands for now, as a load does before the
// window is shown. Returns false when the window picture cannot be made.
bool PresentSoftFigure(HWND hwnd);

#endif
