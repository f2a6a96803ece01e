#include "support/x_pointer.h"

#include <sstream>

#include "support/clock_fixture.h"

std::string WindowsPath(std::string path) {
  if (path.empty() || path[0] != '/') return path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return "Z:" + path;
}

// Wine starts Unix programs but gives no handle to wait on, so the shell
// leaves a file behind when xdotool is done.
bool RunXdotool(const std::string& arguments) {
  static int counter = 0;
  std::ostringstream done;
  done << "/tmp/tavelin-xdotool-" << GetCurrentProcessId() << "-" << ++counter;
  const std::string command = "Z:\\bin\\sh -c \"xdotool " + arguments + "; touch " + done.str() + "\"";
  std::string buffer = command;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  if (process.hProcess != nullptr) CloseHandle(process.hProcess);
  if (process.hThread != nullptr) CloseHandle(process.hThread);
  const std::string doneFile = WindowsPath(done.str());
  const ULONGLONG end = GetTickCount64() + 15000;
  while (!FileExists(doneFile)) {
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
  DeleteFileA(doneFile.c_str());
  return true;
}

std::string Xy(int x, int y) { return std::to_string(x) + " " + std::to_string(y); }

bool RunningUnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}
