#include "app/app_win32.h"
#include "app/clock_state_win32.h"
#include "balloon/balloon_win32.h"
#include "clockface/clockface_win32.h"
#include "desktop/manners_win32.h"
#include "desktop/placement_win32.h"
#include "desktop/start_with_windows_win32.h"
#include "desktop/tray_win32.h"
#include "dialog/alarm_dialog_win32.h"
#include "events/events_win32.h"
#include "life/life_win32.h"
#include "mascot/mascot_win32.h"
#include "settings/settings_win32.h"
#include "shared/dpi_win32.h"

namespace {

void CloseClock(HWND hwnd) {
  ShutdownClock(hwnd);
  DestroyWindow(hwnd);
}

// The command table. Menu items, accelerators and the program's own commands
// arrive alike: only the command's identifier counts.
bool OnCommand(HWND hwnd, int command) {
  switch (command) {
    case IDM_TOPMOST:
      g_state.fTopMost = !g_state.fTopMost;
      ApplyStacking(hwnd);
      return true;
    case IDM_HIDEONMOUSE:
      g_state.fHideOnMouse = !g_state.fHideOnMouse;
      ApplyStacking(hwnd);
      return true;
    case IDM_ASIDEFULLSCREEN:
      g_state.fAsideFullScreen = !g_state.fAsideFullScreen;
      MarkMannersMenu();
      AsideCheck(hwnd);  // at once, not at the next tick
      return true;
    case IDM_CLICKTHROUGH:
      g_state.fClickThrough = !g_state.fClickThrough;
      ChangeWindowLook(hwnd);
      ApplyStacking(hwnd);  // hide-on-mouse is grayed while clicks pass through
      return true;
    case IDM_OPACITY_100:
    case IDM_OPACITY_80:
    case IDM_OPACITY_60:
    case IDM_OPACITY_40:
      g_state.nOpacity = command - IDM_OPACITY_BASE;
      ChangeWindowLook(hwnd);
      MarkMannersMenu();
      return true;
    case IDM_MUTE:
      ToggleMute(hwnd);
      return true;
    case IDM_ANIMATE:
      ToggleAnimate(hwnd);
      return true;
    case IDM_EXIT:
      PostMessageA(hwnd, WM_CLOSE, 0, 0);
      return true;
    case IDM_BALLOON:
      ToggleBalloon(hwnd);
      return true;
    case IDM_BALLOON_STOP:
    case IDM_BALLOON_SNOOZE:
      AnswerBalloonAlarm(hwnd, command == IDM_BALLOON_SNOOZE);
      return true;
    case IDM_CHARA_RANDOM:  // draws anew on every use
      g_state.nChara = command;
      LoadCharacter(hwnd);
      return true;
    case IDM_ALARMSETTINGS:
      OpenAlarmDialog(hwnd);
      return true;
    case IDM_STARTWITHWINDOWS:
      ToggleStartWithWindows(hwnd);
      return true;
    case IDM_SIZE_SMALL:
    case IDM_SIZE_NORMAL:
      if (command != g_state.nSize) {
        g_state.nSize = command;
        ChangeCharacterSize(hwnd);
      }
      return true;
    default:
      if (command >= IDM_CHARA_FIRST && command <= IDM_CHARA_LAST) {
        if (command != g_state.nChara) {
          g_state.nChara = command;
          LoadCharacter(hwnd);
        }
        return true;
      }
      return false;
  }
}

}  // namespace

LRESULT CALLBACK ClockWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // A registered message has no constant value, so it is tested before the switch.
  if (message == TaskbarCreatedMessage() && message != 0) {
    RestoreTrayIcon(hwnd);
    return 0;
  }
  switch (message) {
    case WM_CREATE:
      g_hwndMain = hwnd;
      return InitializeClock(hwnd) ? 0 : -1;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      RepaintClock(hwnd);
      return 0;
    case WM_CLOSE:
      CloseClock(hwnd);
      return 0;
    case WM_ENDSESSION:
      // A false flag means the logoff was cancelled: the clock runs on.
      if (wParam) CloseClock(hwnd);
      return 0;
    case WM_POWERBROADCAST:
      if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) OnPowerResume(hwnd);
      OnPowerNotice(hwnd, wParam, lParam);
      return TRUE;
    case WM_WTSSESSION_CHANGE:
      OnSessionChange(hwnd, wParam);
      return 0;
    case WM_DISPLAYCHANGE:
      ForgetMonitor();
      ClampToScreen(hwnd);
      return 0;
    case WM_GETDPISCALEDSIZE:
      // The figure's size is its canvas at the new scale, not the old size
      // scaled: answered, the system suggests the real one.
      *reinterpret_cast<SIZE*>(lParam) = FigureSizeAtDpi(LOWORD(wParam));
      return TRUE;
    case WM_DPICHANGED:
      // A change of scale may come with another size for the tray icon too.
      RefreshTrayIcon(hwnd);
      ForgetMonitor();
      OnDpiChanged(hwnd, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return 0;
    case WM_SETTINGCHANGE:
      RefreshTrayIcon(hwnd);  // the system's metrics may have changed with its scale
      break;
    case WM_ACTIVATEAPP:
      RedrawClockFace(hwnd);  // the hands change colour
      return 0;
    case WM_TIMER:
      if (OnLifeTimer(hwnd, wParam)) return 0;
      AsideCheck(hwnd);  // first, so that the full hour knows whether to chime
      CheckCountdown(hwnd);
      RaiseCheck(hwnd);
      // The face, then the alarm and the full hour, with or without a figure;
      // the figure's life with the same reading of the time.
      LifeTick(hwnd, TickClockFace(hwnd));
      return 0;
    case WM_COMMAND:
      if (OnCommand(hwnd, LOWORD(wParam))) return 0;
      break;
    case WM_WINDOWPOSCHANGED:
      FollowFigure(hwnd);  // moved, resized or restacked: the balloon goes with it
      break;
    case WM_MOUSEMOVE:
      LowerOnMouseMove(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      DragOrClick(hwnd);
      return 0;
    case WM_LBUTTONDBLCLK:
      SendMessageA(hwnd, WM_COMMAND, IDM_ALARMSETTINGS, 0);
      return 0;
    case WM_RBUTTONDOWN:
      ShowPopupMenu(hwnd);
      return 0;
    case WM_TRAYNOTIFY:
      return OnTrayNotify(hwnd, lParam);
    case WM_SETTINGSNOTICE:
      ShowSettingsNotice(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}
