// The alarm settings dialog, opened as the menu opens it and worked from
// inside its own modal loop, where thread timers still fire.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <functional>
#include <map>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "dialog/alarm_dialog_win32.h"
#include "support/clock_fixture.h"
#include "support/language.h"
#include "support/caption_fit.h"
#include "support/file_chooser.h"

namespace {

const wchar_t* DialogTitle() { return InRunLanguage(L"時報設定 ...", L"Alarm Settings"); }
const wchar_t* ChooserTitle() { return InRunLanguage(L"効果音の指定 ...", L"Choose a Sound"); }
const wchar_t* TimerMessageTitle() { return InRunLanguage(L"Tavelin - タイマー", L"Tavelin - Timer"); }
constexpr std::uint64_t kFakeTick = 5000000000ull;  // past 2^32, as after 58 days

std::uint64_t FakeTick() { return kFakeTick; }
// A time that matches no alarm set below and never changes the hour.
void FakeLocalTime(SYSTEMTIME* time) {
  *time = SYSTEMTIME{2026, 12, 2, 8, 12, 34, 56, 0};
}

// A window script: when a window of this process with `title` shows up, the
// action runs on it; if the window is still there 3 s later, it is sent
// IDCANCEL and `forced` is set, so a test that fails cannot hang.
struct Script {
  std::wstring title;
  std::function<void(HWND)> action;
  bool ran = false;
  bool forced = false;
  HWND window = nullptr;
  UINT_PTR finder = 0;
  UINT_PTR watchdog = 0;
};

std::map<UINT_PTR, Script*> g_finders;
std::map<UINT_PTR, Script*> g_watchdogs;

void CALLBACK WatchdogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  Script* script = g_watchdogs[id];
  g_watchdogs.erase(id);
  script->watchdog = 0;
  if (IsWindow(script->window)) {
    script->forced = true;
    PostMessageW(script->window, WM_COMMAND, IDCANCEL, 0);
  }
}

void CALLBACK FinderTimer(HWND, UINT, UINT_PTR id, DWORD) {
  Script* script = g_finders[id];
  HWND window = FindOwnWindowByTitle(script->title.c_str());
  if (window == nullptr) return;
  KillTimer(nullptr, id);
  g_finders.erase(id);
  script->finder = 0;
  script->window = window;
  script->ran = true;
  script->action(window);
  if (IsWindow(window)) {
    script->watchdog = SetTimer(nullptr, 0, 3000, WatchdogTimer);
    g_watchdogs[script->watchdog] = script;
  }
}

void Arm(Script& script) {
  script.finder = SetTimer(nullptr, 0, 30, FinderTimer);
  g_finders[script.finder] = &script;
}

void Disarm(Script& script) {
  if (script.finder != 0) {
    KillTimer(nullptr, script.finder);
    g_finders.erase(script.finder);
  }
  if (script.watchdog != 0) {
    KillTimer(nullptr, script.watchdog);
    g_watchdogs.erase(script.watchdog);
  }
}

using ::testing::PrintToString;

void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void Type(HWND dialog, int id, const wchar_t* text) { SetDlgItemTextW(dialog, id, text); }
std::wstring TextOf(HWND dialog, int id) {
  wchar_t text[512] = {};
  GetDlgItemTextW(dialog, id, text, 512);
  return text;
}
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }
bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

