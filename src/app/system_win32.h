// The few readings of the outside world that tests need to choose: the
// program's path, the clock, the pointer and the Shift key, and the sound
// player, which tests watch. Each defaults to the real system call; a test
// may point one at its own function.
#ifndef TAVELIN_APP_SYSTEM_WIN32_H
#define TAVELIN_APP_SYSTEM_WIN32_H

#include <windows.h>

#include <cstdint>

struct SystemReadings {
  DWORD (*moduleFileName)(wchar_t* buffer, DWORD size);  // GetModuleFileNameW
  void (*localTime)(SYSTEMTIME* time);
  std::uint64_t (*tickCount)();
  BOOL (*cursorPos)(POINT* point);
  bool (*shiftDown)();
  // PlayEventSound: sndPlaySound's flags, and the volume in percent.
  BOOL (*playSound)(const char* path, UINT flags, unsigned volume);
};

extern SystemReadings g_system;

// Puts every reading back to the real system call.
void ResetSystemReadings();

#endif
