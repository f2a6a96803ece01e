// Reading a sound: a folder's random file, the file's bytes within the size
// limit, our own decoders for WAV and Vorbis, Media Foundation's source
// reader for the rest. Media Foundation is looked up at run time, so the
// program starts where it is missing (Windows N without its media pack).
#include <mfapi.h>
#include <mferror.h>
#include <mfidl.h>
#include <mfreadwrite.h>

#include <string>
#include <vector>

#include "sound/sound_player_win32.h"

namespace {

// A folder's sound files, one at random; false when it holds none.
bool PickFromFolder(const char* folder, std::string& path) {
  std::string pattern = folder;
  if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  const std::string base = pattern;
  pattern += '*';
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return false;
  do {
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 && IsSoundFileName(found.cFileName))
      names.push_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  if (names.empty()) return false;
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  path = base + names[static_cast<std::size_t>(counter.QuadPart % static_cast<LONGLONG>(names.size()))];
  return true;
}

SoundProblem ReadWholeFile(const char* path, std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return SoundProblem::kMissing;
  LARGE_INTEGER size{};
  SoundProblem problem = SoundProblem::kNone;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size)) {
    problem = SoundProblem::kMissing;
  } else if (static_cast<unsigned long long>(size.QuadPart) > kMaxSoundBytes) {
    problem = SoundProblem::kTooLarge;
  } else {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
      problem = SoundProblem::kMissing;
  }
  CloseHandle(file);
  return problem;
}

// Media Foundation's functions, from its DLLs.
struct MediaFoundation {
  HRESULT(WINAPI* startup)(ULONG, DWORD) = nullptr;
  HRESULT(WINAPI* createMediaType)(IMFMediaType**) = nullptr;
  HRESULT(WINAPI* createReader)(LPCWSTR, IMFAttributes*, IMFSourceReader**) = nullptr;
  bool started = false;
};

MediaFoundation& Mf() {
  static MediaFoundation mf = [] {
    MediaFoundation loaded;
    HMODULE plat = LoadLibraryW(L"mfplat.dll");
    HMODULE readwrite = LoadLibraryW(L"mfreadwrite.dll");
    if (plat == nullptr || readwrite == nullptr) return loaded;
    loaded.startup = reinterpret_cast<decltype(loaded.startup)>(
        reinterpret_cast<void*>(GetProcAddress(plat, "MFStartup")));
    loaded.createMediaType = reinterpret_cast<decltype(loaded.createMediaType)>(
        reinterpret_cast<void*>(GetProcAddress(plat, "MFCreateMediaType")));
    loaded.createReader = reinterpret_cast<decltype(loaded.createReader)>(
        reinterpret_cast<void*>(GetProcAddress(readwrite, "MFCreateSourceReaderFromURL")));
    if (loaded.startup && loaded.createMediaType && loaded.createReader)
      loaded.started = SUCCEEDED(loaded.startup(MF_VERSION, MFSTARTUP_NOSOCKET));
    return loaded;
  }();
  return mf;
}

template <typename T>
void Release(T*& p) {
  if (p != nullptr) p->Release();
  p = nullptr;
}

