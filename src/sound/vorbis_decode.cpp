// Ogg Vorbis through stb_vorbis (Debian's libstb-dev), compiled in: Windows
// has no Vorbis decoder of its own.
#include <algorithm>

#include "sound/sound_decode.h"

#define STB_VORBIS_NO_STDIO 1
#define STB_VORBIS_NO_PUSHDATA_API 1
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#pragma GCC diagnostic ignored "-Wunused-value"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#pragma GCC diagnostic ignored "-Wstringop-overflow"
#endif
#include "stb_vorbis.h"
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

SoundProblem DecodeVorbis(const std::uint8_t* data, std::size_t size, PcmSound& sound) {
  if (size > kMaxSoundBytes) return SoundProblem::kTooLarge;
  int error = 0;
  stb_vorbis* vorbis = stb_vorbis_open_memory(data, static_cast<int>(size), &error, nullptr);
  if (vorbis == nullptr) return SoundProblem::kUndecodable;
  const stb_vorbis_info info = stb_vorbis_get_info(vorbis);
  const unsigned channels = static_cast<unsigned>(info.channels);
  if (!AcceptPcmLayout(channels, info.sample_rate)) {
    stb_vorbis_close(vorbis);
    return SoundProblem::kUndecodable;
  }
  const unsigned kept = std::min(channels, 2u);
  const std::size_t maxFrames = kMaxSoundBytes / (2 * kept);
  sound.channels = kept;
  sound.sampleRate = info.sample_rate;
  sound.samples.clear();
  short chunk[4096 * 2];
  while (sound.samples.size() / kept < maxFrames) {
    const int frames = stb_vorbis_get_samples_short_interleaved(vorbis, static_cast<int>(kept), chunk, 4096 * 2);
    if (frames <= 0) break;
    const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(frames), maxFrames - sound.samples.size() / kept);
    sound.samples.insert(sound.samples.end(), chunk, chunk + take * kept);
  }
  stb_vorbis_close(vorbis);
  return sound.samples.empty() ? SoundProblem::kUndecodable : SoundProblem::kNone;
}
