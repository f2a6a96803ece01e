// A soft figure (a character picture with alpha) on the desktop: a layered
// window with its outline, drawn with per-pixel alpha, and the same window
// taking a keyed figure and back.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/app_win32.h"
#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_runs.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"
#include "support/kit_characters.h"
#include "support/plain_window.h"
#include "support/png_writer.h"
#include "support/x_pointer.h"

namespace {

// The soft character, 160 x 200 on transparency: an opaque red body, a
// half-transparent red band (alpha 141) at its foot and a soft left edge.
constexpr int kCharaWidth = 160;
constexpr int kCharaHeight = 200;
constexpr Pixel kBody = 0xFFFF0000;
constexpr Pixel kHalfRed = 0x8DFF0000;  // over grey 128 it shows 198, 57, 57

Pixel SoftCharacterPixel(int x, int y) {
  if (y >= 180 || x < 20) return 0;  // transparent below the foot and left of the body
  if (y >= 160) return kHalfRed;
  if (x < 28) return static_cast<Pixel>((x - 20) * 32 + 15) << 24 | 0x00FF0000;  // the soft edge
  return kBody;
}

void WriteSoftCharacter(const std::string& path) {
  PixelBuffer picture;
  picture.Allocate(kCharaWidth, kCharaHeight, 0);
  for (int y = 0; y < kCharaHeight; ++y)
    for (int x = 0; x < kCharaWidth; ++x) picture.view().At(x, y) = SoftCharacterPixel(x, y);
  PngForm form;
  form.colourType = kPngRgbAlpha;
  WriteFileBytes(path, PngBytes(picture.view(), form));
}

// Tavelin.ini with two characters: the first soft (face at 0, 0 over it),
// the second the keyed test character; `nChara` shows on top at x, y. The
// backdrop below fills the screen, and would send a figure out of its way
// whenever it came to the front: here the figure keeps its place.
void WriteKit(const std::string& folder, int x, int y, int nChara = 40001) {
  WriteSoftCharacter(folder + "soft.png");
  const std::string keyed = WriteTestCharacters(folder);
  WriteFileBytes(folder + "Tavelin.ini",
                 "[GENERAL]\r\nfTopMost=1\r\nfHideOnMouse=0\r\nfAsideFullScreen=0\r\nnChara=" + std::to_string(nChara) +
                     "\r\nnSize=42002\r\nxPosWindow=" +
                     std::to_string(x) + "\r\nyPosWindow=" + std::to_string(y) +
                     "\r\n[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=soft.png\r\nxPosFace=0\r\nyPosFace=0\r\n"
                     "fFaceOnChara=1\r\n" + keyed.substr(keyed.find("[", 1)));
}

// The pixels under a rectangle of the window, 0x00RRGGBB, read at once: from
// the screen, or with `fromWindow` from the window's own DC, which has what
// was drawn on it before the system puts it on the screen.
std::vector<Pixel> ScreenShot(HWND hwnd, const RECT& part, bool fromWindow = false) {
  RECT rc{};
  if (!fromWindow) GetWindowRect(hwnd, &rc);
  return CopyPixels(fromWindow ? hwnd : nullptr,
                    {rc.left + part.left, rc.top + part.top, rc.left + part.right, rc.top + part.bottom});
}

// The colour on the screen at a window pixel, as 0x00RRGGBB.
Pixel ScreenColour(HWND hwnd, int x, int y) { return ScreenShot(hwnd, {x, y, x + 1, y + 1})[0]; }

bool NearColour(Pixel a, Pixel b, int tolerance) {
  for (int shift = 0; shift <= 16; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

POINT OnScreen(HWND hwnd, int x, int y) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  return {rc.left + x, rc.top + y};
}

// Moves the real pointer there and waits until the system has it.
bool MovePointer(POINT at) {
  SetCursorPos(at.x, at.y);
  return PumpUntil([&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == at.x && now.y == at.y;
  }, 2000);
}

bool IsLayered(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// Pixels of the soft character's window, and whether each is part of the figure.
const struct {
  int x, y;
  bool onFigure;
  const char* what;
} kOutlinePoints[] = {{20, 155, true, "the faintest edge pixel"},
                      {100, 170, true, "the half-transparent band"},
                      {100, 190, false, "below the foot"},
                      {5, 75, true, "the face, opaque where the character leaves it"},
                      {5, 165, false, "left of the body, below the face"}};

class SoftFigureTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  void Start(int nChara = 40001) {
    WriteKit(folder_.path(), 300, 200, nChara);
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  // The clock over a backdrop of known colour, raised above it.
  void StartOverBackdrop() {
    backdrop_.emplace(PlainWindow::Screen());
    Start();
    Raise();
  }
  void Raise() { SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }
  // Waits until the screen shows `colour` at a window pixel; returns what it shows.
  Pixel WaitForScreen(int x, int y, Pixel colour) {
    Pixel shown = 0;
    PumpUntil([&] { return (shown = ScreenColour(hwnd_, x, y)) == colour; }, 3000);
    return shown;
  }
  // The window's outline as GetWindowRgn gives it, in `region`.
  bool WindowOutlineIs(HRGN region) {
    const ScopedRegion window(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(hwnd_, window.get()) != ERROR && EqualRgn(window.get(), region);
  }

  // Copies character `index` of the kit that the variable names into the
  // program's folder, with a Tavelin.ini choosing it; false without that kit.
  bool UseKitCharacter(const char* variable, int index, const std::string& general, KitCharacter* c) {
    const std::string kit = PathFromEnvironment(variable);
    return !kit.empty() && CopyKitCharacter(kit + "\\", index, folder_.path(), general, c);
  }

  TempFolder folder_;
  std::optional<PlainWindow> backdrop_;  // grey over the whole screen
  HWND hwnd_ = nullptr;
};

TEST_F(SoftFigureTest, ASoftFigureIsALayeredWindowWithItsAlphaOutline) {
  Start();
  EXPECT_EQ(g_state.fSoftFigure, 1);
  EXPECT_TRUE(IsLayered(hwnd_));
  EXPECT_EQ(g_state.nWindowWidth, kCharaWidth);
  EXPECT_EQ(g_state.nWindowHeight, kCharaHeight);
  ASSERT_NE(g_state.hrgnShape, nullptr);
  for (const auto& p : kOutlinePoints) EXPECT_EQ(!!PtInRegion(g_state.hrgnShape, p.x, p.y), p.onFigure) << p.what;
  EXPECT_TRUE(WindowOutlineIs(g_state.hrgnShape)) << "the window is cut to the same outline";
}

// Run with a compositing manager on the display (xcompmgr), and without one.
using SoftComposited = SoftFigureTest;
using SoftUncomposited = SoftFigureTest;

TEST_F(SoftFigureTest, ATransparentPixelLetsThePointerThroughAndAVisibleOneDoesNot) {
  StartOverBackdrop();
  PumpMessages();
  for (const auto& p : kOutlinePoints) {
    EXPECT_EQ(WindowFromPoint(OnScreen(hwnd_, p.x, p.y)), p.onFigure ? hwnd_ : backdrop_->hwnd()) << p.what;
  }

  // A real click on the transparent pixel reaches the window beneath.
  ASSERT_TRUE(MovePointer(OnScreen(hwnd_, 100, 190)));
  INPUT click[2] = {};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ASSERT_EQ(SendInput(2, click, sizeof(INPUT)), 2u);
  EXPECT_TRUE(PumpUntil([&] { return backdrop_->clicks() > 0; }, 3000)) << "the click did not reach the window beneath";
}

TEST_F(SoftFigureTest, HideOnMouseStepsBackOnlyOverVisiblePixels) {
  backdrop_.emplace(PlainWindow::Screen());
  Start();
  g_state.fHideOnMouse = 1;
  ASSERT_TRUE(MovePointer(OnScreen(hwnd_, 100, 190)));  // inside the rectangle, over nothing
  SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
  EXPECT_EQ(g_state.fRaised, 1) << "a transparent pixel is not the figure: the clock arms";
  ASSERT_TRUE(MovePointer(OnScreen(hwnd_, 100, 172)));  // the half-transparent band
  EXPECT_TRUE(PumpUntil([&] { return g_state.fRaised == 0; }, 3000)) << "the figure did not step back";
  const auto belowBackdrop = [&] { return IsBelow(hwnd_, backdrop_->hwnd()); };
  EXPECT_TRUE(PumpUntil(belowBackdrop, 3000)) << "the figure lies beneath the window it was over";
}

TEST_F(SoftFigureTest, SoftKeyedAndSoftAgainKeepOneWindow) {
  backdrop_.emplace(PlainWindow::Screen());
  Start();
  const HWND first = hwnd_;
  ASSERT_TRUE(IsLayered(hwnd_));
  SendMessageA(hwnd_, WM_COMMAND, 40002, 0);  // the keyed test character
  EXPECT_EQ(g_state.fSoftFigure, 0);
  EXPECT_FALSE(IsLayered(hwnd_));
  EXPECT_EQ(g_state.nWindowWidth, TestCharacterWidth(1));
  EXPECT_EQ(g_state.hbmFrame, nullptr);
  Raise();
  // The keyed figure paints itself again: red body, white face.
  EXPECT_EQ(WaitForScreen(155, 150, 0xFF0000), 0xFF0000u) << std::hex << "the body";
  EXPECT_EQ(ScreenColour(hwnd_, 75, 20), 0xFFFFFFu) << std::hex << "the face";

  SendMessageA(hwnd_, WM_COMMAND, 40001, 0);
  EXPECT_EQ(g_state.fSoftFigure, 1);
  EXPECT_TRUE(IsLayered(hwnd_));
  EXPECT_EQ(FindWindowA(kClassName, nullptr), first);
  EXPECT_EQ(g_hwndMain, first);
  EXPECT_EQ(g_state.nidTray.hWnd, first) << "the tray icon stays with the window";
}

// At 60 % the whole figure shows through: over the grey backdrop an interior
// red pixel is red and grey blended by the alpha 153, for a soft figure (in
// its own blend) and for a keyed one (one alpha over the window).
TEST_F(SoftFigureTest, AtSixtyPercentAnInteriorPixelIsTheBlendOverTheGreyBackdrop) {
  StartOverBackdrop();
  SendMessageA(hwnd_, WM_COMMAND, IDM_OPACITY_60, 0);
  auto blend = [](int figure, int backdrop) { return (figure * 153 + backdrop * (255 - 153) + 127) / 255; };
  const Pixel expected = static_cast<Pixel>(blend(255, 128) << 16 | blend(0, 128) << 8 | blend(0, 128));
  const struct {
    int nChara;
    POINT inside;
  } figures[] = {{40001, {150, 150}}, {40002, {155, 150}}};
  for (const auto& f : figures) {
    SendMessageA(hwnd_, WM_COMMAND, static_cast<WPARAM>(f.nChara), 0);
    Raise();
    Pixel shown = 0;
    EXPECT_TRUE(PumpUntil([&] { return NearColour(shown = ScreenColour(hwnd_, f.inside.x, f.inside.y), expected, 2); },
                          3000))
        << std::hex << "character " << std::dec << f.nChara << ": expected about " << std::hex << expected << ", got "
        << shown;
  }
}

// The tick's first look at the time (its watch for a wake from sleep) sees
// 9:59:59; every later one 10:00:05.
int g_timeReads = 0;
void FakeTenOClock(SYSTEMTIME* time) {
  *time = {};
  time->wDay = 9;
  if (g_timeReads++ == 0) {
    time->wHour = 9;
    time->wMinute = 59;
    time->wSecond = 59;
    return;
  }
  time->wHour = 10;
  time->wSecond = 5;
}

// The face as it stands: the soft window's own picture, or what a keyed
// window has on it.
std::vector<Pixel> g_chimedFace;
std::vector<Pixel> ShownFace(HWND hwnd) {
  const RECT face = ClockFaceRect();
  if (!g_state.fSoftFigure) return ScreenShot(hwnd, face, true);
  PixelView frame;
  if (!SectionPixels(g_state.hbmFrame, &frame)) return {};
  std::vector<Pixel> pixels;
  for (int y = face.top; y < face.bottom; ++y) pixels.insert(pixels.end(), &frame.At(face.left, y), &frame.At(face.right, y));
  return pixels;
}
BOOL ChimeNotingTheFace(const char* path, UINT, unsigned) {
  if (path != nullptr) g_chimedFace = ShownFace(g_hwndMain);
  return TRUE;
}

// Neither kind of figure leaves the face to WM_PAINT: the tick draws it and
// chimes the full hour once it shows, both with one reading of the time.
TEST_F(SoftFigureTest, TheTickRunsTheChecksAfterThePictureWithTheTimeTheHandsShow) {
  for (const int nChara : {40001, 40002}) {
    SCOPED_TRACE(nChara == 40001 ? "soft" : "keyed");
    PrepareProgramFolder(folder_.path());
    PlainWindow backdrop(PlainWindow::Screen());
    Start(nChara);
    ASSERT_EQ(g_state.fSoftFigure, nChara == 40001 ? 1 : 0);
    SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RECT dirty;
    ASSERT_TRUE(PumpUntil([&] { return !GetUpdateRect(hwnd_, &dirty, FALSE); }, 3000));
    g_state.nOClockMode = IDC_OCLOCK_ON;
    g_state.nOClockQuietFrom = g_state.nOClockQuietTo = 0;
    g_state.nOClockChangeChara = 0;
    g_state.alarms[0].nAlarmMode = IDC_ALARM_STOP;
    g_state.nLastHour = 9;
    const std::vector<Pixel> before = ShownFace(hwnd_);
    const SystemReadings real = g_system;
    g_system.localTime = FakeTenOClock;
    g_system.playSound = ChimeNotingTheFace;
    g_timeReads = 0;
    g_chimedFace.clear();
    SendMessageA(hwnd_, WM_TIMER, ID_CLOCKTIMER, 0);
    EXPECT_EQ(g_timeReads, 2) << "the watch for a wake, then one reading for the hands and the checks";
    EXPECT_EQ(g_state.nLastHour, 10) << "the hourly check ran with that reading";
    EXPECT_FALSE(GetUpdateRect(hwnd_, &dirty, FALSE)) << "nothing is left for a repaint";
    const std::vector<Pixel> ticked = ShownFace(hwnd_);
    EXPECT_NE(ticked, before) << "the face was redrawn for 10:00:05";
    EXPECT_EQ(g_chimedFace, ticked) << "the chime came after the face showed";
    if (!g_state.fSoftFigure) {
      const RECT face = ClockFaceRect();
      EXPECT_TRUE(PumpUntil([&] { return ScreenShot(hwnd_, face) == ticked; }, 3000)) << "the screen shows it";
      RedrawWindow(hwnd_, &face, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      EXPECT_EQ(ShownFace(hwnd_), ticked) << "the repaint draws 10:00:05 the same";
    }
    g_system = real;
    CloseClock(hwnd_);
  }
}

TEST_F(SoftFigureTest, AKeyedKitShowsItsFigureAndOutlineAsBefore) {
  KitCharacter c;
  if (!UseKitCharacter("TAVELIN_KIT", 0, "fTopMost=1\r\nnSize=42002\r\nxPosWindow=300\r\nyPosWindow=200\r\n", &c)) {
    GTEST_SKIP() << "no keyed kit";
  }
  backdrop_.emplace(PlainWindow::Screen());
  hwnd_ = StartClock();
  ASSERT_NE(hwnd_, nullptr);
  ASSERT_EQ(g_state.fSoftFigure, 0);
  Figure figure;
  {
    const ScopedPictureReader reader;
    ASSERT_TRUE(ComposeKitCharacter(folder_.path(), c, 1.0, &figure));
  }
  const ScopedRegion outline(CreateRegionFromRuns(FindShapeRuns(figure.picture.view())));
  EXPECT_TRUE(WindowOutlineIs(outline.get()));

  Raise();
  PumpMessages(300);
  const RECT face = ClockFaceRect();
  const int width = figure.picture.width();
  int compared = 0, differing = 0;
  PumpUntil([&] {
    const std::vector<Pixel> shown = ScreenShot(hwnd_, {0, 0, width, figure.picture.height()});
    compared = differing = 0;
    for (int y = 0; y < figure.picture.height(); ++y) {
      for (int x = 0; x < width; ++x) {
        const POINT p{x, y};
        if (PtInRect(&face, p) || !PtInRegion(outline.get(), x, y)) continue;
        ++compared;
        differing += shown[static_cast<size_t>(y) * width + x] != figure.picture.view().At(x, y);
      }
    }
    return differing == 0;
  }, 3000);
  EXPECT_GT(compared, 5000);
  EXPECT_EQ(differing, 0) << "of " << compared << " pixels away from the hands";
}

TEST_F(SoftFigureTest, TheSmoothDemoKitShowsSoftWithItsAlphaOutline) {
  KitCharacter c;
  if (!UseKitCharacter("TAVELIN_SOFT_KIT", 2, "nSize=42001\r\n", &c)) GTEST_SKIP() << "no soft kit";
  hwnd_ = StartClock();
  ASSERT_NE(hwnd_, nullptr);
  EXPECT_EQ(g_state.fSoftFigure, 1);
  EXPECT_TRUE(IsLayered(hwnd_));
  // The same figure from the same files by the pixel rules, at the small size.
  Figure figure;
  {
    const ScopedPictureReader reader;
    ASSERT_TRUE(ComposeKitCharacter(folder_.path(), c, 0.7, &figure));
  }
  EXPECT_EQ(g_state.nWindowWidth, figure.picture.width());
  const ScopedRegion outline(CreateRegionFromRuns(FindAlphaRuns(figure.picture.view())));
  EXPECT_TRUE(EqualRgn(g_state.hrgnShape, outline.get()));
  int soft = 0;
  for (int i = 0; i < figure.picture.width() * figure.picture.height(); ++i) {
    const Pixel alpha = figure.picture.data()[i] >> 24;
    soft += alpha > 0 && alpha < 255;
  }
  EXPECT_GT(soft, figure.picture.height()) << "the smooth kit's edge keeps its half-covered pixels";
}

TEST_F(SoftUncomposited, WithoutACompositorNothingShowsOutsideTheOutline) {
  StartOverBackdrop();
  EXPECT_EQ(WaitForScreen(152, 40, 0xFF0000), 0xFF0000u) << std::hex << "opaque pixels show as they are";
  for (const POINT out : {POINT{100, 190}, POINT{5, 165}, POINT{150, 195}, POINT{10, 195}}) {
    EXPECT_EQ(ScreenColour(hwnd_, out.x, out.y), 0x808080u) << out.x << "," << out.y << " shows the backdrop";
  }
  // Half-transparent pixels show their premultiplied colour: darker.
  EXPECT_TRUE(NearColour(ScreenColour(hwnd_, 100, 170), 0x8D0000, 2)) << std::hex << ScreenColour(hwnd_, 100, 170);
}

TEST_F(SoftComposited, ScreenShowsTheFigureBlendedOverWhatLiesBeneath) {
  StartOverBackdrop();
  EXPECT_EQ(WaitForScreen(152, 40, 0xFF0000), 0xFF0000u) << std::hex << "interior";
  EXPECT_EQ(WaitForScreen(100, 190, 0x808080), 0x808080u) << std::hex << "transparent pixel";
  // Alpha 141 red over grey 128 blends to 198, 57, 57.
  const Pixel band = ScreenColour(hwnd_, 100, 170);
  EXPECT_TRUE(NearColour(band, 0xC63939, 2)) << std::hex << band << ": half-transparent band";
  // Along the soft edge, below the face, the red grows from the grey step by step.
  for (int x = 20; x < 28; ++x) {
    const unsigned alpha = SoftCharacterPixel(x, 155) >> 24;
    const Pixel blend = (255 * alpha + 128 * (255 - alpha) + 127) / 255 << 16 |
                        ((128 * (255 - alpha) + 127) / 255) * 0x0101;
    const Pixel edge = ScreenColour(hwnd_, x, 155);
    EXPECT_TRUE(NearColour(edge, blend, 2)) << std::hex << edge << " edge at x " << x;
  }
}

TEST_F(SoftComposited, TheSecondHandMovesBetweenTwoScreenshotsASecondApart) {
  StartOverBackdrop();
  const RECT face = ClockFaceRect();
  ASSERT_FALSE(IsRectEmpty(&face));
  auto shot = [&] { return ScreenShot(hwnd_, face); };
  ASSERT_EQ(WaitForScreen(152, 40, 0xFF0000), 0xFF0000u) << "no figure shows";
  std::vector<Pixel> first = shot();
  ASSERT_TRUE(PumpUntil([&] {
    std::vector<Pixel> again = shot();
    const bool settled = again == first;
    first = std::move(again);
    return settled;
  }, 3000)) << "the screen does not settle";
  // The clock's own timer redraws the face; a second later the hand has moved.
  int changed = 0;
  EXPECT_TRUE(PumpUntil([&] {
    const std::vector<Pixel> later = shot();
    changed = 0;
    for (size_t i = 0; i < first.size(); ++i) changed += first[i] != later[i];
    return changed > 10;
  }, 3000)) << "the face did not change: " << changed << " pixels";
}

// Tavelin.exe started as a user starts it with the soft character, worked
// with the real pointer on the X display.
class SoftEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "the pointer is driven through xdotool on Wine's X display";
    WriteKit(folder_.path(), 200, 150);
    ASSERT_EQ(StartProgramIn(folder_.path(), &process_), "");
    ASSERT_TRUE(WaitFor([&] {
      hwnd_ = FindWindowA(kClassName, nullptr);
      return hwnd_ != nullptr && IsWindowVisible(hwnd_) && IsLayered(hwnd_);
    }, 20000)) << "the clock did not show its soft figure";
  }
  void TearDown() override { StopProgram(hwnd_, &process_); }

  TempFolder folder_;
  PROCESS_INFORMATION process_{};
  HWND hwnd_ = nullptr;
};

TEST_F(SoftEndToEnd, DraggingByAHalfTransparentPixelMovesTheFigure) {
  RECT before;
  GetWindowRect(hwnd_, &before);
  const POINT p = OnScreen(hwnd_, 100, 172);  // the half-transparent band
  ASSERT_TRUE(RunXdotool("mousemove " + Xy(p.x, p.y) + " sleep 0.3 mousedown 1 sleep 0.3 mousemove " +
                         Xy(p.x + 30, p.y + 20) + " sleep 0.3 mousemove " + Xy(p.x + 60, p.y + 35) +
                         " sleep 0.3 mouseup 1 sleep 0.3"));
  RECT after{};
  EXPECT_TRUE(WaitFor([&] {
    GetWindowRect(hwnd_, &after);
    return after.left == before.left + 60 && after.top == before.top + 35;
  }, 5000)) << "the window is at " << after.left << "," << after.top;
}

}  // namespace
