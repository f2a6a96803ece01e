// The tray tip and the menu's radio marks as characters load, with small
// pictures written by the test.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"

namespace {

struct Mark {
  bool checked, radio;
};

Mark MarkOf(UINT command) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  GetMenuItemInfoW(g_state.hMenuPopup, command, FALSE, &info);
  return {(info.fState & MFS_CHECKED) != 0, (info.fType & MFT_RADIOCHECK) != 0};
}

// The one radio-marked item among first..last, or 0 when the marks are not one radio mark.
UINT RadioMarkedItem(UINT first, UINT last) {
  UINT marked = 0;
  for (UINT command = first; command <= last; ++command) {
    if (!MarkOf(command).checked) continue;
    if (marked != 0 || !MarkOf(command).radio) return 0;
    marked = command;
  }
  return marked;
}

// Index of the character whose picture the window's width shows, or -1.
int DrawnCharacter() {
  for (int i = 0; i < kCharacterCount; ++i)
    if (g_state.nWindowWidth == TestCharacterWidth(i)) return i;
  return -1;
}

class DesktopFigureTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  void Start(int nChara) {
    WriteFileBytes(folder_.File("Tavelin.ini"), "[GENERAL]\r\nfTopMost=1\r\nfHideOnMouse=0\r\nnChara=" +
                                                    std::to_string(nChara) + "\r\nnSize=42002\r\n" +
                                                    WriteTestCharacters(folder_.path()));
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(DesktopFigureTest, TipNamesEachDrawnCharacterWhileTheRadioMarkStaysOnRandom) {
  Start(IDM_CHARA_RANDOM);
  std::set<int> drawn;
  g_random.Seed(20240601);  // a fixed series of draws from here on
  for (int load = 0; load <= 5; ++load) {
    if (load > 0) SendMessageA(hwnd_, WM_COMMAND, IDM_CHARA_RANDOM, 0);  // Alt+C
    const int index = DrawnCharacter();
    ASSERT_GE(index, 0) << "load " << load << ": width " << g_state.nWindowWidth << " is no character's";
    const char* name = CharacterTable[index].name;
    EXPECT_EQ(std::wstring(g_state.nidTray.szTip), L"Tavelin - " + std::wstring(name, name + std::strlen(name)))
        << "load " << load;
    EXPECT_EQ(RadioMarkedItem(IDM_CHARA_FIRST, IDM_CHARA_RANDOM), static_cast<UINT>(IDM_CHARA_RANDOM))
        << "load " << load;
    EXPECT_EQ(RadioMarkedItem(IDM_SIZE_SMALL, IDM_SIZE_NORMAL), static_cast<UINT>(IDM_SIZE_NORMAL));
    drawn.insert(index);
  }
  EXPECT_GE(drawn.size(), 2u) << "every Alt+C draws anew";
}

TEST_F(DesktopFigureTest, FailedLoadLeavesTipAndMarksAsTheyWere) {
  Start(IDM_CHARA_FIRST + 2);
  ASSERT_STREQ(g_state.nidTray.szTip, L"Tavelin - Cirrat");
  ASSERT_EQ(RadioMarkedItem(IDM_CHARA_FIRST, IDM_CHARA_RANDOM), static_cast<UINT>(IDM_CHARA_FIRST + 2));

  DeleteFileA(folder_.File("face.bmp").c_str());
  SendMessageA(hwnd_, WM_COMMAND, IDM_CHARA_FIRST + 5, 0);
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin - Cirrat");
  EXPECT_EQ(RadioMarkedItem(IDM_CHARA_FIRST, IDM_CHARA_RANDOM), static_cast<UINT>(IDM_CHARA_FIRST + 2));

  SendMessageA(hwnd_, WM_COMMAND, IDM_SIZE_SMALL, 0);
  EXPECT_EQ(RadioMarkedItem(IDM_SIZE_SMALL, IDM_SIZE_NORMAL), static_cast<UINT>(IDM_SIZE_NORMAL));
}

TEST_F(DesktopFigureTest, NamedCharacterAndSizeCarryTheRadioMarks) {
  Start(IDM_CHARA_FIRST + 11);
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin - Lunavi");
  EXPECT_EQ(RadioMarkedItem(IDM_CHARA_FIRST, IDM_CHARA_RANDOM), static_cast<UINT>(IDM_CHARA_FIRST + 11));
  SendMessageA(hwnd_, WM_COMMAND, IDM_SIZE_SMALL, 0);
  EXPECT_EQ(RadioMarkedItem(IDM_SIZE_SMALL, IDM_SIZE_NORMAL), static_cast<UINT>(IDM_SIZE_SMALL));
  SendMessageA(hwnd_, WM_COMMAND, IDM_CHARA_FIRST, 0);
  EXPECT_STREQ(g_state.nidTray.szTip, L"Tavelin - Aduvi");
  EXPECT_EQ(RadioMarkedItem(IDM_CHARA_FIRST, IDM_CHARA_RANDOM), static_cast<UINT>(IDM_CHARA_FIRST));
  // The stacking pair is untouched by loads.
  EXPECT_TRUE(MarkOf(IDM_TOPMOST).checked);
  EXPECT_FALSE(MarkOf(IDM_HIDEONMOUSE).checked);
}

}  // namespace
