#include "balloon/balloon_win32.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "balloon/balloon_layout.h"
#include "balloon/balloon_picture.h"
#include "balloon/balloon_place.h"
#include "events/event_text.h"
#include "events/events_win32.h"
#include "life/life_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/mascot_win32.h"
#include "mascot/soft_figure.h"
#include "shared/dpi_win32.h"
#include "shared/gdi_handles_win32.h"

namespace {

constexpr UINT_PTR kBalloonTimer = 20;

// What the balloon shows now, laid out for its window.
struct Shown {
  HWND hwnd = nullptr;
  HWND clock = nullptr;
  std::uint64_t shownAt = 0;
  bool soundStopped = false;
  BalloonButton pressed = BalloonButton::kNone;
  BalloonButton hot = BalloonButton::kNone;
  bool tracking = false;
  // Window pixels of the buttons, for the pointer.
  BalloonBox buttonBoxes[2] = {};
  BalloonButton buttonKinds[2] = {BalloonButton::kNone, BalloonButton::kNone};
  RECT lastFigure = {};
  POINT lastAnchor = {};
  int lastDpi = 0;
  BalloonSize lastSize = {};
  BalloonPlacement lastPlacement;
};

BalloonQueue g_queue;
Shown g_shown;

std::wstring LoadText(UINT id) {
  wchar_t text[kTextBufferSize] = {};
  (void)LoadStringW(g_hInstance, id, text, static_cast<int>(std::size(text)));
  return text;
}

std::wstring ButtonText(BalloonButton button, const BalloonMessage& message) {
  switch (button) {
    case BalloonButton::kSnooze:
      return FillTemplate(LoadText(IDS_BALLOON_SNOOZE), std::to_wstring(message.snoozeMinutes));
    case BalloonButton::kStop:
      return LoadText(IDS_BALLOON_STOP);
    case BalloonButton::kOk:
      return LoadText(IDS_BALLOON_OK);
    case BalloonButton::kNone:
      break;
  }
  return {};
}

// The system's message font at `dpi`: from the metrics for that DPI where the
// system has them (Windows 10 1607 on), else the system's, scaled.
HFONT CreateMessageFont(int dpi) {
  using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
  static const auto parametersForDpi =
      SystemFunction<ParametersForDpiFn>(L"user32.dll", "SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  bool ok = parametersForDpi != nullptr &&
            parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi));
  if (!ok) {
    ok = SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0;
    if (ok) metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, ScreenDpi());
  }
  if (!ok) {
    metrics.lfMessageFont = LOGFONTW{};
    metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
    metrics.lfMessageFont.lfCharSet = DEFAULT_CHARSET;
  }
  // The text lies on an opaque fill but in a layered window: grey smoothing
  // reads right on every monitor, whatever order its sub-pixels have.
  metrics.lfMessageFont.lfQuality = ANTIALIASED_QUALITY;
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

RECT FigureRect(HWND clock) {
  RECT rc{};
  GetWindowRect(clock, &rc);
  return rc;
}

BalloonBox WorkArea(HWND clock) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HMONITOR monitor = MonitorFromWindow(clock, MONITOR_DEFAULTTONEAREST);
  if (GetMonitorInfoW(monitor, &info))
    return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
  return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

