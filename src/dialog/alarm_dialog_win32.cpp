#include "dialog/alarm_dialog_win32.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>
#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "dialog/alarm_dialog_rules.h"
#include "shared/ansi_path_win32.h"
#include "sound/sound_player_win32.h"

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
constexpr ArrowRange kVolumeRange{0, 100};
constexpr ArrowRange kSnoozeRange{1, 60};

char (&SoundText(SoundField field))[kTextBufferSize] {
  return field == SoundField::kOClock ? g_state.szOClockSound : g_state.szTimerSound;
}

std::wstring LoadText(UINT id) {
  wchar_t text[kTextBufferSize] = {};
  (void)LoadStringW(g_hInstance, id, text, static_cast<int>(std::size(text)));
  return text;
}

// The play buttons: a press plays the sound at its volume, a second press
// while it plays stops it.
int g_playingButton = 0;

void PressPlay(int button, const char* path, unsigned volume) {
  if (g_playingButton == button && EventSoundPlaying()) {
    (void)g_system.playSound(nullptr, 0, 0);
    g_playingButton = 0;
    return;
  }
  (void)g_system.playSound(path, 0, volume);
  g_playingButton = button;
}

unsigned Clamp(unsigned value, ArrowRange range) {
  const unsigned low = static_cast<unsigned>(range.lowest);
  const unsigned high = static_cast<unsigned>(range.highest);
  return value < low ? low : (value > high ? high : value);
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
  g_state.nOClockQuietFrom = ReadNumber(dialog, IDC_OCLOCK_QUIETFROM);
  g_state.nOClockQuietTo = ReadNumber(dialog, IDC_OCLOCK_QUIETTO);
  g_state.nTimerVolume = Clamp(ReadNumber(dialog, IDC_TIMER_VOLUME), kVolumeRange);
  g_state.nOClockVolume = Clamp(ReadNumber(dialog, IDC_OCLOCK_VOLUME), kVolumeRange);
  if (start && g_state.nTimerMode != IDC_TIMER_STOP) {
    g_state.dwTimerDeadline = CountdownDeadline(g_system.tickCount(), g_state.nTimerMinute);
  }
  // The alarms may go off again within their minute.
  for (Alarm& alarm : g_state.alarms) alarm.nAlarmFiredDay = 0;
  if (g_playingButton != 0 && EventSoundPlaying()) (void)g_system.playSound(nullptr, 0, 0);
  g_playingButton = 0;
  EndDialog(dialog, 1);
}

void ShowNumber(HWND dialog, int editId, unsigned value, int spinId, ArrowRange range) {
  SetDlgItemInt(dialog, editId, value, FALSE);
  SendDlgItemMessageW(dialog, spinId, UDM_SETRANGE32, static_cast<WPARAM>(range.lowest), range.highest);
}

// ---- the list of alarms

