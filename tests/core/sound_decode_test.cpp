// The decoders on sounds made by sox and oggenc, the volume, the program's
// own tone, and bytes that are no sound.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "sound/sound_decode.h"

namespace {

std::vector<std::uint8_t> ReadFile(const char* path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

double Rms(const std::vector<std::int16_t>& samples) {
  double sum = 0.0;
  for (std::int16_t s : samples) sum += static_cast<double>(s) * s;
  return std::sqrt(sum / static_cast<double>(samples.size())) / 32768.0;
}

// A sine at amplitude 0.5 has an RMS of 0.5 / sqrt(2).
constexpr double kToneRms = 0.35355;

TEST(SoundDecode, TheToneAsWavAndAsVorbisDecodesToTheSameSound) {
  for (const char* name : {TAVELIN_TEST_SOUNDS "/tone.wav", TAVELIN_TEST_SOUNDS "/tone.ogg"}) {
    SCOPED_TRACE(name);
    const std::vector<std::uint8_t> bytes = ReadFile(name);
    ASSERT_FALSE(bytes.empty());
    PcmSound sound;
    ASSERT_EQ(DecodeSound(bytes.data(), bytes.size(), sound), SoundProblem::kNone);
    EXPECT_EQ(sound.channels, 1u);
    EXPECT_EQ(sound.sampleRate, 44100u);
    EXPECT_NEAR(static_cast<double>(sound.samples.size()) / 44100.0, 0.5, 0.01);
    EXPECT_NEAR(Rms(sound.samples), kToneRms, kToneRms * 0.05);
  }
}

TEST(SoundDecode, VolumeScalesTheSamples) {
  const std::vector<std::uint8_t> bytes = ReadFile(TAVELIN_TEST_SOUNDS "/tone.ogg");
  PcmSound sound;
  ASSERT_EQ(DecodeVorbis(bytes.data(), bytes.size(), sound), SoundProblem::kNone);
  struct Case {
    unsigned percent;
    double factor;
  } cases[] = {{100, 1.0}, {150, 1.0}, {50, 0.5}, {10, 0.1}, {0, 0.0}};
  const double full = Rms(sound.samples);
  for (const Case& c : cases) {
    std::vector<std::int16_t> samples = sound.samples;
    ScaleVolume(samples, c.percent);
    EXPECT_NEAR(Rms(samples), full * c.factor, full * 0.01) << c.percent;
    if (c.percent >= 100) EXPECT_EQ(samples, sound.samples) << "full volume plays the file as it is";
  }
}

TEST(SoundDecode, WavLayoutsBecomeSixteenBitsOfAtMostTwoChannels) {
  auto wav = [](std::uint16_t format, std::uint16_t channels, std::uint16_t bits, std::vector<std::uint8_t> data) {
    PcmSound header{channels, 8000, {}};
    std::vector<std::uint8_t> bytes = WavBytes(header);  // 16-bit header, patched below
    bytes[20] = static_cast<std::uint8_t>(format);
    bytes[32] = static_cast<std::uint8_t>(channels * bits / 8);
    bytes[34] = static_cast<std::uint8_t>(bits);
    const std::uint32_t size = static_cast<std::uint32_t>(data.size());
    for (int i = 0; i < 4; ++i) bytes[40 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
  };
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    SoundProblem problem;
    std::vector<std::int16_t> samples;
  } cases[] = {
      {"8-bit", wav(1, 1, 8, {0x80, 0xFF, 0x00}), SoundProblem::kNone, {0, 127 * 256, -128 * 256}},
      {"16-bit", wav(1, 1, 16, {0x01, 0x80, 0xFF, 0x7F}), SoundProblem::kNone, {-32767, 32767}},
      {"24-bit", wav(1, 1, 24, {0x00, 0x00, 0x40}), SoundProblem::kNone, {0x4000}},
      {"float", wav(3, 1, 32, {0x00, 0x00, 0x00, 0x3F}), SoundProblem::kNone, {16384}},  // 0.5
      {"three channels keep two", wav(1, 3, 16, {1, 0, 2, 0, 3, 0}), SoundProblem::kNone, {1, 2}},
      {"12-bit", wav(1, 1, 12, {0, 0}), SoundProblem::kUndecodable, {}},
      {"a-law", wav(6, 1, 8, {0, 0}), SoundProblem::kUndecodable, {}},
      {"no samples", wav(1, 1, 16, {}), SoundProblem::kUndecodable, {}},
      {"no channels", wav(1, 0, 16, {0, 0}), SoundProblem::kUndecodable, {}},
  };
  for (const Case& c : cases) {
    PcmSound sound;
    EXPECT_EQ(DecodeSound(c.bytes.data(), c.bytes.size(), sound), c.problem) << c.what;
    if (c.problem == SoundProblem::kNone) EXPECT_EQ(sound.samples, c.samples) << c.what;
  }
}

TEST(SoundDecode, BytesThatAreNoSoundFailCleanly) {
  const std::vector<std::uint8_t> ogg = ReadFile(TAVELIN_TEST_SOUNDS "/tone.ogg");
  std::vector<std::uint8_t> cut(ogg.begin(), ogg.begin() + 200);  // the headers cut short
  std::vector<std::uint8_t> text{'h', 'e', 'l', 'l', 'o'};
  std::vector<std::uint8_t> riffOnly{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
  for (const std::vector<std::uint8_t>* bytes : {&cut, &text, &riffOnly}) {
    PcmSound sound;
    EXPECT_EQ(DecodeSound(bytes->data(), bytes->size(), sound), SoundProblem::kUndecodable);
  }
  PcmSound sound;
  EXPECT_EQ(DecodeSound(text.data(), kMaxSoundBytes + 1, sound), SoundProblem::kTooLarge) << "size checked first";
}

TEST(SoundDecode, TheProgramsOwnToneIsTwoPitchesThenARest) {
  const PcmSound tone = FallbackTone();
  ASSERT_EQ(tone.channels, 1u);
  const std::size_t quarter = tone.samples.size() / 4;
  auto crossings = [&](std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i) count += (tone.samples[i - 1] < 0) != (tone.samples[i] < 0);
    return count;
  };
  const double seconds = static_cast<double>(quarter) / tone.sampleRate;
  EXPECT_NEAR(crossings(0, quarter) / (2 * seconds), 880.0, 20.0);
  EXPECT_NEAR(crossings(quarter, 2 * quarter) / (2 * seconds), 660.0, 20.0);
  std::vector<std::int16_t> rest(tone.samples.begin() + 2 * quarter + 10, tone.samples.end());
  EXPECT_EQ(Rms(rest), 0.0);
}

TEST(SoundDecode, AFoldersSoundsByTheirNames) {
  struct Case {
    const char* name;
    bool sound;
  } cases[] = {{"a.wav", true}, {"B.MP3", true}, {"c.ogg", true}, {"d.m4a", true}, {"e.txt", false},
               {"wav", false},  {".wav", false}, {"f.wav.bak", false}, {"g.Flac", true}};
  for (const Case& c : cases) EXPECT_EQ(IsSoundFileName(c.name), c.sound) << c.name;
}

}  // namespace
