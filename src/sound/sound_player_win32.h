// Event sounds played off the window's thread: a worker reads and decodes
// the file (WAV, Vorbis, or any format the system's Media Foundation
// decodes; a folder gives one of its sounds at random), scales it to the
// volume and plays it through waveOut. Every call here returns at once.
#ifndef TAVELIN_SOUND_SOUND_PLAYER_WIN32_H
#define TAVELIN_SOUND_SOUND_PLAYER_WIN32_H

#include <windows.h>

#include "sound/sound_decode.h"

// Request flags, those of sndPlaySound: SND_LOOP (0x08) loops until stopped,
// SND_NOSTOP (0x10) yields to a sound that plays, SND_NODEFAULT (0x02) plays
// nothing for a sound that cannot be played; without it, the program's own
// tone plays in its place. A null path stops whatever plays.
BOOL PlayEventSound(const char* path, UINT flags, unsigned volume);

// Whether a sound is asked for or playing.
bool EventSoundPlaying();

// Reads and decodes `path` on the worker, then posts WM_SOUNDCHECKED to
// `notify` with the SoundProblem as wParam and `cookie` as lParam.
void CheckSoundAsync(const char* path, HWND notify, LPARAM cookie);

// Reads and decodes a sound file or a folder's random sound, on the calling
// thread (the worker's; tests call it directly).
SoundProblem LoadSound(const char* path, PcmSound& sound);

// Ends the worker, stopping any sound; called at exit.
void ShutdownSoundPlayer();

#endif