// A key as the user's keyboard would deliver it: queued to the focus, for the
// dialog loop's own key handling.
void PressKey(HWND dialog, UINT key) {
  HWND focus = GetFocus();
  HWND target = (focus != nullptr && IsChild(dialog, focus)) ? focus : dialog;
  PostMessageW(target, WM_KEYDOWN, key, 1);
  PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

// Button releases taken from the queue for each window, seen by a hook.
std::map<HWND, int> g_releases;
LRESULT CALLBACK CountReleases(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_LBUTTONUP) ++g_releases[msg->hwnd];
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A real click, through the system's input queue, in the middle of the upper
// (up) or lower (down) half of an up-down control; returns once the control
// has taken the button's release. Whichever version of the control draws
// the arrows, the upper half is the up arrow.
void ClickArrow(HWND dialog, int spinId, bool up) {
  HWND spin = GetDlgItem(dialog, spinId);
  RECT rc;
  GetWindowRect(spin, &rc);
  const int quarter = (rc.bottom - rc.top) / 4;
  const POINT at{(rc.left + rc.right) / 2, up ? rc.top + quarter : rc.bottom - 1 - quarter};
  ASSERT_EQ(WindowFromPoint(at), spin) << "the arrows are covered";
  SetCursorPos(at.x, at.y);
  ASSERT_TRUE(PumpUntil([&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
  }, 2000)) << "the pointer did not move";

  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountReleases, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const int before = g_releases[spin];
  INPUT press[2] = {};
  press[0].type = press[1].type = INPUT_MOUSE;
  press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  EXPECT_EQ(SendInput(2, press, sizeof(INPUT)), 2u);
  const bool released = PumpUntil([&] { return g_releases[spin] > before; }, 3000);
  PumpMessages(50);  // the release itself is dispatched
  UnhookWindowsHookEx(hook);
  EXPECT_TRUE(released) << "the click did not reach the arrows";
}

// A control's rectangle in the dialog's client coordinates.
RECT PlaceInDialog(HWND dialog, HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Dialog units in pixels, the origin and the size converted apart, as the
// dialog manager places controls.
RECT InPixels(HWND dialog, int x, int y, int cx, int cy) {
  RECT origin{x, y, 0, 0}, size{cx, cy, 0, 0};
  MapDialogRect(dialog, &origin);
  MapDialogRect(dialog, &size);
  return RECT{origin.left, origin.top, origin.left + size.left, origin.top + size.top};
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_system.tickCount = FakeTick;
    g_system.localTime = FakeLocalTime;
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
    ASSERT_NE(g_state.hMenuPopup, nullptr);
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
    ResetSystemReadings();
  }

  // Opens the dialog through the clock's command and runs `action` on it
  // from inside; returns when the dialog has ended. Fails the test when the
  // dialog did not open or had to be closed by force.
  void RunDialog(const std::function<void(HWND)>& action) {
    Script script{DialogTitle(), action};
    Arm(script);
    PostMessageW(hwnd_, WM_COMMAND, IDM_ALARMSETTINGS, 0);
    const bool ended = PumpUntil([&] { return script.ran && !g_state.fDialogOpen; }, 10000);
    Disarm(script);
    EXPECT_TRUE(script.ran) << "the dialog did not open";
    EXPECT_TRUE(ended);
    EXPECT_FALSE(script.forced) << "the dialog stayed open after the test's action";
    EXPECT_EQ(FindOwnWindowByTitle(DialogTitle()), nullptr);
  }

  // Clicks a sound button and runs `action` on the chooser it opens, from
  // inside the chooser's loop. Returns whether the chooser opened.
  static bool RunChooser(HWND dialog, int buttonId, const std::function<void(HWND)>& action) {
    Script script{ChooserTitle(), action};
    Arm(script);
    Click(dialog, buttonId);  // returns when the chooser has ended
    Disarm(script);
    EXPECT_FALSE(script.forced) << "the chooser stayed open";
    return script.ran;
  }

  bool MenuItemGrayed() const {
    return (GetMenuState(g_state.hMenuPopup, IDM_ALARMSETTINGS, MF_BYCOMMAND) & MF_GRAYED) != 0;
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

// The template as the program runs it: creation order, identifiers, kinds,
// captions, styles and places in dialog units.
TEST_F(DialogTest, TheControlsAreThoseOfTheLayout) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  constexpr DWORD kRadio = BS_AUTORADIOBUTTON | kChild;
  constexpr DWORD kEdit = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP | kChild;
  constexpr DWORD kSpin = UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_AUTOBUDDY | UDS_ARROWKEYS | UDS_NOTHOUSANDS | kChild;
  constexpr DWORD kLabel = SS_LEFT | WS_GROUP | kChild;
  constexpr DWORD kPath = BS_PUSHBUTTON | BS_RIGHT | WS_TABSTOP | kChild;
  constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP | kChild;
  constexpr DWORD kGroup = BS_GROUPBOX | kChild;
  struct Row {
    int id;
    const wchar_t* kind;
    const wchar_t* japanese;  // the caption in each language
    const wchar_t* english;
    int x, y, cx, cy;
    DWORD style;
  } rows[] = {
      {-1, L"Button", L"タイマー", L"Timer", 6, 6, 218, 63, kGroup},
      {IDC_TIMER_STOP, L"Button", L"停止", L"Off", 10, 17, 32, 10, kRadio | WS_GROUP},
      {IDC_TIMER_ONCE, L"Button", L"有効", L"Once", 44, 17, 32, 10, kRadio},
      {IDC_TIMER_REPEAT, L"Button", L"繰返", L"Loop", 78, 17, 32, 10, kRadio},
      {IDC_TIMER_MINUTE, L"Edit", L"", L"", 116, 15, 32, 12, kEdit},
      {IDC_TIMER_SPIN, L"msctls_updown32", L"Spin1", L"Spin1", 0, 0, 0, 0, kSpin},
      {IDC_TIMER_UNIT, L"Static", L"分", L"min", 151, 17, 20, 8, kLabel},
      {IDC_TIMER_SOUNDLABEL, L"Static", L"効果音", L"Sound", 13, 35, 28, 8, kLabel},
      {IDC_TIMER_SOUND, L"Button", L"", L"", 42, 32, 96, 14, kPath},
      {IDC_TIMER_PLAY, L"Button", L"♪", L"♪", 140, 32, 12, 14, kButton},
      {-1, L"Static", L"音量", L"Volume", 156, 35, 28, 8, kLabel},
      {IDC_TIMER_VOLUME, L"Edit", L"", L"", 184, 33, 28, 12, kEdit},
      {IDC_TIMER_VOLUME_SPIN, L"msctls_updown32", L"Spin1", L"Spin1", 0, 0, 0, 0, kSpin},
      {IDC_TIMER_VOLUME_UNIT, L"Static", L"%", L"%", 214, 35, 8, 8, kLabel},
      {IDC_TIMER_SOUND_PROBLEM, L"Static", L"", L"", 42, 48, 176, 16, SS_LEFT | SS_NOPREFIX | kChild},
      {-1, L"Button", L"アラーム", L"Alarms", 6, 74, 218, 96, kGroup},
      {IDC_ALARM_LIST, L"SysListView32", L"", L"", 12, 85, 206, 62,
       LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER | WS_TABSTOP | kChild},
      {IDC_ALARM_ADD, L"Button", L"追加(&A)...", L"&Add...", 12, 151, 50, 14, kButton},
      {IDC_ALARM_EDIT, L"Button", L"編集(&E)...", L"&Edit...", 66, 151, 50, 14, kButton},
      {IDC_ALARM_DELETE, L"Button", L"削除(&D)", L"&Delete", 120, 151, 50, 14, kButton},
      {-1, L"Button", L"時報", L"Hourly Chime", 6, 174, 218, 77, kGroup},
      {IDC_OCLOCK_OFF, L"Button", L"停止", L"Off", 10, 185, 32, 10, kRadio | WS_GROUP},
      {IDC_OCLOCK_ON, L"Button", L"有効", L"On", 44, 185, 32, 10, kRadio},
      {IDC_OCLOCK_CHANGECHARA, L"Button", L"ｷｬﾗ自動切替", L"New character", 116, 185, 80, 10,
       BS_AUTOCHECKBOX | WS_TABSTOP | kChild},
      {IDC_OCLOCK_QUIETLABEL, L"Static", L"時報なし", L"Quiet from", 13, 201, 44, 8, kLabel},
      {IDC_OCLOCK_QUIETFROM, L"Edit", L"", L"", 58, 199, 28, 12, kEdit},
      {IDC_QUIETFROM_SPIN, L"msctls_updown32", L"Spin1", L"Spin1", 0, 0, 0, 0, kSpin},
      {IDC_OCLOCK_QUIETTO_LABEL, L"Static", L"時～", L"h to", 88, 201, 20, 8, kLabel},
      {IDC_OCLOCK_QUIETTO, L"Edit", L"", L"", 110, 199, 28, 12, kEdit},
      {IDC_QUIETTO_SPIN, L"msctls_updown32", L"Spin1", L"Spin1", 0, 0, 0, 0, kSpin},
      {IDC_OCLOCK_QUIETUNIT, L"Static", L"時", L"h", 140, 201, 10, 8, kLabel},
      {IDC_OCLOCK_SOUNDLABEL, L"Static", L"効果音", L"Sound", 13, 218, 28, 8, kLabel},
      {IDC_OCLOCK_SOUND, L"Button", L"", L"", 42, 215, 96, 14, kPath},
      {IDC_OCLOCK_PLAY, L"Button", L"♪", L"♪", 140, 215, 12, 14, kButton},
      {-1, L"Static", L"音量", L"Volume", 156, 218, 28, 8, kLabel},
      {IDC_OCLOCK_VOLUME, L"Edit", L"", L"", 184, 216, 28, 12, kEdit},
      {IDC_OCLOCK_VOLUME_SPIN, L"msctls_updown32", L"Spin1", L"Spin1", 0, 0, 0, 0, kSpin},
      {IDC_OCLOCK_VOLUME_UNIT, L"Static", L"%", L"%", 214, 218, 8, 8, kLabel},
      {IDC_OCLOCK_SOUND_PROBLEM, L"Static", L"", L"", 42, 230, 176, 16, SS_LEFT | SS_NOPREFIX | kChild},
      {IDOK, L"Button", L"スタート", L"Start", 40, 258, 60, 15, kButton},
      {IDCANCEL, L"Button", L"閉じる", L"Close", 130, 258, 60, 15, kButton},
  };
  // The captions of the path buttons are the sounds; empty them for the check.
  g_state.szTimerSound[0] = g_state.alarms[0].szAlarmSound[0] = g_state.szOClockSound[0] = '\0';
  g_state.nTimerMode = IDC_TIMER_ONCE;  // everything enabled
  g_state.nAlarmCount = 2;              // Delete too
  RunDialog([&](HWND dialog) {
    const DWORD dialogStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE));
    EXPECT_TRUE(dialogStyle & WS_POPUP);
    EXPECT_EQ(dialogStyle & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
    EXPECT_FALSE(dialogStyle & WS_SYSMENU) << "no system menu, no close box";
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), hwnd_);
    RECT client, expectedClient{0, 0, 230, 279};
    GetClientRect(dialog, &client);
    MapDialogRect(dialog, &expectedClient);
    EXPECT_EQ(client.right, expectedClient.right);
    EXPECT_EQ(client.bottom, expectedClient.bottom);
    wchar_t title[64] = {};
    GetWindowTextW(dialog, title, 64);
    EXPECT_STREQ(title, DialogTitle());
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_STREQ(font.lfFaceName, InRunLanguage(L"ＭＳ Ｐゴシック", L"MS Shell Dlg"));
    HDC screen = GetDC(nullptr);
    const int points = JapaneseRun() ? 9 : 8;
    EXPECT_EQ(font.lfHeight, -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(LOWORD(SendMessageW(dialog, DM_GETDEFID, 0, 0)), IDOK);

    HWND child = GetWindow(dialog, GW_CHILD);
    HWND previous = nullptr;
    for (const Row& row : rows) {
      SCOPED_TRACE(testing::Message() << "control " << (&row - rows) + 1 << ", identifier " << row.id);
      ASSERT_NE(child, nullptr);
      EXPECT_EQ(GetDlgCtrlID(child), row.id == -1 ? 0xFFFF : row.id);
      wchar_t kind[64] = {}, caption[64] = {};
      GetClassNameW(child, kind, 64);
      GetWindowTextW(child, caption, 64);
      EXPECT_EQ(lstrcmpiW(kind, row.kind), 0) << "kind " << testing::PrintToString(std::wstring(kind));
      // Edits show the numbers; the sounds' problems are filled in by their checks.
      if (row.style != kEdit && row.id != IDC_TIMER_SOUND_PROBLEM && row.id != IDC_OCLOCK_SOUND_PROBLEM) {
        EXPECT_STREQ(caption, InRunLanguage(row.japanese, row.english));
      }
      if (!JapaneseRun()) {
        EXPECT_FALSE(HasJapanese(caption)) << testing::PrintToString(std::wstring(caption));
      }

      // The default look moves between push buttons with the focus (the
      // template's default is DM_GETDEFID above), and the checked radio
      // button of a group takes the group's tab stop.
      DWORD style = static_cast<DWORD>(GetWindowLongW(child, GWL_STYLE));
      const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(child, GWL_EXSTYLE));
      if (row.style == kButton || row.style == kPath) style &= ~static_cast<DWORD>(BS_DEFPUSHBUTTON);
      if ((row.style & 0xF) == BS_AUTORADIOBUTTON) style &= ~static_cast<DWORD>(WS_TABSTOP);
      const DWORD mask = 0xFFFF | WS_GROUP | WS_TABSTOP | WS_CHILD | WS_VISIBLE | WS_DISABLED;
      EXPECT_EQ(style & mask, row.style) << std::hex << "style " << style;
      if (row.style == kEdit) {
        EXPECT_TRUE((style & WS_BORDER) || (exStyle & WS_EX_CLIENTEDGE)) << "edits have a border";
      }

      const RECT place = PlaceInDialog(dialog, child);
      if (row.style == kSpin) {
        // At the right end of its buddy, which it narrowed by its own width.
        const Row& edit = (&row)[-1];
        const RECT units = InPixels(dialog, edit.x, edit.y, edit.cx, edit.cy);
        const RECT buddy = PlaceInDialog(dialog, previous);
        EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(child, UDM_GETBUDDY, 0, 0)), previous);
        EXPECT_NEAR(place.right, units.right, 2);  // it may cover the edit's border
        EXPECT_EQ(place.top, units.top);
        EXPECT_EQ(place.bottom, units.bottom);
        EXPECT_NEAR(buddy.right, place.left, 2);
        EXPECT_EQ(buddy.left, units.left);
      } else {
        const RECT units = InPixels(dialog, row.x, row.y, row.cx, row.cy);
        EXPECT_EQ(place.left, units.left);
        EXPECT_EQ(place.top, units.top);
        if (row.style != kEdit) {
          EXPECT_EQ(place.right, units.right);
        }
        EXPECT_EQ(place.bottom, units.bottom);
      }
      previous = child;
      child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr) << "more than the layout's controls";
    Click(dialog, IDCANCEL);
  });
}

