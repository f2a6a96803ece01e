#include <windows.h>

#include <new>
#include <utility>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "desktop/placement_win32.h"
#include "desktop/tray_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "settings/settings_win32.h"
#include "shared/gdi_handles_win32.h"

namespace {

// Index into CharacterTable for nChara; a random choice draws anew each time.
int ChooseCharacter(int nChara) {
  const bool named = nChara >= IDM_CHARA_FIRST && nChara <= IDM_CHARA_LAST;
  return CharacterIndexForChoice(nChara, named ? 0 : g_random.Next());
}

// A picture file as the figure takes it: its pixels keyed, and the key.
bool LoadKeyedPicture(const char* fileName, PixelBuffer* pixels, Pixel* key) {
  DecodedPicture picture;
  if (LoadPictureFile(fileName, &picture) != PictureFault::kNone) return false;
  *key = KeyPicture(picture.pixels.view(), picture.cutByAlpha);
  *pixels = std::move(picture.pixels);
  return true;
}

// Reads both pictures and composes the figure; false, with nothing made that
// outlives the call, when a picture is unreadable or the canvas not sane.
bool MakeFigure(const char* settingsPath, const char* section, Figure* figure) {
  char fileName[kTextBufferSize];
  FigurePictures pictures{};
  PixelBuffer face;
  ReadSettingString(settingsPath, section, "FileNameFace", fileName, "");
  if (!LoadKeyedPicture(fileName, &face, &pictures.faceKey)) return false;
  PixelBuffer character;
  ReadSettingString(settingsPath, section, "FileNameChara", fileName, "");
  if (!LoadKeyedPicture(fileName, &character, &pictures.characterKey)) return false;

  pictures.face = face.view();
  pictures.character = character.view();
  ReadSettingInt(settingsPath, section, "xPosFace", &pictures.xPosFace, 0);
  ReadSettingInt(settingsPath, section, "yPosFace", &pictures.yPosFace, 0);
  ReadSettingInt(settingsPath, section, "fFaceOnChara", &pictures.fFaceOnChara, 0);
  return ComposeFigure(pictures, ScaleForSize(g_state.nSize), figure);
}

// Gives the window its own copy of the outline, or none for a plain rectangle.
void ApplyWindowShape(HWND hwnd, HRGN shape) {
  HRGN copy = nullptr;
  if (shape != nullptr) {
    copy = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(copy, shape, nullptr, RGN_COPY);
  }
  // The window owns the copy once it takes it.
  if (!SetWindowRgn(hwnd, copy, FALSE) && copy != nullptr) DeleteObject(copy);
}

}  // namespace

int LoadCharacter(HWND hwnd) {
  const char* name = CharacterTable[ChooseCharacter(g_state.nChara)].name;
  char settingsPath[kTextBufferSize];
  SettingsPath(settingsPath);

  Figure figure;
  ScopedBitmap mascot;
  // Memory running out anywhere in reading and composing fails the load like
  // an unreadable picture: the previous figure stays and the clock runs on.
  try {
    if (!MakeFigure(settingsPath, name, &figure)) return 0;
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    mascot.reset(CreateBitmapFromPixels(screen.get(), figure.picture.view()));
  } catch (const std::bad_alloc&) {
    return 0;
  }
  if (!mascot) return 0;

  // From here on the load succeeds and every product is replaced.
  if (g_state.hbmMascot != nullptr) DeleteObject(g_state.hbmMascot);
  g_state.hbmMascot = mascot.release();
  g_state.dScale = figure.dScale;
  g_state.nWindowWidth = figure.picture.width();
  g_state.nWindowHeight = figure.picture.height();
  g_state.xClockCenter = figure.xClockCenter;
  g_state.yClockCenter = figure.yClockCenter;

  ShowWindow(hwnd, SW_HIDE);
  SetWindowPos(hwnd, nullptr, 0, 0, g_state.nWindowWidth, g_state.nWindowHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOCOPYBITS);
  if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
  g_state.hrgnShape = BuildShapeRegion(hwnd, g_state.hbmMascot, figure.picture.view());
  // Shown with an empty outline and given its own at once: a window system
  // may take many times longer to show a window of a detailed outline (Wine
  // on X, about 100 ms for a large figure) than to give one to a window
  // already shown. Nothing of the window shows in between.
  SetWindowRgn(hwnd, CreateRectRgn(0, 0, 0, 0), FALSE);
  ClampToScreen(hwnd);
  ShowWindow(hwnd, SW_SHOW);
  ApplyWindowShape(hwnd, g_state.hrgnShape);

  CheckMenuRadioItem(g_state.hMenuPopup, IDM_CHARA_FIRST, IDM_CHARA_RANDOM, g_state.nChara, MF_BYCOMMAND);
  // A size outside the two is shown, and marked, as the normal one.
  const int shownSize = g_state.nSize == IDM_SIZE_SMALL ? IDM_SIZE_SMALL : IDM_SIZE_NORMAL;
  CheckMenuRadioItem(g_state.hMenuPopup, IDM_SIZE_SMALL, IDM_SIZE_NORMAL, shownSize, MF_BYCOMMAND);
  UpdateTrayTip(hwnd, name);
  return 1;
}
