// A message box or dialog owned by the clock that opens above every window, whichever
// program the user works in.
#ifndef TAVELIN_SHARED_MESSAGE_IN_FRONT_WIN32_H
#define TAVELIN_SHARED_MESSAGE_IN_FRONT_WIN32_H

#include <windows.h>

// MessageBoxW with MB_TOPMOST | MB_SETFOREGROUND added, and the box put into
// the top-most band when it first becomes active, for systems (Wine 8 among
// them) that do not heed MB_TOPMOST for an owned box.
int MessageBoxInFront(HWND owner, const wchar_t* text, const wchar_t* title, UINT type);

// DialogBoxParamW for a box of the clock's own, raised the same way.
INT_PTR DialogInFront(HWND owner, HINSTANCE instance, const wchar_t* templateName, DLGPROC proc, LPARAM param);

#endif
