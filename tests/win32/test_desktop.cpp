// The desktop presence in the running window: the tray record, the popup menu
// and its marks, the accelerators, the stacking and hide-on-mouse.
#include <gtest/gtest.h>

#include <cstring>
#include <cwchar>
#include <sstream>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "desktop/start_with_windows_win32.h"
#include "desktop/tray_win32.h"
#include "support/clock_fixture.h"
#include "support/language.h"

namespace {

POINT g_fakePointer = {0, 0};
bool g_fakeShift = false;
BOOL FakeCursorPos(POINT* point) {
  *point = g_fakePointer;
  return TRUE;
}
bool FakeShiftDown() { return g_fakeShift; }

// One menu item as the user would see it.
struct MenuLine {
  std::string path;  // "4.14": position in the menu, then in the submenu, from 1
  std::wstring caption;
  UINT id;
  bool separator, submenu, checked, radio, grayed;

  bool operator==(const MenuLine&) const = default;
};

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    if (c == L'\t') out += "\\t";
    else if (c < 0x80) out += static_cast<char>(c);
    else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\u%04X", static_cast<unsigned>(c));
      out += hex;
    }
  }
  return out;
}

std::string Describe(const MenuLine& m) {
  std::ostringstream out;
  out << m.path << " \"" << Narrow(m.caption) << "\" id " << m.id << (m.separator ? " separator" : "")
      << (m.submenu ? " submenu" : "") << (m.checked ? " checked" : "") << (m.radio ? " radio" : "")
      << (m.grayed ? " grayed" : "");
  return out.str();
}

void PrintTo(const MenuLine& m, std::ostream* os) { *os << Describe(m); }

void ReadMenu(HMENU menu, const std::string& prefix, std::vector<MenuLine>& lines) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    wchar_t caption[128] = {};
    GetMenuStringW(menu, static_cast<UINT>(i), caption, 128, MF_BYPOSITION);
    MenuLine line;
    line.path = prefix + std::to_string(i + 1);
    line.caption = caption;
    line.id = info.hSubMenu != nullptr ? 0 : info.wID;
    line.separator = (info.fType & MFT_SEPARATOR) != 0;
    line.submenu = info.hSubMenu != nullptr;
    line.checked = (info.fState & MFS_CHECKED) != 0;
    line.radio = (info.fType & MFT_RADIOCHECK) != 0;
    line.grayed = !line.separator && (info.fState & MFS_GRAYED) != 0;  // separators always read as grayed
    lines.push_back(line);
    if (info.hSubMenu != nullptr) ReadMenu(info.hSubMenu, line.path + ".", lines);
  }
}

// The manners the menu shows beside the stacking pair, as the defaults have them.
struct Manners {
  bool aside = true;
  bool clickThrough = false;
  bool mute = false;
  int opacity = 100;
  bool animate = true;
  bool balloon = false;
};

