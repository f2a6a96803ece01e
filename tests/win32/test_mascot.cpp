// The figure in the window: size, clock centre, outline and picture as the
// pixel rules give them, the progress window, failed loads, and the
// character and size commands.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_progress.h"
#include "mascot/shape_runs.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "shared/dpi_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/kit_characters.h"
#include "support/test_pictures.h"

namespace {

struct CharacterSetup {
  int width;
  int height;
  int x;
  int y;
  int faceOnChara;
  Pixel key;
  Pixel body;
};

// Character i of the table as the tests draw it.
const CharacterSetup kCharacters[] = {
    {200, 300, 0, 0, 0, 0x0000FF00, 0x00C04040},    // Aduvi
    {100, 100, 0, 0, 1, 0x00000000, 0x004060C0},    // Belmoa: 105 x 105 at the small size
    {200, 300, -30, 20, 1, 0x00FF00FF, 0x0030A030}, // Cirrat: the magenta key
    {180, 320, 40, -25, 0, 0x00FFFFFF, 0x00806020}, // Dovane
};

// What the pixel rules make of a character's files.
struct Expected {
  Figure figure;
  std::vector<ShapeRun> runs;
};

bool ReadPicture(const std::string& path, PixelBuffer* pixels) {
  const ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  return bitmap && ReadBitmapPixels(screen.get(), bitmap.get(), pixels);
}

// The region the runs make, one rectangle at a time, as a cross-check of
// the one-call region the program builds.
ScopedRegion RegionOneRunAtATime(const std::vector<ShapeRun>& runs) {
  ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  for (const ShapeRun& run : runs) {
    const ScopedRegion piece(CreateRectRgn(run.left, run.y, run.right, run.y + 1));
    CombineRgn(region.get(), region.get(), piece.get(), RGN_OR);
  }
  return region;
}

ScopedRegion WindowRegion(HWND hwnd) {
  ScopedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(hwnd, region.get()) == ERROR) region.reset();
  return region;
}

