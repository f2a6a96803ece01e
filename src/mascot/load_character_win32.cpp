#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

#include <climits>

#include "app/character_table.h"
#include "balloon/balloon_place.h"
#include "app/clock_state_win32.h"
#include "clockface/clockface_win32.h"
#include "desktop/manners_win32.h"
#include "desktop/placement_win32.h"
#include "desktop/tray_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/figure_kind.h"
#include "mascot/mascot_win32.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "settings/settings_win32.h"
#include "shared/dpi_win32.h"
#include "shared/gdi_handles_win32.h"

namespace {

// Index into CharacterTable for nChara; a random choice draws anew each time.
int ChooseCharacter(int nChara) {
  const bool named = nChara >= IDM_CHARA_FIRST && nChara <= IDM_CHARA_LAST;
  return CharacterIndexForChoice(nChara, named ? 0 : g_random.Next());
}

// Reads both pictures and composes the figure for a monitor of `dpi`, soft
// when either picture is cut by alpha, with its canvas in `layout`; false,
// with nothing made that outlives the call, when a picture is unreadable, the
// scale the pictures are drawn at is out of range or the canvas not sane.
bool MakeFigure(const char* settingsPath, const char* section, int dpi, Figure* figure, bool* soft,
                CanvasLayout* layout, int* pictureScale, BalloonSpot* balloonAnchor) {
  ReadSettingInt(settingsPath, section, "nPictureScale", pictureScale, kPictureScaleDefault);
  if (*pictureScale < kPictureScaleMin || *pictureScale > kPictureScaleMax) return false;
  char fileName[kTextBufferSize];
  DecodedPicture face;
  ReadSettingString(settingsPath, section, "FileNameFace", fileName, "");
  if (LoadPictureFile(fileName, &face) != PictureFault::kNone) return false;
  DecodedPicture character;
  ReadSettingString(settingsPath, section, "FileNameChara", fileName, "");
  if (LoadPictureFile(fileName, &character) != PictureFault::kNone) return false;

  FigurePictures placement{};
  placement.face = face.pixels.view();
  placement.character = character.pixels.view();
  ReadSettingInt(settingsPath, section, "xPosFace", &placement.xPosFace, 0);
  ReadSettingInt(settingsPath, section, "yPosFace", &placement.yPosFace, 0);
  ReadSettingInt(settingsPath, section, "fFaceOnChara", &placement.fFaceOnChara, 0);
  placement.nPictureScale = *pictureScale;
  if (!LayOutFigure(placement, layout)) return false;
  const double factor = PictureFactor(DisplayScale(g_state.nSize, dpi), *pictureScale);
  // The balloon's tail aims at the character's own point where its section gives one.
  constexpr int kUnset = INT_MIN;
  int xPosBalloon = kUnset, yPosBalloon = kUnset;
  ReadSettingInt(settingsPath, section, "xPosBalloon", &xPosBalloon, kUnset);
  ReadSettingInt(settingsPath, section, "yPosBalloon", &yPosBalloon, kUnset);
  const bool balloonPosition = xPosBalloon != kUnset && yPosBalloon != kUnset;
  *balloonAnchor = BalloonAnchor(layout->characterX, layout->characterY, placement.character.width, balloonPosition,
                                 xPosBalloon, yPosBalloon, factor);
  return ComposeDecodedFigure({face.pixels.view(), face.cutByAlpha}, {character.pixels.view(), character.cutByAlpha},
                              placement, factor, figure, soft);
}

// The window's picture of a soft figure: MascotBitmap and the picture shown,
// both DIB sections holding the premultiplied figure.
bool MakeSoftBitmaps(const Figure& figure, ScopedBitmap* mascot, ScopedBitmap* frame) {
  const ConstPixelView pixels = figure.picture.view();
  PixelView mascotPixels;
  PixelView framePixels;
  mascot->reset(CreatePixelSection(pixels.width, pixels.height, &mascotPixels));
  frame->reset(CreatePixelSection(pixels.width, pixels.height, &framePixels));
  if (!*mascot || !*frame) return false;
  std::copy_n(pixels.pixels, static_cast<std::size_t>(pixels.width) * pixels.height, mascotPixels.pixels);
  return true;
}

// The window owns a region once it takes it; one it refuses is released.
void GiveWindowRegion(HWND hwnd, HRGN region) {
  if (!SetWindowRgn(hwnd, region, FALSE) && region != nullptr) DeleteObject(region);
}

// Gives the window its own copy of the outline, or none for a plain rectangle.
void ApplyWindowShape(HWND hwnd, HRGN shape) {
  HRGN copy = nullptr;
  if (shape != nullptr) {
    copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, shape, nullptr, RGN_COPY);
  }
  GiveWindowRegion(hwnd, copy);
}