// The menu as stored, in the run's language, with the stacking pair and the
// manners showing the state; no radio marks on the characters and sizes until
// a character has loaded. The mnemonic letters and the accelerators are the
// same in both languages.
std::vector<MenuLine> ExpectedMenu(bool topMost, bool hideOnMouse, const Manners& manners = {}) {
  auto item = [](std::string path, std::wstring caption, UINT id, bool checked) {
    return MenuLine{std::move(path), std::move(caption), id, false, false, checked, false, false};
  };
  auto separator = [](std::string path) { return MenuLine{std::move(path), L"", 0, true, false, false, false, false}; };
  auto submenu = [](std::string path, std::wstring caption) {
    return MenuLine{std::move(path), std::move(caption), 0, false, true, false, false, false};
  };
  std::vector<MenuLine> lines;
  lines.push_back(submenu("1", InRunLanguage(L"キャラクタ(&C)\tAlt+C", L"&Character\tAlt+C")));
  const wchar_t* names[] = {L"&1. Aduvi",  L"&2. Belmoa", L"&3. Cirrat", L"&4. Dovane",
                            L"&5. Esmuka", L"&6. Fornel", L"&7. Gavoni", L"&8. Hesket",
                            L"&9. Ilvora", L"&A. Jemsut", L"&B. Kaltra", L"&C. Lunavi"};
  for (int i = 0; i < 12; ++i) lines.push_back(item("1." + std::to_string(i + 1), names[i], 40001 + i, true));
  lines.push_back(separator("1.13"));
  lines.push_back(item("1.14", InRunLanguage(L"&0. \uFF97\uFF9D\uFF80\uFF9E\uFF91", L"&0. Random"), 40013, true));
  lines.push_back(submenu("2", InRunLanguage(L"サイズ(&S)", L"&Size")));
  lines.push_back(item("2.1", InRunLanguage(L"小さい(&S)", L"&Small"), 42001, true));
  lines.push_back(item("2.2", InRunLanguage(L"標準(&N)", L"&Normal"), 42002, true));
  lines.push_back(submenu("3", InRunLanguage(L"不透明度(&O)", L"&Opacity")));
  const int opacities[] = {100, 80, 60, 40};
  for (int i = 0; i < 4; ++i) {
    const int percent = opacities[i];
    lines.push_back(item("3." + std::to_string(i + 1), L"&" + std::to_wstring(percent) + L" %",
                         static_cast<UINT>(IDM_OPACITY_BASE + percent), percent == manners.opacity));
    lines.back().radio = true;  // the whole group, marked as radio items from the start
  }
  lines.push_back(separator("4"));
  lines.push_back(item("5", InRunLanguage(L"常に手前に表示(&T)\tAlt+T", L"Always on &Top\tAlt+T"), 1001, topMost));
  lines.push_back(
      item("6", InRunLanguage(L"OnMouseで隠す(&M)\tAlt+M", L"Hide on &Mouse-over\tAlt+M"), 1002, hideOnMouse));
  lines.back().grayed = !topMost || manners.clickThrough;
  lines.push_back(item("7", InRunLanguage(L"全画面表示の邪魔をしない(&F)", L"Out of the Way of &Full-Screen Programs"),
                       IDM_ASIDEFULLSCREEN, manners.aside));
  lines.push_back(
      item("8", InRunLanguage(L"クリックを透過する(&K)", L"Clic&k Through"), IDM_CLICKTHROUGH, manners.clickThrough));
  lines.push_back(item("9", InRunLanguage(L"動きをつける(&N)", L"A&nimate"), IDM_ANIMATE, manners.animate));
  lines.push_back(separator("10"));
  lines.push_back(item("11", InRunLanguage(L"消音(&U)", L"M&ute"), IDM_MUTE, manners.mute));
  lines.push_back(
      item("12", InRunLanguage(L"吹き出しで知らせる(&B)", L"Speak in a &Balloon"), IDM_BALLOON, manners.balloon));
  lines.push_back(item("13", InRunLanguage(L"時報設定(&A) ...\tAlt+A", L"&Alarm Settings...\tAlt+A"), 40014, false));
  lines.push_back(separator("14"));
  lines.push_back(item("15", InRunLanguage(L"Windowsと一緒に起動(&W)", L"Start with &Windows"), 40015, false));
  lines.push_back(separator("16"));
  lines.push_back(item("17", InRunLanguage(L"終了(&X)\tAlt+X", L"E&xit\tAlt+X"), 1003, false));
  return lines;
}

void ExpectMenu(HMENU menu, const std::vector<MenuLine>& expected, const char* when) {
  std::vector<MenuLine> actual;
  ReadMenu(menu, "", actual);
  ASSERT_EQ(actual.size(), expected.size()) << when;
  for (size_t i = 0; i < actual.size(); ++i) {
    EXPECT_EQ(actual[i], expected[i]) << when << ": expected " << Describe(expected[i]) << ", got "
                                      << Describe(actual[i]);
    if (!JapaneseRun()) {
      EXPECT_FALSE(HasJapanese(actual[i].caption)) << "Japanese left in " << Describe(actual[i]);
    }
  }
}