bool IsChecked(int command) {
  return (GetMenuState(g_state.hMenuPopup, static_cast<UINT>(command), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// Every value the progress bar was sent, the row before it, the progress
// window's rectangle and its owner's at that moment.
struct ProgressRecord {
  HWND window;
  int row;
  int value;
  RECT windowRect;
  RECT ownerRect;
  bool ownerVisible;
};
std::vector<ProgressRecord> g_progress;

void RecordProgress(HWND progress, int row, int value) {
  ProgressRecord record{progress, row, value, {}, {}, false};
  GetWindowRect(progress, &record.windowRect);
  GetWindowRect(GetParent(progress), &record.ownerRect);
  record.ownerVisible = IsWindowVisible(GetParent(progress)) != FALSE;
  g_progress.push_back(record);
}

// Messages that reached the progress bar, seen from a hook: PBM_SETRANGE,
// PBM_SETPOS and the bar's own repaint.
struct BarMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
std::vector<BarMessage> g_barMessages;

LRESULT CALLBACK WatchBar(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    char className[64] = {};
    GetClassNameA(sent->hwnd, className, sizeof className);
    if (lstrcmpiA(className, "msctls_progress32") == 0 &&
        (sent->message == PBM_SETPOS || sent->message == PBM_SETRANGE || sent->message == WM_PAINT)) {
      g_barMessages.push_back({sent->message, sent->wParam, sent->lParam});
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MascotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    g_progress.clear();
    g_shapeProgressObserver = RecordProgress;
  }
  void TearDown() override {
    g_shapeProgressObserver = nullptr;
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // Draws character `index` and the face into the folder and returns its section.
  std::string WriteCharacter(int index, const CharacterSetup& setup) {
    const std::string name = CharacterTable[index].name;
    const PixelBuffer picture =
        MakeTestCharacter(setup.width, setup.height, setup.key, setup.body, 3, static_cast<unsigned>(index + 1));
    WriteFileBytes(folder_.File(name + ".bmp"), BmpBytes(picture.view()));
    WriteFileBytes(folder_.File("face.bmp"), BmpBytes(MakeTestFace().view()));
    return "[" + name + "]\r\nFileNameFace=face.bmp\r\nFileNameChara=" + name + ".bmp\r\nxPosFace=" +
           std::to_string(setup.x) + "\r\nyPosFace=" + std::to_string(setup.y) +
           "\r\nfFaceOnChara=" + std::to_string(setup.faceOnChara) + "\r\n";
  }

  void WriteIni(int nChara, int nSize, const std::string& sections, int x = 100, int y = 80) {
    WriteFileBytes(folder_.File("Tavelin.ini"),
                   "[GENERAL]\r\nnChara=" + std::to_string(nChara) + "\r\nnSize=" + std::to_string(nSize) +
                       "\r\nxPosWindow=" + std::to_string(x) + "\r\nyPosWindow=" + std::to_string(y) + "\r\n" +
                       sections);
  }

  std::string AllTestCharacters() {
    std::string sections;
    for (int i = 0; i < 4; ++i) sections += WriteCharacter(i, kCharacters[i]);
    return sections;
  }

  void Start() {
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }

  void Command(int command) {
    SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(command), 0);
    PumpMessages();
  }

  // The figure the pixel rules make from the files of a section.
  Expected Compute(const std::string& face, const std::string& character, int x, int y, int onTop, int nSize) {
    Expected expected;
    PixelBuffer facePixels;
    PixelBuffer characterPixels;
    EXPECT_TRUE(ReadPicture(folder_.File(face), &facePixels));
    EXPECT_TRUE(ReadPicture(folder_.File(character), &characterPixels));
    EXPECT_TRUE(ComposeFigure({facePixels.view(), characterPixels.view(), x, y, onTop}, ScaleForSize(nSize),
                              &expected.figure));
    expected.runs = FindShapeRuns(expected.figure.picture.view());
    return expected;
  }

  Expected ComputeTestCharacter(int index, int nSize) {
    const CharacterSetup& c = kCharacters[index];
    return Compute("face.bmp", std::string(CharacterTable[index].name) + ".bmp", c.x, c.y, c.faceOnChara, nSize);
  }

  // The window, the state and MascotBitmap hold the expected figure.
  void ExpectFigure(const Expected& expected) {
    const Figure& figure = expected.figure;
    // At 96 DPI with pictures drawn at 100 the display scale is the picture factor.
    EXPECT_EQ(g_state.dScale, figure.pictureFactor);
    EXPECT_EQ(g_state.nWindowWidth, figure.picture.width());
    EXPECT_EQ(g_state.nWindowHeight, figure.picture.height());
    EXPECT_EQ(g_state.xClockCenter, figure.xClockCenter);
    EXPECT_EQ(g_state.yClockCenter, figure.yClockCenter);
    RECT rc;
    GetWindowRect(hwnd_, &rc);
    EXPECT_EQ(rc.right - rc.left, figure.picture.width()) << "window width";
    EXPECT_EQ(rc.bottom - rc.top, figure.picture.height()) << "window height";
    EXPECT_TRUE(IsWindowVisible(hwnd_));

    PixelBuffer shown;
    {
      const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
      ASSERT_TRUE(ReadBitmapPixels(screen.get(), g_state.hbmMascot, &shown));
    }
    ASSERT_EQ(shown.width(), figure.picture.width());
    ASSERT_EQ(shown.height(), figure.picture.height());
    EXPECT_TRUE(std::equal(shown.data(), shown.data() + shown.width() * shown.height(), figure.picture.data()))
        << "MascotBitmap holds other pixels than the composed figure";

    const ScopedRegion expectedRegion = RegionOneRunAtATime(expected.runs);
    const ScopedRegion windowRegion = WindowRegion(hwnd_);
    ASSERT_TRUE(windowRegion) << "the window has no outline";
    EXPECT_TRUE(EqualRgn(windowRegion.get(), expectedRegion.get())) << "window outline";
    ASSERT_NE(g_state.hrgnShape, nullptr);
    EXPECT_TRUE(EqualRgn(g_state.hrgnShape, expectedRegion.get())) << "ShapeRegion";
    EXPECT_NE(windowRegion.get(), g_state.hrgnShape);
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(MascotTest, EachCharacterAtBothSizesMatchesThePixelRules) {
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, AllTestCharacters());
  Start();
  struct Size {
    int width;
    int height;
    int cx;
    int cy;
  };
  // Window sizes and centres worked out by hand for the four layouts.
  const Size normal[] = {{200, 300, 75, 75}, {150, 150, 75, 75}, {230, 300, 75, 95}, {190, 345, 115, 75}};
  const Size small[] = {{140, 210, 53, 53}, {105, 105, 53, 53}, {161, 210, 53, 67}, {133, 241, 81, 53}};
  for (int i = 0; i < 4; ++i) {
    for (int nSize : {IDM_SIZE_NORMAL, IDM_SIZE_SMALL}) {
      SCOPED_TRACE(testing::Message() << CharacterTable[i].name << (nSize == IDM_SIZE_SMALL ? " small" : " normal"));
      if (nSize != g_state.nSize) Command(nSize);
      if (IDM_CHARA_FIRST + i != g_state.nChara) Command(IDM_CHARA_FIRST + i);
      const Expected expected = ComputeTestCharacter(i, nSize);
      ExpectFigure(expected);
      const Size& size = nSize == IDM_SIZE_SMALL ? small[i] : normal[i];
      EXPECT_EQ(g_state.nWindowWidth, size.width);
      EXPECT_EQ(g_state.nWindowHeight, size.height);
      EXPECT_EQ(g_state.xClockCenter, size.cx);
      EXPECT_EQ(g_state.yClockCenter, size.cy);
      EXPECT_TRUE(IsChecked(IDM_CHARA_FIRST + i));
      EXPECT_TRUE(IsChecked(nSize));
      EXPECT_FALSE(IsChecked(nSize == IDM_SIZE_SMALL ? IDM_SIZE_NORMAL : IDM_SIZE_SMALL));
      const char* name = CharacterTable[i].name;
      EXPECT_EQ(std::wstring(g_state.nidTray.szTip), L"Tavelin - " + std::wstring(name, name + std::strlen(name)));
    }
  }
}

TEST_F(MascotTest, TheScreenShowsTheFigureInsideItsOutlineAndTheDesktopOutside) {
  WriteIni(IDM_CHARA_FIRST + 2, IDM_SIZE_SMALL, AllTestCharacters(), 300, 200);
  const Expected expected = ComputeTestCharacter(2, IDM_SIZE_SMALL);
  const ConstPixelView picture = expected.figure.picture.view();
  // Inside: the middle of the longest run of a lower row, away from the hands.
  ShapeRun inside{0, 0, 0};
  for (const ShapeRun& run : expected.runs) {
    if (run.y == picture.height * 4 / 5 && run.right - run.left > inside.right - inside.left) inside = run;
  }
  ASSERT_GT(inside.right - inside.left, 4);
  const POINT in = {(inside.left + inside.right) / 2, inside.y};
  const POINT out = {0, 0};  // the magenta corner
  ASSERT_EQ(picture.At(out.x, out.y), kCanvasMagenta);

  COLORREF desktopIn;
  COLORREF desktopOut;
  {
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    desktopIn = GetPixel(screen.get(), 300 + in.x, 200 + in.y);
    desktopOut = GetPixel(screen.get(), 300 + out.x, 200 + out.y);
  }
  Start();
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  ASSERT_EQ(rc.left, 300);
  ASSERT_EQ(rc.top, 200);
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  PumpMessages(500);

  const Pixel figurePixel = picture.At(in.x, in.y);
  const COLORREF figureColour = RGB((figurePixel >> 16) & 0xFF, (figurePixel >> 8) & 0xFF, figurePixel & 0xFF);
  ASSERT_NE(figureColour, desktopIn) << "pick a figure colour the desktop does not have";
  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  EXPECT_EQ(GetPixel(screen.get(), rc.left + in.x, rc.top + in.y), figureColour) << "inside the outline";
  EXPECT_EQ(GetPixel(screen.get(), rc.left + out.x, rc.top + out.y), desktopOut) << "outside the outline";
}

// Wine repaints on its own what a window shows; Windows with desktop
// composition does not repaint what a new outline uncovers. The moment the
// clock window takes its real outline, whatever waits to be painted is
// dropped, so what waits after the load is what the program asked for.
LRESULT CALLBACK DropPaintsBeforeTheOutline(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGED && sent->hwnd == g_hwndMain &&
      g_state.hrgnShape != nullptr) {
    const ScopedRegion outline(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(sent->hwnd, outline.get()) != ERROR && EqualRgn(outline.get(), g_state.hrgnShape)) {
      ValidateRect(sent->hwnd, nullptr);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Right after each load, before any message is dispatched, the whole outline
// waits to be painted.
TEST_F(MascotTest, EveryKeyedLoadLeavesItsWholeOutlineToBePainted) {
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, AllTestCharacters());
  const HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, DropPaintsBeforeTheOutline, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  const auto expectOutlinePending = [&](const char* load) {
    ASSERT_NE(g_state.hrgnShape, nullptr) << load;
    const ScopedRegion pending(CreateRectRgn(0, 0, 0, 0));
    const ScopedRegion unpainted(CreateRectRgn(0, 0, 0, 0));
    GetUpdateRgn(hwnd_, pending.get(), FALSE);
    EXPECT_EQ(CombineRgn(unpainted.get(), g_state.hrgnShape, pending.get(), RGN_DIFF), NULLREGION)
        << load << ": part of the outline is neither painted nor waiting to be";
  };
  hwnd_ = CreateClockWindow(GetModuleHandleA(nullptr));  // the start's load, in the window's creation
  ASSERT_NE(hwnd_, nullptr);
  expectOutlinePending("the first load");
  for (const int command : {IDM_CHARA_FIRST + 2, IDM_SIZE_SMALL, IDM_CHARA_FIRST + 1}) {
    PumpMessages(300);  // the last figure painted: nothing is left waiting
    SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(command), 0);
    expectOutlinePending(std::to_string(command).c_str());
  }
  UnhookWindowsHookEx(hook);
}

TEST_F(MascotTest, FailedLoadsChangeNothing) {
  std::string sections = WriteCharacter(0, kCharacters[0]);
  // Characters 2 to 10 each fail in their own way.
  WriteFileBytes(folder_.File("note.bmp"), "This is not a picture.\r\n");
  const std::string whole = ReadFileBytes(folder_.File("Aduvi.bmp"));
  WriteFileBytes(folder_.File("short.bmp"), whole.substr(0, whole.size() / 2));
  const std::string header = whole.substr(0, 54);
  WriteFileBytes(folder_.File("header.bmp"), header);
  const std::vector<Pixel> wideRow(kMaxPictureSide + 1, 0x00808080);
  WriteFileBytes(folder_.File("wide.bmp"), BmpBytes(ConstPixelView{wideRow.data(), kMaxPictureSide + 1, 1, 0}));
  struct Case {
    const char* what;
    std::string section;  // without its [name] line; empty: no section
  } cases[] = {
      {"missing section", ""},
      {"empty FileNameFace", "FileNameFace=\r\nFileNameChara=Aduvi.bmp\r\n"},
      {"missing face file", "FileNameFace=none.bmp\r\nFileNameChara=Aduvi.bmp\r\n"},
      {"missing character file", "FileNameFace=face.bmp\r\nFileNameChara=none.bmp\r\n"},
      {"character that is no BMP", "FileNameFace=face.bmp\r\nFileNameChara=note.bmp\r\n"},
      {"face cut in half", "FileNameFace=short.bmp\r\nFileNameChara=Aduvi.bmp\r\n"},
      {"character with its header only", "FileNameFace=face.bmp\r\nFileNameChara=header.bmp\r\n"},
      {"offsets at the integer limits",
       "FileNameFace=face.bmp\r\nFileNameChara=Aduvi.bmp\r\nxPosFace=2147483647\r\nyPosFace=-2147483648\r\n"},
      {"offsets just inside the limits",
       "FileNameFace=face.bmp\r\nFileNameChara=Aduvi.bmp\r\nxPosFace=-2147483647\r\nyPosFace=2147483500\r\n"},
      {"canvas beyond its limit",
       "FileNameFace=face.bmp\r\nFileNameChara=Aduvi.bmp\r\nxPosFace=16300\r\nyPosFace=0\r\n"},
      {"character wider than the picture limit", "FileNameFace=face.bmp\r\nFileNameChara=wide.bmp\r\n"},
  };
  const int kCases = static_cast<int>(sizeof cases / sizeof cases[0]);
  ASSERT_LE(kCases, 11);
  for (int i = 0; i < kCases; ++i) {
    if (!cases[i].section.empty()) sections += "[" + std::string(CharacterTable[i + 1].name) + "]\r\n" + cases[i].section;
  }
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_SMALL, sections);
  Start();
  ASSERT_NE(g_state.hbmMascot, nullptr);
  const Expected expected = ComputeTestCharacter(0, IDM_SIZE_SMALL);
  ExpectFigure(expected);
  const HBITMAP picture = g_state.hbmMascot;
  const HRGN shape = g_state.hrgnShape;
  RECT before;
  GetWindowRect(hwnd_, &before);
  const std::wstring tip = g_state.nidTray.szTip;

  for (int i = 0; i < kCases; ++i) {
    SCOPED_TRACE(cases[i].what);
    g_progress.clear();
    Command(IDM_CHARA_FIRST + 1 + i);
    EXPECT_EQ(g_state.nChara, IDM_CHARA_FIRST + 1 + i) << "the command keeps the new choice";
    EXPECT_EQ(g_state.hbmMascot, picture);
    EXPECT_EQ(g_state.hrgnShape, shape);
    EXPECT_TRUE(g_progress.empty()) << "no outline was built";
    RECT after;
    GetWindowRect(hwnd_, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    ExpectFigure(expected);
    EXPECT_TRUE(IsChecked(IDM_CHARA_FIRST));
    EXPECT_FALSE(IsChecked(IDM_CHARA_FIRST + 1 + i));
    EXPECT_TRUE(IsChecked(IDM_SIZE_SMALL));
    EXPECT_EQ(g_state.nidTray.szTip, tip);
  }

  // A failed size change keeps the old size too, and its mark.
  Command(IDM_SIZE_NORMAL);
  EXPECT_EQ(g_state.nSize, IDM_SIZE_NORMAL);
  ExpectFigure(expected);
  EXPECT_TRUE(IsChecked(IDM_SIZE_SMALL));
}

TEST_F(MascotTest, AFirstLoadThatFailsLeavesTheWindowWithoutPicture) {
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, "[Aduvi]\r\nFileNameFace=none.bmp\r\n");
  Start();
  EXPECT_EQ(g_state.hbmMascot, nullptr);
  EXPECT_EQ(g_state.hrgnShape, nullptr);
  EXPECT_EQ(g_state.dScale, 0.0);
  EXPECT_EQ(g_state.nWindowWidth, 0);
  EXPECT_EQ(g_state.xClockCenter, 0);
}

// The bar's values and rows for a figure of the given height, by the rule.
std::vector<std::pair<int, int>> ProgressByRule(int height) {
  std::vector<std::pair<int, int>> values;
  ProgressCounter counter;
  for (int y = 0; y < height; ++y) {
    if (const int value = counter.AfterRow(y, height)) values.emplace_back(y, value);
  }
  return values;
}

TEST_F(MascotTest, TheProgressBarIsSentEachNewValueAndRepaintedAtOnce) {
  // Belmoa is 105 high at the small size, Aduvi 300 high at the normal size.
  WriteIni(IDM_CHARA_FIRST + 1, IDM_SIZE_SMALL, AllTestCharacters(), 1000, 100);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchBar, nullptr, GetCurrentThreadId());
  ASSERT_NE(hook, nullptr);
  g_barMessages.clear();
  Start();
  const std::vector<ProgressRecord> first = g_progress;
  const std::vector<BarMessage> firstMessages = g_barMessages;

  g_progress.clear();
  g_barMessages.clear();
  Command(IDM_SIZE_NORMAL);
  Command(IDM_CHARA_FIRST);  // the size change loaded Belmoa at 150; this loads Aduvi at 300
  UnhookWindowsHookEx(hook);

  ASSERT_EQ(g_state.nWindowHeight, 300);
  std::vector<ProgressRecord> second(g_progress.end() - 20, g_progress.end());
  for (auto [records, height] : {std::make_pair(first, 105), std::make_pair(second, 300)}) {
    SCOPED_TRACE(height);
    const auto rule = ProgressByRule(height);
    ASSERT_EQ(records.size(), rule.size());
    for (std::size_t i = 0; i < rule.size(); ++i) {
      EXPECT_EQ(records[i].row, rule[i].first);
      EXPECT_EQ(records[i].value, rule[i].second);
      EXPECT_EQ(records[i].window, records[0].window) << "one progress window per build";
      EXPECT_FALSE(records[i].ownerVisible) << "the figure stays hidden while its outline is built";
    }
    EXPECT_EQ(records.front().value, 5);
    EXPECT_EQ(records.back().value, 100);
    EXPECT_FALSE(IsWindow(records[0].window)) << "the progress window is gone";
    // Centred over the figure at its new size.
    const ScreenPoint corner = CentreOver({records[0].windowRect.left, records[0].windowRect.top,
                                           records[0].windowRect.right, records[0].windowRect.bottom},
                                          {records[0].ownerRect.left, records[0].ownerRect.top,
                                           records[0].ownerRect.right, records[0].ownerRect.bottom});
    EXPECT_EQ(records[0].windowRect.left, corner.x);
    EXPECT_EQ(records[0].windowRect.top, corner.y);
    EXPECT_EQ(records[0].ownerRect.bottom - records[0].ownerRect.top, height);
  }
  EXPECT_EQ(second.back().row, 285);

  // What the bar itself received during the first build: its range, then each
  // value followed by a repaint before the next value.
  std::vector<int> values;
  bool paintedSinceValue = true;
  bool rangeSet = false;
  for (const BarMessage& m : firstMessages) {
    if (m.message == PBM_SETRANGE) {
      EXPECT_EQ(m.lParam, 0x00640000);
      EXPECT_TRUE(values.empty());
      rangeSet = true;
    } else if (m.message == PBM_SETPOS) {
      EXPECT_TRUE(paintedSinceValue) << "value " << values.back() << " was not repainted";
      values.push_back(static_cast<int>(m.wParam));
      paintedSinceValue = false;
    } else if (m.message == WM_PAINT) {
      paintedSinceValue = true;
    }
  }
  EXPECT_TRUE(rangeSet);
  EXPECT_TRUE(paintedSinceValue);
  std::vector<int> expectedValues;
  for (int v = 5; v <= 100; v += 5) expectedValues.push_back(v);
  EXPECT_EQ(values, expectedValues);
}

TEST_F(MascotTest, RandomChoiceDrawsAndLoadsOnEveryCommand) {
  std::string sections;
  for (int i = 0; i < kCharacterCount; ++i) {
    CharacterSetup setup = kCharacters[i % 4];
    setup.body = 0x00101010u * static_cast<Pixel>(i + 1);
    sections += WriteCharacter(i, setup);
  }
  WriteIni(IDM_CHARA_RANDOM, IDM_SIZE_SMALL, sections);
  Start();
  auto loads = [] {
    int count = 0;
    for (const ProgressRecord& r : g_progress) count += r.row == 0 ? 1 : 0;
    return count;
  };
  EXPECT_EQ(loads(), 1);
  for (int i = 2; i <= 3; ++i) {
    Command(IDM_CHARA_RANDOM);
    EXPECT_EQ(loads(), i) << "random again loads again";
  }
  Command(IDM_SIZE_NORMAL);
  EXPECT_EQ(loads(), 4) << "a size change loads again";
  EXPECT_EQ(g_state.nChara, IDM_CHARA_RANDOM);
  EXPECT_TRUE(IsChecked(IDM_CHARA_RANDOM));
  const std::wstring tip = g_state.nidTray.szTip;
  bool named = false;
  for (const CharacterEntry& entry : CharacterTable) {
    named |= tip == L"Tavelin - " + std::wstring(entry.name, entry.name + std::strlen(entry.name));
  }
  EXPECT_TRUE(named) << tip;
}

TEST_F(MascotTest, TheLoadPullsTheWindowBackOntoTheScreen) {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, AllTestCharacters(), screenWidth - 50, -70);
  Start();
  RECT rc;
  GetWindowRect(hwnd_, &rc);
  EXPECT_EQ(rc.left, screenWidth - 200);
  EXPECT_EQ(rc.top, 0);
  // Scaled about the face's centre, 22 pixels right and down, then pulled back.
  SetWindowPos(hwnd_, nullptr, -40, screenHeight - 10, 0, 0, SWP_NOZORDER | SWP_NOSIZE);
  Command(IDM_SIZE_SMALL);
  GetWindowRect(hwnd_, &rc);
  EXPECT_EQ(rc.left, 0);
  EXPECT_EQ(rc.top, screenHeight - 210);
}

TEST_F(MascotTest, AFigureOfTheKeyColourAloneHasAnEmptyOutline) {
  PixelBuffer blank;
  ASSERT_TRUE(blank.Allocate(150, 150, 0x00FFFFFF));
  WriteFileBytes(folder_.File("blank.bmp"), BmpBytes(blank.view()));
  PixelBuffer magenta;
  ASSERT_TRUE(magenta.Allocate(120, 160, kCanvasMagenta));
  WriteFileBytes(folder_.File("magenta.bmp"), BmpBytes(magenta.view()));
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, "[Aduvi]\r\nFileNameFace=blank.bmp\r\nFileNameChara=magenta.bmp\r\n");
  Start();
  EXPECT_EQ(g_state.nWindowWidth, 150);
  EXPECT_EQ(g_state.nWindowHeight, 160);
  ASSERT_NE(g_state.hrgnShape, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(g_state.hrgnShape, &box), NULLREGION);
  const ScopedRegion windowRegion = WindowRegion(hwnd_);
  ASSERT_TRUE(windowRegion);
  EXPECT_EQ(GetRgnBox(windowRegion.get(), &box), NULLREGION);
}

