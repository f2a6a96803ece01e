#include "sound/sound_player_win32.h"

#include <mmsystem.h>
#include <objbase.h>

#include <atomic>
#include <deque>
#include <string>
#include <utility>

#include "resource.h"

namespace {

struct Request {
  enum Kind { kPlay, kStop, kCheck, kQuit } kind;
  std::string path;
  UINT flags = 0;
  unsigned volume = 100;
  unsigned generation = 0;
  HWND notify = nullptr;
  LPARAM cookie = 0;
};

// Shared between the window's thread and the worker, under the lock.
CRITICAL_SECTION g_lock;
std::deque<Request> g_queue;
HANDLE g_wake = nullptr;
HANDLE g_thread = nullptr;
// Each play or stop request is a new generation; the worker drops what an
// older one decoded, and only the newest may say the sound has ended.
std::atomic<unsigned> g_generation{0};
std::atomic<bool> g_playing{false};

// The worker's own.
struct Playback {
  HWAVEOUT device = nullptr;
  WAVEHDR header{};
  PcmSound sound;
  bool loop = false;
  unsigned generation = 0;
};

void ClosePlayback(Playback& playback) {
  if (playback.device != nullptr) {
    waveOutReset(playback.device);
    waveOutUnprepareHeader(playback.device, &playback.header, sizeof playback.header);
    waveOutClose(playback.device);
  }
  playback.device = nullptr;
  playback.header = WAVEHDR{};
  playback.sound = PcmSound{};
}

void Ended(unsigned generation) {
  if (generation == g_generation.load()) g_playing = false;
}

void StartPlayback(Playback& playback, const Request& request, HANDLE done) {
  ClosePlayback(playback);
  PcmSound sound;
  SoundProblem problem = LoadSound(request.path.c_str(), sound);
  if (problem != SoundProblem::kNone) {
    if ((request.flags & SND_NODEFAULT) != 0) {
      Ended(request.generation);
      return;
    }
    sound = FallbackTone();
  }
  if (request.generation != g_generation.load()) return;  // stopped or replaced while decoding
  ScaleVolume(sound.samples, request.volume);

  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = static_cast<WORD>(sound.channels);
  format.nSamplesPerSec = sound.sampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = static_cast<WORD>(sound.channels * 2);
  format.nAvgBytesPerSec = sound.sampleRate * format.nBlockAlign;
  playback.sound = std::move(sound);
  playback.loop = (request.flags & SND_LOOP) != 0;
  playback.generation = request.generation;
  if (waveOutOpen(&playback.device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done), 0, CALLBACK_EVENT) !=
      MMSYSERR_NOERROR) {
    playback.device = nullptr;
    Ended(request.generation);
    return;
  }
  playback.header.lpData = reinterpret_cast<LPSTR>(playback.sound.samples.data());
  playback.header.dwBufferLength = static_cast<DWORD>(playback.sound.samples.size() * 2);
  if (waveOutPrepareHeader(playback.device, &playback.header, sizeof playback.header) != MMSYSERR_NOERROR ||
      waveOutWrite(playback.device, &playback.header, sizeof playback.header) != MMSYSERR_NOERROR) {
    ClosePlayback(playback);
    Ended(request.generation);
  }
}

DWORD WINAPI Worker(LPVOID) {
  // Media Foundation's reader wants COM on the thread that reads.
  (void)CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  HANDLE done = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  Playback playback;
  bool quit = false;
  while (!quit) {
    const HANDLE waits[] = {g_wake, done};
    const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1) {
      if (playback.device != nullptr && (playback.header.dwFlags & WHDR_DONE) != 0) {
        if (playback.loop && playback.generation == g_generation.load()) {
          waveOutWrite(playback.device, &playback.header, sizeof playback.header);
        } else {
          ClosePlayback(playback);
          Ended(playback.generation);
        }
      }
      continue;
    }
    for (;;) {
      Request request;
      EnterCriticalSection(&g_lock);
      const bool any = !g_queue.empty();
      if (any) {
        request = std::move(g_queue.front());
        g_queue.pop_front();
      }
      LeaveCriticalSection(&g_lock);
      if (!any) break;
      switch (request.kind) {
        case Request::kQuit:
          quit = true;
          ClosePlayback(playback);
          break;
        case Request::kStop:
          ClosePlayback(playback);
          break;
        case Request::kPlay:
          if (request.generation == g_generation.load()) StartPlayback(playback, request, done);
          break;
        case Request::kCheck: {
          PcmSound sound;
          const SoundProblem problem = LoadSound(request.path.c_str(), sound);
          PostMessageW(request.notify, WM_SOUNDCHECKED, static_cast<WPARAM>(problem), request.cookie);
          break;
        }
      }
      if (quit) break;
    }
  }
  ClosePlayback(playback);
  CloseHandle(done);
  CoUninitialize();
  return 0;
}

void Send(Request request) {
  if (g_thread == nullptr) {
    InitializeCriticalSection(&g_lock);
    g_wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    g_thread = CreateThread(nullptr, 0, Worker, nullptr, 0, nullptr);
  }
  EnterCriticalSection(&g_lock);
  g_queue.push_back(std::move(request));
  LeaveCriticalSection(&g_lock);
  SetEvent(g_wake);
}

}  // namespace

BOOL PlayEventSound(const char* path, UINT flags, unsigned volume) {
  if (path == nullptr) {
    if (g_thread == nullptr) return TRUE;
    ++g_generation;
    g_playing = false;
    Send({Request::kStop, {}, 0, 0, 0, nullptr, 0});
    return TRUE;
  }
  if ((flags & SND_NOSTOP) != 0 && g_playing) return FALSE;
  const unsigned generation = ++g_generation;
  g_playing = true;
  Send({Request::kPlay, path, flags, volume, generation, nullptr, 0});
  return TRUE;
}

bool EventSoundPlaying() { return g_playing; }

void CheckSoundAsync(const char* path, HWND notify, LPARAM cookie) {
  Send({Request::kCheck, path == nullptr ? "" : path, 0, 0, 0, notify, cookie});
}

void ShutdownSoundPlayer() {
  if (g_thread == nullptr) return;
  ++g_generation;
  g_playing = false;
  // Sounds waiting to be checked or played are dropped: only a decode under
  // way holds the exit.
  EnterCriticalSection(&g_lock);
  g_queue.clear();
  LeaveCriticalSection(&g_lock);
  Send({Request::kQuit, {}, 0, 0, 0, nullptr, 0});
  // A decode the system still holds after that long keeps the worker: it
  // keeps its lock and its event, which it may still take, and the process's
  // exit ends it.
  if (WaitForSingleObject(g_thread, 5000) != WAIT_OBJECT_0) return;
  CloseHandle(g_thread);
  CloseHandle(g_wake);
  g_thread = nullptr;
  g_wake = nullptr;
  g_queue.clear();
  DeleteCriticalSection(&g_lock);
}