bool IsTopMost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
// The last window in the stacking order has nothing below it.
bool IsAtBottom(HWND hwnd) { return GetWindow(hwnd, GW_HWNDNEXT) == nullptr; }

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_system.cursorPos = FakeCursorPos;
    g_system.shiftDown = FakeShiftDown;
    g_fakePointer = {5000, 5000};
    g_fakeShift = false;
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  void Start(const std::string& general = "") {
    if (!general.empty()) WriteFileBytes(folder_.File("Tavelin.ini"), "[GENERAL]\r\n" + general);
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  void Command(int id) { SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(id), 0); }
  void Tick() { SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0); }
  void MouseMove(WPARAM keys = 0) { SendMessageA(hwnd_, WM_MOUSEMOVE, keys, MAKELPARAM(3, 3)); }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(DesktopTest, TrayRecordIsTheWideFormWithTheProgramsTip) {
  Start();
  const NOTIFYICONDATAW& nid = g_state.nidTray;
  // The wide record's second form, the first with a tip of 128 characters.
  EXPECT_EQ(nid.cbSize, static_cast<DWORD>(NOTIFYICONDATAW_V2_SIZE));
  EXPECT_GE(nid.cbSize, static_cast<DWORD>(offsetof(NOTIFYICONDATAW, szTip) + 128 * sizeof(wchar_t)));
  EXPECT_EQ(nid.hWnd, hwnd_);
  EXPECT_EQ(nid.uID, 1u);
  EXPECT_EQ(nid.uFlags, 7u);
  EXPECT_EQ(nid.uCallbackMessage, 1124u);
  EXPECT_NE(nid.hIcon, nullptr);
  EXPECT_STREQ(nid.szTip, L"Tavelin") << "no character has loaded";
}

TEST_F(DesktopTest, MenuAfterAFailedFirstLoadShowsTheStoredMarks) {
  Start();  // no pictures: the first load fails
  ASSERT_NE(g_state.hMenuPopup, nullptr);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, false), "after start with the defaults");
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin");
}

TEST_F(DesktopTest, MenuFollowsEachToggle) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true), "after start");
  EXPECT_TRUE(IsTopMost(hwnd_));

  Command(IDM_TOPMOST);
  EXPECT_EQ(g_state.fTopMost, 0);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(false, true), "top-most turned off");
  EXPECT_FALSE(IsTopMost(hwnd_));
  EXPECT_TRUE(IsAtBottom(hwnd_));

  Command(IDM_HIDEONMOUSE);
  EXPECT_EQ(g_state.fHideOnMouse, 0);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(false, false), "hide-on-mouse turned off");
  EXPECT_FALSE(IsTopMost(hwnd_));

  Command(IDM_TOPMOST);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, false), "top-most turned on");
  EXPECT_TRUE(IsTopMost(hwnd_));

  Command(IDM_HIDEONMOUSE);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true), "hide-on-mouse turned on");
  EXPECT_TRUE(IsTopMost(hwnd_));
}

bool HasExStyle(HWND hwnd, LONG_PTR bits) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & bits) == bits; }

// The alpha the window was given for the whole of it; 255 when it has none.
int WindowAlpha(HWND hwnd) {
  BYTE alpha = 255;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || (flags & LWA_ALPHA) == 0) return 255;
  return alpha;
}

