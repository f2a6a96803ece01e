#include "support/x_pointer.h"

#include <cstdlib>
#include <random>
#include <sstream>

#include "app/app_win32.h"
#include "support/clock_fixture.h"

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

// Wine starts Unix programs but gives no handle to wait on, so the shell
// leaves a file behind when the command is done. Wine gives its processes
// the same small ids run after run, and a command whose wait was given up
// (a program left running, a test cut short) may touch its file later: the
// name holds the start's tick too, and no file of that name is left before
// the start. Tests in other prefixes, run at the same time, have ids of
// their own numbering: a random part tells their files apart.
std::string StartUnixCommand(const std::string& command) {
  static int counter = 0;
  static const unsigned run = std::random_device{}();
  std::ostringstream done;
  done << "/tmp/tavelin-unix-" << GetCurrentProcessId() << "-" << run << "-" << GetTickCount64() << "-"
       << ++counter;
  DeleteFileA(WindowsPath(done.str()).c_str());
  std::string buffer = "Z:\\bin\\sh -c \"" + command + "; touch " + done.str() + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return "";
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  return WindowsPath(done.str());
}

bool WaitForUnixCommand(const std::string& done, unsigned timeoutMs) {
  if (done.empty()) return false;
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!FileExists(done)) {
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
  DeleteFileA(done.c_str());
  return true;
}

bool RunUnixCommand(const std::string& command, unsigned timeoutMs) {
  return WaitForUnixCommand(StartUnixCommand(command), timeoutMs);
}

bool RunXdotool(const std::string& arguments) { return RunUnixCommand("xdotool " + arguments, 15000); }

std::string Xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string StartProgramIn(const std::string& folder, PROCESS_INFORMATION* process) {
  const char* exe = std::getenv("TAVELIN_EXE");
  if (exe == nullptr) return "TAVELIN_EXE names the program to start";
  const std::string program = folder + "Tavelin.exe";
  if (!CopyFileA(WindowsPath(exe).c_str(), program.c_str(), FALSE)) return std::string("cannot copy ") + exe;
  return LaunchProgramIn(WidePath(folder), process) ? "" : "cannot start " + program;
}

bool LaunchProgramIn(const std::wstring& folder, PROCESS_INFORMATION* process) {
  std::wstring command = L"\"" + folder + L"Tavelin.exe\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  return CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        process) != FALSE;
}

HWND WaitForShownClock(RECT* rc, DWORD maxMilliseconds) {
  HWND clock = nullptr;
  const bool shown = PumpUntil(
      [&] {
        clock = FindWindowA(kClassName, nullptr);
        return clock != nullptr && IsWindowVisible(clock) && GetWindowRect(clock, rc) && rc->right > rc->left;
      },
      maxMilliseconds);
  return shown ? clock : nullptr;
}

void StopProgram(HWND hwnd, PROCESS_INFORMATION* process) {
  if (process->hProcess == nullptr) return;
  if (IsWindow(hwnd)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process->hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process->hProcess, 1);
  CloseHandle(process->hProcess);
  CloseHandle(process->hThread);
  *process = {};
}