// Every caption, measured in the dialog's own font, fits inside its control
// beside the control's own parts, in English and in Japanese.
TEST_F(DialogTest, EveryCaptionFitsItsControl) {
  g_state.szTimerSound[0] = g_state.alarms[0].szAlarmSound[0] = g_state.szOClockSound[0] = '\0';
  RunDialog([&](HWND dialog) {
    // No sound: both name it missing once their checks have answered.
    EXPECT_TRUE(PumpUntil(
        [&] { return !TextOf(dialog, IDC_TIMER_SOUND_PROBLEM).empty() && !TextOf(dialog, IDC_OCLOCK_SOUND_PROBLEM).empty(); },
        5000));
    EXPECT_EQ(ExpectCaptionsFit(dialog), 28)
        << "every caption but the \"Spin1\", the list and the empty paths, with the sounds' problems";
    Click(dialog, IDCANCEL);
  });
}

// A Japanese input method in full-width mode types "３０": the dialog reads
// it as 30, and the countdown it starts is not due at the next tick.
TEST_F(DialogTest, FullWidthDigitsAreTheNumbersTheyShow) {
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  RunDialog([&](HWND dialog) {
    Click(dialog, IDC_TIMER_ONCE);
    Type(dialog, IDC_TIMER_MINUTE, L"\uFF13\uFF10");  // ３０
    Type(dialog, IDC_TIMER_VOLUME, L"4\uFF15");        // 4５
    Type(dialog, IDC_OCLOCK_QUIETFROM, L"\uFF12\uFF12");  // ２２
    Type(dialog, IDC_OCLOCK_QUIETTO, L"\uFF17");          // ７
    Click(dialog, IDOK);
  });
  EXPECT_EQ(g_state.nOClockQuietFrom, 22u);
  EXPECT_EQ(g_state.nOClockQuietTo, 7u);
  EXPECT_EQ(g_state.nTimerMinute, 30u);
  EXPECT_EQ(g_state.nTimerVolume, 45u);
  EXPECT_EQ(g_state.dwTimerDeadline, kFakeTick + 30 * 60000ull);

  // The next tick: a countdown read as 0 minutes would fire now and show its
  // message, which the script would close.
  Script timerMessage{TimerMessageTitle(), [](HWND box) { PostMessageW(box, WM_COMMAND, IDOK, 0); }};
  Arm(timerMessage);
  SendMessageW(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  PumpMessages(100);
  Disarm(timerMessage);
  EXPECT_FALSE(timerMessage.ran) << "the countdown fired at once";
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_ONCE);
}