// A keyed figure (here the one left from a failed load) is layered only
// while it is see-through or lets clicks through.
TEST_F(DesktopTest, MannersMenuAndWindowFollowEachToggle) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  Manners manners;
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true, manners), "after start");
  EXPECT_FALSE(HasExStyle(hwnd_, WS_EX_LAYERED)) << "a keyed figure at 100 % is not layered";

  Command(IDM_CLICKTHROUGH);
  manners.clickThrough = true;
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true, manners), "click-through on: hide-on-mouse grayed");
  EXPECT_TRUE(HasExStyle(hwnd_, WS_EX_LAYERED | WS_EX_TRANSPARENT));
  EXPECT_EQ(WindowAlpha(hwnd_), 255) << "the keyed figure keeps its pixels";

  Command(IDM_OPACITY_60);
  manners.opacity = 60;
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true, manners), "60 %");
  EXPECT_EQ(WindowAlpha(hwnd_), 153);

  Command(IDM_CLICKTHROUGH);
  manners.clickThrough = false;
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true, manners), "click-through off");
  EXPECT_TRUE(HasExStyle(hwnd_, WS_EX_LAYERED)) << "still see-through";
  EXPECT_FALSE(HasExStyle(hwnd_, WS_EX_TRANSPARENT));

  Command(IDM_OPACITY_100);
  manners.opacity = 100;
  EXPECT_FALSE(HasExStyle(hwnd_, WS_EX_LAYERED)) << "exactly what it was";

  Command(IDM_ASIDEFULLSCREEN);
  Command(IDM_MUTE);
  manners.aside = false;
  manners.mute = true;
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true, manners), "out of the way off, muted");
  EXPECT_EQ(std::wstring(g_state.nidTray.szTip),
            std::wstring(L"Tavelin\n") + InRunLanguage(L"消音中: 音は鳴りません", L"Muted: no sounds"));
  Command(IDM_MUTE);
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin");
}

TEST_F(DesktopTest, StoredOtherNonZeroValuesCountAsOn) {
  Start("fTopMost=7\r\nfHideOnMouse=-1\r\n");
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(true, true), "after start with 7 and -1");
  EXPECT_TRUE(IsTopMost(hwnd_));
}

TEST_F(DesktopTest, StartAtTheBottomGraysHideOnMouseButKeepsItsMark) {
  Start("fTopMost=0\r\nfHideOnMouse=1\r\n");
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(false, true), "after start at the bottom");
  EXPECT_FALSE(IsTopMost(hwnd_));
  EXPECT_TRUE(IsAtBottom(hwnd_));
}

TEST_F(DesktopTest, AcceleratorTableHasFiveAltKeysInOrder) {
  HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCEL), MAKEINTRESOURCEA(9));
  ASSERT_NE(found, nullptr);
  ASSERT_EQ(SizeofResource(GetModuleHandleA(nullptr), found), 5u * 8u);
  const WORD* raw = static_cast<const WORD*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found)));
  const WORD expected[5][3] = {
      {0x13, 0x41, 40014}, {0x13, 0x43, 40013}, {0x13, 0x4D, 1002}, {0x13, 0x54, 1001}, {0x93, 0x58, 1003}};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(raw[i * 4], expected[i][0]) << "flags of entry " << i;
    EXPECT_EQ(raw[i * 4 + 1], expected[i][1]) << "key of entry " << i;
    EXPECT_EQ(raw[i * 4 + 2], expected[i][2]) << "command of entry " << i;
  }
}

// Alt+M makes no gray test: the flag and its mark follow, the item stays grayed.
TEST_F(DesktopTest, AltMWhileAtTheBottomTogglesTheMarkAndTheItemStaysGrayed) {
  Start("fTopMost=0\r\nfHideOnMouse=0\r\n");
  Command(IDM_HIDEONMOUSE);
  EXPECT_EQ(g_state.fHideOnMouse, 1);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(false, true), "after the command");

  // The key itself, through the program's accelerator table.
  HACCEL accelerators = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_ACCEL));
  ASSERT_NE(accelerators, nullptr);
  BYTE keys[256];
  GetKeyboardState(keys);
  BYTE altDown[256];
  std::memcpy(altDown, keys, sizeof keys);
  altDown[VK_MENU] = 0x80;
  SetKeyboardState(altDown);
  MSG msg{hwnd_, WM_SYSKEYDOWN, 'M', static_cast<LPARAM>(0x20000001 | (0x32 << 16)), 0, {0, 0}};
  const int translated = TranslateAcceleratorA(hwnd_, accelerators, &msg);
  SetKeyboardState(keys);
  EXPECT_NE(translated, 0);
  EXPECT_EQ(g_state.fHideOnMouse, 0);
  ExpectMenu(g_state.hMenuPopup, ExpectedMenu(false, false), "after Alt+M");
  EXPECT_EQ(g_state.fTopMost, 0);
  EXPECT_FALSE(IsTopMost(hwnd_));
}

