// CPU time of a running clock over one minute, beside a bare window with a
// one-second timer. Both run at once as child processes of this one, under
// the same Wine; each measures its own process time over the minute.
//   bench_idle_cpu.exe [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/clock_state_win32.h"
#include "support/clock_fixture.h"

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

HBITMAP MakeFigure() { return MakePlainBitmap(kWidth, kHeight, RGB(230, 200, 160)); }

Usage RunClock(int seconds) {
  TempFolder folder;
  PrepareProgramFolder(folder.path());
  HWND hwnd = StartClock();
  if (hwnd == nullptr) return {};
  g_state.hbmMascot = MakeFigure();
  g_state.nWindowWidth = kWidth;
  g_state.nWindowHeight = kHeight;
  g_state.xClockCenter = kWidth / 2;
  g_state.yClockCenter = kHeight / 3;
  g_state.dScale = 1.0;
  g_state.nSize = IDM_SIZE_NORMAL;
  g_state.nOClockChangeChara = 0;
  g_state.nOClockMode = IDC_OCLOCK_OFF;
  SetWindowPos(hwnd, nullptr, 20, 20, kWidth, kHeight, SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
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
  if (argc == 4) {  // a child: "--clock" or "--bare", seconds, result file
    const int seconds = std::atoi(argv[2]);
    const Usage used = std::string(argv[1]) == "--clock" ? RunClock(seconds) : RunBare(seconds);
    WriteFileBytes(argv[3], std::to_string(used.cpu100ns) + " " + std::to_string(used.dispatch100ns));
    return 0;
  }
  const int seconds = argc >= 2 ? std::atoi(argv[1]) : 60;
  TempFolder results;
  const std::string clockFile = results.File("clock.txt");
  const std::string bareFile = results.File("bare.txt");
  HANDLE clock = StartChild("--clock", seconds, clockFile);
  HANDLE bare = StartChild("--bare", seconds, bareFile);
  if (clock == nullptr || bare == nullptr) {
    std::printf("could not start the two runs\n");
    return 1;
  }
  HANDLE both[] = {clock, bare};
  WaitForMultipleObjects(2, both, TRUE, static_cast<DWORD>(seconds + 60) * 1000u);
  CloseHandle(clock);
  CloseHandle(bare);

  double clockMs = 0, clockDispatchMs = 0, bareMs = 0, bareDispatchMs = 0;
  if (!ReadUsage(clockFile, &clockMs, &clockDispatchMs) || !ReadUsage(bareFile, &bareMs, &bareDispatchMs)) {
    std::printf("a run left no result\n");
    return 1;
  }
  const double windowMs = seconds * 1000.0;
  auto percent = [windowMs](double ms) { return 100.0 * ms / windowMs; };
  std::printf("over %d s, process CPU time: clock %.1f ms (%.4f %% of a core), bare window %.1f ms (%.4f %%)\n",
              seconds, clockMs, percent(clockMs), bareMs, percent(bareMs));
  std::printf("  the clock beyond the bare window: %.1f ms, %.4f %% of one core (target < 0.02 %%)\n",
              clockMs - bareMs, percent(clockMs - bareMs));
  std::printf("time inside message handling: clock %.2f ms, bare window %.2f ms, difference %.4f %% of one core\n",
              clockDispatchMs, bareDispatchMs, percent(clockDispatchMs - bareDispatchMs));
  return 0;
}