TEST_F(DialogTest, OpensWithTheStateShown) {
  g_state.nTimerMode = IDC_TIMER_REPEAT;
  g_state.nTimerMinute = 7;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  g_state.alarms[0].nAlarmHour = 6;
  g_state.alarms[0].nAlarmMinute = 45;
  g_state.nOClockMode = 5;  // no such button: neither is checked
  g_state.nOClockChangeChara = 1;
  g_state.nOClockQuietFrom = 22;
  g_state.nOClockQuietTo = 7;
  lstrcpyA(g_state.szTimerSound, "timer.wav");
  // A folder name outside ASCII, in the run's ANSI code page: "時報" or "café".
  lstrcpyA(g_state.alarms[0].szAlarmSound, JapaneseRun() ? "C:\\\x8E\x9E\x95\xF1\\alarm.wav" : "C:\\caf\xE9\\alarm.wav");
  lstrcpyA(g_state.szOClockSound, "");
  RunDialog([&](HWND dialog) {
    EXPECT_EQ(TextOf(dialog, IDC_TIMER_MINUTE), L"7");
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_QUIETFROM), L"22");
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_QUIETTO), L"7");
    EXPECT_FALSE(Checked(dialog, IDC_TIMER_STOP));
    EXPECT_FALSE(Checked(dialog, IDC_TIMER_ONCE));
    EXPECT_TRUE(Checked(dialog, IDC_TIMER_REPEAT));
    EXPECT_FALSE(Checked(dialog, IDC_OCLOCK_OFF));
    EXPECT_FALSE(Checked(dialog, IDC_OCLOCK_ON));
    EXPECT_TRUE(Checked(dialog, IDC_OCLOCK_CHANGECHARA));
    EXPECT_EQ(TextOf(dialog, IDC_TIMER_SOUND), L"timer.wav");
    // The list's row: the time with two digits of minutes, the repeat, the label.
    HWND list = GetDlgItem(dialog, IDC_ALARM_LIST);
    wchar_t cell[64] = {};
    LVITEMW item{};
    item.pszText = cell;
    item.cchTextMax = 64;
    SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(cell, L"6:45");
    item.iSubItem = 1;
    SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(cell, InRunLanguage(L"1回", L"Once"));
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_SOUND), L"");
    // The ranges as the arrows see them: the up arrow moves toward the
    // maximum, which is the upper bound.
    struct Range {
      int spin;
      int lowest, highest;
    } ranges[] = {{IDC_TIMER_SPIN, 1, 999}, {IDC_TIMER_VOLUME_SPIN, 0, 100}, {IDC_QUIETFROM_SPIN, 0, 23}};
    for (const Range& r : ranges) {
      SCOPED_TRACE(r.spin);
      int minimum = -1, maximum = -1;
      SendDlgItemMessageW(dialog, r.spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&minimum),
                          reinterpret_cast<LPARAM>(&maximum));
      EXPECT_EQ(minimum, r.lowest);
      EXPECT_EQ(maximum, r.highest);
      const LRESULT packed = SendDlgItemMessageW(dialog, r.spin, UDM_GETRANGE, 0, 0);
      EXPECT_EQ(LOWORD(packed), r.highest) << "the low word is the maximum";
      EXPECT_EQ(HIWORD(packed), r.lowest);
    }
    Click(dialog, IDCANCEL);
  });
}

TEST_F(DialogTest, ASecondOpeningDoesNothingAndTheMenuItemIsGrayedMeanwhile) {
  EXPECT_FALSE(MenuItemGrayed());
  RunDialog([&](HWND dialog) {
    EXPECT_EQ(g_state.fDialogOpen, 1);
    EXPECT_TRUE(MenuItemGrayed());
    SetFocus(GetDlgItem(dialog, IDC_TIMER_PLAY));
    SendMessageW(hwnd_, WM_COMMAND, IDM_ALARMSETTINGS, 0);  // a tray double click
    EXPECT_EQ(OpenAlarmDialog(hwnd_), 0);
    int dialogs = 0;
    for (HWND w = FindWindowW(nullptr, DialogTitle()); w; w = FindWindowExW(nullptr, w, nullptr, DialogTitle())) {
      ++dialogs;
    }
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TIMER_PLAY)) << "the focus stays where it was";
    EXPECT_EQ(g_state.fDialogOpen, 1);
    EXPECT_TRUE(MenuItemGrayed());
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.fDialogOpen, 0);
  EXPECT_FALSE(MenuItemGrayed());
}

TEST_F(DialogTest, ADialogThatCannotBeCreatedReleasesTheGuard) {
  const HINSTANCE program = g_hInstance;
  g_hInstance = GetModuleHandleW(L"kernel32.dll");  // holds no such template
  EXPECT_EQ(OpenAlarmDialog(hwnd_), 1);
  g_hInstance = program;
  EXPECT_EQ(g_state.fDialogOpen, 0);
  EXPECT_FALSE(MenuItemGrayed());
  EXPECT_EQ(FindOwnWindowByTitle(DialogTitle()), nullptr);
}

