#include "dialog/alarm_dialog_win32.h"

#include <commctrl.h>
#include <commdlg.h>
#include <mmsystem.h>

#include <cstring>
#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "dialog/alarm_dialog_rules.h"
#include "shared/ansi_path_win32.h"

namespace {

// The arrows' ranges: the up arrow raises the number and the down arrow
// lowers it, each stopping at its bound.
struct ArrowRange {
  int lowest;
  int highest;
};
constexpr ArrowRange kTimerMinuteRange{1, 999};
constexpr ArrowRange kAlarmHourRange{0, 23};
constexpr ArrowRange kAlarmMinuteRange{0, 59};
constexpr ArrowRange kQuietHourRange{0, 23};

char (&SoundText(SoundField field))[kTextBufferSize] {
  switch (field) {
    case SoundField::kAlarm:
      return g_state.szAlarmSound;
    case SoundField::kOClock:
      return g_state.szOClockSound;
    case SoundField::kTimer:
    default:
      return g_state.szTimerSound;
  }
}

void EnableItem(HWND dialog, int id, bool enable) { EnableWindow(GetDlgItem(dialog, id), enable ? TRUE : FALSE); }

// Read as GetDlgItemInt documents it for unsigned numbers, the same on every
// system (Wine's version takes a minus sign), and with the full-width digits
// that a Japanese input method types. Read in the wide form, which holds
// them whatever the ANSI code page.
unsigned ReadNumber(HWND dialog, int id) {
  HWND edit = GetDlgItem(dialog, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
  GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
  return ReadUnsignedDecimal(text.c_str());
}

// Both buttons store the numbers shown; only the start button starts.
void LeaveDialog(HWND dialog, bool start) {
  g_state.nTimerMinute = ReadNumber(dialog, IDC_TIMER_MINUTE);
  g_state.nAlarmHour = ReadNumber(dialog, IDC_ALARM_HOUR);
  g_state.nAlarmMinute = ReadNumber(dialog, IDC_ALARM_MINUTE);
  g_state.nOClockQuietFrom = ReadNumber(dialog, IDC_OCLOCK_QUIETFROM);
  g_state.nOClockQuietTo = ReadNumber(dialog, IDC_OCLOCK_QUIETTO);
  if (start && g_state.nTimerMode != IDC_TIMER_STOP) {
    g_state.dwTimerDeadline = CountdownDeadline(g_system.tickCount(), g_state.nTimerMinute);
  }
  g_state.nAlarmFiredDay = 0;  // the alarm may go off again within its minute
  EndDialog(dialog, 1);
}

void ShowNumber(HWND dialog, int editId, unsigned value, int spinId, ArrowRange range) {
  SetDlgItemInt(dialog, editId, value, FALSE);
  SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(range.lowest), range.highest);
}

}  // namespace

int RefreshAlarmDialog(HWND dialog) {
  CheckRadioButton(dialog, IDC_OCLOCK_OFF, IDC_OCLOCK_ON, g_state.nOClockMode);
  CheckDlgButton(dialog, IDC_OCLOCK_CHANGECHARA, g_state.nOClockChangeChara ? BST_CHECKED : BST_UNCHECKED);
  // Quiet hours matter only while the chime sounds.
  const bool chimeOn = g_state.nOClockMode == IDC_OCLOCK_ON;
  for (int id : {IDC_OCLOCK_QUIETLABEL, IDC_OCLOCK_QUIETFROM, IDC_OCLOCK_QUIETTO_LABEL, IDC_OCLOCK_QUIETTO,
                 IDC_OCLOCK_QUIETUNIT}) {
    EnableItem(dialog, id, chimeOn);
  }

  CheckRadioButton(dialog, IDC_TIMER_STOP, IDC_TIMER_REPEAT, g_state.nTimerMode);
  const bool timerOn = g_state.nTimerMode != IDC_TIMER_STOP;
  EnableItem(dialog, IDC_TIMER_MINUTE, timerOn);
  EnableItem(dialog, IDC_TIMER_UNIT, timerOn);
  EnableItem(dialog, IDOK, timerOn);

  for (int id : kAlarmModeButtons) CheckDlgButton(dialog, id, id == g_state.nAlarmMode ? BST_CHECKED : BST_UNCHECKED);
  const bool alarmOn = g_state.nAlarmMode != IDC_ALARM_STOP;
  EnableItem(dialog, IDC_ALARM_COLON, alarmOn);
  EnableItem(dialog, IDC_ALARM_HOUR, alarmOn);
  EnableItem(dialog, IDC_ALARM_MINUTE, alarmOn);

  SetDlgItemTextA(dialog, IDC_OCLOCK_SOUND, g_state.szOClockSound);
  SetDlgItemTextA(dialog, IDC_TIMER_SOUND, g_state.szTimerSound);
  SetDlgItemTextA(dialog, IDC_ALARM_SOUND, g_state.szAlarmSound);
  return 1;
}

