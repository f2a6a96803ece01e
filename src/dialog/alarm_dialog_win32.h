// The alarm settings dialog.
#ifndef TAVELIN_DIALOG_ALARM_DIALOG_WIN32_H
#define TAVELIN_DIALOG_ALARM_DIALOG_WIN32_H

#include <windows.h>

// Runs the dialog modally. Returns 1, or 0 when it is already open.
int OpenAlarmDialog(HWND hwnd);

#endif
