// The living figure's cost, for a demo-sized and a large figure, keyed and
// soft: one pose change (the eyes closing or opening, its rectangle redrawn)
// beside the second's face update; a character load with four poses beside
// one without; and the CPU time of an idle clock over a while with
// animation on and off.
//   bench_life.exe [seconds of idle, 60 by default] [idle: that part only]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "app/system_win32.h"
#include "life/life_win32.h"
#include "mascot/mascot_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/test_pictures.h"

#include "bench_clock.h"
#include "bench_timing.h"

namespace {

struct Size {
  const char* name;
  int width;
  int height;
};
constexpr Size kSizes[] = {{"demo", 250, 350}, {"large", 1000, 1400}};

// Each read of the tick is ten seconds after the one before, so every timer
// of the living figure finds its time come.
std::uint64_t g_tick = 0;
std::uint64_t LeapingTick() { return g_tick += 10000; }

std::uint64_t ProcessCpu100ns() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return value(kernel) + value(user);
}

// The character (body `size`, face over it) and four poses: a band over its
// upper middle, a tenth of its width, keyed and soft like the character.
void WriteCharacter(const TempFolder& folder, const Size& size) {
  const PixelBuffer character = MakeTestCharacter(size.width, size.height, kBenchKey, 0x004080C0, 2, 2);
  WriteBenchPictures(folder, {{"chara", &character}});
  PixelBuffer pose;
  const int w = std::max(24, size.width / 5), h = std::max(10, size.height / 30);
  pose.Allocate(w, h, kBenchKey);
  for (int y = 2; y < h - 2; ++y)
    for (int x = 2; x < w - 2; ++x) pose.view().At(x, y) = 0x00203040 + static_cast<Pixel>(x + y);
  WriteBenchPictures(folder, {{"pose", &pose}});
  WriteFileBytes(folder.File("face.bmp"), BmpBytes(MakeTestFace().view()));
}

std::string Section(bool soft, bool poses, const Size& size) {
  const std::string ext = soft ? ".png" : ".bmp";
  std::string ini = "[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=chara" + ext +
                    "\r\nxPosFace=40\r\nyPosFace=" + std::to_string(size.height / 2) + "\r\nfFaceOnChara=1\r\n";
  if (!poses) return ini;
  for (const char* pose : {"Blink", "Sleep", "Joy", "Talk"}) {
    ini += std::string("FileName") + pose + "=pose" + ext + "\r\nxPos" + pose + "=" + std::to_string(size.width / 3) +
           "\r\nyPos" + pose + "=" + std::to_string(size.height / 6) + "\r\n";
  }
  return ini;
}

HWND StartWith(const TempFolder& folder, bool soft, bool poses, const Size& size, int animate) {
  WriteFileBytes(folder.File("Tavelin.ini"),
                 "[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\nxPosWindow=10\r\nyPosWindow=10\r\nfAnimate=" +
                     std::to_string(animate) + "\r\nfAsideFullScreen=0\r\n" + Section(soft, poses, size));
  HWND hwnd = StartQuietClock();
  if (hwnd != nullptr) PumpMessages();
  return hwnd;
}

// Median of one pose change: the life timer's answer carried out and, for a
// keyed figure, the rectangle's repaint.
double PoseChange(HWND hwnd, int repeats) { return TimerAnswer(hwnd, ID_LIFETIMER, repeats); }

void PoseAndLoad(const Size& size, bool soft) {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  WriteCharacter(folder, size);
  const SystemReadings real = g_system;
  const int repeats = size.width > 500 ? 60 : 200;

  HWND hwnd = StartWith(folder, soft, true, size, 1);
  if (hwnd == nullptr) return;
  g_system.tickCount = LeapingTick;
  const RECT eyes = PoseFrameRect(Pose::kBlink);
  const double change = PoseChange(hwnd, repeats);
  g_system = real;
  const double second = SecondUpdate(hwnd, repeats);
  // The two loads by turns in the one window, so neither comes first.
  double loadWith = 1e30, loadWithout = 1e30;
  for (int i = 0; i < 5; ++i) {
    for (bool poses : {true, false}) {
      WriteFileBytes(folder.File("Tavelin.ini"), "[GENERAL]\r\nnChara=40001\r\n" + Section(soft, poses, size));
      double& best = poses ? loadWith : loadWithout;
      best = std::min(best, BestOf(1, [&] { LoadCharacter(hwnd); }));
      PumpMessages(20);
    }
  }
  CloseClock(hwnd);

  const char* kind = soft ? "soft " : "keyed";
  std::printf("%-5s %s %4dx%-4d pose %3ldx%-3ld  pose change %.3f ms  second's update %.3f ms  ratio %.2f "
              "(target <= 1.5)\n",
              size.name, kind, size.width, size.height, eyes.right - eyes.left, eyes.bottom - eyes.top, change,
              second, change / second);
  std::printf("%-5s %s load with 4 poses %.1f ms  without %.1f ms  ratio %.2f (target <= 1.3)\n", size.name, kind,
              loadWith, loadWithout, loadWith / loadWithout);
}

// CPU time of the clock over `seconds` of ordinary running.
double IdleCpuPercent(bool soft, int animate, int seconds) {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  WriteCharacter(folder, kSizes[0]);
  HWND hwnd = StartWith(folder, soft, true, kSizes[0], animate);
  if (hwnd == nullptr) return -1;
  // Someone is there: a display without any input yet would send the figure
  // to sleep at its first tick, and a sleeping figure does not blink.
  INPUT nudge{};
  nudge.type = INPUT_MOUSE;
  nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &nudge, sizeof nudge);
  PumpMessages();
  const std::uint64_t before = ProcessCpu100ns();
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  MSG msg;
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  const double used = static_cast<double>(ProcessCpu100ns() - before) / 1e4;  // ms
  CloseClock(hwnd);
  return 100.0 * used / (seconds * 1000.0);
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(5, std::atoi(argv[1])) : 60;
  const bool idleOnly = argc > 2 && std::string(argv[2]) == "idle";
  for (const Size& size : kSizes) {
    if (idleOnly) break;
    for (bool soft : {false, true}) PoseAndLoad(size, soft);
  }
  for (bool soft : {false, true}) {
    const double on = IdleCpuPercent(soft, 1, seconds);
    const double off = IdleCpuPercent(soft, 0, seconds);
    std::printf("idle %s demo figure over %d s: animation on %.3f %% of a core, off %.3f %%, on adds %.3f %% "
                "(target <= %s)\n",
                soft ? "soft " : "keyed", seconds, on, off, on - off, soft ? "0.15" : "0.03");
  }
  return 0;
}
