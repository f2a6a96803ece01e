// The program's texts in the user's language: which language block the
// system hands to the program, the texts of the messages that are hard to
// bring about (the two start-up refusals), and the progress window.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "mascot/mascot_win32.h"
#include "support/clock_fixture.h"
#include "support/language.h"

namespace {

constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
constexpr LANGID kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The string-table block that holds string `id`.
const char* StringBlock(UINT id) { return MAKEINTRESOURCEA(id / 16 + 1); }

struct Resource {
  const char* name;
  const char* type;
  const char* id;
};
const Resource kTexts[] = {
    {"menu", RT_MENU, MAKEINTRESOURCEA(IDR_MENU)},
    {"settings dialog", RT_DIALOG, MAKEINTRESOURCEA(IDD_ALARM)},
    {"progress window", RT_DIALOG, MAKEINTRESOURCEA(IDD_PROGRESS)},
    {"string table", RT_STRING, StringBlock(IDS_NEED_COLORS)},
};

HMODULE Program() { return GetModuleHandleW(nullptr); }

std::wstring LoadText(UINT id) {
  wchar_t text[260] = {};
  LoadStringW(Program(), id, text, static_cast<int>(std::size(text)));
  return text;
}

// Both languages hold every text; the menu, the dialogs and the strings are
// found the way the program asks for them (no language named), and that
// finds the block of the run's language: Japanese under the Japanese locale,
// English under the English one and under any other (the German run).
TEST(Language, TheSystemPicksTheBlockOfTheUsersLanguage) {
  const LANGID expected = JapaneseRun() ? kJapanese : kEnglish;
  RecordProperty("user interface language", GetUserDefaultUILanguage());
  for (const Resource& r : kTexts) {
    SCOPED_TRACE(r.name);
    HRSRC english = FindResourceExA(Program(), r.type, r.id, kEnglish);
    HRSRC japanese = FindResourceExA(Program(), r.type, r.id, kJapanese);
    ASSERT_NE(english, nullptr);
    ASSERT_NE(japanese, nullptr);
    EXPECT_NE(english, japanese);
    EXPECT_EQ(FindResourceA(Program(), r.id, r.type), expected == kEnglish ? english : japanese);
  }
  // The icon and the accelerators have no text and serve every language.
  EXPECT_NE(FindResourceExA(Program(), RT_GROUP_ICON, MAKEINTRESOURCEA(IDI_TRAY),
                            MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL)),
            nullptr);
  EXPECT_NE(LoadAcceleratorsW(Program(), MAKEINTRESOURCEW(IDR_ACCEL)), nullptr);
}

// The start-up refusals cannot be brought about here (a display of 256
// colours, no timer left); their texts are the ones the program loads.
TEST(Language, TheStartUpRefusalsReadInTheUsersLanguage) {
  EXPECT_EQ(LoadText(IDS_NEED_COLORS), InRunLanguage(L"このプログラムは256色以下の環境では動作しません.",
                                                     L"Tavelin does not run on displays with 256 colors or fewer."));
  EXPECT_EQ(LoadText(IDS_NO_TIMER),
            InRunLanguage(L"タイマの確保に失敗しました.", L"Tavelin could not start its clock timer."));
}

TEST(Language, NoEnglishTextHoldsJapanese) {
  if (JapaneseRun()) GTEST_SKIP() << "the Japanese block is read under the English locale";
  for (UINT id = IDS_NEED_COLORS; id <= IDS_TIMER_ELAPSED_ONE; ++id) {
    const std::wstring text = LoadText(id);
    EXPECT_FALSE(text.empty()) << id;
    EXPECT_FALSE(HasJapanese(text)) << id << ": " << testing::PrintToString(text);
  }
}

// The progress window as the outline is built: its text, in its font.
std::wstring g_progressText;
std::wstring g_progressFont;
void ReadProgressWindow(HWND progress, int, int) {
  if (!g_progressText.empty()) return;
  wchar_t text[128] = {};
  GetWindowTextW(GetWindow(progress, GW_CHILD), text, static_cast<int>(std::size(text)));
  g_progressText = text;
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(progress, WM_GETFONT, 0, 0)), sizeof font, &font);
  g_progressFont = font.lfFaceName;
}

TEST(Language, TheProgressWindowReadsInTheUsersLanguage) {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  HWND hwnd = StartClock();
  ASSERT_NE(hwnd, nullptr);
  g_progressText.clear();
  g_shapeProgressObserver = ReadProgressWindow;
  HBITMAP picture = MakePlainBitmap(30, 40, RGB(10, 20, 30));
  HRGN outline = BuildShapeRegion(hwnd, picture, ConstPixelView{});
  g_shapeProgressObserver = nullptr;
  if (outline != nullptr) DeleteObject(outline);
  DeleteObject(picture);
  CloseClock(hwnd);

  EXPECT_EQ(g_progressText, InRunLanguage(L"ウィンドゥを更新中です．．．", L"Updating the window..."));
  EXPECT_EQ(g_progressFont, InRunLanguage(L"ＭＳ Ｐゴシック", L"MS Shell Dlg"));
  if (!JapaneseRun()) {
    EXPECT_FALSE(HasJapanese(g_progressText));
  }
}

}  // namespace
