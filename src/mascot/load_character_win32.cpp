#include "mascot/mascot_win32.h"

int LoadCharacter(HWND) { return 0; }
