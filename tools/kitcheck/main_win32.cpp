// kitcheck [--verbose] [Tavelin.ini] [--sheet FILE.bmp]
// Tells a character author what the clock makes of each character of the
// kit. Without an INI file named, checks the Tavelin.ini beside kitcheck.exe.
#include <windows.h>

#include <cstring>
#include <iostream>
#include <string>

#include "kitcheck/kit_check_win32.h"

namespace {

constexpr char kUsage[] = "usage: kitcheck [--verbose] [Tavelin.ini] [--sheet FILE.bmp]\n";

std::string IniBesideProgram() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, length < sizeof path ? length : 0);
  const std::size_t slash = folder.find_last_of("\\/");
  folder.erase(slash == std::string::npos ? 0 : slash + 1);
  return folder + "Tavelin.ini";
}

int Help() {
  std::cout << kUsage
            << "\n"
               "Tells what the clock makes of each of its twelve characters in a Tavelin.ini (by\n"
               "default the one beside kitcheck.exe): whether it loads, whether it shows with soft\n"
               "edges or a hard outline, the scale its pictures are drawn at and its window at\n"
               "100, 150 and 200 %, with any warning or problem under it, and the sections the\n"
               "clock ignores. Picture names without a folder are looked for beside the INI.\n"
               "\n"
               "  --verbose, -v     every finding: keys, pictures, canvas, clock centres\n"
               "  --sheet FILE.bmp  draws every character that loads, at both sizes, on one picture\n"
               "  --help, -h, /?    this text\n"
               "\n"
               "Exit code 0 when every character loads, 1 when one does not, 2 for a wrong command line.\n";
  return 0;
}

int Usage() {
  std::cerr << kUsage << "kitcheck --help tells more\n";
  return 2;
}

bool Is(const char* arg, const char* a, const char* b) { return std::strcmp(arg, a) == 0 || std::strcmp(arg, b) == 0; }

}  // namespace

int main(int argc, char** argv) {
  std::string ini;
  std::string sheet;
  bool verbose = false;
  for (int i = 1; i < argc; ++i) {
    if (Is(argv[i], "--help", "-h") || Is(argv[i], "/?", "-?")) {
      return Help();
    } else if (Is(argv[i], "--verbose", "-v")) {
      verbose = true;
    } else if (std::strcmp(argv[i], "--sheet") == 0 && i + 1 < argc && sheet.empty()) {
      sheet = argv[++i];
    } else if (argv[i][0] != '-' && ini.empty()) {
      ini = argv[i];
    } else {
      return Usage();
    }
  }
  if (ini.empty()) ini = IniBesideProgram();
  return RunKitCheck(ini.c_str(), sheet.c_str(), verbose, std::cout);
}
