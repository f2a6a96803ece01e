#include <windows.h>
#include <mmsystem.h>

#include <iterator>
#include <string>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "balloon/balloon_win32.h"
#include "desktop/tray_win32.h"
#include "events/event_text.h"
#include "events/events_win32.h"
#include "events/resume_rule.h"
#include "events/time_checks.h"
#include "shared/dpi_win32.h"
#include "life/life_win32.h"
#include "events/alarms.h"
#include "shared/message_in_front_win32.h"

static_assert(kNoCountdownDeadline == kNoDeadline, "one marker for a countdown without a deadline");

namespace {

std::wstring LoadText(UINT id) {
  wchar_t text[kTextBufferSize] = {};
  (void)LoadStringW(g_hInstance, id, text, static_cast<int>(std::size(text)));
  return text;
}

constexpr wchar_t kRingIconProperty[] = L"Tavelin.RingIcon";

// The information icon drawn for the size of a large icon at `dpi`, as a
// message box on that monitor shows it; the box owns it (kRingIconProperty).
// Where the system cannot scale it, its own shared icon at the system's size.
void SetRingIcon(HWND box, int dpi) {
  using LoadIconWithScaleDownFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
  using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
  static const auto loadScaled = SystemFunction<LoadIconWithScaleDownFn>(L"comctl32.dll", "LoadIconWithScaleDown");
  static const auto metricsForDpi = SystemFunction<GetSystemMetricsForDpiFn>(L"user32.dll", "GetSystemMetricsForDpi");
  const int side = metricsForDpi != nullptr ? metricsForDpi(SM_CXICON, static_cast<UINT>(dpi))
                                            : MulDiv(GetSystemMetrics(SM_CXICON), dpi, ScreenDpi());
  HICON owned = nullptr;
  if (loadScaled == nullptr || side <= 0 || FAILED(loadScaled(nullptr, MAKEINTRESOURCEW(32516), side, side, &owned))) {
    owned = nullptr;  // 32516: IDI_INFORMATION
  }
  HICON icon = owned != nullptr ? owned : LoadIconW(nullptr, MAKEINTRESOURCEW(32516));
  SendDlgItemMessageW(box, IDC_RING_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  if (auto previous = static_cast<HICON>(RemovePropW(box, kRingIconProperty))) DestroyIcon(previous);
  if (owned != nullptr) SetPropW(box, kRingIconProperty, owned);
}

std::wstring Wide(const char* ansi) {
  wchar_t text[kTextBufferSize] = {};
  if (MultiByteToWideChar(CP_ACP, 0, ansi, -1, text, static_cast<int>(std::size(text))) == 0) text[0] = L'\0';
  return text;
}

// "7:30" or "7:30  Meeting".
std::wstring AlarmLineText(int hour, int minute, const char* label) {
  std::wstring line = ClockTimeText(hour, minute);
  if (label[0] != '\0') line += L"  " + Wide(label);
  return line;
}

// The alarms' message: the usual text, a line for each alarm, OK and the
// snooze button with the first alarm's length. Escape and the close box
// answer OK.
struct RingText {
  std::wstring title;
  std::wstring text;
  std::wstring snooze;
};

INT_PTR CALLBACK AlarmRingProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const RingText& ring = *reinterpret_cast<const RingText*>(lParam);
      SetWindowTextW(box, ring.title.c_str());
      SetDlgItemTextW(box, IDC_RING_SNOOZE, ring.snooze.c_str());
      SetRingIcon(box, WindowDpi(box));
      // The text's box grows by the lines it needs, and the dialog and its
      // buttons with it.
      HWND textBox = GetDlgItem(box, IDC_RING_TEXT);
      RECT frame;
      GetWindowRect(textBox, &frame);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&frame), 2);
      RECT needed{0, 0, frame.right - frame.left, 0};
      HDC dc = GetDC(textBox);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(textBox, WM_GETFONT, 0, 0)));
      DrawTextW(dc, ring.text.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      SelectObject(dc, old);
      ReleaseDC(textBox, dc);
      const int grow = needed.bottom - (frame.bottom - frame.top);
      SetDlgItemTextW(box, IDC_RING_TEXT, ring.text.c_str());
      if (grow > 0) {
        SetWindowPos(textBox, nullptr, 0, 0, frame.right - frame.left, needed.bottom, SWP_NOMOVE | SWP_NOZORDER);
        for (int id : {IDOK, IDC_RING_SNOOZE}) {
          HWND button = GetDlgItem(box, id);
          RECT place;
          GetWindowRect(button, &place);
          MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&place), 2);
          SetWindowPos(button, nullptr, place.left, place.top + grow, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        RECT whole;
        GetWindowRect(box, &whole);
        SetWindowPos(box, nullptr, 0, 0, whole.right - whole.left, whole.bottom - whole.top + grow,
                     SWP_NOMOVE | SWP_NOZORDER);
      }
      return TRUE;
    }
    case WM_DPICHANGED:
      SetRingIcon(box, HIWORD(wParam));
      return FALSE;  // the dialog's own scaling goes on
    case WM_DESTROY:
      if (auto icon = static_cast<HICON>(RemovePropW(box, kRingIconProperty))) DestroyIcon(icon);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_RING_SNOOZE) EndDialog(box, IDC_RING_SNOOZE);
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(box, IDOK);
      return TRUE;
    default:
      return FALSE;
  }
}

