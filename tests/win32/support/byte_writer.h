// Little helpers of the test picture writers.
#ifndef TAVELIN_TESTS_WIN32_BYTE_WRITER_H
#define TAVELIN_TESTS_WIN32_BYTE_WRITER_H

#include <cstdint>
#include <string>

inline void PutLittleEndian(std::string* bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline void PutBigEndian(std::string* bytes, std::uint32_t value, int size) {
  for (int i = size - 1; i >= 0; --i) bytes->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

#endif
