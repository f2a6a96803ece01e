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
#include "desktop/figure_place.h"
#include "desktop/manners_win32.h"
#include "desktop/placement_win32.h"
#include "desktop/tray_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/figure_kind.h"
#include "life/life_win32.h"
#include "mascot/mascot_win32.h"
#include "mascot/pose_frames_win32.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "settings/settings_win32.h"
#include "shared/dpi_win32.h"
#include "shared/gdi_handles_win32.h"

namespace {

// A load asked for while another runs, kept in nLoadWaiting; the larger
// value outweighs the smaller.
enum class LoadWaiting {
  kNone = 0,
  kShownCharacter = 1,   // a change of size: the character shown, at the new size
  kChosenCharacter = 2,  // the character chosen (nChara)
};

bool IsNamedChoice(int nChara) { return nChara >= IDM_CHARA_FIRST && nChara <= IDM_CHARA_LAST; }

// Index into CharacterTable for nChara; a random choice draws anew each time.
int ChooseCharacter(int nChara) { return CharacterIndexForChoice(nChara, IsNamedChoice(nChara) ? 0 : g_random.Next()); }

// Reads both pictures and composes the figure for a monitor of `dpi`, soft
// when either picture is cut by alpha, with its canvas in `layout` and the
// display scale its face is shown at (SizeFigure's) in `displayScale`; false,
// with nothing made that outlives the call, when a picture is unreadable, the
// scale the pictures are drawn at is out of range or the canvas not sane.
bool MakeFigure(const char* settingsPath, const char* section, int dpi, Figure* figure, bool* soft,
                CanvasLayout* layout, int* pictureScale, double* displayScale, PoseFrameSet* poses,
                BalloonSpot* balloonAnchor) {
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
  const FigureSize size = SizeFigure(layout->width, layout->height, g_state.nSize, dpi, *pictureScale);
  *displayScale = size.displayScale;
  // The balloon's tail aims at the character's own point where its section gives one.
  constexpr int kUnset = INT_MIN;
  int xPosBalloon = kUnset, yPosBalloon = kUnset;
  ReadSettingInt(settingsPath, section, "xPosBalloon", &xPosBalloon, kUnset);
  ReadSettingInt(settingsPath, section, "yPosBalloon", &yPosBalloon, kUnset);
  const bool balloonPosition = xPosBalloon != kUnset && yPosBalloon != kUnset;
  *balloonAnchor = BalloonAnchor(layout->characterX, layout->characterY, placement.character.width, balloonPosition,
                                 xPosBalloon, yPosBalloon, size.pictureFactor);
  PoseSource poseSource;
  if (!ComposeDecodedFigure({face.pixels.view(), face.cutByAlpha}, {character.pixels.view(), character.cutByAlpha},
                            placement, size.pictureFactor, figure, soft, &poseSource)) {
    return false;
  }
  MakePoseFrames(settingsPath, section, &poseSource, figure->picture.view(), poses);
  return true;
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

// What a load makes before anything of the window changes.
struct FigureBuild {
  Figure figure;
  bool soft = false;
  CanvasLayout layout{};
  int pictureScale = kPictureScaleDefault;
  double displayScale = 0;
  BalloonSpot balloonAnchor{};
  ScopedBitmap mascot;
  ScopedBitmap frame;
  PoseFrameSet poses;
};

// Reads and composes character `index` for a monitor of `dpi` and makes its
// bitmaps. False, with nothing changed, when it cannot be made.
bool BuildFigure(int index, int dpi, FigureBuild* build) {
  char settingsPath[kTextBufferSize];
  SettingsPath(settingsPath);
  // Memory running out anywhere in reading and composing fails the load like
  // an unreadable picture: the previous figure stays and the clock runs on.
  try {
    if (!MakeFigure(settingsPath, CharacterTable[index].name, dpi, &build->figure, &build->soft, &build->layout,
                    &build->pictureScale, &build->displayScale, &build->poses, &build->balloonAnchor)) {
      return false;
    }
    if (build->soft) return MakeSoftBitmaps(build->figure, &build->mascot, &build->frame);
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    build->mascot.reset(CreateBitmapFromPixels(screen.get(), build->figure.picture.view()));
  } catch (const std::bad_alloc&) {
    return false;
  }
  return static_cast<bool>(build->mascot);
}

// The outline of a figure, soft or keyed, of `pixels` made into `mascot`,
// shown building in the progress window.
HRGN BuildOutline(HWND hwnd, bool soft, HBITMAP mascot, ConstPixelView pixels) {
  return soft ? BuildSoftShapeRegion(hwnd, pixels) : BuildShapeRegion(hwnd, mascot, pixels);
}

// From here on the load succeeds: every product is replaced by the build's.
void TakeFigure(HWND hwnd, FigureBuild* build, int index, int dpi) {
  EndMotion(hwnd);  // the window stands at its rest place while it is rebuilt
  TakePoseFrames(&build->poses);
  if (g_state.hbmMascot != nullptr) DeleteObject(g_state.hbmMascot);
  g_state.hbmMascot = build->mascot.release();
  if (g_state.hbmFrame != nullptr) DeleteObject(g_state.hbmFrame);
  g_state.hbmFrame = build->frame.release();
  g_state.fSoftFigure = build->soft ? 1 : 0;
  g_state.nDpi = dpi;
  g_state.dScale = build->displayScale;
  g_state.nPictureScale = build->pictureScale;
  g_state.nCanvasWidth = build->layout.width;
  g_state.nCanvasHeight = build->layout.height;
  g_state.nShownChara = index;
  g_state.nWindowWidth = build->figure.picture.width();
  g_state.nWindowHeight = build->figure.picture.height();
  g_state.xClockCenter = build->figure.xClockCenter;
  g_state.yClockCenter = build->figure.yClockCenter;
  g_state.xBalloonAnchor = build->balloonAnchor.x;
  g_state.yBalloonAnchor = build->balloonAnchor.y;
}

// Where a new figure's window goes: with its clock face where the shown
// figure's was; on a first start beside the notification area; otherwise
// where the window stands (a stored position, a drag).
POINT NewFigureCorner(HWND hwnd, const Figure& figure) {
  RECT window{};
  GetWindowRect(hwnd, &window);
  if (g_state.hbmMascot != nullptr) {
    const ClampedCorner corner = CornerKeepingFace({window.left, window.top},
                                                   {g_state.xClockCenter, g_state.yClockCenter},
                                                   {figure.xClockCenter, figure.yClockCenter});
    return {corner.left, corner.top};
  }
  if (g_state.fFirstPlace) return FirstFigurePlace(figure.picture.width(), figure.picture.height());
  return {window.left, window.top};
}

// Builds character `index` for a monitor of `dpi` and shows it in one step:
// hidden while it changes, shown again without taking the activation from
// the window that has it (the clock's own, when the user's command came from
// its menu or keys).
int LoadFigure(HWND hwnd, int index, int dpi) {
  FigureBuild build;
  if (!BuildFigure(index, dpi, &build)) return 0;
  EndMotion(hwnd);  // the corner is taken from the rest place, not a hop's
  const POINT corner = NewFigureCorner(hwnd, build.figure);
  TakeFigure(hwnd, &build, index, dpi);
  g_state.fFirstPlace = 0;

  // A figure standing aside behind a full-screen program is not seen, and
  // stays shown while it changes: shown again, a window may come to the top
  // of the screen (on X, a window mapped anew does) over that program.
  const bool hide = g_state.fAside == 0 || !IsWindowVisible(hwnd);
  const bool wasForeground = GetForegroundWindow() == hwnd;
  if (hide) ShowWindow(hwnd, SW_HIDE);
  SetWindowPos(hwnd, nullptr, corner.x, corner.y, g_state.nWindowWidth, g_state.nWindowHeight,
               SWP_NOZORDER | SWP_NOCOPYBITS | SWP_NOACTIVATE);
  if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
  g_state.hrgnShape = BuildOutline(hwnd, build.soft, g_state.hbmMascot, build.figure.picture.view());
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
  if (build.soft) PresentSoftFigure(hwnd);
  ClampToScreen(hwnd);
  if (hide) ShowWindow(hwnd, wasForeground ? SW_SHOW : SW_SHOWNOACTIVATE);
  // A window shown again may come to the top of its band (with the
  // activation it had, always): a figure kept at the bottom goes back there.
  if (g_state.fAside || !g_state.fTopMost) {
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  ApplyWindowShape(hwnd, g_state.hrgnShape);
  // A keyed figure is painted whole by the next WM_PAINT. The outline was
  // given without a redraw and nothing else asks for one: a composing window
  // system keeps whatever the new window surface held, and only the face is
  // drawn each second.
  if (!build.soft) InvalidateRect(hwnd, nullptr, FALSE);

  CheckMenuRadioItem(g_state.hMenuPopup, IDM_CHARA_FIRST, IDM_CHARA_RANDOM, g_state.nChara, MF_BYCOMMAND);
  // A size outside the two is shown, and marked, as the normal one.
  const int shownSize = g_state.nSize == IDM_SIZE_SMALL ? IDM_SIZE_SMALL : IDM_SIZE_NORMAL;
  CheckMenuRadioItem(g_state.hMenuPopup, IDM_SIZE_SMALL, IDM_SIZE_NORMAL, shownSize, MF_BYCOMMAND);
  UpdateTrayTip(hwnd, CharacterTable[index].name);
  return 1;
}

// The window's size on a monitor of another DPI is rarely the old size
// scaled; where the system suggests another size than the figure's (it did
// not ask for it), the figure is centred on the rectangle it suggests.
RECT PlaceInSuggested(const RECT& suggested, int width, int height) {
  const int left = suggested.left + (suggested.right - suggested.left - width) / 2;
  const int top = suggested.top + (suggested.bottom - suggested.top - height) / 2;
  return {left, top, left + width, top + height};
}

// The figure shown, rebuilt for a monitor of `dpi` and given the rectangle
// the system suggests in one move. It stays shown: the system may be moving
// it in a drag. The figure is built whole first, outline included, so that
// what the move sends (a nested DPI change among it) finds one consistent
// figure.
void ChangeFigureDpi(HWND hwnd, int dpi, const RECT& suggested) {
  FigureBuild build;
  HRGN shape = nullptr;
  if (g_state.hbmMascot != nullptr && BuildFigure(g_state.nShownChara, dpi, &build)) {
    shape = BuildOutline(hwnd, build.soft, build.mascot.get(), build.figure.picture.view());
    TakeFigure(hwnd, &build, g_state.nShownChara, dpi);
    if (g_state.hrgnShape != nullptr) DeleteObject(g_state.hrgnShape);
    g_state.hrgnShape = shape;
    ApplyWindowShape(hwnd, g_state.hrgnShape);  // without a redraw; the move makes one
    ApplyWindowLook(hwnd);
  }
  if (g_state.hbmMascot == nullptr) {
    SetWindowPos(hwnd, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  const RECT place = PlaceInSuggested(suggested, g_state.nWindowWidth, g_state.nWindowHeight);
  SetWindowPos(hwnd, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
  if (g_state.fSoftFigure) PresentSoftFigure(hwnd);
  else InvalidateRect(hwnd, nullptr, FALSE);
}

// The character a load shows: the one chosen, drawn anew for a random
// choice; for a change of size under a random choice, the one shown.
int CharacterToLoad(LoadWaiting what) {
  if (what == LoadWaiting::kShownCharacter && g_state.hbmMascot != nullptr && !IsNamedChoice(g_state.nChara)) {
    return g_state.nShownChara;
  }
  return ChooseCharacter(g_state.nChara);
}

// At most this many loads and DPI changes are run after one another for one
// request: windows that keep changing the DPI from inside the moves cannot
// keep the clock busy for ever.
constexpr int kMaxWaitingRuns = 8;

// Runs a load, and after it whatever was asked while it ran, the latest DPI
// change first. A load is never run inside another: asked meanwhile (Windows
// sends DPI changes from inside SetWindowPos), it waits.
template <typename Load>
int RunLoad(HWND hwnd, Load load) {
  g_state.fLoading = 1;
  const int result = load();
  for (int run = 0; run < kMaxWaitingRuns && (g_state.fDpiChangeWaiting || g_state.nLoadWaiting); ++run) {
    if (g_state.fDpiChangeWaiting) {
      g_state.fDpiChangeWaiting = 0;
      const RECT suggested = g_state.rcDpiWaiting;
      ChangeFigureDpi(hwnd, g_state.nDpiWaiting, suggested);
    } else {
      const auto what = static_cast<LoadWaiting>(g_state.nLoadWaiting);
      g_state.nLoadWaiting = 0;
      LoadFigure(hwnd, CharacterToLoad(what), WindowDpi(hwnd));
    }
  }
  g_state.fDpiChangeWaiting = 0;
  g_state.nLoadWaiting = 0;
  g_state.fLoading = 0;
  return result;
}

// A load asked for while another runs waits for it; a choice of character
// outweighs a change of size.
int LoadOrWait(HWND hwnd, LoadWaiting what) {
  if (g_state.fLoading) {
    g_state.nLoadWaiting = std::max(g_state.nLoadWaiting, static_cast<int>(what));
    return 0;
  }
  return RunLoad(hwnd, [&] { return LoadFigure(hwnd, CharacterToLoad(what), WindowDpi(hwnd)); });
}

}  // namespace

int LoadCharacter(HWND hwnd) { return LoadOrWait(hwnd, LoadWaiting::kChosenCharacter); }

int ChangeCharacterSize(HWND hwnd) { return LoadOrWait(hwnd, LoadWaiting::kShownCharacter); }

SIZE FigureSizeAtDpi(int dpi) {
  if (g_state.hbmMascot == nullptr) return {g_state.nWindowWidth, g_state.nWindowHeight};
  const WindowSize size =
      SizeFigure(g_state.nCanvasWidth, g_state.nCanvasHeight, g_state.nSize, dpi, g_state.nPictureScale).window;
  return {size.width, size.height};
}

void OnDpiChanged(HWND hwnd, int dpi, const RECT& suggested) {
  if (g_state.fLoading) {
    g_state.fDpiChangeWaiting = 1;
    g_state.nDpiWaiting = dpi;
    g_state.rcDpiWaiting = suggested;
    return;
  }
  RunLoad(hwnd, [&] {
    ChangeFigureDpi(hwnd, dpi, suggested);
    return 1;
  });
}