// Builds character `index` for a monitor of `dpi` and shows it. A figure the
// system is moving (a DPI change, perhaps in a drag) stays shown while it is
// rebuilt; any other is hidden, so it changes in one step.
int LoadFigure(HWND hwnd, int index, int dpi, bool keepShown) {
  const char* name = CharacterTable[index].name;
  char settingsPath[kTextBufferSize];
  SettingsPath(settingsPath);

  Figure figure;
  bool soft = false;
  CanvasLayout layout{};
  int pictureScale = kPictureScaleDefault;
  BalloonSpot balloonAnchor{};
  ScopedBitmap mascot;
  ScopedBitmap frame;
  // Memory running out anywhere in reading and composing fails the load like
  // an unreadable picture: the previous figure stays and the clock runs on.
  try {
    if (!MakeFigure(settingsPath, name, dpi, &figure, &soft, &layout, &pictureScale, &balloonAnchor)) return 0;
    if (soft) {
      if (!MakeSoftBitmaps(figure, &mascot, &frame)) return 0;
    } else {
      const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
      mascot.reset(CreateBitmapFromPixels(screen.get(), figure.picture.view()));
    }
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!mascot) return 0;

  // From here on the load succeeds and every product is replaced.
  if (g_state.hbmMascot != nullptr) DeleteObject(g_state.hbmMascot);
  g_state.hbmMascot = mascot.release();
  if (g_state.hbmFrame != nullptr) DeleteObject(g_state.hbmFrame);
  g_state.hbmFrame = frame.release();
  g_state.fSoftFigure = soft ? 1 : 0;
  g_state.nDpi = dpi;
  g_state.dScale = DisplayScale(g_state.nSize, dpi);
  g_state.nPictureScale = pictureScale;
  g_state.nCanvasWidth = layout.width;
  g_state.nCanvasHeight = layout.height;
  g_state.nShownChara = index;
  g_state.nWindowWidth = figure.picture.width();
  g_state.nWindowHeight = figure.picture.height();
  g_state.xClockCenter = figure.xClockCenter;
  g_state.yClockCenter = figure.yClockCenter;
  g_state.xBalloonAnchor = balloonAnchor.x;
  g_state.yBalloonAnchor = balloonAnchor.y;

  if (!keepShown) ShowWindow(hwnd, SW_HIDE);
  SetWindowPos(hwnd, nullptr, 0, 0, g_state.nWindowWidth, g_state.nWindowHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS | (keepShown ? SWP_NOACTIVATE : 0));
  if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
  g_state.hrgnShape = soft ? BuildSoftShapeRegion(hwnd, figure.picture.view())
                           : BuildShapeRegion(hwnd, g_state.hbmMascot, figure.picture.view());
  // Shown with an empty outline and given its own at once: a window system
  // may take many times longer to show a window of a detailed outline (Wine
  // on X, about 100 ms for a large figure) than to give one to a window
  // already shown. Nothing of the window shows in between.
  GiveWindowRegion(hwnd, CreateRectRgn(0, 0, 0, 0));
  // Layered for a soft figure, and for a keyed one only when it is
  // see-through or lets clicks through; the window and all that hangs on it stay.
  ApplyWindowLook(hwnd);
  // A layered window shows what it was last handed: the figure goes to it
  // before it is shown.
  if (soft) PresentSoftFigure(hwnd);
  ClampToScreen(hwnd);
  if (!keepShown) ShowWindow(hwnd, SW_SHOW);
  ApplyWindowShape(hwnd, g_state.hrgnShape);
  // A keyed figure is painted whole by the next WM_PAINT. The outline was
  // given without a redraw and nothing else asks for one: a composing window
  // system keeps whatever the new window surface held (and, for a figure
  // left shown, whatever its new size and outline uncover), and only the
  // face is drawn each second.
  if (!soft) InvalidateRect(hwnd, nullptr, FALSE);

  CheckMenuRadioItem(g_state.hMenuPopup, IDM_CHARA_FIRST, IDM_CHARA_RANDOM, g_state.nChara, MF_BYCOMMAND);
  // A size outside the two is shown, and marked, as the normal one.
  const int shownSize = g_state.nSize == IDM_SIZE_SMALL ? IDM_SIZE_SMALL : IDM_SIZE_NORMAL;
  CheckMenuRadioItem(g_state.hMenuPopup, IDM_SIZE_SMALL, IDM_SIZE_NORMAL, shownSize, MF_BYCOMMAND);
  UpdateTrayTip(hwnd, name);
  return 1;
}

}  // namespace

int LoadCharacter(HWND hwnd) {
  return LoadFigure(hwnd, ChooseCharacter(g_state.nChara), WindowDpi(hwnd), false);
}

SIZE FigureSizeAtDpi(int dpi) {
  if (g_state.hbmMascot == nullptr) return {g_state.nWindowWidth, g_state.nWindowHeight};
  const double factor = PictureFactor(DisplayScale(g_state.nSize, dpi), g_state.nPictureScale);
  const WindowSize size = FigureWindowSize(g_state.nCanvasWidth, g_state.nCanvasHeight, factor);
  return {size.width, size.height};
}

void OnDpiChanged(HWND hwnd, int dpi, const RECT& suggested) {
  // The suggested place is taken as it is; its size is FigureSizeAtDpi's.
  SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // The figure shown is rebuilt, also when the choice is random.
  if (g_state.hbmMascot != nullptr) LoadFigure(hwnd, g_state.nShownChara, dpi, IsWindowVisible(hwnd) != FALSE);
}