// Which controls each mode enables; the others never change.
TEST_F(DialogTest, EachModeEnablesItsControls) {
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
  g_state.nOClockMode = IDC_OCLOCK_ON;
  struct Case {
    int button;
    bool timerOn;
  } cases[] = {
      {IDC_TIMER_ONCE, true},  {IDC_TIMER_REPEAT, true}, {IDC_TIMER_STOP, false}, {IDC_TIMER_ONCE, true},
      {IDC_OCLOCK_OFF, true},  {IDC_OCLOCK_ON, true},
  };
  const int alwaysEnabled[] = {IDC_TIMER_STOP,  IDC_TIMER_ONCE,  IDC_TIMER_REPEAT, IDC_TIMER_SOUNDLABEL,
                               IDC_TIMER_SOUND, IDC_TIMER_PLAY,  IDC_TIMER_VOLUME, IDC_ALARM_LIST, IDC_ALARM_ADD,
                               IDC_ALARM_EDIT,  IDC_OCLOCK_OFF,  IDC_OCLOCK_ON,   IDC_OCLOCK_CHANGECHARA,
                               IDC_OCLOCK_SOUNDLABEL, IDC_OCLOCK_SOUND, IDC_OCLOCK_PLAY, IDC_OCLOCK_VOLUME, IDCANCEL};
  RunDialog([&](HWND dialog) {
    EXPECT_FALSE(Enabled(dialog, IDOK)) << "start is off while the timer is stopped";
    EXPECT_FALSE(Enabled(dialog, IDC_TIMER_MINUTE));
    EXPECT_FALSE(Enabled(dialog, IDC_ALARM_DELETE)) << "the one alarm stays";
    for (const Case& c : cases) {
      SCOPED_TRACE(c.button);
      Click(dialog, c.button);
      EXPECT_TRUE(Checked(dialog, c.button));
      if (c.button >= IDC_TIMER_STOP && c.button <= IDC_TIMER_REPEAT) {
        EXPECT_EQ(g_state.nTimerMode, c.button);
      }
      // The quiet hours go with the chime.
      for (int id : {IDC_OCLOCK_QUIETLABEL, IDC_OCLOCK_QUIETFROM, IDC_OCLOCK_QUIETTO_LABEL, IDC_OCLOCK_QUIETTO,
                     IDC_OCLOCK_QUIETUNIT}) {
        EXPECT_EQ(Enabled(dialog, id), g_state.nOClockMode == IDC_OCLOCK_ON) << id;
      }
      if (c.button >= IDC_OCLOCK_OFF && c.button <= IDC_OCLOCK_ON) {
        EXPECT_EQ(g_state.nOClockMode, c.button);
      }
      for (int id : {IDC_TIMER_MINUTE, IDC_TIMER_UNIT, IDOK}) EXPECT_EQ(Enabled(dialog, id), c.timerOn) << id;
      for (int id : alwaysEnabled) EXPECT_TRUE(Enabled(dialog, id)) << id;
    }
    Click(dialog, IDCANCEL);
  });
}

TEST_F(DialogTest, TheCheckBoxSetsTheCharacterSwitchAtTheClick) {
  g_state.nOClockChangeChara = 0;
  RunDialog([&](HWND dialog) {
    Click(dialog, IDC_OCLOCK_CHANGECHARA);
    EXPECT_EQ(g_state.nOClockChangeChara, 1);
    Click(dialog, IDC_OCLOCK_CHANGECHARA);
    EXPECT_EQ(g_state.nOClockChangeChara, 0);
    Click(dialog, IDC_OCLOCK_CHANGECHARA);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.nOClockChangeChara, 1);
}

TEST_F(DialogTest, EscapeClosesAndStoresTheNumbersShownButStartsNothing) {
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
  g_state.dwTimerDeadline = 12345;  // a leftover, not due while stopped
  g_state.alarms[0].nAlarmFiredDay = 8;
  RunDialog([&](HWND dialog) {
    Type(dialog, IDC_TIMER_MINUTE, L"12");  // disabled, yet still stored
    Type(dialog, IDC_OCLOCK_VOLUME, L"30");
    PressKey(dialog, VK_RETURN);  // start is disabled: Enter does nothing
    PumpMessages(300);
    ASSERT_TRUE(IsWindow(dialog));
    EXPECT_EQ(g_state.nTimerMinute, 5u) << "nothing is read before the dialog is left";
    PressKey(dialog, VK_ESCAPE);
  });
  EXPECT_EQ(g_state.nTimerMinute, 12u);
  EXPECT_EQ(g_state.nOClockVolume, 30u);
  EXPECT_EQ(g_state.dwTimerDeadline, 12345u);
  EXPECT_EQ(g_state.alarms[0].nAlarmFiredDay, 0);
}

TEST_F(DialogTest, CloseLeavesARunningCountdownAlone) {
  g_state.nTimerMode = IDC_TIMER_REPEAT;
  g_state.dwTimerDeadline = kFakeTick + 1000;
  RunDialog([&](HWND dialog) {
    Click(dialog, IDC_TIMER_ONCE);
    Type(dialog, IDC_TIMER_MINUTE, L"9");
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.nTimerMode, IDC_TIMER_ONCE);
  EXPECT_EQ(g_state.nTimerMinute, 9u);
  EXPECT_EQ(g_state.dwTimerDeadline, kFakeTick + 1000);
}

TEST_F(DialogTest, StartSetsTheDeadlineFromNow) {
  struct Case {
    int mode;
    const wchar_t* minutes;
    unsigned stored;
    bool byEnter;
  } cases[] = {
      {IDC_TIMER_ONCE, L"3", 3, false},
      {IDC_TIMER_REPEAT, L"10", 10, false},
      {IDC_TIMER_ONCE, L"1000", 1000, true},  // beyond the arrows' range, taken as typed
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.minutes);
    g_state.nTimerMode = IDC_TIMER_STOP;
    g_state.dwTimerDeadline = kNoDeadline;
    g_state.alarms[0].nAlarmFiredDay = 8;
    RunDialog([&](HWND dialog) {
      Click(dialog, c.mode);
      Type(dialog, IDC_TIMER_MINUTE, c.minutes);
      EXPECT_EQ(g_state.dwTimerDeadline, kNoDeadline) << "the mode alone starts nothing";
      if (c.byEnter) {
        PressKey(dialog, VK_RETURN);
      } else {
        Click(dialog, IDOK);
      }
    });
    EXPECT_EQ(g_state.nTimerMode, c.mode);
    EXPECT_EQ(g_state.nTimerMinute, c.stored);
    EXPECT_EQ(g_state.dwTimerDeadline, kFakeTick + c.stored * 60000ull);
    EXPECT_EQ(g_state.alarms[0].nAlarmFiredDay, 0);
  }
}

TEST_F(DialogTest, TypedTextIsStoredAsTheNumberItReads) {
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_REPEAT;
  RunDialog([&](HWND dialog) {
    Type(dialog, IDC_TIMER_MINUTE, L"abc");
    Type(dialog, IDC_OCLOCK_QUIETFROM, L"25");
    Type(dialog, IDC_TIMER_VOLUME, L"175");
    Click(dialog, IDOK);
  });
  EXPECT_EQ(g_state.nTimerMinute, 0u);
  EXPECT_EQ(g_state.nOClockQuietFrom, 25u) << "an hour beyond the clock is kept: never quiet";
  EXPECT_EQ(g_state.nTimerVolume, 100u) << "a volume is kept within 0-100";
  EXPECT_EQ(g_state.dwTimerDeadline, kFakeTick) << "0 minutes: due at once";
  g_state.nTimerMode = IDC_TIMER_STOP;  // keep the next tick from showing the message

  RunDialog([&](HWND dialog) {
    Type(dialog, IDC_TIMER_MINUTE, L"-3");
    Type(dialog, IDC_OCLOCK_QUIETFROM, L"4294967296");
    Type(dialog, IDC_OCLOCK_QUIETTO, L" 8");
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.nTimerMinute, 0u) << "no sign on an unsigned number";
  EXPECT_EQ(g_state.nOClockQuietFrom, 0u) << "beyond 32 bits";
  EXPECT_EQ(g_state.nOClockQuietTo, 8u);
}

// The up arrow raises each number and the down arrow lowers it, each within
// its range and without wrapping.
TEST_F(DialogTest, TheArrowsStepTheRightWayWithinTheirRanges) {
  g_state.nTimerMode = IDC_TIMER_ONCE;
  g_state.alarms[0].nAlarmMode = IDC_ALARM_ONCE;
  struct Case {
    int edit;
    int spin;
    const wchar_t* start;
    bool up;
    const wchar_t* once;
    const wchar_t* twice;
  } cases[] = {
      {IDC_TIMER_MINUTE, IDC_TIMER_SPIN, L"5", true, L"6", L"7"},
      {IDC_TIMER_MINUTE, IDC_TIMER_SPIN, L"998", true, L"999", L"999"},
      {IDC_TIMER_MINUTE, IDC_TIMER_SPIN, L"5", false, L"4", L"3"},
      {IDC_TIMER_MINUTE, IDC_TIMER_SPIN, L"2", false, L"1", L"1"},
      {IDC_OCLOCK_QUIETFROM, IDC_QUIETFROM_SPIN, L"21", true, L"22", L"23"},
      {IDC_OCLOCK_QUIETFROM, IDC_QUIETFROM_SPIN, L"23", true, L"23", L"23"},
      {IDC_OCLOCK_QUIETFROM, IDC_QUIETFROM_SPIN, L"1", false, L"0", L"0"},
      {IDC_TIMER_VOLUME, IDC_TIMER_VOLUME_SPIN, L"98", true, L"99", L"100"},
      {IDC_TIMER_VOLUME, IDC_TIMER_VOLUME_SPIN, L"1", false, L"0", L"0"},
      {IDC_OCLOCK_QUIETFROM, IDC_QUIETFROM_SPIN, L"21", true, L"22", L"23"},
      {IDC_OCLOCK_QUIETFROM, IDC_QUIETFROM_SPIN, L"23", true, L"23", L"23"},
      {IDC_OCLOCK_QUIETTO, IDC_QUIETTO_SPIN, L"1", false, L"0", L"0"},
      {IDC_OCLOCK_QUIETTO, IDC_QUIETTO_SPIN, L"6", true, L"7", L"8"},
  };
  RunDialog([&](HWND dialog) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.edit << (c.up ? " up from " : " down from ")
                                      << testing::PrintToString(std::wstring(c.start)));
      Type(dialog, c.edit, c.start);
      ClickArrow(dialog, c.spin, c.up);
      EXPECT_EQ(TextOf(dialog, c.edit), c.once);
      ClickArrow(dialog, c.spin, c.up);
      EXPECT_EQ(TextOf(dialog, c.edit), c.twice);
    }
    Type(dialog, IDC_TIMER_MINUTE, L"998");
    ClickArrow(dialog, IDC_TIMER_SPIN, true);
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.nTimerMinute, 999u) << "the arrows' number is stored like a typed one";
}

