#include "app/system_win32.h"

#include "sound/sound_player_win32.h"

namespace {

DWORD RealModuleFileName(wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); }
void RealLocalTime(SYSTEMTIME* time) { GetLocalTime(time); }
std::uint64_t RealTickCount() { return GetTickCount64(); }
BOOL RealCursorPos(POINT* point) { return GetCursorPos(point); }
bool RealShiftDown() { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }
BOOL RealPlaySound(const char* path, UINT flags, unsigned volume) { return PlayEventSound(path, flags, volume); }

}  // namespace

SystemReadings g_system = {RealModuleFileName, RealLocalTime, RealTickCount, RealCursorPos,
                           RealShiftDown, RealPlaySound};

void ResetSystemReadings() {
  g_system = {RealModuleFileName, RealLocalTime, RealTickCount, RealCursorPos, RealShiftDown,
              RealPlaySound};
}
