// A soft figure (a character picture with alpha) on the desktop: a layered
// window with its outline, drawn with per-pixel alpha, and the same window
// taking a keyed figure and back.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/clock_state_win32.h"
#include "clockface/clockface_win32.h"
#include "support/clock_fixture.h"
#include "support/desktop_pictures.h"
#include "support/png_writer.h"

namespace {

// The soft character, 160 x 200 on transparency: an opaque red body, a
// half-transparent red band (alpha 141) at its foot and a soft left edge.
constexpr int kCharaWidth = 160;
constexpr int kCharaHeight = 200;
constexpr Pixel kBody = 0xFFFF0000;
constexpr Pixel kHalfRed = 0x8DFF0000;  // over grey 128 it shows 198, 57, 57
constexpr COLORREF kBackdrop = RGB(128, 128, 128);

Pixel SoftCharacterPixel(int x, int y) {
  if (y >= 180 || x < 20) return 0;  // transparent below the foot and left of the body
  if (y >= 160) return kHalfRed;
  if (x < 28) return static_cast<Pixel>((x - 20) * 32 + 15) << 24 | 0x00FF0000;  // the soft edge
  return kBody;
}

void WriteSoftCharacter(const std::string& path) {
  PixelBuffer picture;
  picture.Allocate(kCharaWidth, kCharaHeight, 0);
  for (int y = 0; y < kCharaHeight; ++y) {
    for (int x = 0; x < kCharaWidth; ++x) picture.view().At(x, y) = SoftCharacterPixel(x, y);
  }
  PngForm form;
  form.colourType = kPngRgbAlpha;
  WriteFileBytes(path, PngBytes(picture.view(), form));
}

// Tavelin.ini with two characters: the first soft (face at 0, 0 under it),
// the second the keyed test character.
std::string WriteKit(const std::string& folder) {
  WriteSoftCharacter(folder + "soft.png");
  const std::string keyed = WriteTestCharacters(folder);
  return "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=soft.png\r\nxPosFace=0\r\nyPosFace=0\r\n"
         "fFaceOnChara=0\r\n" + keyed.substr(keyed.find("[", 1));
}

// A plain window of one colour over the whole screen, below the figure: the
// background of known colour the soft edge is blended over.
class Backdrop {
 public:
  Backdrop() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = CreateSolidBrush(kBackdrop);
    wc.lpszClassName = "TavelinTestBackdrop";
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0,
                            GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                            wc.hInstance, nullptr);
    UpdateWindow(hwnd_);
  }
  ~Backdrop() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The colour on the screen at a window pixel, as 0x00RRGGBB.
Pixel ScreenColour(HWND hwnd, int x, int y) {
  RECT rc;
  GetWindowRect(hwnd, &rc);
  HDC screen = GetDC(nullptr);
  const COLORREF c = GetPixel(screen, rc.left + x, rc.top + y);
  ReleaseDC(nullptr, screen);
  return static_cast<Pixel>(GetRValue(c)) << 16 | static_cast<Pixel>(GetGValue(c)) << 8 | GetBValue(c);
}

bool IsLayered(HWND hwnd) { return (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

class SoftFigureTest : public ::testing::Test {
 protected:
  void SetUp() override { PrepareProgramFolder(folder_.path()); }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }
  void Start(int nChara = 40001) {
    WriteFileBytes(folder_.File("Tavelin.ini"), "[GENERAL]\r\nfTopMost=1\r\nfHideOnMouse=0\r\nnChara=" +
                                                    std::to_string(nChara) +
                                                    "\r\nnSize=42002\r\nxPosWindow=300\r\nyPosWindow=200\r\n" +
                                                    WriteKit(folder_.path()));
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(SoftFigureTest, ASoftFigureIsALayeredWindowWithItsAlphaOutline) {
  Start();
  EXPECT_EQ(g_state.fSoftFigure, 1);
  EXPECT_TRUE(IsLayered(hwnd_));
  EXPECT_EQ(g_state.nWindowWidth, kCharaWidth);
  EXPECT_EQ(g_state.nWindowHeight, kCharaHeight);
  ASSERT_NE(g_state.hrgnShape, nullptr);
  EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 20, 40)) << "the faintest edge pixel";
  EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 100, 170)) << "the half-transparent band";
  EXPECT_FALSE(PtInRegion(g_state.hrgnShape, 100, 190)) << "below the foot";
  EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 5, 75)) << "the face, opaque where the character leaves it";
  EXPECT_FALSE(PtInRegion(g_state.hrgnShape, 5, 165)) << "left of the body, below the face";
  HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(hwnd_, windowRegion), ERROR);
  EXPECT_TRUE(EqualRgn(windowRegion, g_state.hrgnShape)) << "the window is cut to the same outline";
  DeleteObject(windowRegion);
}

TEST_F(SoftFigureTest, ScreenShowsTheFigureBlendedOverWhatLiesBeneath) {
  Backdrop backdrop;
  Start();
  SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Pixel body = 0, below = 0, band = 0;
  PumpUntil([&] {
    body = ScreenColour(hwnd_, 120, 40);
    below = ScreenColour(hwnd_, 100, 190);
    band = ScreenColour(hwnd_, 100, 170);
    return body == 0xFF0000 && below == 0x808080;
  }, 3000);
  EXPECT_EQ(body, 0xFF0000u) << std::hex << "interior";
  EXPECT_EQ(below, 0x808080u) << std::hex << "transparent pixel";
  EXPECT_EQ(band, 0xC63939u) << std::hex << "half-transparent band";
}

}  // namespace