TEST_F(DesktopTest, HideOnMouseStepsBackOnAMoveAndComesBackAtATickAfterThePointerLeft) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  // The program's own outline, whether or not a figure loaded: a 40 x 40 square.
  if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
  g_state.hrgnShape = CreateRectRgn(0, 0, 40, 40);
  RECT before;
  GetWindowRect(hwnd_, &before);
  const POINT over = {before.left + 10, before.top + 10};
  const POINT off = {before.left + 60, before.top + 10};

  EXPECT_EQ(g_state.fRaised, 0);
  g_fakePointer = over;
  Tick();
  EXPECT_EQ(g_state.fRaised, 0) << "the pointer is over the figure: not armed";
  MouseMove();
  EXPECT_EQ(g_state.fRaised, 0);
  EXPECT_TRUE(IsTopMost(hwnd_));

  g_fakePointer = off;
  Tick();
  EXPECT_EQ(g_state.fRaised, 1) << "armed once the pointer was off at a tick";
  EXPECT_TRUE(IsTopMost(hwnd_));

  g_fakeShift = true;
  MouseMove();
  EXPECT_EQ(g_state.fRaised, 1) << "Shift held: the figure stays";
  EXPECT_TRUE(IsTopMost(hwnd_));

  g_fakeShift = false;
  MouseMove(MK_SHIFT);  // the flags that come with the move do not count
  EXPECT_EQ(g_state.fRaised, 0) << "first move over the armed figure";
  EXPECT_FALSE(IsTopMost(hwnd_));
  EXPECT_TRUE(IsAtBottom(hwnd_));

  g_fakePointer = over;
  MouseMove();
  Tick();
  EXPECT_EQ(g_state.fRaised, 0) << "still over the figure";
  EXPECT_FALSE(IsTopMost(hwnd_));

  g_fakePointer = off;
  Tick();
  EXPECT_EQ(g_state.fRaised, 1);
  EXPECT_TRUE(IsTopMost(hwnd_));

  RECT after;
  GetWindowRect(hwnd_, &after);
  EXPECT_TRUE(EqualRect(&before, &after)) << "stacking changes never move or resize";
}

TEST_F(DesktopTest, WithoutAnOutlineThePointerCountsAsOff) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
  g_state.hrgnShape = nullptr;
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  g_fakePointer = {rc.left, rc.top};
  Tick();
  EXPECT_EQ(g_state.fRaised, 1);
}

TEST_F(DesktopTest, RaiseAndLowerDoNotActivateTheFigure) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(other, nullptr);
  ASSERT_TRUE(BringToForeground(other));
  SetActiveWindow(other);
  ASSERT_EQ(GetActiveWindow(), other);
  Tick();  // no outline: armed and raised
  EXPECT_EQ(g_state.fRaised, 1);
  EXPECT_EQ(GetActiveWindow(), other);
  MouseMove();
  EXPECT_EQ(g_state.fRaised, 0);
  EXPECT_EQ(GetActiveWindow(), other);
  DestroyWindow(other);
}

TEST_F(DesktopTest, TogglesNeverTouchTheArmedStateAndTheMachineRestsAtTheBottom) {
  Start("fTopMost=1\r\nfHideOnMouse=1\r\n");
  Tick();
  ASSERT_EQ(g_state.fRaised, 1);
  Command(IDM_TOPMOST);
  EXPECT_EQ(g_state.fRaised, 1);
  MouseMove();
  Tick();
  EXPECT_EQ(g_state.fRaised, 1) << "inactive while not top-most";
  EXPECT_FALSE(IsTopMost(hwnd_));
  Command(IDM_HIDEONMOUSE);
  Command(IDM_TOPMOST);
  EXPECT_EQ(g_state.fRaised, 1);
  MouseMove();
  EXPECT_EQ(g_state.fRaised, 1) << "hide-on-mouse is off";
  EXPECT_TRUE(IsTopMost(hwnd_));
}

