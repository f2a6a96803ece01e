// One number for the pixels of many renders of the hands: every second of a
// minute, both sizes, both surfaces, both colour sets. The native tests and
// the tests built for Windows compare it with the same value, so the two
// builds draw the same pixels. A deliberate change to the drawing changes the
// value here too.
#ifndef TAVELIN_TESTS_CORE_HAND_STROKES_DIGEST_H
#define TAVELIN_TESTS_CORE_HAND_STROKES_DIGEST_H

#include <cstdint>

#include "clockface/hand_strokes.h"
#include "mascot/figure_geometry.h"
#include "pictures/pixel_buffer.h"
#include "resource.h"

constexpr std::uint64_t kHandsDigest = 0xf2b72aa4bb2ab632;

// FNV-1a over the pixels of 240 renders into a 160 x 160 picture.
inline std::uint64_t HandsDigest() {
  std::uint64_t digest = 1469598103934665603ull;
  for (int s = 0; s < 60; ++s)
    for (int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL})
      for (bool soft : {false, true}) {
        PixelBuffer picture;
        if (!picture.Allocate(160, 160, soft ? 0u : 0x00FFFFFFu)) return 0;
        RenderClockHands(picture.view(), 0, 0, soft ? HandsSurface::kPremultiplied : HandsSurface::kOpaque, 80, 80,
                         nSize == IDM_SIZE_SMALL ? 0.7 : 1.0, nSize, (s * 7) % 24, (s * 13) % 60, s, s % 2 != 0,
                         kBaseDpi);
        for (int i = 0; i < 160 * 160; ++i) {
          digest ^= picture.data()[i];
          digest *= 1099511628211ull;
        }
      }
  return digest;
}

#endif
