// Pictures keyed by their corner colour, the free key colour of a figure, and
// the rule for pictures cut by alpha.
#include <gtest/gtest.h>

#include <vector>

#include "pictures/keyed_picture.h"
#include "pictures/pixel_buffer.h"

namespace {

PixelBuffer FromPixels(int width, const std::vector<Pixel>& pixels) {
  PixelBuffer buffer;
  EXPECT_TRUE(buffer.Allocate(width, static_cast<int>(pixels.size()) / width, 0));
  std::copy(pixels.begin(), pixels.end(), buffer.data());
  return buffer;
}

std::vector<Pixel> PixelsOf(const PixelBuffer& buffer) {
  return std::vector<Pixel>(buffer.data(), buffer.data() + buffer.width() * buffer.height());
}

constexpr Pixel M = kCanvasMagenta;

TEST(KeyPicture, TheCornerIsTheKeyAndAlphaGoes) {
  PixelBuffer picture = FromPixels(2, {0xFF010203, 0x20445566, 0x00010203, 0xFFFFFFFF});
  EXPECT_EQ(KeyPicture(picture.view()), 0x00010203u);
  EXPECT_EQ(PixelsOf(picture), (std::vector<Pixel>{0x00010203, 0x00445566, 0x00010203, 0x00FFFFFF}));
}

// The one rule for alpha, the same whichever decoder read the picture.
TEST(IsCutByAlpha, PngByItsHeaderBmpByItsMaskAndItsPixels) {
  PictureHeader png;
  png.format = PictureFormat::kPng;
  PictureHeader bmp;
  bmp.format = PictureFormat::kBmp;
  const auto with = [](PictureHeader header, int colourType, bool transparency, bool alphaMask) {
    header.colourType = colourType;
    header.transparency = transparency;
    header.alphaMask = alphaMask;
    return header;
  };
  const std::vector<Pixel> someAlpha = {0x00000000, 0xFF112233};
  const std::vector<Pixel> noAlpha = {0x00000000, 0x00112233};
  const std::vector<Pixel> opaque = {0xFF000000, 0xFF112233};
  const struct {
    const char* what;
    PictureHeader header;
    std::vector<Pixel> pixels;
    bool cut;
  } cases[] = {
      {"PNG RGBA", with(png, 6, false, false), someAlpha, true},
      {"PNG RGBA, alpha zero everywhere", with(png, 6, false, false), noAlpha, true},
      {"PNG grey and alpha", with(png, 4, false, false), opaque, true},
      {"PNG palette with tRNS", with(png, 3, true, false), noAlpha, true},
      {"PNG RGB with tRNS", with(png, 2, true, false), opaque, true},
      {"PNG RGB", with(png, 2, false, false), someAlpha, false},
      {"PNG grey", with(png, 0, false, false), someAlpha, false},
      {"BMP with an alpha mask", with(bmp, 0, false, true), someAlpha, true},
      {"BMP with an alpha mask, all opaque", with(bmp, 0, false, true), opaque, true},
      {"BMP with an alpha mask, alpha zero everywhere", with(bmp, 0, false, true), noAlpha, false},
      {"BMP without an alpha mask", with(bmp, 0, false, false), someAlpha, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const PixelBuffer picture = FromPixels(2, c.pixels);
    EXPECT_EQ(IsCutByAlpha(c.header, picture.view()), c.cut);
  }
}

TEST(FindFreeKey, TheLowestColourNoFigurePixelHas) {
  // Every colour from black up to 0x000FFF and magenta is taken by the figure.
  PixelBuffer picture;
  ASSERT_TRUE(picture.Allocate(64, 65, 0x00ABCDEF));  // the key, where no figure pixel is
  for (int i = 0; i < 4096; ++i) picture.data()[i] = static_cast<Pixel>(i);
  picture.data()[4096] = M;
  const KeyedView part[] = {{picture.view(), 0x00ABCDEF}};
  EXPECT_EQ(FindFreeKey(part), 0x00001000u);
}

TEST(FindFreeKey, MagentaUnlessAFigurePixelHasIt) {
  PixelBuffer face = FromPixels(2, {M, 0x00000000, 0x00000001, M});  // magenta is its own key here
  PixelBuffer character = FromPixels(2, {0x0000FF00, 0x00000002, 0x00000000, 0x0000FF00});
  KeyedView parts[] = {{face.view(), kOwnCornerKey}, {character.view(), kOwnCornerKey}};
  EXPECT_EQ(FindFreeKey(parts), M);

  character.view().At(0, 1) = M;  // now a figure pixel
  EXPECT_EQ(FindFreeKey(parts), 0x00000003u) << "0, 1 and 2 are figure colours";

  parts[1].key = M;  // unless magenta is that picture's key
  EXPECT_EQ(FindFreeKey(parts), M);

  character.view().At(0, 1) = 0xFFFF00FF;  // not a colour: no key can equal it
  parts[1].key = kOwnCornerKey;
  EXPECT_EQ(FindFreeKey(parts), M);
  EXPECT_EQ(ResolveKey(face.view(), kOwnCornerKey), M);
  EXPECT_EQ(ResolveKey(face.view(), 0x00000001), 0x00000001u);
}

}  // namespace