// Decodes through the source reader to 16-bit PCM of the file's own rate and
// channels. The worker's thread has COM (multithreaded) for it.
SoundProblem DecodeBySystem(const char* path, PcmSound& sound) {
  MediaFoundation& mf = Mf();
  if (!mf.started) return SoundProblem::kUndecodable;
  const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
  if (length <= 0) return SoundProblem::kMissing;
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, path, -1, wide.data(), length);
  wchar_t full[MAX_PATH * 2];
  if (GetFullPathNameW(wide.c_str(), MAX_PATH * 2, full, nullptr) == 0) return SoundProblem::kMissing;

  IMFSourceReader* reader = nullptr;
  IMFMediaType* wanted = nullptr;
  IMFMediaType* actual = nullptr;
  SoundProblem problem = SoundProblem::kUndecodable;
  constexpr DWORD kAudio = static_cast<DWORD>(MF_SOURCE_READER_FIRST_AUDIO_STREAM);
  if (SUCCEEDED(mf.createReader(full, nullptr, &reader)) &&
      SUCCEEDED(reader->SetStreamSelection(static_cast<DWORD>(MF_SOURCE_READER_ALL_STREAMS), FALSE)) &&
      SUCCEEDED(reader->SetStreamSelection(kAudio, TRUE)) && SUCCEEDED(mf.createMediaType(&wanted)) &&
      SUCCEEDED(wanted->SetGUID(MF_MT_MAJOR_TYPE, MFMediaType_Audio)) &&
      SUCCEEDED(wanted->SetGUID(MF_MT_SUBTYPE, MFAudioFormat_PCM)) &&
      SUCCEEDED(wanted->SetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, 16)) &&
      SUCCEEDED(reader->SetCurrentMediaType(kAudio, nullptr, wanted)) &&
      SUCCEEDED(reader->GetCurrentMediaType(kAudio, &actual))) {
    UINT32 channels = 0, rate = 0, bits = 0;
    actual->GetUINT32(MF_MT_AUDIO_NUM_CHANNELS, &channels);
    actual->GetUINT32(MF_MT_AUDIO_SAMPLES_PER_SECOND, &rate);
    actual->GetUINT32(MF_MT_AUDIO_BITS_PER_SAMPLE, &bits);
    if (bits == 16 && AcceptPcmLayout(channels, rate)) {
      const unsigned kept = channels > 2 ? 2 : channels;
      const std::size_t maxFrames = kMaxSoundBytes / (2 * kept);
      sound.channels = kept;
      sound.sampleRate = rate;
      sound.samples.clear();
      for (;;) {
        DWORD flags = 0;
        IMFSample* sample = nullptr;
        if (FAILED(reader->ReadSample(kAudio, 0, nullptr, &flags, nullptr, &sample))) break;
        if (sample != nullptr) {
          IMFMediaBuffer* buffer = nullptr;
          if (SUCCEEDED(sample->ConvertToContiguousBuffer(&buffer))) {
            BYTE* bytes = nullptr;
            DWORD size = 0;
            if (SUCCEEDED(buffer->Lock(&bytes, nullptr, &size))) {
              const std::int16_t* in = reinterpret_cast<const std::int16_t*>(bytes);
              const std::size_t frames = size / (2 * channels);
              for (std::size_t f = 0; f < frames && sound.samples.size() / kept < maxFrames; ++f) {
                for (unsigned c = 0; c < kept; ++c) sound.samples.push_back(in[f * channels + c]);
              }
              buffer->Unlock();
            }
            Release(buffer);
          }
          Release(sample);
        }
        if ((flags & MF_SOURCE_READERF_ENDOFSTREAM) != 0 || (flags & MF_SOURCE_READERF_ERROR) != 0) break;
        if (sound.samples.size() / kept >= maxFrames) break;
      }
      if (!sound.samples.empty()) problem = SoundProblem::kNone;
    }
  }
  Release(actual);
  Release(wanted);
  Release(reader);
  return problem;
}

}  // namespace

SoundProblem LoadSound(const char* path, PcmSound& sound) {
  if (path == nullptr || path[0] == '\0') return SoundProblem::kMissing;
  std::string file = path;
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return SoundProblem::kMissing;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && !PickFromFolder(path, file)) return SoundProblem::kMissing;
  std::vector<std::uint8_t> bytes;
  const SoundProblem read = ReadWholeFile(file.c_str(), bytes);
  if (read != SoundProblem::kNone) return read;
  if (DetectSoundFormat(bytes.data(), bytes.size()) != SoundFormat::kOther)
    return DecodeSound(bytes.data(), bytes.size(), sound);
  bytes.clear();
  bytes.shrink_to_fit();
  return DecodeBySystem(file.c_str(), sound);
}