// The sound of an event and its volume. The chime is silent when its file
// cannot be played; the timer and the alarms fall back to the program's tone.
struct SoundChoice {
  const char* path;
  unsigned volume;
  UINT extraFlags;
};

SoundChoice SoundOf(EventSound sound) {
  switch (sound) {
    case EventSound::kTimer:
      return {g_state.szTimerSound, g_state.nTimerVolume, 0};
    case EventSound::kChime:
      return {g_state.szOClockSound, g_state.nOClockVolume, SND_NODEFAULT};
    case EventSound::kAlarm:
    case EventSound::kNone:
      break;
  }
  return {nullptr, 0, 0};
}

// The timer's message, read from the string table in the user's language and
// in the wide form, so it shows right whatever the system's code page.
std::wstring TimerMessageText(const EventEffects& effects) {
  wchar_t formatted[kTextBufferSize];
  wsprintfW(formatted, LoadText(static_cast<UINT>(TimerMessageTextId(effects.messageMinutes))).c_str(),
            static_cast<int>(effects.messageMinutes));
  return formatted;
}

// The full hour's words in the balloon (12-hour, as a clock strikes). The
// hour has no message without a balloon.
BalloonMessage FullHourMessage() {
  BalloonMessage message;
  const int hour = g_state.nLastHour % 12 == 0 ? 12 : g_state.nLastHour % 12;
  message.kind = BalloonKind::kFullHour;
  message.text = FillTemplate(LoadText(IDS_BALLOON_HOUR), std::to_wstring(hour));
  return message;
}