TEST_F(DialogTest, TheArrowsOfADisabledEditDoNothing) {
  g_state.nTimerMode = IDC_TIMER_STOP;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  RunDialog([&](HWND dialog) {
    Type(dialog, IDC_TIMER_MINUTE, L"5");
    Type(dialog, IDC_OCLOCK_QUIETFROM, L"5");
    ClickArrow(dialog, IDC_TIMER_SPIN, false);
    ClickArrow(dialog, IDC_QUIETFROM_SPIN, true);
    EXPECT_EQ(TextOf(dialog, IDC_TIMER_MINUTE), L"5");
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_QUIETFROM), L"5");
    Click(dialog, IDC_OCLOCK_ON);
    ClickArrow(dialog, IDC_QUIETFROM_SPIN, true);
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_QUIETFROM), L"6") << "enabled again with its edit";
    Click(dialog, IDCANCEL);
  });
}

std::wstring CurrentDirectory() {
  wchar_t path[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, path);
  std::wstring text = path;
  if (!text.empty() && text.back() != L'\\') text += L'\\';
  return text;
}

std::wstring Wide(const std::string& ansi) {
  wchar_t text[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), -1, text, MAX_PATH);
  return text;
}

std::string Ansi(const std::wstring& wide) {
  char text[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof text, nullptr, nullptr);
  return text;
}

std::wstring MakeSound(const std::wstring& folder, const std::wstring& name) {
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\" + name;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << "cannot make the sound file";
  DWORD written = 0;
  WriteFile(file, "RIFF", 4, &written, nullptr);
  CloseHandle(file);
  return path;
}

