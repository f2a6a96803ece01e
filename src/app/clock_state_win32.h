// The program's one state record, read and written on the user-interface
// thread only. Choices and modes hold the identifiers of res/resource.h.
#ifndef TAVELIN_APP_CLOCK_STATE_WIN32_H
#define TAVELIN_APP_CLOCK_STATE_WIN32_H

#include <windows.h>
#include <shellapi.h>

#include <cstdint>

#include "app/random.h"
#include "events/alarms.h"
#include "resource.h"

constexpr int kTextBufferSize = 260;  // paths and sound names: at most 259 bytes

// The countdown's "no deadline": later than any tick.
constexpr std::uint64_t kNoDeadline = UINT64_MAX;

struct ClockState {
  // Stored in Tavelin.ini.
  int fTopMost;
  int fHideOnMouse;
  int nChara;
  int nSize;
  int fAsideFullScreen;  // out of the way of full-screen programs
  int fClickThrough;     // mouse events over the figure go to what lies beneath
  int nOpacity;          // percent: 100, 80, 60 or 40
  int fMute;             // no sound of the time events plays
  int nOClockMode;
  int nOClockChangeChara;
  unsigned nOClockQuietFrom;  // the chime is silent from this full hour
  unsigned nOClockQuietTo;    // up to this one; the same hour twice: never
  int nTimerMode;  // written, never read: every start begins stopped
  unsigned nTimerMinute;
  char szOClockSound[kTextBufferSize];
  char szTimerSound[kTextBufferSize];

  // Run-time only.
  std::uint64_t dwTimerDeadline;  // 64-bit tick (GetTickCount64), no wrap
  int nLastHour;
  std::uint64_t qwLastCheckTick;   // the last look at the time, to see a sleep
  SYSTEMTIME stLastCheck;
  std::uint64_t qwLastResumeTick;
  double dScale;          // the display scale: the size factor times nDpi / 96
  int nDpi;               // of the monitor the figure was built for
  int nPictureScale;      // the scale the shown pictures are drawn at, in percent
  int nCanvasWidth;       // the shown figure's canvas, in the pictures' own pixels
  int nCanvasHeight;
  int nShownChara;        // CharacterTable index of the figure shown, once there is one
  int nWindowWidth;
  int nWindowHeight;
  int xClockCenter;
  int yClockCenter;
  HBITMAP hbmMascot;
  int fSoftFigure;   // 1: the figure has soft edges and the window is layered
  HBITMAP hbmFrame;  // a soft figure's window picture: the figure with the hands
  HRGN hrgnShape;
  int fRaised;
  int fAside;            // 1 while the clock stands aside for a full-screen program
  // The monitor that held the window when it stood at rcMonitorFor, kept
  // from one tick to the next; an empty rcMonitorFor means none is known.
  RECT rcMonitorFor;
  RECT rcMonitor;
  int nWindowLayering;   // the WindowLayering the window was last given
  int fDialogOpen;
  char szModuleDir[kTextBufferSize];
  // Where GENERAL and ALARM are read from and written to, decided at start;
  // an empty write path means nothing is written.
  char szSettingsReadPath[kTextBufferSize];
  char szSettingsWritePath[kTextBufferSize];
  // The message about the settings that start-up leaves to be shown once,
  // in front, when it has finished (a SettingsNotice), and the file it names.
  int nSettingsNotice;
  char szSettingsNoticeFile[kTextBufferSize];
  HMENU hMenuPopup;
  NOTIFYICONDATAW nidTray;

  // Where the figure first stands, and loads that wait for the one under way.
  int fFirstPlace;        // no stored position: the first figure goes beside the notification area
  int fLoading;           // a load or DPI change is under way; others asked meanwhile wait
  int nLoadWaiting;       // a load asked during it (a LoadWaiting), run after it
  int fDpiChangeWaiting;  // a DPI change that came during it, run after it with:
  int nDpiWaiting;        // the latest DPI
  RECT rcDpiWaiting;      // and the rectangle suggested with it
  // The living figure (stored in GENERAL).
  int fAnimate;  // blinks, sleeps, hops and rings; 0: the still figure
  // The alarms (stored in ALARM, ALARM2 to ALARM8) and the other sounds' volumes.
  AlarmList alarms;
  int nAlarmCount;           // 1 to kMaxAlarms
  unsigned nTimerVolume;     // percent
  unsigned nOClockVolume;
  // The ringing under way: its alarms, and when its sound began.
  AlarmRing ringing;
  std::uint64_t qwRingStartTick;
  int fRingSoundOn;          // 1 while the ringing's sound plays
  // The speech balloon: messages said beside the figure instead of in boxes
  // (stored), and the point of the figure's window its tail aims at.
  int fBalloon;
  int xBalloonAnchor;
  int yBalloonAnchor;
};

extern ClockState g_state;
extern HWND g_hwndMain;
extern HINSTANCE g_hInstance;
extern RandomGenerator g_random;  // seeded from the tick at start

#endif