// The timer's message: in the balloon, which ends the figure's talking when
// it closes, or in a box for as long as the box is open.
void SayTimerMessage(HWND hwnd, const EventEffects& effects) {
  LifeRingStarts(hwnd);  // the figure talks and shakes while the message is open
  BalloonMessage message;
  message.kind = BalloonKind::kTimer;
  message.text = TimerMessageText(effects);
  if (g_state.fBalloon) {
    SayInBalloon(hwnd, message);
    return;
  }
  (void)MessageBoxInFront(hwnd, message.text.c_str(), LoadText(IDS_TIMER_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
  LifeRingEnds(hwnd);
}

// Called once the state that produced the effects has been stored: the
// message box runs a message loop in which further ticks and repaints check
// again. With the balloon on, the message goes to it and this returns at once.
void CarryOut(HWND hwnd, const EventEffects& event) {
  const EventEffects effects = HeardEffects(event, g_state.fMute != 0, g_state.fAside != 0);
  const SoundChoice sound = SoundOf(effects.sound);
  if (sound.path != nullptr) (void)g_system.playSound(sound.path, effects.soundFlags | sound.extraFlags, sound.volume);
  if (event.sound == EventSound::kChime) {  // the chime is on and the hour not quiet
    LifeFullHour(hwnd);
    if (g_state.fBalloon) SayInBalloon(hwnd, FullHourMessage());
  }
  if (effects.message == EventMessage::kTimerElapsed) SayTimerMessage(hwnd, effects);
  if (effects.postRandomCharacter) PostMessageA(hwnd, WM_COMMAND, IDM_CHARA_RANDOM, 0);
}

// The alarms of `ring`, a line each with its time and label.
std::wstring AlarmLines(const AlarmRing& ring) {
  std::wstring lines;
  for (int n = 0; n < ring.count; ++n) {
    const Alarm& alarm = g_state.alarms[ring.index[n]];
    int hour = 0;
    int minute = 0;
    RingTime(alarm, ring.snoozed, hour, minute);
    lines += L"\n" + AlarmLineText(hour, minute, alarm.szAlarmLabel);
  }
  return lines;
}

// `ring`'s alarms joined to those already ringing (whose balloon is still
// open), each once: a stop or a snooze answers them all.
AlarmRing JoinRings(const AlarmRing& ringing, const AlarmRing& ring) {
  AlarmRing joined = ringing;
  joined.snoozed = ring.snoozed;
  for (int n = 0; n < ring.count; ++n) {
    bool known = false;
    for (int k = 0; k < joined.count; ++k) known = known || joined.index[k] == ring.index[n];
    if (!known && joined.count < kMaxAlarms) joined.index[joined.count++] = ring.index[n];
  }
  return joined;
}

// Rings the alarms of `ring`, whose state is already stored: their sound
// loops (the first's, at its volume) until the message is answered or the
// ring limit passes; the snooze button puts them all off by the first's length.
// In the balloon the call returns at once and the balloon's answer ends it.
void RingAlarms(HWND hwnd, const AlarmRing& ring) {
  if (ring.count == 0) return;
  const AlarmRing outer = g_state.ringing;  // a ringing whose box this one opens inside
  const Alarm& first = g_state.alarms[ring.index[0]];
  if (g_state.fRingSoundOn) (void)g_system.playSound(nullptr, 0, 0);
  g_state.ringing = g_state.fBalloon ? JoinRings(outer, ring) : ring;
  g_state.qwRingStartTick = g_system.tickCount();
  g_state.fRingSoundOn = 0;
  if (!g_state.fMute) {
    (void)g_system.playSound(first.szAlarmSound, kSoundLoopFlags, first.nAlarmVolume);
    g_state.fRingSoundOn = 1;
  }
  LifeRingStarts(hwnd);  // the figure talks and shakes while the alarm rings

  if (g_state.fBalloon) {
    BalloonMessage message;
    message.kind = BalloonKind::kAlarm;
    message.text = LoadText(IDS_ALARM_REACHED) + AlarmLines(ring);
    message.snoozeMinutes = static_cast<int>(first.nAlarmSnooze);
    message.stopsSound = g_state.fRingSoundOn != 0;
    SayInBalloon(hwnd, message);
    return;
  }
  RingText text;
  text.title = LoadText(IDS_ALARM_TITLE);
  text.text = LoadText(IDS_ALARM_REACHED) + AlarmLines(ring);
  text.snooze = FillTemplate(LoadText(IDS_RING_SNOOZE), std::to_wstring(first.nAlarmSnooze));
  const unsigned snoozeMinutes = first.nAlarmSnooze;
  const bool snoozed = DialogInFront(hwnd, g_hInstance, MAKEINTRESOURCEW(IDD_ALARM_RING), AlarmRingProc,
                                     reinterpret_cast<LPARAM>(&text)) == IDC_RING_SNOOZE;
  if (snoozed) SnoozeRinging(hwnd, snoozeMinutes);
  StopRinging(hwnd);
  g_state.ringing = outer;
}

// One message for the alarms that came due in sleep, each with its time and label.
void ShowMissedAlarms(HWND hwnd, const AlarmsResume& resume) {
  if (resume.count == 0) return;
  std::wstring text;
  if (resume.count == 1) {
    const MissedAlarm& one = resume.missed[0];
    text = FillTemplate(LoadText(IDS_ALARM_MISSED),
                        AlarmLineText(one.hour, one.minute, g_state.alarms[one.index].szAlarmLabel));
  } else {
    text = LoadText(IDS_ALARMS_MISSED);
    for (int n = 0; n < resume.count; ++n) {
      const MissedAlarm& one = resume.missed[n];
      text += L"\n" + AlarmLineText(one.hour, one.minute, g_state.alarms[one.index].szAlarmLabel);
    }
  }
  if (g_state.fBalloon) {
    BalloonMessage message;
    message.kind = BalloonKind::kMissedAlarm;
    message.text = text;
    SayInBalloon(hwnd, message);
    return;
  }
  (void)MessageBoxInFront(hwnd, text.c_str(), LoadText(IDS_ALARM_TITLE).c_str(), MB_OK | MB_ICONINFORMATION);
}

LocalStamp StampOf(const SYSTEMTIME& time) {
  return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wDayOfWeek};
}

// Handles the wake at tick `now`: stores the resume's state, then carries out
// its sound and its message.
void HandleResume(HWND hwnd, std::uint64_t now, const SYSTEMTIME& time) {
  // The alarms are each stepped on their own below; here they take no part.
  const ResumeState state{{g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline},
                          {IDC_ALARM_STOP, 0, 0, 0},
                          g_state.nLastHour,
                          {}};
  const ResumeStep step = StepResume(state, StampOf(g_state.stLastCheck), StampOf(time), now);
  const AlarmsResume alarms =
      StepAlarmsResume(g_state.alarms, g_state.nAlarmCount, StampOf(g_state.stLastCheck), StampOf(time), now);
  g_state.dwTimerDeadline = step.next.countdown.dwTimerDeadline;
  g_state.nLastHour = step.next.nLastHour;
  g_state.alarms = alarms.next;
  g_state.qwLastResumeTick = now;
  g_state.qwLastCheckTick = now;
  g_state.stLastCheck = time;
  CarryOut(hwnd, step.countdownEffects);
  ShowMissedAlarms(hwnd, alarms);
}

ResumeWatch WatchOf() { return {g_state.qwLastCheckTick, g_state.qwLastResumeTick, StampOf(g_state.stLastCheck)}; }

// Every look at the time first asks whether the computer slept since the last.
void NoteCheck(HWND hwnd) {
  const std::uint64_t now = g_system.tickCount();
  SYSTEMTIME time;
  g_system.localTime(&time);
  if (CheckIsResume(WatchOf(), now)) {
    HandleResume(hwnd, now, time);
    return;
  }
  g_state.qwLastCheckTick = now;
  g_state.stLastCheck = time;
}

}  // namespace

