// Decoded pictures turned into keyed pictures: every pixel keeps its colour
// without its alpha, and the corner's colour is the key; nothing is written
// outside the picture.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "pictures/keyed_picture.h"

namespace {

constexpr Pixel kColour = 0x00FFFFFF;

// Alpha values of note turn up often; keying drops every one.
Pixel ConsumeAlpha(FuzzedDataProvider& in) {
  static constexpr std::uint8_t kAlphas[] = {0, 127, 128, 255, 1, 254};
  const std::uint8_t alpha = in.ConsumeBool() ? in.PickValueInArray(kAlphas) : in.ConsumeIntegral<std::uint8_t>();
  return static_cast<Pixel>(alpha) << 24;
}

FUZZ_ORACLE void CheckKeyed(const std::vector<Pixel>& decoded, FencedPicture& keyed, Pixel key) {
  const int width = keyed.width();
  FUZZ_REQUIRE(key == (decoded[0] & kColour));
  for (std::size_t i = 0; i < decoded.size(); ++i)
    FUZZ_REQUIRE(keyed.At(static_cast<int>(i) % width, static_cast<int>(i) / width) == (decoded[i] & kColour));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  FencedPicture picture(in.ConsumeIntegralInRange(1, 48), in.ConsumeIntegralInRange(1, 48),
                        in.ConsumeIntegralInRange(0, 2), 0x5A5A5A5A);
  const std::vector<Pixel> palette = ConsumePalette(in);
  const bool noAlpha = in.ConsumeIntegralInRange(0, 7) == 0;  // an alpha channel of zeros
  std::vector<Pixel> decoded;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const Pixel colour = palette[in.ConsumeIntegralInRange<std::size_t>(0, palette.size() - 1)] & kColour;
      picture.At(x, y) = colour | (noAlpha ? 0 : ConsumeAlpha(in));
      decoded.push_back(picture.At(x, y));
    }
  }
  const Pixel key = KeyPicture(picture.view());
  FUZZ_REQUIRE(picture.GuardsIntact());
  CheckKeyed(decoded, picture, key);
  return 0;
}
