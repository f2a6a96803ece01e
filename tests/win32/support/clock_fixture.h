// Helpers for the Win32 tests: a temporary program folder, the clock window
// created through the program's own start-up code, and bounded message pumps.
#ifndef TAVELIN_TESTS_WIN32_CLOCK_FIXTURE_H
#define TAVELIN_TESTS_WIN32_CLOCK_FIXTURE_H

#include <windows.h>

#include <string>
#include <vector>

#include "app/clock_state_win32.h"
#include "pictures/pixel_buffer.h"

// A fresh folder under the temporary directory, removed with its files.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, ending in a backslash.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// An ANSI path in wide characters.
std::wstring WidePath(const std::string& path);

// Dispatches what is queued for this thread, for at most the given time, and
// returns once the queue is empty (quit messages are dropped).
void PumpMessages(DWORD maxMilliseconds = 200);
// Dispatches messages until the predicate holds or the time is up.
template <typename Predicate>
bool PumpUntil(Predicate done, DWORD maxMilliseconds = 5000) {
  const ULONGLONG end = GetTickCount64() + maxMilliseconds;
  while (!done()) {
    if (GetTickCount64() > end) return false;
    PumpMessages(20);
    Sleep(1);
  }
  return true;
}
// Makes the window the foreground one and waits until Wine says so: it
// hears of the new focus from the X server, a little later.
bool BringToForeground(HWND hwnd);

// Makes the program believe it lives in `folder` (as Tavelin.exe there) and
// clears the state record, as a new process would have it.
void PrepareProgramFolder(const std::string& folder);
// The same for a folder named in wide characters, which may have no ANSI form.
void PrepareProgramFolder(const std::wstring& folder);

// Creates the clock window through the program's start-up; null on failure.
HWND StartClock();
// Closes the clock as the menu's exit does (close request, settings saved).
void CloseClock(HWND hwnd);

// A path handed over by the test runner in an environment variable, as
// Windows sees it (Unix paths are on drive Z: under Wine); empty when unset.
std::string PathFromEnvironment(const char* name);

// A bitmap in the display's format filled with one colour (a stand-in figure).
HBITMAP MakePlainBitmap(int width, int height, COLORREF colour);

// Finds a top-level window of this process by title (message boxes).
HWND FindOwnWindowByTitle(const wchar_t* title);

// The pixels under `rc` of a window's DC (null: the screen's), 0x00RRGGBB,
// rows top down.
std::vector<Pixel> CopyPixels(HWND source, const RECT& rc);

// A window's text (a box's message, a balloon's words).
std::wstring TextOf(HWND window);

// The local time, read once at least 20 s of its minute are left: room for a
// start of the clock within the same minute.
SYSTEMTIME TimeWithRoomInMinute();

// A fixed reading of the clock, 10:08:30 on a weekday, for g_system.localTime.
void TenPastTen(SYSTEMTIME* time);

#endif