// Stands in for the window procedure to see which commands reach it,
// without opening the settings dialog.
WNDPROC g_clockProc = nullptr;
std::vector<WPARAM> g_commands;
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDM_ALARMSETTINGS) {
    g_commands.push_back(wParam);
    return 0;
  }
  return CallWindowProcA(g_clockProc, hwnd, message, wParam, lParam);
}

// Closes the popup menu once it shows, noting where it opened.
RECT g_menuRect;
int g_menuSeen = 0;
int g_menuWaits = 0;
void CALLBACK CloseMenuWhenShown(HWND, UINT, UINT_PTR, DWORD) {
  HWND menu = FindWindowA("#32768", nullptr);
  if (menu != nullptr && IsWindowVisible(menu)) {
    GetWindowRect(menu, &g_menuRect);
    ++g_menuSeen;
    EndMenu();
  } else if (++g_menuWaits > 50) {
    EndMenu();
  }
}

class TrayNotifyTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    Start();
    g_commands.clear();
    g_clockProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
    g_menuSeen = 0;
    g_menuWaits = 0;
    timer_ = SetTimer(nullptr, 0, 100, CloseMenuWhenShown);
  }
  void TearDown() override {
    KillTimer(nullptr, timer_);
    DesktopTest::TearDown();
  }
  LRESULT Notify(LPARAM mouse) { return SendMessageA(hwnd_, WM_TRAYNOTIFY, 1, mouse); }
  UINT_PTR timer_ = 0;
};

TEST_F(TrayNotifyTest, DoubleClickOnTheIconAsksForTheSettingsDialog) {
  EXPECT_EQ(Notify(WM_LBUTTONDBLCLK), 0);
  ASSERT_EQ(g_commands.size(), 1u);
  EXPECT_EQ(g_commands[0], static_cast<WPARAM>(IDM_ALARMSETTINGS));
}

TEST_F(TrayNotifyTest, OtherMouseEventsDoNothing) {
  for (LPARAM mouse : {WM_MOUSEMOVE, WM_LBUTTONUP, WM_RBUTTONUP, WM_MBUTTONDOWN, WM_RBUTTONDBLCLK}) {
    EXPECT_EQ(Notify(mouse), 0);
  }
  PumpMessages(300);
  EXPECT_TRUE(g_commands.empty());
  EXPECT_EQ(g_menuSeen, 0);
}

TEST_F(TrayNotifyTest, RightPressOnTheIconOpensTheMenuAtThePointer) {
  g_fakePointer = {321, 234};
  EXPECT_EQ(Notify(WM_RBUTTONDOWN), 0);  // returns once the menu has closed
  EXPECT_EQ(g_menuSeen, 1);
  EXPECT_EQ(g_menuRect.left, 321);
  EXPECT_EQ(g_menuRect.top, 234);
  EXPECT_EQ(GetForegroundWindow(), hwnd_);
}

TEST_F(TrayNotifyTest, RightPressOnTheFigureOpensTheMenuAtThePointerNotTheEventsPoint) {
  g_fakePointer = {400, 300};
  SendMessageA(hwnd_, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(g_menuSeen, 1);
  EXPECT_EQ(g_menuRect.left, 400);
  EXPECT_EQ(g_menuRect.top, 300);
}

TEST_F(TrayNotifyTest, LeftPressOnTheIconBringsTheClockForward) {
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 300, 300, 50, 50, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(BringToForeground(other));
  Notify(WM_LBUTTONDOWN);
  EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == hwnd_; }, 3000));
  DestroyWindow(other);
}

// A tip change is accepted only for an icon the notification area holds.
bool IconIsShown(const NOTIFYICONDATAW& record) {
  NOTIFYICONDATAW probe = record;
  return Shell_NotifyIconW(NIM_MODIFY, &probe) != FALSE;
}