// The one-call outline is exactly the region of its runs added one at a time:
// on seeded random figures of every density, and on the demo characters.
TEST(ShapeRegionTest, TheOneCallOutlineEqualsTheRunsAddedOneAtATime) {
  std::uint32_t state = 12345;
  auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int figure = 0; figure < 24; ++figure) {
    SCOPED_TRACE(figure);
    const int width = 1 + static_cast<int>(next() % 300);
    const int height = 1 + static_cast<int>(next() % 200);
    const int density = static_cast<int>(next() % 101);  // percent of figure pixels
    PixelBuffer picture;
    ASSERT_TRUE(picture.Allocate(width, height, 0));
    for (int i = 0; i < width * height; ++i) {
      picture.data()[i] = static_cast<int>(next() % 100) < density ? 1 + next() % 3 : 0;
    }
    const std::vector<ShapeRun> runs = FindShapeRuns(picture.view());
    const ScopedRegion oneCall(CreateRegionFromRuns(runs));
    ASSERT_TRUE(oneCall);
    EXPECT_TRUE(EqualRgn(oneCall.get(), RegionOneRunAtATime(runs).get()));
  }

  const std::string kit = PathFromEnvironment("TAVELIN_KIT");
  if (kit.empty() || !FileExists(kit + "\\Tavelin.ini")) GTEST_SKIP() << "no demo kit";
  const std::string ini = kit + "\\Tavelin.ini";
  const ScopedPictureReader reader;
  for (const CharacterEntry& entry : CharacterTable) {
    const KitCharacter character = ReadKitCharacter(ini, entry.name);
    for (const int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
      SCOPED_TRACE(testing::Message() << entry.name << " " << nSize);
      Figure composed;
      ASSERT_TRUE(ComposeKitCharacter(kit + "\\", character, ScaleForSize(nSize), &composed));
      const std::vector<ShapeRun> runs = FindShapeRuns(composed.picture.view());
      ASSERT_FALSE(runs.empty());
      const ScopedRegion oneCall(CreateRegionFromRuns(runs));
      EXPECT_TRUE(EqualRgn(oneCall.get(), RegionOneRunAtATime(runs).get()));
    }
  }
}

