// Ogg Vorbis through stb_vorbis (Debian's libstb-dev, with our own fixes from
// third_party/stb_vorbis/ applied by the build), compiled in: Windows
// has no Vorbis decoder of its own.
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

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

namespace {

constexpr int kArenaBytes = 8 * 1024 * 1024;

// The second packet of the stream (the comment header), joined from its
// Ogg pages as the decoder reads it; empty when the pages end first.
std::vector<std::uint8_t> SecondPacket(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> packet;
  int packetIndex = 0;
  std::size_t at = 0;
  while (at + 27 <= size && std::memcmp(data + at, "OggS", 4) == 0) {
    const std::size_t segments = data[at + 26];
    if (at + 27 + segments > size) break;
    std::size_t body = at + 27 + segments;
    for (std::size_t s = 0; s < segments; ++s) {
      const std::size_t length = data[at + 27 + s];
      if (body + length > size) return {};
      if (packetIndex == 1) packet.insert(packet.end(), data + body, data + body + length);
      body += length;
      if (length < 255 && ++packetIndex == 2) return packet;
    }
    at = body;
  }
  return {};
}

// stb_vorbis trusts the comment header's numbers: a length near 2^31 or
// 2^32 overflows its allocation's size, and a list it could not make is
// still walked. The header is checked first, as the decoder will read it:
// every length within the packet, and a count of comments that fits it.
bool CommentHeaderSound(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> packet = SecondPacket(data, size);
  // Pages that end first: the decoder reads the file's last bytes as the
  // numbers, and refuses the lengths that cannot be (our fixes to it).
  if (packet.empty()) return true;
  static const std::uint8_t kComment[] = {3, 'v', 'o', 'r', 'b', 'i', 's'};
  if (packet.size() < sizeof kComment || std::memcmp(packet.data(), kComment, sizeof kComment) != 0) return true;
  std::size_t next = sizeof kComment;
  auto read32 = [&](std::uint64_t& value) {
    if (next + 4 > packet.size()) return false;
    value = static_cast<std::uint64_t>(packet[next]) | static_cast<std::uint64_t>(packet[next + 1]) << 8 |
            static_cast<std::uint64_t>(packet[next + 2]) << 16 | static_cast<std::uint64_t>(packet[next + 3]) << 24;
    next += 4;
    return true;
  };
  std::uint64_t vendor = 0;
  std::uint64_t count = 0;
  if (!read32(vendor) || vendor > packet.size() - next) return false;
  next += static_cast<std::size_t>(vendor);
  if (!read32(count) || count > (packet.size() - next) / 4) return false;
  for (std::uint64_t i = 0; i < count; ++i) {
    std::uint64_t length = 0;
    if (!read32(length) || length > packet.size() - next) return false;
    next += static_cast<std::size_t>(length);
  }
  return true;
}

}  // namespace

SoundProblem DecodeVorbis(const std::uint8_t* data, std::size_t size, PcmSound& sound) {
  if (size > kMaxSoundBytes) return SoundProblem::kTooLarge;
  if (!CommentHeaderSound(data, size)) return SoundProblem::kUndecodable;
  // The decoder's tables are sized by the file's headers: it works in an
  // arena of its own, so that a file asking for more fails instead of
  // taking the memory it names. Left uninitialised, so that only the pages
  // it touches are mapped: the decoder clears each block as it takes it
  // (third_party/stb_vorbis/0002-arena-blocks-cleared.patch).
  const std::unique_ptr<char[]> arena(new char[kArenaBytes]);
  stb_vorbis_alloc alloc{arena.get(), kArenaBytes};
  int error = 0;
  stb_vorbis* vorbis = stb_vorbis_open_memory(data, static_cast<int>(size), &error, &alloc);
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