TEST_F(DesktopTest, IconIsAddedAgainWhenTheNotificationAreaComesBack) {
  Start();
  const NOTIFYICONDATAW record = g_state.nidTray;
  ASSERT_TRUE(IconIsShown(record)) << "icon added at start";
  UpdateTrayTip(hwnd_, "Belmoa");
  NOTIFYICONDATAW gone = g_state.nidTray;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &gone));  // as a new notification area would hold nothing
  ASSERT_FALSE(IconIsShown(record));
  SendMessageA(hwnd_, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_TRUE(IconIsShown(g_state.nidTray));
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin - Belmoa") << "the tip comes back with the icon";
  CloseClock(hwnd_);
  EXPECT_FALSE(IconIsShown(record)) << "removed at shutdown";
}

}  // namespace

namespace {

// One monitor under Wine on Xvfb: the clamp works as on the primary screen.
TEST_F(DesktopTest, ADisplayChangePullsTheWindowBackOntoItsMonitor) {
  Start();
  MONITORINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info));
  const RECT screen = info.rcMonitor;
  struct Case {
    int left, top;
    POINT expected;
  } cases[] = {
      {screen.left - 30, screen.bottom - 40, {screen.left, screen.bottom - 100}},
      {screen.right - 60, screen.top - 10, {screen.right - 100, screen.top}},
      {screen.right + 500, screen.bottom + 500, {screen.right - 100, screen.bottom - 100}},
      {screen.left + 10, screen.top + 20, {screen.left + 10, screen.top + 20}},
  };
  for (const Case& c : cases) {
    SetWindowPos(hwnd_, nullptr, c.left, c.top, 100, 100, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(hwnd_, WM_DISPLAYCHANGE, 32, MAKELPARAM(screen.right - screen.left, screen.bottom - screen.top));
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    EXPECT_EQ(rc.left, c.expected.x) << "from " << c.left << "," << c.top;
    EXPECT_EQ(rc.top, c.expected.y) << "from " << c.left << "," << c.top;
    EXPECT_EQ(rc.right - rc.left, 100) << "the size stays";
  }
}

}  // namespace

namespace {

const wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// The Run value as the registry holds it; empty when there is none.
std::wstring RunValue() {
  wchar_t data[1024] = {};
  DWORD size = sizeof data - sizeof(wchar_t);
  DWORD type = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, kRun, L"Tavelin", RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS) return {};
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  return data;
}

void SetRunValue(const std::wstring& value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRun, L"Tavelin", REG_SZ, value.c_str(),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
}

void DeleteRunValue() { (void)RegDeleteKeyValueW(HKEY_CURRENT_USER, kRun, L"Tavelin"); }

}  // namespace

TEST_F(DesktopTest, StartWithWindowsWritesReadsAndRemovesTheRunValue) {
  DeleteRunValue();
  Start();
  wchar_t program[MAX_PATH] = {};
  ASSERT_GT(g_system.moduleFileName(program, MAX_PATH), 0u);
  auto checked = [] { return (GetMenuState(g_state.hMenuPopup, IDM_STARTWITHWINDOWS, MF_BYCOMMAND) & MF_CHECKED) != 0; };

  Command(IDM_STARTWITHWINDOWS);
  EXPECT_EQ(RunValue(), L"\"" + std::wstring(program) + L"\"") << "the full path, quoted";
  EXPECT_TRUE(checked());

  Command(IDM_STARTWITHWINDOWS);
  EXPECT_EQ(RunValue(), L"") << "removed while checked";
  EXPECT_FALSE(checked());

  // The portable folder was moved: the value names the old place.
  SetRunValue(L"\"C:\\Moved\\Away\\Tavelin.exe\"");
  MarkStartWithWindows();
  EXPECT_FALSE(checked()) << "a value for another folder is not this program's";
  Command(IDM_STARTWITHWINDOWS);
  EXPECT_EQ(RunValue(), L"\"" + std::wstring(program) + L"\"") << "written anew for this program";
  EXPECT_TRUE(checked());
  DeleteRunValue();
  MarkStartWithWindows();
  EXPECT_FALSE(checked());
}