void AddColumn(HWND list, int index, UINT textId, int width) {
  std::wstring text = LoadText(textId);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = text.data();
  column.cx = width;
  column.iSubItem = index;
  SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// The columns' widths in dialog units turned to pixels, so they scale with the font and the DPI.
void SetUpAlarmList(HWND dialog) {
  HWND list = GetDlgItem(dialog, IDC_ALARM_LIST);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  RECT units{0, 0, 36, 0};
  MapDialogRect(dialog, &units);
  const int time = units.right;
  RECT whole;
  GetClientRect(list, &whole);
  AddColumn(list, 0, IDS_LIST_TIME, time + GetSystemMetrics(SM_CXMENUCHECK));
  AddColumn(list, 1, IDS_LIST_REPEAT, (whole.right - time) / 2);
  AddColumn(list, 2, IDS_LIST_LABEL, (whole.right - time) / 2 - GetSystemMetrics(SM_CXVSCROLL));
}

RepeatTexts ListRepeatTexts() {
  RepeatTexts texts{LoadText(IDS_REPEAT_ONCE), LoadText(IDS_REPEAT_DAILY), LoadText(IDS_REPEAT_WEEKDAYS), {}};
  for (UINT day = 0; day < 7; ++day) texts.days[day] = LoadText(IDS_DAY_FIRST + day);
  return texts;
}

std::wstring WideOf(const char* ansi) {
  wchar_t text[kTextBufferSize] = {};
  if (MultiByteToWideChar(CP_ACP, 0, ansi, -1, text, static_cast<int>(std::size(text))) == 0) text[0] = L'\0';
  return text;
}

void SetItemText(HWND list, int row, int column, std::wstring& text) {
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text.data();
  SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

bool g_fillingList = false;  // the check boxes' changes while the list is filled are not the user's

void FillAlarmList(HWND dialog, int select) {
  HWND list = GetDlgItem(dialog, IDC_ALARM_LIST);
  g_fillingList = true;
  ListView_DeleteAllItems(list);
  const RepeatTexts texts = ListRepeatTexts();
  for (int i = 0; i < g_state.nAlarmCount; ++i) {
    const Alarm& alarm = g_state.alarms[i];
    wchar_t time[16];
    wsprintfW(time, L"%u:%02u", alarm.nAlarmHour, alarm.nAlarmMinute);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = i;
    item.pszText = time;
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    std::wstring repeat = RepeatText(alarm, texts);
    std::wstring label = WideOf(alarm.szAlarmLabel);
    SetItemText(list, i, 1, repeat);
    SetItemText(list, i, 2, label);
    ListView_SetCheckState(list, i, IsAlarmRepeat(alarm.nAlarmMode) ? TRUE : FALSE);
  }
  if (select >= 0 && select < g_state.nAlarmCount) {
    ListView_SetItemState(list, select, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  g_fillingList = false;
  EnableItem(dialog, IDC_ALARM_ADD, CanAddAlarm(g_state.nAlarmCount));
  EnableItem(dialog, IDC_ALARM_DELETE, CanDeleteAlarm(g_state.nAlarmCount));
}

int SelectedAlarm(HWND dialog) {
  return ListView_GetNextItem(GetDlgItem(dialog, IDC_ALARM_LIST), -1, LVNI_SELECTED);
}

// ---- one alarm

struct EditSession {
  Alarm alarm;
  bool soundPlaying = false;
};

// Names what keeps a sound from playing in the text `control` (empty when
// nothing does); the checks post the control as their cookie.
void ShowSoundProblem(HWND dialog, int control, SoundProblem problem) {
  const UINT id = problem == SoundProblem::kMissing     ? IDS_SOUND_MISSING
                  : problem == SoundProblem::kTooLarge  ? IDS_SOUND_TOO_LARGE
                  : problem == SoundProblem::kUndecodable ? IDS_SOUND_UNDECODABLE
                                                        : IDS_SOUND_OK;
  SetDlgItemTextW(dialog, control, LoadText(id).c_str());
}

// Clears `control` and checks the sound again on the sound worker.
void CheckSoundInto(HWND dialog, int control, const char* sound) {
  SetDlgItemTextW(dialog, control, L"");
  CheckSoundAsync(sound, dialog, control);
}

void RefreshEditDialog(HWND dialog, const Alarm& alarm) {
  const bool days = alarm.nAlarmRepeat == IDC_ALARM_DAYS;
  for (int id = IDC_EDIT_DAY_FIRST; id <= IDC_EDIT_DAY_LAST; ++id) EnableItem(dialog, id, days);
  SetDlgItemTextA(dialog, IDC_EDIT_SOUND, alarm.szAlarmSound);
}

INT_PTR CALLBACK AlarmEditProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* session = reinterpret_cast<EditSession*>(GetWindowLongPtrW(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG: {
      session = reinterpret_cast<EditSession*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      Alarm& alarm = session->alarm;
      CheckDlgButton(dialog, IDC_EDIT_ON, IsAlarmRepeat(alarm.nAlarmMode) ? BST_CHECKED : BST_UNCHECKED);
      SendDlgItemMessageW(dialog, IDC_EDIT_LABEL, EM_LIMITTEXT, kAlarmLabelSize - 1, 0);
      SetDlgItemTextW(dialog, IDC_EDIT_LABEL, WideOf(alarm.szAlarmLabel).c_str());
      ShowNumber(dialog, IDC_EDIT_HOUR, alarm.nAlarmHour, IDC_EDIT_HOUR_SPIN, kAlarmHourRange);
      ShowNumber(dialog, IDC_EDIT_MINUTE, alarm.nAlarmMinute, IDC_EDIT_MINUTE_SPIN, kAlarmMinuteRange);
      ShowNumber(dialog, IDC_EDIT_VOLUME, alarm.nAlarmVolume, IDC_EDIT_VOLUME_SPIN, kVolumeRange);
      ShowNumber(dialog, IDC_EDIT_SNOOZE, alarm.nAlarmSnooze, IDC_EDIT_SNOOZE_SPIN, kSnoozeRange);
      CheckRadioButton(dialog, IDC_EDIT_ONCE, IDC_EDIT_DAYS, RepeatButtonOf(alarm.nAlarmRepeat));
      for (int day = 0; day < 7; ++day) {
        CheckDlgButton(dialog, IDC_EDIT_DAY_FIRST + day, (alarm.nAlarmDays >> day & 1u) ? BST_CHECKED : BST_UNCHECKED);
      }
      RefreshEditDialog(dialog, alarm);
      CheckSoundInto(dialog, IDC_EDIT_SOUND_PROBLEM, alarm.szAlarmSound);
      return TRUE;
    }
    case WM_SOUNDCHECKED:
      ShowSoundProblem(dialog, static_cast<int>(lParam), static_cast<SoundProblem>(wParam));
      return TRUE;
    case WM_COMMAND: {
      if (session == nullptr) return FALSE;
      Alarm& alarm = session->alarm;
      const int id = LOWORD(wParam);
      if (id >= IDC_EDIT_ONCE && id <= IDC_EDIT_DAYS) {
        alarm.nAlarmRepeat = RepeatOfButton(id);
        RefreshEditDialog(dialog, alarm);
      } else if (id == IDC_EDIT_SOUND) {
        ChooseSoundFile(dialog, alarm.szAlarmSound);
        RefreshEditDialog(dialog, alarm);
        CheckSoundInto(dialog, IDC_EDIT_SOUND_PROBLEM, alarm.szAlarmSound);
      } else if (id == IDC_EDIT_PLAY) {
        PressPlay(IDC_EDIT_PLAY, alarm.szAlarmSound, Clamp(ReadNumber(dialog, IDC_EDIT_VOLUME), kVolumeRange));
      } else if (id == IDOK) {
        wchar_t label[kAlarmLabelSize] = {};
        GetDlgItemTextW(dialog, IDC_EDIT_LABEL, label, kAlarmLabelSize);
        // Kept in the ANSI code page like every stored text; a character it
        // lacks becomes the system's default character.
        if (WideCharToMultiByte(CP_ACP, 0, label, -1, alarm.szAlarmLabel, kAlarmLabelSize, nullptr, nullptr) == 0)
          alarm.szAlarmLabel[0] = '\0';
        alarm.nAlarmHour = ReadNumber(dialog, IDC_EDIT_HOUR);
        alarm.nAlarmMinute = ReadNumber(dialog, IDC_EDIT_MINUTE);
        alarm.nAlarmVolume = Clamp(ReadNumber(dialog, IDC_EDIT_VOLUME), kVolumeRange);
        alarm.nAlarmSnooze = Clamp(ReadNumber(dialog, IDC_EDIT_SNOOZE), kSnoozeRange);
        alarm.nAlarmDays = 0;
        for (int day = 0; day < 7; ++day) {
          if (IsDlgButtonChecked(dialog, IDC_EDIT_DAY_FIRST + day) == BST_CHECKED) alarm.nAlarmDays |= 1u << day;
        }
        SwitchAlarm(alarm, IsDlgButtonChecked(dialog, IDC_EDIT_ON) == BST_CHECKED);
        if (g_playingButton == IDC_EDIT_PLAY) (void)g_system.playSound(nullptr, 0, 0);
        g_playingButton = 0;
        EndDialog(dialog, IDOK);
      } else if (id == IDCANCEL) {
        if (g_playingButton == IDC_EDIT_PLAY) (void)g_system.playSound(nullptr, 0, 0);
        g_playingButton = 0;
        EndDialog(dialog, IDCANCEL);
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace

bool EditAlarm(HWND owner, Alarm& alarm) {
  EditSession session{alarm};
  if (DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ALARM_EDIT), owner, AlarmEditProc,
                      reinterpret_cast<LPARAM>(&session)) != IDOK)
    return false;
  alarm = session.alarm;
  return true;
}

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

  SetDlgItemTextA(dialog, IDC_OCLOCK_SOUND, g_state.szOClockSound);
  SetDlgItemTextA(dialog, IDC_TIMER_SOUND, g_state.szTimerSound);
  return 1;
}

int ChooseSoundFile(HWND dialog, char (&sound)[kTextBufferSize]) {
  // Zeroed, so that a failed load still leaves an empty, well-ended list.
  wchar_t filter[256] = {};
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

INT_PTR CALLBACK AlarmDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    ShowNumber(dialog, IDC_TIMER_MINUTE, g_state.nTimerMinute, IDC_TIMER_SPIN, kTimerMinuteRange);
    ShowNumber(dialog, IDC_TIMER_VOLUME, g_state.nTimerVolume, IDC_TIMER_VOLUME_SPIN, kVolumeRange);
    ShowNumber(dialog, IDC_OCLOCK_VOLUME, g_state.nOClockVolume, IDC_OCLOCK_VOLUME_SPIN, kVolumeRange);
    SetUpAlarmList(dialog);
    FillAlarmList(dialog, 0);
    ShowNumber(dialog, IDC_OCLOCK_QUIETFROM, g_state.nOClockQuietFrom, IDC_QUIETFROM_SPIN, kQuietHourRange);
    ShowNumber(dialog, IDC_OCLOCK_QUIETTO, g_state.nOClockQuietTo, IDC_QUIETTO_SPIN, kQuietHourRange);
    RefreshAlarmDialog(dialog);
    CheckSoundInto(dialog, IDC_TIMER_SOUND_PROBLEM, g_state.szTimerSound);
    CheckSoundInto(dialog, IDC_OCLOCK_SOUND_PROBLEM, g_state.szOClockSound);
    return TRUE;  // the first enabled tab stop gets the focus
  }
  if (message == WM_SOUNDCHECKED) {
    ShowSoundProblem(dialog, static_cast<int>(lParam), static_cast<SoundProblem>(wParam));
    return TRUE;
  }
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->idFrom != IDC_ALARM_LIST) return FALSE;
    if (header->code == NM_DBLCLK) SendMessageW(dialog, WM_COMMAND, IDC_ALARM_EDIT, 0);
    // A click on a row's check box switches that alarm on or off.
    if (header->code == LVN_ITEMCHANGED && !g_fillingList) {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if ((change->uChanged & LVIF_STATE) != 0 && change->iItem >= 0 && change->iItem < g_state.nAlarmCount &&
          ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK) != 0) {
        const bool on = ((change->uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
        SwitchAlarm(g_state.alarms[change->iItem], on);
      }
    }
    return FALSE;
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
    case DialogActionKind::kAddAlarm:
      if (CanAddAlarm(g_state.nAlarmCount)) {
        Alarm alarm = DefaultAlarm(g_state.alarms[0].szAlarmSound);
        SwitchAlarm(alarm, true);
        if (EditAlarm(dialog, alarm)) {
          g_state.alarms[g_state.nAlarmCount++] = alarm;
          FillAlarmList(dialog, g_state.nAlarmCount - 1);
        }
      }
      break;
    case DialogActionKind::kEditAlarm: {
      const int index = SelectedAlarm(dialog);
      if (index < 0 || index >= g_state.nAlarmCount) break;
      Alarm alarm = g_state.alarms[index];
      if (EditAlarm(dialog, alarm)) {
        // An alarm set up afresh keeps no snooze of its old time.
        CancelSnooze(alarm);
        g_state.alarms[index] = alarm;
        FillAlarmList(dialog, index);
      }
      break;
    }
    case DialogActionKind::kDeleteAlarm: {
      const int index = SelectedAlarm(dialog);
      if (index < 0) break;
      g_state.alarms = DeleteAlarm(g_state.alarms, g_state.nAlarmCount, index);
      FillAlarmList(dialog, index < g_state.nAlarmCount ? index : g_state.nAlarmCount - 1);
      break;
    }
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
      CheckSoundInto(dialog, action.sound == SoundField::kOClock ? IDC_OCLOCK_SOUND_PROBLEM : IDC_TIMER_SOUND_PROBLEM,
                     SoundText(action.sound));
      break;
    case DialogActionKind::kPlaySound:
      PressPlay(id, SoundText(action.sound),
                Clamp(ReadNumber(dialog, action.sound == SoundField::kOClock ? IDC_OCLOCK_VOLUME : IDC_TIMER_VOLUME),
                      kVolumeRange));
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
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_UPDOWN_CLASS | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  (void)DialogBoxParamW(g_hInstance, MAKEINTRESOURCEW(IDD_ALARM), hwnd, AlarmDialogProc, 0);

  g_state.fDialogOpen = 0;
  EnableMenuItem(g_state.hMenuPopup, IDM_ALARMSETTINGS, MF_BYCOMMAND | MF_ENABLED);
  return 1;
}