TEST_F(DialogTest, TheChooserOffersWaveFilesFirstAndACancelChangesNothing) {
  lstrcpyA(g_state.szTimerSound, "timer.wav");
  RunDialog([&](HWND dialog) {
    const bool opened = RunChooser(dialog, IDC_TIMER_SOUND, [&](HWND chooser) {
      EXPECT_EQ(GetWindow(chooser, GW_OWNER), dialog);
      wchar_t name[MAX_PATH] = {L'?'};
      GetWindowTextW(ChooserNameEdit(chooser), name, MAX_PATH);
      EXPECT_STREQ(name, L"") << "the chooser starts with no name, not at the current sound";
      HWND types = GetDlgItem(chooser, cmb1);
      ASSERT_NE(types, nullptr);
      ASSERT_EQ(SendMessageW(types, CB_GETCOUNT, 0, 0), 2);
      wchar_t item[64] = {};
      SendMessageW(types, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item));
      EXPECT_STREQ(item, InRunLanguage(L"効果音 (*.wav;*.mp3;*.ogg;*.wma;*.m4a)", L"Sounds (*.wav;*.mp3;*.ogg;*.wma;*.m4a)"));
      SendMessageW(types, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
      EXPECT_STREQ(item, InRunLanguage(L"全てのﾌｧｲﾙ (*.*)", L"All files (*.*)"));
      EXPECT_EQ(SendMessageW(types, CB_GETCURSEL, 0, 0), 0);
      PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_TRUE(opened) << "no chooser titled " << PrintToString(std::wstring(ChooserTitle()));
    EXPECT_STREQ(g_state.szTimerSound, "timer.wav");
    EXPECT_EQ(TextOf(dialog, IDC_TIMER_SOUND), L"timer.wav");
    Click(dialog, IDCANCEL);
  });
  EXPECT_STREQ(g_state.szTimerSound, "timer.wav");
}

TEST_F(DialogTest, AChosenFileGivesItsFullPathAndTheBaseStaysTheProgramFolder) {
  const std::wstring programFolder = Wide(folder_.path());
  const std::wstring chosen = MakeSound(programFolder + L"sounds", L"bell.wav");
  ASSERT_EQ(CurrentDirectory(), programFolder);
  RunDialog([&](HWND dialog) {
    EXPECT_TRUE(RunChooser(dialog, IDC_OCLOCK_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, chosen); }));
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_SOUND), chosen) << "shown at once";
    EXPECT_EQ(CurrentDirectory(), programFolder) << "relative names must keep resolving against the program";
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.szOClockSound, Ansi(chosen));
  EXPECT_STREQ(g_state.szTimerSound, "timer.wav") << "the other sounds stay";
  EXPECT_STREQ(g_state.alarms[0].szAlarmSound, "alarm.wav");
  EXPECT_EQ(CurrentDirectory(), programFolder);
}

// A WAV file of a hundredth of a second of silence, 16-bit mono at 8 kHz.
std::wstring MakePlayableSound(const std::wstring& folder, const std::wstring& name) {
  const std::wstring path = MakeSound(folder, name);
  std::string wav = "RIFF";
  const auto put32 = [&](unsigned v) { for (int i = 0; i < 4; ++i) wav += static_cast<char>(v >> (8 * i) & 0xff); };
  const auto put16 = [&](unsigned v) { for (int i = 0; i < 2; ++i) wav += static_cast<char>(v >> (8 * i) & 0xff); };
  const unsigned dataBytes = 160;
  put32(36 + dataBytes);
  wav += "WAVEfmt ";
  put32(16), put16(1), put16(1), put32(8000), put32(16000), put16(2), put16(16);
  wav += "data";
  put32(dataBytes);
  wav += std::string(dataBytes, '\0');
  WriteFileBytes(Ansi(path), wav);
  return path;
}

// The timer's and the chime's sounds are checked on the sound worker when the
// dialog opens and when one is chosen; what keeps one from playing is named
// under it, as in the one-alarm dialog.
TEST_F(DialogTest, TheTimersAndTheChimesSoundsNameWhatKeepsThemFromPlaying) {
  const std::wstring programFolder = Wide(folder_.path());
  const std::wstring good = MakePlayableSound(programFolder + L"sounds", L"bell.wav");
  const std::wstring broken = MakeSound(programFolder + L"sounds", L"notes.wav");  // a RIFF tag, nothing more
  lstrcpyA(g_state.szTimerSound, Ansi(good).c_str());
  lstrcpyA(g_state.szOClockSound, "gone.wav");
  const std::wstring missing = InRunLanguage(L"この効果音は見つからないか読めません.", L"This sound cannot be found or read.");
  const std::wstring undecodable = InRunLanguage(L"このファイルはこのコンピュータで再生できる音ではありません.",
                                                 L"This file is no sound this computer can play.");
  RunDialog([&](HWND dialog) {
    // The checks answer in order: once the chime's is shown, the timer's is too.
    EXPECT_TRUE(PumpUntil([&] { return TextOf(dialog, IDC_OCLOCK_SOUND_PROBLEM) == missing; }, 5000))
        << "the chime's missing sound is not named";
    EXPECT_EQ(TextOf(dialog, IDC_TIMER_SOUND_PROBLEM), L"") << "a playable sound is named as a problem";

    EXPECT_TRUE(RunChooser(dialog, IDC_TIMER_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, broken); }));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(dialog, IDC_TIMER_SOUND_PROBLEM) == undecodable; }, 5000))
        << "the timer's undecodable sound is not named";
    EXPECT_TRUE(RunChooser(dialog, IDC_OCLOCK_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, good); }));
    // Checked again: the timer's answer after it says the chime's came first.
    EXPECT_TRUE(RunChooser(dialog, IDC_TIMER_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, broken); }));
    EXPECT_TRUE(PumpUntil([&] { return TextOf(dialog, IDC_TIMER_SOUND_PROBLEM) == undecodable; }, 5000));
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_SOUND_PROBLEM), L"") << "the chime's new sound still named as missing";
    Click(dialog, IDCANCEL);
  });
}

// The short name of an existing file, in ANSI.
std::string ShortAnsi(const std::wstring& path) {
  wchar_t shortPath[MAX_PATH] = {};
  EXPECT_NE(GetShortPathNameW(path.c_str(), shortPath, MAX_PATH), 0u);
  return Ansi(shortPath);
}

TEST_F(DialogTest, APathWithoutAnExactAnsiFormIsStoredByItsShortName) {
  if (!JapaneseRun()) GTEST_SKIP() << "the names are chosen for the Japanese code page";
  const std::wstring programFolder = Wide(folder_.path());
  const std::wstring japanese = MakeSound(programFolder + L"音", L"時報.wav");
  const std::wstring foreign = MakeSound(programFolder + L"sounds", L"caf\u00e9.wav");  // no such letter in 932
  const std::string foreignShort = ShortAnsi(foreign);
  ASSERT_NE(Wide(foreignShort), foreign) << "the short name is another";
  RunDialog([&](HWND dialog) {
    RunChooser(dialog, IDC_OCLOCK_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, japanese); });
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_SOUND), japanese);
    const std::string stored = g_state.szOClockSound;
    const std::string tail = "\x89\xB9\\\x8E\x9E\x95\xF1.wav";  // 音\時報.wav in Shift-JIS
    EXPECT_EQ(stored, Ansi(japanese)) << "a name the code page spells is kept whole";
    EXPECT_EQ(stored.substr(stored.size() - tail.size()), tail);

    RunChooser(dialog, IDC_OCLOCK_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, foreign); });
    EXPECT_EQ(TextOf(dialog, IDC_OCLOCK_SOUND), Wide(foreignShort)) << "shown as stored";
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.szOClockSound, foreignShort);
}

