// Names a picture may be given that are no regular file, or a file the
// clock must refuse before reading it: devices, a pipe, a folder, a locked
// file and one beyond the size cap.
#ifndef TAVELIN_TESTS_WIN32_SPECIAL_FILES_H
#define TAVELIN_TESTS_WIN32_SPECIAL_FILES_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// How long a test waits for a load or check that must refuse a device at
// once: far beyond any refusal, short of the test's own time limit.
constexpr DWORD kDeviceWaitBound = 30000;

// Runs `work` on a thread of its own and waits at most kDeviceWaitBound for
// it. A work that is still waiting then ends the test program: it holds what
// the caller gave it, so nothing sensible can follow.
void FinishOrFail(const std::function<void()>& work);

class SpecialFiles {
 public:
  // Makes the folder, the locked and the oversized file in `folder` (ending
  // in a backslash) and a listening pipe; all are gone when it is.
  explicit SpecialFiles(const std::string& folder);
  ~SpecialFiles();
  SpecialFiles(const SpecialFiles&) = delete;
  SpecialFiles& operator=(const SpecialFiles&) = delete;

  // COM1, AUX, aux.bmp, NUL, CON and the pipe's name, as a settings file
  // would give them.
  std::vector<std::string> devices;
  std::string folder;     // full path of a folder
  std::string locked;     // a BMP that another handle holds exclusively
  std::string beyondCap;  // a BMP head in a file one byte beyond the cap

 private:
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  HANDLE lock_ = INVALID_HANDLE_VALUE;
};

#endif
