// CPU time of a running clock over one minute, with a keyed and with a soft
// demo-sized figure, beside a bare window with a one-second timer. All three
// run at once as child processes of this one, under the same Wine; each
// measures its own process time over the minute.
//   bench_idle_cpu.exe [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/clock_state_win32.h"
#include "mascot/mascot_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/test_pictures.h"

namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 350;

std::uint64_t ProcessCpu100ns() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return value(kernel) + value(user);
}

void CALLBACK EndRun(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

struct Usage {
  std::uint64_t cpu100ns;      // process time, kernel + user (Wine counts it in 10 ms steps)
  std::uint64_t dispatch100ns;  // wall time spent inside DispatchMessage
};

// Pumps this thread's messages for the given time and says what that cost.
Usage PumpFor(int seconds) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  std::int64_t dispatchTicks = 0;
  const std::uint64_t before = ProcessCpu100ns();
  UINT_PTR timer = SetTimer(nullptr, 0, static_cast<UINT>(seconds) * 1000u, EndRun);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    QueryPerformanceCounter(&end);
    dispatchTicks += end.QuadPart - start.QuadPart;
  }
  KillTimer(nullptr, timer);
  return {ProcessCpu100ns() - before,
          static_cast<std::uint64_t>(dispatchTicks * 10000000.0 / static_cast<double>(frequency.QuadPart))};
}

// A demo-sized character loaded through the clock: keyed (BMP) or soft (the
// same drawing as PNG with a soft edge).
Usage RunClock(int seconds, bool soft) {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  constexpr Pixel kKey = 0x0000FF00;
  const PixelBuffer character = MakeTestCharacter(kWidth, kHeight, kKey, 0x004080C0, 2, 2);
  PngForm rgba;
  rgba.colourType = kPngRgbAlpha;
  WriteFileBytes(folder.File("face.bmp"), BmpBytes(MakeTestFace().view()));
  WriteFileBytes(folder.File("chara.bmp"), BmpBytes(character.view()));
  WriteFileBytes(folder.File("chara.png"), PngBytes(SoftenKeyedPicture(character.view(), kKey).view(), rgba));
  WriteFileBytes(folder.File("Tavelin.ini"), std::string("[GENERAL]\r\nnChara=40001\r\nnSize=42002\r\n"
                                                         "xPosWindow=20\r\nyPosWindow=20\r\n[Aduvi]\r\n"
                                                         "FileNameFace=face.bmp\r\nFileNameChara=") +
                                                 (soft ? "chara.png" : "chara.bmp") +
                                                 "\r\nxPosFace=50\r\nyPosFace=60\r\nfFaceOnChara=1\r\n");
  HWND hwnd = StartClock();
  if (hwnd == nullptr || g_state.hbmMascot == nullptr) return {};
  g_state.nOClockChangeChara = 0;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  PumpMessages();
  const Usage used = PumpFor(seconds);
  CloseClock(hwnd);
  return used;
}

LRESULT CALLBACK BareProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_TIMER) return 0;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

Usage RunBare(int seconds) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = BareProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "BareBenchWindow";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "bare", WS_POPUP | WS_VISIBLE, 300, 20, kWidth,
                              kHeight, nullptr, nullptr, wc.hInstance, nullptr);
  if (hwnd == nullptr) return {};
  SetTimer(hwnd, 1, 1000, nullptr);
  PumpMessages();
  const Usage used = PumpFor(seconds);
  DestroyWindow(hwnd);
  return used;
}

HANDLE StartChild(const char* role, int seconds, const std::string& resultFile) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" " + role + " " + std::to_string(seconds) + " \"" +
                        resultFile + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return nullptr;
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The two figures of a child's result file, in milliseconds; false if it left none.
bool ReadUsage(const std::string& file, double* cpuMs, double* dispatchMs) {
  const std::string text = ReadFileBytes(file);
  if (text.empty()) return false;
  char* rest = nullptr;
  *cpuMs = std::strtoull(text.c_str(), &rest, 10) / 10000.0;
  *dispatchMs = std::strtoull(rest, nullptr, 10) / 10000.0;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4) {  // a child: "--keyed", "--soft" or "--bare", seconds, result file
    const int seconds = std::atoi(argv[2]);
    const std::string role = argv[1];
    const Usage used = role == "--bare" ? RunBare(seconds) : RunClock(seconds, role == "--soft");
    WriteFileBytes(argv[3], std::to_string(used.cpu100ns) + " " + std::to_string(used.dispatch100ns));
    return 0;
  }
  const int seconds = argc >= 2 ? std::atoi(argv[1]) : 60;
  TempFolder results;
  const char* roles[] = {"--keyed", "--soft", "--bare"};
  const char* names[] = {"clock, keyed figure", "clock, soft figure", "bare window"};
  HANDLE runs[3];
  for (int i = 0; i < 3; ++i) {
    runs[i] = StartChild(roles[i], seconds, results.File(roles[i] + 2));
    if (runs[i] == nullptr) {
      std::printf("could not start the runs\n");
      return 1;
    }
  }
  WaitForMultipleObjects(3, runs, TRUE, static_cast<DWORD>(seconds + 60) * 1000u);
  double cpuMs[3] = {};
  double dispatchMs[3] = {};
  for (int i = 0; i < 3; ++i) {
    CloseHandle(runs[i]);
    if (!ReadUsage(results.File(roles[i] + 2), &cpuMs[i], &dispatchMs[i])) {
      std::printf("a run left no result\n");
      return 1;
    }
  }
  const double windowMs = seconds * 1000.0;
  auto percent = [windowMs](double ms) { return 100.0 * ms / windowMs; };
  std::printf("over %d s (%d ticks):\n", seconds, seconds);
  for (int i = 0; i < 3; ++i) {
    std::printf("  %-20s process CPU %8.1f ms (%.4f %% of a core), in message handling %8.2f ms (%.3f ms a tick)\n",
                names[i], cpuMs[i], percent(cpuMs[i]), dispatchMs[i], dispatchMs[i] / seconds);
  }
  std::printf("  soft against keyed: process CPU %.2f x, message handling %.2f x (target: CPU at most 1.5 x)\n",
              cpuMs[1] / cpuMs[0], dispatchMs[1] / dispatchMs[0]);
  std::printf("  beyond the bare window: keyed %.4f %%, soft %.4f %% of one core\n", percent(cpuMs[0] - cpuMs[2]),
              percent(cpuMs[1] - cpuMs[2]));
  return 0;
}