// With the demo kit at hand, its characters go through the same check.
TEST_F(MascotTest, DemoCharactersMatchThePixelRules) {
  const std::string kit = PathFromEnvironment("TAVELIN_KIT");
  if (kit.empty() || !FileExists(kit + "\\Tavelin.ini")) GTEST_SKIP() << "no demo kit";
  // Copy the kit in, as the program would find it beside itself.
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((kit + "\\*").c_str(), &found);
  ASSERT_NE(search, INVALID_HANDLE_VALUE);
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      CopyFileA((kit + "\\" + found.cFileName).c_str(), folder_.File(found.cFileName).c_str(), FALSE);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  const std::string ini = folder_.File("Tavelin.ini");
  WritePrivateProfileStringA("GENERAL", "nChara", "40001", ini.c_str());
  WritePrivateProfileStringA("GENERAL", "nSize", "42002", ini.c_str());
  Start();
  for (int i : {0, 3, 6, 11}) {
    for (int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
      const char* name = CharacterTable[i].name;
      SCOPED_TRACE(testing::Message() << name << " " << nSize);
      if (nSize != g_state.nSize) Command(nSize);
      if (IDM_CHARA_FIRST + i != g_state.nChara) Command(IDM_CHARA_FIRST + i);
      const KitCharacter c = ReadKitCharacter(ini, name);
      ExpectFigure(Compute(c.face, c.character, c.x, c.y, c.faceOnChara, nSize));
    }
  }
}

}  // namespace

