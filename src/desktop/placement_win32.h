// Where the figure stands among the windows and on the screen.
#ifndef TAVELIN_DESKTOP_PLACEMENT_WIN32_H
#define TAVELIN_DESKTOP_PLACEMENT_WIN32_H

#include <windows.h>

// Places the window on top or at the bottom and sets the marks of the
// figure's manners.
int ApplyStacking(HWND hwnd);
// Pulls the window back onto the monitor that holds it, or the nearest one.
// Returns 1.
int ClampToScreen(HWND hwnd);
// The top-left corner of a first start's figure of the given size: in the
// primary monitor's work area, in its corner beside the notification area.
POINT FirstFigurePlace(int width, int height);
// Hide-on-mouse, at every tick: raises the armed figure once the pointer left it.
void RaiseCheck(HWND hwnd);
// Hide-on-mouse, at every mouse move: sends the armed figure to the bottom.
void LowerOnMouseMove(HWND hwnd);
// Moves the window with the mouse while the left button is held.
void StartDrag(HWND hwnd);

#endif
