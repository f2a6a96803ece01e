// Little-endian byte output for the kit's files, the same on every host.
#ifndef TAVELIN_DEMOKIT_BYTES_H
#define TAVELIN_DEMOKIT_BYTES_H

#include <cstdint>
#include <string>
#include <vector>

namespace demokit {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v & 0xFF));
  out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

inline void Put32(Bytes& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

inline void PutText(Bytes& out, const std::string& s) {
  for (char c : s) out.push_back(static_cast<std::uint8_t>(c));
}

}  // namespace demokit

#endif