TEST_F(DialogTest, APathLongerThanTheFieldIsStoredByItsShortName) {
  if (!JapaneseRun()) GTEST_SKIP() << "the names are chosen for the Japanese code page";
  // 60 double-byte letters: short as a wide name, 120 bytes in ANSI.
  const std::wstring folder = Wide(folder_.path()) + std::wstring(60, L'音');
  const size_t folderBytes = Ansi(folder).size() + 1;  // with the backslash
  ASSERT_LT(folderBytes, 200u);
  const std::wstring fits = MakeSound(folder, std::wstring(259 - folderBytes - 4, L'a') + L".wav");
  const std::wstring tooLong = MakeSound(folder, std::wstring(260 - folderBytes - 4, L'b') + L".wav");
  ASSERT_EQ(Ansi(fits).size(), 259u);
  ASSERT_LT(tooLong.size(), 259u) << "the chooser itself can return it";
  RunDialog([&](HWND dialog) {
    RunChooser(dialog, IDC_TIMER_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, fits); });
    EXPECT_EQ(g_state.szTimerSound, Ansi(fits)) << "259 bytes fit";
    RunChooser(dialog, IDC_TIMER_SOUND, [&](HWND chooser) { ChooseInChooser(chooser, tooLong); });
    Click(dialog, IDCANCEL);
  });
  EXPECT_EQ(g_state.szTimerSound, ShortAnsi(tooLong)) << "260 bytes do not";
}

}  // namespace

namespace {

const wchar_t* EditTitle() { return InRunLanguage(L"アラーム", L"Alarm"); }

std::wstring CellOf(HWND list, int row, int column) {
  wchar_t cell[64] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = cell;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  return cell;
}

// Each caption of the one-alarm dialog fits, and its two-digit numbers show whole.
void ExpectEditDialogFits(HWND edit) {
  EXPECT_GE(ExpectCaptionsFit(edit), 20);
  for (int id : {IDC_EDIT_HOUR, IDC_EDIT_MINUTE, IDC_EDIT_SNOOZE}) {
    HWND box = GetDlgItem(edit, id);
    RECT format{};
    SendMessageW(box, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    HDC dc = GetDC(box);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)));
    SIZE digits{};
    GetTextExtentPoint32W(dc, L"88", 2, &digits);
    SelectObject(dc, old);
    ReleaseDC(box, dc);
    EXPECT_LE(digits.cx, format.right - format.left) << "two digits fit edit " << id;
  }
}

}  // namespace

// Add makes an alarm through the one-alarm dialog, Edit changes it, Delete
// takes one out; what the list shows and what is saved follow.
TEST_F(DialogTest, TheListAddsEditsAndDeletesAlarms) {
  g_state.nAlarmCount = 1;
  g_state.alarms[0] = DefaultAlarm("alarm.wav");
  Script add{EditTitle(), [](HWND edit) {
               ExpectEditDialogFits(edit);
               SetDlgItemTextW(edit, IDC_EDIT_LABEL, L"Weekly meeting");
               SetDlgItemTextW(edit, IDC_EDIT_HOUR, L"12");
               SetDlgItemTextW(edit, IDC_EDIT_MINUTE, L"8");
               SendMessageW(GetDlgItem(edit, IDC_EDIT_DAYS), BM_CLICK, 0, 0);
               EXPECT_TRUE(IsWindowEnabled(GetDlgItem(edit, IDC_EDIT_DAY_FIRST + 3)));
               SendMessageW(GetDlgItem(edit, IDC_EDIT_DAY_FIRST + 3), BM_CLICK, 0, 0);  // Wednesday
               SetDlgItemTextW(edit, IDC_EDIT_VOLUME, L"40");
               SetDlgItemTextW(edit, IDC_EDIT_SNOOZE, L"10");
               SendMessageW(GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
             }};
  Script change{EditTitle(), [](HWND edit) {
                  EXPECT_EQ(TextOf(edit, IDC_EDIT_HOUR), L"12");
                  EXPECT_EQ(TextOf(edit, IDC_EDIT_MINUTE), L"8") << "the number as stored, whole";
                  EXPECT_EQ(TextOf(edit, IDC_EDIT_LABEL), L"Weekly meeting");
                  SendMessageW(GetDlgItem(edit, IDC_EDIT_ON), BM_CLICK, 0, 0);  // off
                  SendMessageW(GetDlgItem(edit, IDOK), BM_CLICK, 0, 0);
                }};
  RunDialog([&](HWND dialog) {
    HWND list = GetDlgItem(dialog, IDC_ALARM_LIST);
    Arm(add);
    Click(dialog, IDC_ALARM_ADD);
    Disarm(add);
    ASSERT_TRUE(add.ran);
    ASSERT_EQ(g_state.nAlarmCount, 2);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(CellOf(list, 1, 0), L"12:08");
    EXPECT_EQ(CellOf(list, 1, 1), InRunLanguage(L"水", L"Wed"));
    EXPECT_EQ(CellOf(list, 1, 2), L"Weekly meeting");
    EXPECT_TRUE(Enabled(dialog, IDC_ALARM_DELETE));

    Arm(change);
    Click(dialog, IDC_ALARM_EDIT);  // the new row is selected
    Disarm(change);
    ASSERT_TRUE(change.ran);
    EXPECT_EQ(g_state.alarms[1].nAlarmMode, IDC_ALARM_STOP);
    EXPECT_EQ(g_state.alarms[1].nAlarmRepeat, IDC_ALARM_DAYS) << "kept while off";

    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);
    ListView_SetItemState(list, 1, 0, LVIS_SELECTED);
    Click(dialog, IDC_ALARM_DELETE);
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_FALSE(Enabled(dialog, IDC_ALARM_DELETE)) << "the last alarm stays";
    Click(dialog, IDCANCEL);
  });
  ASSERT_EQ(g_state.nAlarmCount, 1);
  const Alarm& kept = g_state.alarms[0];
  EXPECT_STREQ(kept.szAlarmLabel, "Weekly meeting");
  EXPECT_EQ(kept.nAlarmHour * 100 + kept.nAlarmMinute, 1208u);
  EXPECT_EQ(kept.nAlarmDays, 1u << 3);
  EXPECT_EQ(kept.nAlarmVolume, 40u);
  EXPECT_EQ(kept.nAlarmSnooze, 10u);

  CloseClock(hwnd_);
  const std::string saved = ReadFileBytes(folder_.File("Tavelin.ini"));
  EXPECT_NE(saved.find("szAlarmLabel=Weekly meeting"), std::string::npos) << saved;
  EXPECT_NE(saved.find("nAlarmDays=8"), std::string::npos) << saved;
}
