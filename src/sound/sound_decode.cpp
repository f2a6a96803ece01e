#include "sound/sound_decode.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr unsigned kMaxSampleRate = 384000;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatFloat = 3;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t Le32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// One sample of `bits` as 16 bits.
std::int16_t SampleAt(const std::uint8_t* p, unsigned bits, bool isFloat) {
  if (isFloat) {
    float value;
    const std::uint32_t word = Le32(p);
    std::memcpy(&value, &word, sizeof value);
    if (!(value == value)) return 0;  // NaN
    value = std::clamp(value, -1.0f, 1.0f);
    return static_cast<std::int16_t>(std::lround(value * 32767.0f));
  }
  switch (bits) {
    case 8:
      return static_cast<std::int16_t>((p[0] - 128) * 256);
    case 16:
      return static_cast<std::int16_t>(Le16(p));
    case 24:
      return static_cast<std::int16_t>(Le16(p + 1));
    default:  // 32
      return static_cast<std::int16_t>(Le16(p + 2));
  }
}

}  // namespace

SoundFormat DetectSoundFormat(const std::uint8_t* data, std::size_t size) {
  if (size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0)
    return SoundFormat::kWav;
  if (size >= 4 && std::memcmp(data, "OggS", 4) == 0) return SoundFormat::kVorbis;
  return SoundFormat::kOther;
}

bool AcceptPcmLayout(unsigned channels, unsigned sampleRate) {
  return channels >= 1 && channels <= 255 && sampleRate >= 1 && sampleRate <= kMaxSampleRate;
}

SoundProblem DecodeWav(const std::uint8_t* data, std::size_t size, PcmSound& sound) {
  if (DetectSoundFormat(data, size) != SoundFormat::kWav) return SoundProblem::kUndecodable;
  std::size_t at = 12;
  bool haveFormat = false;
  std::uint16_t format = 0;
  unsigned channels = 0, rate = 0, bits = 0, blockAlign = 0;
  while (at + 8 <= size) {
    const std::uint32_t chunkSize = Le32(data + at + 4);
    const std::uint8_t* body = data + at + 8;
    const std::size_t room = size - at - 8;
    if (std::memcmp(data + at, "fmt ", 4) == 0) {
      if (chunkSize < 16 || room < 16) return SoundProblem::kUndecodable;
      format = Le16(body);
      channels = Le16(body + 2);
      rate = Le32(body + 4);
      blockAlign = Le16(body + 12);
      bits = Le16(body + 14);
      if (format == kFormatExtensible) {
        if (chunkSize < 40 || room < 40) return SoundProblem::kUndecodable;
        format = Le16(body + 24);  // the sub-format's first two bytes
      }
      haveFormat = true;
    } else if (std::memcmp(data + at, "data", 4) == 0) {
      if (!haveFormat) return SoundProblem::kUndecodable;
      const bool isFloat = format == kFormatFloat;
      if (!(format == kFormatPcm && (bits == 8 || bits == 16 || bits == 24 || bits == 32)) &&
          !(isFloat && bits == 32))
        return SoundProblem::kUndecodable;
      if (!AcceptPcmLayout(channels, rate) || blockAlign != channels * (bits / 8)) return SoundProblem::kUndecodable;
      const std::size_t bytes = std::min<std::size_t>(chunkSize, room);
      const unsigned kept = std::min(channels, 2u);
      std::size_t frames = bytes / blockAlign;
      frames = std::min(frames, kMaxSoundBytes / (2 * kept));
      if (frames == 0) return SoundProblem::kUndecodable;
      sound.channels = kept;
      sound.sampleRate = rate;
      sound.samples.resize(frames * kept);
      const unsigned step = bits / 8;
      for (std::size_t f = 0; f < frames; ++f) {
        const std::uint8_t* frame = body + f * blockAlign;
        for (unsigned c = 0; c < kept; ++c) sound.samples[f * kept + c] = SampleAt(frame + c * step, bits, isFloat);
      }
      return SoundProblem::kNone;
    }
    const std::size_t advance = 8 + static_cast<std::size_t>(chunkSize) + (chunkSize & 1u);
    if (advance > size - at) break;
    at += advance;
  }
  return SoundProblem::kUndecodable;
}

SoundProblem DecodeSound(const std::uint8_t* data, std::size_t size, PcmSound& sound) {
  if (size > kMaxSoundBytes) return SoundProblem::kTooLarge;
  switch (DetectSoundFormat(data, size)) {
    case SoundFormat::kWav:
      return DecodeWav(data, size, sound);
    case SoundFormat::kVorbis:
      return DecodeVorbis(data, size, sound);
    case SoundFormat::kOther:
      break;
  }
  return SoundProblem::kUndecodable;
}

void ScaleVolume(std::vector<std::int16_t>& samples, unsigned percent) {
  if (percent >= 100) return;
  for (std::int16_t& sample : samples) sample = static_cast<std::int16_t>(sample * static_cast<int>(percent) / 100);
}

PcmSound FallbackTone() {
  constexpr unsigned kRate = 22050;
  constexpr double kPi = 3.14159265358979323846;
  struct Part {
    double hertz;
    double seconds;
  };
  // High, low, then a rest as long as both.
  constexpr Part kParts[] = {{880.0, 0.18}, {660.0, 0.18}, {0.0, 0.36}};
  PcmSound tone;
  tone.channels = 1;
  tone.sampleRate = kRate;
  for (const Part& part : kParts) {
    const int frames = static_cast<int>(part.seconds * kRate);
    const int fade = kRate / 200;  // 5 ms in and out, so no click
    for (int i = 0; i < frames; ++i) {
      double value = 0.0;
      if (part.hertz > 0.0) {
        const double edge = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - i) / fade});
        value = 0.5 * edge * std::sin(2.0 * kPi * part.hertz * i / kRate);
      }
      tone.samples.push_back(static_cast<std::int16_t>(std::lround(value * 32767.0)));
    }
  }
  return tone;
}

bool IsSoundFileName(const std::string& name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return false;
  std::string extension = name.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const char* known : {"wav", "mp3", "ogg", "oga", "wma", "m4a", "aac", "flac"}) {
    if (extension == known) return true;
  }
  return false;
}

std::vector<std::uint8_t> WavBytes(const PcmSound& sound) {
  const std::uint32_t dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
  std::vector<std::uint8_t> bytes;
  auto put32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&](std::uint16_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    bytes.push_back(static_cast<std::uint8_t>(v >> 8));
  };
  auto tag = [&](const char* t) { bytes.insert(bytes.end(), t, t + 4); };
  tag("RIFF");
  put32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(kFormatPcm);
  put16(static_cast<std::uint16_t>(sound.channels));
  put32(sound.sampleRate);
  put32(sound.sampleRate * sound.channels * 2);
  put16(static_cast<std::uint16_t>(sound.channels * 2));
  put16(16);
  tag("data");
  put32(dataBytes);
  for (std::int16_t s : sound.samples) put16(static_cast<std::uint16_t>(s));
  return bytes;
}
