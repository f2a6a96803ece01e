// The alarm settings dialog.
#ifndef TAVELIN_DIALOG_ALARM_DIALOG_WIN32_H
#define TAVELIN_DIALOG_ALARM_DIALOG_WIN32_H

#include <windows.h>

#include "app/clock_state_win32.h"

// Runs the dialog modally. Returns 1, or 0 when it is already open.
int OpenAlarmDialog(HWND hwnd);

INT_PTR CALLBACK AlarmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Brings the radio buttons, the check box, the enabled states and the three
// path captions in line with the state record. Returns 1.
int RefreshAlarmDialog(HWND dialog);

// Lets the user pick a sound file; a confirmed choice replaces `sound` with
// its full path, anything else leaves it. Returns 1.
int ChooseSoundFile(HWND dialog, char (&sound)[kTextBufferSize]);

// The one-alarm dialog over `owner`, on a copy of `alarm`: true, with the
// alarm changed, when the user confirmed it.
bool EditAlarm(HWND owner, Alarm& alarm);

#endif
