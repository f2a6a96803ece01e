// kitcheck [Tavelin.ini] [--sheet FILE.bmp]
// Tells a character author what the clock makes of each character of the
// kit. Without an INI file named, checks the Tavelin.ini beside kitcheck.exe.
#include <windows.h>

#include <cstring>
#include <iostream>
#include <string>

#include "kitcheck/kit_check_win32.h"

namespace {

std::string IniBesideProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length < sizeof path ? length : 0);
  const std::size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder + "Tavelin.ini";
}

int Usage() {
  std::cerr << "usage: kitcheck [Tavelin.ini] [--sheet FILE.bmp]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string ini;
  std::string sheet;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--sheet") == 0 && i + 1 < argc && sheet.empty()) {
      sheet = argv[++i];
    } else if (argv[i][0] != '-' && ini.empty()) {
      ini = argv[i];
    } else {
      return Usage();
    }
  }
  if (ini.empty()) ini = IniBesideProgram();
  return RunKitCheck(ini.c_str(), sheet.c_str(), std::cout);
}
