#include <windows.h>
#include <windowsx.h>
#include <wtsapi32.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "clockface/clockface_win32.h"
#include "desktop/hide_on_mouse.h"
#include "desktop/placement_win32.h"
#include "events/time_checks.h"
#include "life/life_win32.h"
#include "life/motion.h"

namespace {

// GUID_CONSOLE_DISPLAY_STATE, spelled out so no library has to define it.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

struct Life {
  LifeState rule;
  Pose shown = Pose::kRest;
  PoseFrameSet frames;
  // The motion under way, the rest place it started from and the work area it keeps to.
  Motion motion = Motion::kNone;
  std::uint64_t motionStart = 0;
  ScreenBox rest{};
  ScreenBox area{};
  // What the last tick saw.
  DWORD lastInput = 0;
  bool wasIdle = false;
  bool wasQuiet = false;
  unsigned systemPauses = 0;  // locked, display off, battery saver: told by the system
  HPOWERNOTIFY displayNotice = nullptr;
  bool sessionNotice = false;
};

Life g_life;

const PoseFrame* FrameFor(Pose pose) {
  const PoseFrame* frames = g_life.frames.frame;
  switch (pose) {
    case Pose::kBlink:
      return &frames[kPoseBlink];
    case Pose::kSleep:  // asleep with the eyes closed when the kit has no sleep pose
      return frames[kPoseSleep].empty() ? &frames[kPoseBlink] : &frames[kPoseSleep];
    case Pose::kJoy:
      return &frames[kPoseJoy];
    case Pose::kTalk:
      return &frames[kPoseTalk];
    case Pose::kRest:
      break;
  }
  return nullptr;
}

RECT RectOf(Pose pose) {
  const PoseFrame* frame = FrameFor(pose);
  if (frame == nullptr || frame->empty()) return {0, 0, 0, 0};
  return {frame->left, frame->top, frame->left + frame->pixels.width(), frame->top + frame->pixels.height()};
}

// Draws the change from the pose shown to `pose`: only the rectangles of the two.
void ShowPose(HWND hwnd, Pose pose) {
  if (pose == g_life.shown) return;
  const RECT before = RectOf(g_life.shown);
  const RECT after = RectOf(pose);
  g_life.shown = pose;
  RECT dirty;
  UnionRect(&dirty, &before, &after);
  if (!IsRectEmpty(&dirty) && g_state.hbmMascot != nullptr) RedrawFigureRect(hwnd, dirty);
}

void MoveWindowBy(HWND hwnd, MotionOffset offset) {
  SetWindowPos(hwnd, nullptr, g_life.rest.left + offset.dx, g_life.rest.top + offset.dy, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
}

void StartMotion(HWND hwnd, Motion motion) {
  EndMotion(hwnd);
  RECT window;
  MONITORINFO monitor{sizeof monitor};
  if (!GetWindowRect(hwnd, &window) ||
      !GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return;
  }
  g_life.rest = {window.left, window.top, window.right, window.bottom};
  g_life.area = {monitor.rcWork.left, monitor.rcWork.top, monitor.rcWork.right, monitor.rcWork.bottom};
  g_life.motion = motion;
  g_life.motionStart = g_system.tickCount();
  SetTimer(hwnd, ID_MOTIONTIMER, kMotionStepMs, nullptr);
}

void StepMotion(HWND hwnd) {
  const std::uint64_t elapsed = g_system.tickCount() - g_life.motionStart;
  if (elapsed >= static_cast<std::uint64_t>(MotionLength(g_life.motion))) {
    EndMotion(hwnd);
    return;
  }
  const int height = g_life.rest.bottom - g_life.rest.top;
  const MotionOffset offset = OffsetAt(g_life.motion, static_cast<int>(elapsed), height, g_state.dScale);
  MoveWindowBy(hwnd, KeepWithinArea(offset, g_life.rest, g_life.area));
}

void Carry(HWND hwnd, const LifeAnswer& answer) {
  ShowPose(hwnd, answer.pose);
  if (answer.motion != Motion::kNone) StartMotion(hwnd, answer.motion);
  if (answer.nextAt == kLifeNever) {
    KillTimer(hwnd, ID_LIFETIMER);
    return;
  }
  const std::uint64_t now = g_system.tickCount();
  const std::uint64_t wait = answer.nextAt > now ? answer.nextAt - now : 0;
  SetTimer(hwnd, ID_LIFETIMER, static_cast<UINT>(wait < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : wait), nullptr);
}

void Happen(HWND hwnd, Happening what, unsigned pauses = 0) {
  if (!g_state.fAnimate) return;
  Carry(hwnd, React(&g_life.rule, what, g_system.tickCount(), g_random.Next(), pauses));
}

unsigned CurrentPauses(HWND hwnd) {
  unsigned pauses = g_life.systemPauses;
  const bool steppedBack = IsHideOnMouseActive(g_state.fTopMost, g_state.fHideOnMouse) && g_state.fRaised == 0;
  if (steppedBack || !IsWindowVisible(hwnd)) pauses |= kPauseHidden;
  if (g_state.fAside) pauses |= kPauseAside;
  return pauses;
}

void ChangePauses(HWND hwnd) {
  const unsigned pauses = CurrentPauses(hwnd);
  if (pauses != g_life.rule.pauses) Happen(hwnd, Happening::kPauses, pauses);
}

// The battery saver's flag, SystemStatusFlag: the fourth byte of the record
// (some headers still call it a reserved byte).
bool BatterySaverOn() {
  SYSTEM_POWER_STATUS status{};
  if (!GetSystemPowerStatus(&status)) return false;
  return (reinterpret_cast<const BYTE*>(&status)[3] & 1) != 0;
}

void SetSystemPause(HWND hwnd, unsigned pause, bool on) {
  g_life.systemPauses = on ? g_life.systemPauses | pause : g_life.systemPauses & ~pause;
  ChangePauses(hwnd);
}

// A fresh spell awake, the first blink a random while off.
void StartBlinking(HWND hwnd) {
  const std::uint64_t now = g_system.tickCount();
  g_life.rule = LifeState{};
  g_life.rule.nextBlink = now + kBlinkEveryMinMs + g_random.Next() % (kBlinkEveryMaxMs - kBlinkEveryMinMs + 1);
  Carry(hwnd, React(&g_life.rule, Happening::kPauses, now, g_random.Next(), CurrentPauses(hwnd)));
}

}  // namespace

void StartLife(HWND hwnd) {
  // A new window starts at rest, whatever an earlier one in this process showed.
  g_life.shown = Pose::kRest;
  g_life.rule = LifeState{};
  g_life.wasIdle = false;
  g_life.wasQuiet = false;
  g_life.sessionNotice = WTSRegisterSessionNotification(hwnd, NOTIFY_FOR_THIS_SESSION) != FALSE;
  g_life.displayNotice = RegisterPowerSettingNotification(hwnd, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  g_life.systemPauses = BatterySaverOn() ? kPauseBatterySaver : 0;
  LASTINPUTINFO input{sizeof input, 0};
  if (GetLastInputInfo(&input)) g_life.lastInput = input.dwTime;
  MarkAnimateMenu();
  if (g_state.fAnimate) StartBlinking(hwnd);
}

void StopLife(HWND hwnd) {
  EndMotion(hwnd);  // the rest place is the one stored
  KillTimer(hwnd, ID_LIFETIMER);
  if (g_life.sessionNotice) WTSUnRegisterSessionNotification(hwnd);
  if (g_life.displayNotice != nullptr) UnregisterPowerSettingNotification(g_life.displayNotice);
  g_life.sessionNotice = false;
  g_life.displayNotice = nullptr;
}

void TakePoseFrames(PoseFrameSet* frames) { g_life.frames = std::move(*frames); }

void DrawPoseOver(PixelView pixels, const RECT& rect) {
  RECT frameRect = RectOf(g_life.shown);
  RECT part;
  if (!IntersectRect(&part, &frameRect, &rect)) return;
  const ConstPixelView frame = FrameFor(g_life.shown)->pixels.view();
  for (int y = part.top; y < part.bottom; ++y) {
    const Pixel* from = frame.Row(y - frameRect.top) + (part.left - frameRect.left);
    Pixel* to = pixels.Row(y - rect.top) + (part.left - rect.left);
    std::copy_n(from, part.right - part.left, to);
  }
}

void LifeTick(HWND hwnd, int hour) {
  if (!g_state.fAnimate) return;
  ChangePauses(hwnd);
  LASTINPUTINFO input{sizeof input, 0};
  const bool known = GetLastInputInfo(&input) != FALSE;  // unknown: never idle
  if (known) {
    if (input.dwTime != g_life.lastInput && g_life.rule.asleep) Happen(hwnd, Happening::kInput);
    g_life.lastInput = input.dwTime;
  }
  const bool idle = known && IsAway(GetTickCount() - input.dwTime, false);  // 32-bit ticks: the difference wraps right
  const bool quiet = IsQuietHour(hour, g_state.nOClockQuietFrom, g_state.nOClockQuietTo);
  if ((idle && !g_life.wasIdle) || (quiet && !g_life.wasQuiet)) Happen(hwnd, Happening::kAway);
  g_life.wasIdle = idle;
  g_life.wasQuiet = quiet;
}

bool OnLifeTimer(HWND hwnd, UINT_PTR id) {
  if (id == ID_MOTIONTIMER) {
    StepMotion(hwnd);
    return true;
  }
  if (id != ID_LIFETIMER) return false;
  KillTimer(hwnd, ID_LIFETIMER);  // one shot: the answer sets the next
  Happen(hwnd, Happening::kTimer);
  return true;
}

void DragOrClick(HWND hwnd) {
  EndMotion(hwnd);
  // Where the pointer was as the button went down, and as the move loop took
  // its last message, the button's release: the messages' own positions, not
  // the pointer's now, which may have run ahead of them.
  const DWORD pressed = GetMessagePos();
  StartDrag(hwnd);  // returns when the button is released
  const DWORD released = GetMessagePos();
  const int dx = GET_X_LPARAM(released) - GET_X_LPARAM(pressed);
  const int dy = GET_Y_LPARAM(released) - GET_Y_LPARAM(pressed);
  if (std::abs(dx) < GetSystemMetrics(SM_CXDRAG) && std::abs(dy) < GetSystemMetrics(SM_CYDRAG)) {
    Happen(hwnd, Happening::kClick);
  }
}

void LifeRingStarts(HWND hwnd) { Happen(hwnd, Happening::kRingStart); }
void LifeRingEnds(HWND hwnd) { Happen(hwnd, Happening::kRingEnd); }
void LifeFullHour(HWND hwnd) { Happen(hwnd, Happening::kFullHour); }

void OnSessionChange(HWND hwnd, WPARAM change) {
  if (change == WTS_SESSION_LOCK || change == WTS_SESSION_UNLOCK) {
    SetSystemPause(hwnd, kPauseLocked, change == WTS_SESSION_LOCK);
  }
}

void OnPowerNotice(HWND hwnd, WPARAM event, LPARAM data) {
  if (event == PBT_APMPOWERSTATUSCHANGE) SetSystemPause(hwnd, kPauseBatterySaver, BatterySaverOn());
  if (event != PBT_POWERSETTINGCHANGE || data == 0) return;
  const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(data);
  if (IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) && setting->DataLength >= sizeof(DWORD)) {
    DWORD state;
    std::memcpy(&state, setting->Data, sizeof state);
    SetSystemPause(hwnd, kPauseDisplayOff, state == 0);  // 0 off, 1 on, 2 dimmed
  }
}

void ToggleAnimate(HWND hwnd) {
  g_state.fAnimate = !g_state.fAnimate;
  MarkAnimateMenu();
  if (g_state.fAnimate) {
    StartBlinking(hwnd);
    return;
  }
  KillTimer(hwnd, ID_LIFETIMER);
  EndMotion(hwnd);
  ShowPose(hwnd, Pose::kRest);
}

void MarkAnimateMenu() {
  CheckMenuItem(g_state.hMenuPopup, IDM_ANIMATE, MF_BYCOMMAND | (g_state.fAnimate ? MF_CHECKED : MF_UNCHECKED));
}

void EndMotion(HWND hwnd) {
  if (g_life.motion == Motion::kNone) return;
  KillTimer(hwnd, ID_MOTIONTIMER);
  g_life.motion = Motion::kNone;
  MoveWindowBy(hwnd, {0, 0});
}

Pose ShownPose() { return g_life.shown; }

RECT PoseFrameRect(Pose pose) { return RectOf(pose); }