COLORREF ColourRefOf(Pixel pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

// Draws the shown message beside the figure and hands it to the window:
// placement, shape, buttons, text, then one UpdateLayeredWindow.
void Present() {
  const BalloonMessage* message = g_queue.Shown();
  if (message == nullptr || g_shown.hwnd == nullptr) return;
  const HWND clock = g_shown.clock;
  const int dpi = WindowDpi(clock);
  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  const ScopedMemoryDC dc(screen.get());
  ScopedGdiObject<HFONT> font(CreateMessageFont(dpi));
  const ScopedSelectObject selectFont(dc.get(), font.get());

  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  const std::vector<std::wstring> lines = WrapBalloonText(message->text);
  BalloonLayoutInput input;
  input.dpi = dpi;
  input.lineHeight = metrics.tmHeight;
  for (const std::wstring& line : lines) {
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), line.c_str(), static_cast<int>(line.size()), &extent);
    input.lineWidths.push_back(extent.cx);
  }
  const BalloonButtons buttons = ButtonsOf(message->kind);
  const BalloonButton kinds[2] = {buttons.first, buttons.second};
  std::wstring labels[2];
  input.buttonCount = buttons.count();
  for (int i = 0; i < input.buttonCount; ++i) {
    labels[i] = ButtonText(kinds[i], *message);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), labels[i].c_str(), static_cast<int>(labels[i].size()), &extent);
    input.buttonTextWidths[i] = extent.cx;
  }
  const BalloonLayout layout = LayOutBalloon(input);

  const RECT figure = FigureRect(clock);
  const BalloonSpot anchor{figure.left + g_state.xBalloonAnchor, figure.top + g_state.yBalloonAnchor};
  const BalloonPlacement placement =
      PlaceBalloon({figure.left, figure.top, figure.right, figure.bottom}, anchor, layout.size, WorkArea(clock));
  g_shown.lastFigure = figure;
  g_shown.lastAnchor = {anchor.x, anchor.y};
  g_shown.lastDpi = dpi;
  g_shown.lastSize = layout.size;
  g_shown.lastPlacement = placement;

  const int width = placement.window.width();
  const int height = placement.window.height();
  PixelView pixels;
  ScopedBitmap bitmap(CreatePixelSection(width, height, &pixels));
  if (!bitmap) return;
  const BalloonColours colours = DefaultBalloonColours();
  const BalloonShape shape = ShapeOfPlacement(placement, layout.size.cornerRadius, layout.outline);
  DrawBalloonShape(pixels, shape, colours.fill, colours.edge);
  const int bodyX = placement.body.left - placement.window.left;
  const int bodyY = placement.body.top - placement.window.top;
  for (int i = 0; i < input.buttonCount; ++i) {
    const BalloonBox& b = layout.buttons[i];
    g_shown.buttonBoxes[i] = {b.left + bodyX, b.top + bodyY, b.right + bodyX, b.bottom + bodyY};
    g_shown.buttonKinds[i] = kinds[i];
    DrawBalloonButton(pixels, g_shown.buttonBoxes[i], layout.size.cornerRadius / 2.0, layout.outline,
                      kinds[i] == g_shown.hot ? colours.buttonHot : colours.button, colours.edge);
  }
  for (int i = input.buttonCount; i < 2; ++i) g_shown.buttonKinds[i] = BalloonButton::kNone;

  // GDI writes text with no alpha: the opaque pixels beneath are remembered
  // and made opaque again after it.
  std::vector<bool> opaque(static_cast<std::size_t>(width) * height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) opaque[static_cast<std::size_t>(y) * width + x] = (pixels.At(x, y) >> 24) == 255;
  {
    const ScopedSelectObject select(dc.get(), bitmap.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), ColourRefOf(colours.text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
      TextOutW(dc.get(), bodyX + layout.text.left, bodyY + layout.text.top + static_cast<int>(i) * metrics.tmHeight,
               lines[i].c_str(), static_cast<int>(lines[i].size()));
    }
    for (int i = 0; i < input.buttonCount; ++i) {
      RECT rc{g_shown.buttonBoxes[i].left, g_shown.buttonBoxes[i].top, g_shown.buttonBoxes[i].right,
              g_shown.buttonBoxes[i].bottom};
      DrawTextW(dc.get(), labels[i].c_str(), static_cast<int>(labels[i].size()), &rc,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    GdiFlush();
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (opaque[static_cast<std::size_t>(y) * width + x]) pixels.At(x, y) |= 0xFF000000u;

    POINT origin{placement.window.left, placement.window.top};
    SIZE size{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    (void)UpdateLayeredWindow(g_shown.hwnd, screen.get(), &origin, &size, dc.get(), &source, 0, &blend, ULW_ALPHA);
  }

  // Its outline as a region too: where nothing composes the window still
  // shows whole in its shape, and a click beside it reaches what lies beneath.
  const HRGN region = CreateRegionFromRuns(FindAlphaRuns(pixels));
  if (region != nullptr && !SetWindowRgn(g_shown.hwnd, region, FALSE)) DeleteObject(region);
  // Above other programs, even when the figure is at the bottom or aside;
  // shown, never activated.
  SetWindowPos(g_shown.hwnd, HWND_TOPMOST, placement.window.left, placement.window.top, width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

// Whether two placements draw the same picture: the same side, size, and
// body and tail within the window; only where the window stands may differ.
bool SamePicture(const BalloonPlacement& a, const BalloonPlacement& b) {
  auto relative = [](const BalloonPlacement& p, BalloonSpot spot) {
    return BalloonSpot{spot.x - p.window.left, spot.y - p.window.top};
  };
  auto same = [](BalloonSpot u, BalloonSpot v) { return u.x == v.x && u.y == v.y; };
  return a.side == b.side && a.hasTail == b.hasTail && a.window.width() == b.window.width() &&
         a.window.height() == b.window.height() &&
         same(relative(a, {a.body.left, a.body.top}), relative(b, {b.body.left, b.body.top})) &&
         (!a.hasTail || (same(relative(a, a.tip), relative(b, b.tip)) &&
                         same(relative(a, a.tailFrom), relative(b, b.tailFrom))));
}

BalloonButton ButtonAt(LPARAM lParam) {
  const int x = static_cast<short>(LOWORD(lParam));
  const int y = static_cast<short>(HIWORD(lParam));
  for (int i = 0; i < 2; ++i) {
    const BalloonBox& b = g_shown.buttonBoxes[i];
    if (g_shown.buttonKinds[i] != BalloonButton::kNone && x >= b.left && x < b.right && y >= b.top && y < b.bottom)
      return g_shown.buttonKinds[i];
  }
  return BalloonButton::kNone;
}

void ScheduleCheck() {
  const BalloonMessage* message = g_queue.Shown();
  if (message == nullptr || g_shown.hwnd == nullptr) return;
  const std::uint64_t now = g_system.tickCount();
  const BalloonTimeStep step = StepBalloonTime(message->kind, g_shown.shownAt, now, g_shown.soundStopped);
  if (step.nextCheck == UINT64_MAX) {
    KillTimer(g_shown.hwnd, kBalloonTimer);
    return;
  }
  const std::uint64_t wait = step.nextCheck > now ? step.nextCheck - now : 0;
  SetTimer(g_shown.hwnd, kBalloonTimer, static_cast<UINT>(std::min<std::uint64_t>(wait + 1, 0x7FFFFFFF)), nullptr);
}

LRESULT CALLBACK BalloonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

bool RegisterBalloonClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BalloonProc;
  wc.hInstance = g_hInstance;
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.lpszClassName = kBalloonClassName;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

// Shows the message the queue holds as shown, in a window made for it.
void ShowCurrent(HWND clock) {
  const BalloonMessage* message = g_queue.Shown();
  if (message == nullptr) return;
  if (g_shown.hwnd == nullptr) {
    if (!RegisterBalloonClass()) return;
    // A tool window: no task-bar button; never activated, not by a click either.
    g_shown.hwnd = CreateWindowExW(WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOPMOST | WS_EX_TOOLWINDOW,
                                   kBalloonClassName, L"", WS_POPUP, 0, 0, 1, 1, clock, nullptr, g_hInstance, nullptr);
    if (g_shown.hwnd == nullptr) return;
  }
  g_shown.clock = clock;
  g_shown.shownAt = g_system.tickCount();
  g_shown.soundStopped = !message->stopsSound;
  g_shown.pressed = g_shown.hot = BalloonButton::kNone;
  // A screen reader reads the window's text.
  SetWindowTextW(g_shown.hwnd, message->text.c_str());
  Present();
  ScheduleCheck();
}

// The shown balloon closes; the next waiting one, if any, takes its place.
void CloseShown() {
  if (g_shown.hwnd != nullptr) {
    KillTimer(g_shown.hwnd, kBalloonTimer);
    ShowWindow(g_shown.hwnd, SW_HIDE);
  }
  if (g_queue.CloseShown(g_state.fAside != 0) != nullptr) ShowCurrent(g_shown.clock);
}

void StopSound() {
  if (g_shown.soundStopped) return;
  g_shown.soundStopped = true;
  StopRingingSound(g_shown.clock);
}

// A snooze puts the ringing alarms off by the shown one's length; a closing
// alarm's balloon ends the ringing, a timer's the figure's talking.
void Carry(const BalloonAction& action) {
  const BalloonMessage* shown = g_queue.Shown();
  if (action.snooze && shown != nullptr) SnoozeRinging(g_shown.clock, static_cast<unsigned>(shown->snoozeMinutes));
  if (action.stopSound) StopSound();
  if (action.close && shown != nullptr) {
    if (shown->kind == BalloonKind::kAlarm) StopRinging(g_shown.clock);
    if (shown->kind == BalloonKind::kTimer) LifeRingEnds(g_shown.clock);
  }
  if (action.close) CloseShown();
}

void OnMouseMove(HWND hwnd, LPARAM lParam) {
  if (!g_shown.tracking) {
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
    g_shown.tracking = TrackMouseEvent(&track) != 0;
  }
  const BalloonButton hot = ButtonAt(lParam);
  if (hot == g_shown.hot) return;
  g_shown.hot = hot;
  Present();
}

LRESULT CALLBACK BalloonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      g_shown.pressed = ButtonAt(lParam);
      return 0;
    case WM_LBUTTONUP: {
      const BalloonButton button = ButtonAt(lParam);
      const bool same = button == g_shown.pressed;
      g_shown.pressed = BalloonButton::kNone;
      const BalloonMessage* shown = g_queue.Shown();
      if (same && shown != nullptr) Carry(ActionOfClick(shown->kind, button));
      return 0;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(hwnd, lParam);
      return 0;
    case WM_MOUSELEAVE:
      g_shown.tracking = false;
      if (g_shown.hot != BalloonButton::kNone) {
        g_shown.hot = BalloonButton::kNone;
        Present();
      }
      return 0;
    case WM_TIMER:
      if (wParam == kBalloonTimer) {
        const BalloonMessage* shown = g_queue.Shown();
        if (shown == nullptr) return 0;
        const BalloonTimeStep step =
            StepBalloonTime(shown->kind, g_shown.shownAt, g_system.tickCount(), g_shown.soundStopped);
        if (step.stopSound) StopSound();
        if (step.close) {
          CloseShown();
        } else {
          ScheduleCheck();
        }
      }
      return 0;
    case WM_NCDESTROY:
      if (g_shown.hwnd == hwnd) g_shown.hwnd = nullptr;
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void InsertItem(HMENU menu, UINT position, UINT id, UINT textId) {
  const std::wstring text = LoadText(textId);
  InsertMenuW(menu, position, MF_BYPOSITION | MF_STRING, id, text.c_str());
}

bool g_menuItemsAdded = false;

}  // namespace

void SayInBalloon(HWND clock, const BalloonMessage& message) {
  // A balloon whose window went (its owner was destroyed, or it could not be
  // made) holds up nothing that comes after it.
  if (g_shown.hwnd == nullptr) g_queue.Clear();
  g_shown.clock = clock;
  if (g_queue.Add(message, g_state.fAside != 0)) ShowCurrent(clock);
}

void FollowFigure(HWND clock) {
  if (g_shown.hwnd == nullptr || g_queue.Shown() == nullptr || clock != g_shown.clock) return;
  const RECT figure = FigureRect(clock);
  const bool same = EqualRect(&figure, &g_shown.lastFigure) &&
                    g_shown.lastAnchor.x == figure.left + g_state.xBalloonAnchor &&
                    g_shown.lastAnchor.y == figure.top + g_state.yBalloonAnchor && g_shown.lastDpi == WindowDpi(clock);
  if (same) {
    // Only the stacking may have changed: back above the others.
    SetWindowPos(g_shown.hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return;
  }
  // Dragged: where the picture stays the same, the window only moves with
  // the figure, without drawing it again.
  const BalloonSpot anchor{figure.left + g_state.xBalloonAnchor, figure.top + g_state.yBalloonAnchor};
  if (g_shown.lastDpi == WindowDpi(clock)) {
    const BalloonPlacement placement = PlaceBalloon({figure.left, figure.top, figure.right, figure.bottom}, anchor,
                                                    g_shown.lastSize, WorkArea(clock));
    if (SamePicture(placement, g_shown.lastPlacement)) {
      SetWindowPos(g_shown.hwnd, HWND_TOPMOST, placement.window.left, placement.window.top, 0, 0,
                   SWP_NOSIZE | SWP_NOACTIVATE);
      g_shown.lastFigure = figure;
      g_shown.lastAnchor = {anchor.x, anchor.y};
      g_shown.lastPlacement = placement;
      return;
    }
  }
  Present();
}

bool BalloonAlarmRings() {
  const BalloonMessage* shown = g_queue.Shown();
  return shown != nullptr && shown->kind == BalloonKind::kAlarm && g_shown.hwnd != nullptr;
}

void AnswerBalloonAlarm(HWND, bool snooze) {
  if (!BalloonAlarmRings()) return;
  Carry(ActionOfClick(BalloonKind::kAlarm, snooze ? BalloonButton::kSnooze : BalloonButton::kStop));
}

void ToggleBalloon(HWND) {
  g_state.fBalloon = !g_state.fBalloon;
  CheckMenuItem(g_state.hMenuPopup, IDM_BALLOON, MF_BYCOMMAND | (g_state.fBalloon ? MF_CHECKED : MF_UNCHECKED));
}

void PrepareBalloonMenu(HMENU menu) {
  CheckMenuItem(menu, IDM_BALLOON, MF_BYCOMMAND | (g_state.fBalloon ? MF_CHECKED : MF_UNCHECKED));
  if (!BalloonAlarmRings() || g_menuItemsAdded) return;
  InsertItem(menu, 0, IDM_BALLOON_STOP, IDS_BALLOON_MENU_STOP);
  InsertItem(menu, 1, IDM_BALLOON_SNOOZE, IDS_BALLOON_MENU_SNOOZE);
  InsertMenuW(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
  SetMenuDefaultItem(menu, IDM_BALLOON_STOP, FALSE);
  g_menuItemsAdded = true;
}

void RestoreBalloonMenu(HMENU menu) {
  if (!g_menuItemsAdded) return;
  DeleteMenu(menu, IDM_BALLOON_STOP, MF_BYCOMMAND);
  DeleteMenu(menu, IDM_BALLOON_SNOOZE, MF_BYCOMMAND);
  DeleteMenu(menu, 0, MF_BYPOSITION);  // the separator, now first
  SetMenuDefaultItem(menu, static_cast<UINT>(-1), FALSE);
  g_menuItemsAdded = false;
}

void DestroyBalloon() {
  g_queue.Clear();
  if (g_shown.hwnd != nullptr) DestroyWindow(g_shown.hwnd);
  g_shown = Shown{};
  g_menuItemsAdded = false;
}

HWND BalloonWindow() { return g_queue.Shown() != nullptr ? g_shown.hwnd : nullptr; }

RECT BalloonButtonRect(BalloonButton button) {
  for (int i = 0; i < 2; ++i) {
    const BalloonBox& b = g_shown.buttonBoxes[i];
    if (BalloonWindow() != nullptr && button != BalloonButton::kNone && g_shown.buttonKinds[i] == button)
      return {b.left, b.top, b.right, b.bottom};
  }
  return {};
}
