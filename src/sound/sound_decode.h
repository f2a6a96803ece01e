// Event sounds as the clock plays them: 16-bit PCM, one or two channels,
// decoded from a WAV or an Ogg Vorbis file in memory; other formats are left
// to the system's decoder. Every decoder fails cleanly on any bytes, and
// never holds more than kMaxSoundBytes of samples.
#ifndef TAVELIN_SOUND_SOUND_DECODE_H
#define TAVELIN_SOUND_SOUND_DECODE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The largest sound file read, and the most decoded samples kept, in bytes.
constexpr std::size_t kMaxSoundBytes = 64u * 1024u * 1024u;

struct PcmSound {
  unsigned channels = 0;    // 1 or 2
  unsigned sampleRate = 0;  // frames per second
  std::vector<std::int16_t> samples;  // interleaved
};

// Why a sound cannot be played; kNone when it can.
enum class SoundProblem { kNone, kMissing, kTooLarge, kUndecodable };

enum class SoundFormat { kWav, kVorbis, kOther };

// By the file's first bytes, whatever its name.
SoundFormat DetectSoundFormat(const std::uint8_t* data, std::size_t size);

// PCM (8, 16, 24 or 32 bits) or 32-bit float WAV, plain or extensible.
SoundProblem DecodeWav(const std::uint8_t* data, std::size_t size, PcmSound& sound);

// Ogg Vorbis, by stb_vorbis.
SoundProblem DecodeVorbis(const std::uint8_t* data, std::size_t size, PcmSound& sound);

// Whichever of the two the bytes are; kUndecodable for any other.
SoundProblem DecodeSound(const std::uint8_t* data, std::size_t size, PcmSound& sound);

// Channels beyond the first two are dropped; the frames that fit in
// kMaxSoundBytes are kept. False for a layout that is no sound.
bool AcceptPcmLayout(unsigned channels, unsigned sampleRate);

// Volume in percent: 100 leaves every sample as it is, 0 silences.
void ScaleVolume(std::vector<std::int16_t>& samples, unsigned percent);

// The program's own tone, for a sound that cannot be played: a short
// two-tone beep, then a rest, so that looping it makes a ringing.
PcmSound FallbackTone();

// Whether a folder's file is taken as a sound, by its extension.
bool IsSoundFileName(const std::string& name);

// A WAV file's bytes of the sound (16-bit PCM).
std::vector<std::uint8_t> WavBytes(const PcmSound& sound);

#endif
