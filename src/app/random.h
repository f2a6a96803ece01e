// The clock's own pseudo-random generator (a 32-bit linear congruential
// generator), seeded from the millisecond tick at start.
#ifndef TAVELIN_APP_RANDOM_H
#define TAVELIN_APP_RANDOM_H

#include <cstdint>

class RandomGenerator {
 public:
  void Seed(std::uint32_t seed) { state_ = seed; }
  // A value from 0 to 32767.
  int Next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFF);
  }

 private:
  std::uint32_t state_ = 0;
};

#endif
