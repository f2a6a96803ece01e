// Whether the captions of a dialog fit their controls.
#ifndef TAVELIN_TESTS_WIN32_CAPTION_FIT_H
#define TAVELIN_TESTS_WIN32_CAPTION_FIT_H

#include <windows.h>

// Measures every button's and static text's caption in the control's own
// font and expects it to fit inside the control beside what the control
// draws next to it (a radio button's circle, a check box's square, a push
// button's edges, a group box's indents). Returns how many were measured.
int ExpectCaptionsFit(HWND dialog);

#endif