// A character too wide to double within the picture limits: the DPI change
// is answered with the held size and the figure is rebuilt at it, a little
// smaller than asked, never left at the old scale.
TEST_F(MascotTest, AFigureTooLargeToDoubleIsHeldToThePictureLimitOnADpiChange) {
  const CharacterSetup& look = kCharacters[0];
  WriteFileBytes(folder_.File("face.bmp"), BmpBytes(MakeTestFace().view()));
  WriteFileBytes(folder_.File("wide.bmp"), BmpBytes(MakeTestCharacter(8193, 100, look.key, look.body, 3, 1).view()));
  WriteIni(IDM_CHARA_FIRST, IDM_SIZE_NORMAL, "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=wide.bmp\r\n", 0, 0);
  Start();
  if (WindowDpi(hwnd_) != kBaseDpi) GTEST_SKIP() << "starts at the base DPI";
  ASSERT_EQ(g_state.nWindowWidth, 8193);
  ASSERT_EQ(g_state.nWindowHeight, 150);

  // Doubled, 16386 pixels would pass the 16384 a side may have.
  SIZE size{0, 0};
  EXPECT_TRUE(SendMessageA(hwnd_, WM_GETDPISCALEDSIZE, 192, reinterpret_cast<LPARAM>(&size)));
  EXPECT_EQ(size.cx, 16384);
  EXPECT_EQ(size.cy, 300);
  const RECT suggested{0, 0, size.cx, size.cy};
  SendMessageA(hwnd_, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  PumpMessages();

  EXPECT_EQ(g_state.nDpi, 192) << "the figure stayed at the old scale";
  EXPECT_EQ(g_state.nWindowWidth, 16384);
  EXPECT_EQ(g_state.nWindowHeight, 300);
  RECT rect;
  GetWindowRect(hwnd_, &rect);
  EXPECT_EQ(rect.right - rect.left, 16384);
  EXPECT_EQ(rect.bottom - rect.top, 300);
  // The hands follow the face as it is shown, a little under twice its size.
  EXPECT_LT(g_state.dScale, 2.0);
  EXPECT_GT(g_state.dScale, 1.999);
}