int ChooseSoundFile(HWND dialog, char (&sound)[kTextBufferSize]) {
  // Zeroed, so that a failed load still leaves an empty, well-ended list.
  wchar_t filter[128] = {};
  wchar_t title[64] = {};
  (void)LoadStringW(g_hInstance, IDS_SOUND_FILTER, filter, static_cast<int>(std::size(filter)) - 1);
  (void)LoadStringW(g_hInstance, IDS_SOUND_CHOOSER_TITLE, title, static_cast<int>(std::size(title)));
  SplitChooserFilter(filter);

  wchar_t file[kTextBufferSize] = {};
  OPENFILENAMEW request{};
  request.lStructSize = sizeof request;
  request.hwndOwner = dialog;
  request.lpstrFilter = filter;
  request.nFilterIndex = 1;
  request.lpstrFile = file;
  request.nMaxFile = static_cast<DWORD>(std::size(file));
  request.lpstrTitle = title;
  // The chooser may move the current directory, against which the relative
  // sound and picture names resolve: it is put back below in any case.
  request.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

  const BOOL chosen = GetOpenFileNameW(&request);
  if (g_state.szModuleDir[0] != '\0') SetCurrentDirectoryA(g_state.szModuleDir);
  if (!chosen) return 1;

  // Stored in ANSI byte for byte, by the short name when the full one has no
  // exact ANSI form or is too long; a name neither form can spell is not taken.
  char path[kTextBufferSize];
  if (AnsiPathOf(file, path, sizeof path)) std::memcpy(sound, path, sizeof path);
  return 1;
}

INT_PTR CALLBACK AlarmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) {
    ShowNumber(dialog, IDC_TIMER_MINUTE, g_state.nTimerMinute, IDC_TIMER_SPIN, kTimerMinuteRange);
    ShowNumber(dialog, IDC_ALARM_HOUR, g_state.nAlarmHour, IDC_ALARMHOUR_SPIN, kAlarmHourRange);
    ShowNumber(dialog, IDC_ALARM_MINUTE, g_state.nAlarmMinute, IDC_ALARMMINUTE_SPIN, kAlarmMinuteRange);
    ShowNumber(dialog, IDC_OCLOCK_QUIETFROM, g_state.nOClockQuietFrom, IDC_QUIETFROM_SPIN, kQuietHourRange);
    ShowNumber(dialog, IDC_OCLOCK_QUIETTO, g_state.nOClockQuietTo, IDC_QUIETTO_SPIN, kQuietHourRange);
    RefreshAlarmDialog(dialog);
    return TRUE;  // the first enabled tab stop gets the focus
  }
  if (message != WM_COMMAND) return FALSE;

  const int id = LOWORD(wParam);
  const DialogAction action = ActionOfCommand(id);
  switch (action.kind) {
    case DialogActionKind::kStart:
      LeaveDialog(dialog, true);
      break;
    case DialogActionKind::kClose:
      LeaveDialog(dialog, false);
      break;
    case DialogActionKind::kTimerMode:
      g_state.nTimerMode = id;
      RefreshAlarmDialog(dialog);
      break;
    case DialogActionKind::kAlarmMode:
      g_state.nAlarmMode = id;
      // Turning the alarm off also calls off a snooze of it that is still
      // to ring; a once alarm that turned itself off keeps its snooze.
      if (id == IDC_ALARM_STOP) g_state.qwSnoozeDeadline = kNoDeadline;
      RefreshAlarmDialog(dialog);
      break;
    case DialogActionKind::kOClockMode:
      g_state.nOClockMode = id;
      RefreshAlarmDialog(dialog);
      break;
    case DialogActionKind::kChangeChara:
      g_state.nOClockChangeChara = IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0;
      break;
    case DialogActionKind::kChooseSound:
      ChooseSoundFile(dialog, SoundText(action.sound));
      RefreshAlarmDialog(dialog);
      break;
    case DialogActionKind::kPlaySound:
      // Cuts off a sound that plays; a file that cannot be played gives the
      // system's default sound.
      sndPlaySoundA(SoundText(action.sound), SND_ASYNC);
      break;
    case DialogActionKind::kNone:
      break;
  }
  return FALSE;
}

int OpenAlarmDialog(HWND hwnd) {
  if (g_state.fDialogOpen) return 0;
  g_state.fDialogOpen = 1;
  EnableMenuItem(g_state.hMenuPopup, IDM_ALARMSETTINGS, MF_BYCOMMAND | MF_GRAYED);

  // The up-down class must exist before the template is built; registering
  // it again is harmless.
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS};
  InitCommonControlsEx(&classes);
  (void)DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ALARM), hwnd, AlarmDialogProc, 0);

  g_state.fDialogOpen = 0;
  EnableMenuItem(g_state.hMenuPopup, IDM_ALARMSETTINGS, MF_BYCOMMAND | MF_ENABLED);
  return 1;
}
