// The sound decoder fed any bytes: our own WAV reader, stb_vorbis and the
// dispatch by signature. Each input fails cleanly or gives a sound the player
// can take: one or two channels, a rate in range, whole frames, within the
// memory limit. The first byte picks how the rest becomes a file:
//   0  as it is (the seeds hold whole Ogg Vorbis files, so that mutations
//      reach the Ogg framing and every header);
//   1  a RIFF WAVE header in front;
//   2  a list of packets, each a two-byte length and its bytes, that the
//      target lays into well-formed Ogg pages (lacing, flags, checksums), so
//      that mutations go straight into the Vorbis headers and audio packets
//      instead of breaking the pages around them.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "fuzz_support.h"
#include "sound/sound_decode.h"

namespace {

std::uint32_t OggCrc(const std::uint8_t* data, std::size_t size) {
  static const auto table = [] {
    std::vector<std::uint32_t> t(256);
    for (std::uint32_t i = 0; i < 256; ++i) {
      std::uint32_t r = i << 24;
      for (int b = 0; b < 8; ++b) r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : r << 1;
      t[i] = r;
    }
    return t;
  }();
  std::uint32_t crc = 0;
  for (std::size_t i = 0; i < size; ++i) crc = (crc << 8) ^ table[(crc >> 24) ^ data[i]];
  return crc;
}

struct Packet {
  const std::uint8_t* data;
  std::size_t size;
  bool endsPage;
};

// The packets as one logical stream of Ogg pages. A page ends after the
// identification header (it must be alone on the first page), after the
// setup header, where the input asks, and at 255 segments; a packet of
// more spans pages.
FUZZ_ORACLE std::vector<std::uint8_t> OggPages(const std::vector<Packet>& packets) {
  std::vector<std::uint8_t> file;
  std::vector<std::uint8_t> lacing;
  std::vector<std::uint8_t> body;
  bool continued = false;
  std::uint32_t sequence = 0;
  std::size_t packetsDone = 0;
  bool packetEnded = false;
  auto flush = [&](bool last, bool nextContinues) {
    const std::uint8_t flags = (continued ? 1 : 0) | (sequence == 0 ? 2 : 0) | (last ? 4 : 0);
    // Granule position: a plausible count of samples so far, or -1 on a
    // page where no packet ends.
    const std::uint64_t granule = packetEnded ? packetsDone * 512 : ~0ull;
    std::uint8_t head[27] = {'O', 'g', 'g', 'S', 0, flags};
    for (int i = 0; i < 8; ++i) head[6 + i] = static_cast<std::uint8_t>(granule >> (8 * i));
    head[14] = 0x5A;  // serial number
    for (int i = 0; i < 4; ++i) head[18 + i] = static_cast<std::uint8_t>(sequence >> (8 * i));
    head[26] = static_cast<std::uint8_t>(lacing.size());
    const std::size_t start = file.size();
    file.insert(file.end(), head, head + 27);
    file.insert(file.end(), lacing.begin(), lacing.end());
    file.insert(file.end(), body.begin(), body.end());
    const std::uint32_t crc = OggCrc(file.data() + start, file.size() - start);
    for (int i = 0; i < 4; ++i) file[start + 22 + i] = static_cast<std::uint8_t>(crc >> (8 * i));
    continued = nextContinues;
    ++sequence;
    packetEnded = false;
    lacing.clear();
    body.clear();
  };
  for (std::size_t p = 0; p < packets.size(); ++p) {
    const Packet& packet = packets[p];
    std::size_t left = packet.size;
    const std::uint8_t* at = packet.data;
    for (;;) {
      if (lacing.size() == 255) flush(false, at != packet.data);
      const std::size_t segment = left < 255 ? left : 255;
      lacing.push_back(static_cast<std::uint8_t>(segment));
      body.insert(body.end(), at, at + segment);
      at += segment;
      left -= segment;
      if (segment < 255) break;
    }
    ++packetsDone;
    packetEnded = true;
    const bool last = p + 1 == packets.size();
    if (last || p == 0 || p == 2 || packet.endsPage) flush(last, false);
  }
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  std::vector<std::uint8_t> file;
  switch (data[0] % 3) {
    case 0:  // as it is
      file.assign(data + 1, data + size);
      break;
    case 1: {  // a RIFF WAVE header in front
      const std::uint8_t head[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'};
      file.assign(head, head + sizeof head);
      file.insert(file.end(), data + 1, data + size);
      break;
    }
    case 2: {  // packets laid into Ogg pages; the length's top bit ends a page
      std::vector<Packet> packets;
      std::size_t at = 1;
      while (at + 2 <= size) {
        const std::size_t word = data[at] | static_cast<std::size_t>(data[at + 1]) << 8;
        at += 2;
        const std::size_t length = std::min<std::size_t>(word & 0x7FFF, size - at);
        packets.push_back({data + at, length, (word & 0x8000) != 0});
        at += length;
      }
      file = OggPages(packets);
      break;
    }
  }
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