bool AlarmsRinging() { return g_state.ringing.count > 0; }

void StopRinging(HWND hwnd) {
  if (g_state.fRingSoundOn) (void)g_system.playSound(nullptr, 0, 0);
  g_state.fRingSoundOn = 0;
  if (g_state.ringing.count > 0) LifeRingEnds(hwnd);
  g_state.ringing = AlarmRing{};
}

void SnoozeRinging(HWND hwnd, unsigned minutes) {
  SYSTEMTIME now;
  g_system.localTime(&now);
  g_state.alarms =
      SnoozeAlarms(g_state.alarms, g_state.ringing, minutes, g_system.tickCount(), now.wHour, now.wMinute);
  RefreshTrayTip(hwnd);
}

void StopRingingSound(HWND) {
  if (g_state.fRingSoundOn) (void)g_system.playSound(nullptr, 0, 0);
  g_state.fRingSoundOn = 0;
}

void ResetTimeEvents() {
  for (Alarm& alarm : g_state.alarms) CancelSnooze(alarm);
  g_state.ringing = AlarmRing{};
  g_state.fRingSoundOn = 0;
  g_state.qwLastCheckTick = 0;
  g_state.qwLastResumeTick = 0;
}

void CheckCountdown(HWND hwnd) {
  NoteCheck(hwnd);
  const CountdownStep step =
      StepCountdown({g_state.nTimerMode, g_state.nTimerMinute, g_state.dwTimerDeadline}, g_system.tickCount());
  g_state.nTimerMode = step.next.nTimerMode;
  g_state.dwTimerDeadline = step.next.dwTimerDeadline;
  CarryOut(hwnd, step.effects);

  // A ringing's sound ends after its limit; its message stays.
  if (g_state.fRingSoundOn && RingSoundExpired(g_state.qwRingStartTick, g_system.tickCount())) {
    (void)g_system.playSound(nullptr, 0, 0);
    g_state.fRingSoundOn = 0;
  }

  const AlarmsStep snoozes = StepAlarmSnoozes(g_state.alarms, g_state.nAlarmCount, g_system.tickCount());
  g_state.alarms = snoozes.next;
  RingAlarms(hwnd, snoozes.ring);
  RefreshTrayTip(hwnd);
}

void OnPowerResume(HWND hwnd) {
  const std::uint64_t now = g_system.tickCount();
  if (!MessageIsResume(WatchOf(), now)) return;
  SYSTEMTIME time;
  g_system.localTime(&time);
  HandleResume(hwnd, now, time);
}

void RunRepaintChecks(HWND hwnd, int hour, int minute, int day) {
  // A repaint that comes before the first tick after a wake handles the wake;
  // otherwise the last tick's look at the time stands, and gives the weekday.
  if (g_state.qwLastCheckTick == 0 || CheckIsResume(WatchOf(), g_system.tickCount())) NoteCheck(hwnd);
  const int weekday = WeekdayOf(day, g_state.stLastCheck.wDay, g_state.stLastCheck.wDayOfWeek);
  const AlarmsStep alarms = StepAlarms(g_state.alarms, g_state.nAlarmCount, hour, minute, day, weekday);
  g_state.alarms = alarms.next;
  RingAlarms(hwnd, alarms.ring);

  // Read afresh: a repaint nested in the alarm's box may already have seen the new hour.
  const HourlyStep hourly = StepHourly(
      {g_state.nLastHour, g_state.nOClockMode, g_state.nOClockChangeChara, g_state.nOClockQuietFrom, g_state.nOClockQuietTo},
      hour);
  g_state.nLastHour = hourly.next.nLastHour;
  CarryOut(hwnd, hourly.effects);
}
