// The figure: the character's pictures composed with the clock face, scaled
// into MascotBitmap, and the window's outline built from it.
#ifndef TAVELIN_MASCOT_MASCOT_WIN32_H
#define TAVELIN_MASCOT_MASCOT_WIN32_H

#include <windows.h>

#include <vector>

#include "mascot/shape_runs.h"
#include "pictures/pixel_buffer.h"

// Rebuilds the figure for nChara and nSize, its clock face where the shown
// figure's was. Returns 1 when the figure was rebuilt, 0 when a picture could
// not be loaded (nothing then changes) or when it waits for a load under way,
// to run after it.
int LoadCharacter(HWND hwnd);

// The same after a change of nSize: a random choice keeps the character shown.
int ChangeCharacterSize(HWND hwnd);

// The shown figure's window size on a monitor of `dpi`, for
// WM_GETDPISCALEDSIZE: its canvas at that DPI's picture factor, held to the
// picture limits as the load holds it (SizeFigure).
SIZE FigureSizeAtDpi(int dpi);

// The window has moved to a monitor of `dpi` (WM_DPICHANGED): the figure
// shown is rebuilt at the new scale and takes the rectangle the system
// suggests. One that comes during a load waits for it.
void OnDpiChanged(HWND hwnd, int dpi, const RECT& suggested);

// The outline of `picture` (pixels unlike its pixel (0, 0)) as a region in
// window pixels, shown building in the progress window. Null without a
// picture. The caller owns the region. `madeFrom`, the pixels the picture was
// made from, may be empty: on a display of 32 bits a pixel they are its pixels
// exactly, and are used instead of reading the picture back; on any other
// display, or without them, the picture is read.
HRGN BuildShapeRegion(HWND hwnd, HBITMAP picture, ConstPixelView madeFrom);

// The outline of a soft figure's premultiplied picture (pixels with alpha
// above 0), built the same way. Null without a picture.
HRGN BuildSoftShapeRegion(HWND hwnd, ConstPixelView premultiplied);

// Procedure of the progress window (IDD_PROGRESS).
INT_PTR CALLBACK ProgressDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// One region made of the runs in a single call; null when it cannot be made.
HRGN CreateRegionFromRuns(const std::vector<ShapeRun>& runs);

// Told of each value sent to the progress bar and the row just finished, after
// the bar was repainted. Tests watch the outline being built through it.
extern void (*g_shapeProgressObserver)(HWND progressWindow, int row, int value);

#endif
