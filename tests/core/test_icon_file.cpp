// The icon the program carries (res/tray.ico, as the icon maker writes it),
// read back byte by byte: its eight sizes, each a 32-bit image with alpha,
// with smooth edges, no magenta, and enough contrast on a light and on a dark
// task bar to be read there.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::string ReadIconFile() {
  std::ifstream in(std::string(TAVELIN_SOURCE_DIR) + "/res/tray.ico", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

unsigned U8(const std::string& b, std::size_t at) { return static_cast<unsigned char>(b.at(at)); }
unsigned U16(const std::string& b, std::size_t at) { return U8(b, at) | U8(b, at + 1) << 8; }
std::uint32_t U32(const std::string& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

struct Pixel {
  double r, g, b;
  unsigned a;
};

struct Image {
  int side = 0;
  unsigned bitCount = 0;
  std::vector<Pixel> pixels;  // top-down
  std::vector<bool> masked;   // the AND mask: set where the pixel is clear
};

// The images in the order of the directory; empty if the file is not an
// icon of 32-bit BMP images.
std::vector<Image> ReadImages(const std::string& file) {
  std::vector<Image> images;
  if (file.size() < 6 || U16(file, 0) != 0 || U16(file, 2) != 1) return images;
  const unsigned count = U16(file, 4);
  for (unsigned i = 0; i < count; ++i) {
    const std::size_t entry = 6 + 16 * i;
    Image image;
    image.side = U8(file, entry) == 0 ? 256 : static_cast<int>(U8(file, entry));
    image.bitCount = U16(file, entry + 6);
    const std::uint32_t bytes = U32(file, entry + 8), offset = U32(file, entry + 12);
    const auto side = static_cast<std::size_t>(image.side);
    const std::size_t maskStride = (side + 31) / 32 * 4;
    if (offset + bytes > file.size() || bytes != 40 + side * side * 4 + maskStride * side) return {};
    if (U32(file, offset) != 40 || U32(file, offset + 4) != side || U32(file, offset + 8) != 2 * side ||
        U16(file, offset + 14) != 32 || U32(file, offset + 16) != 0)
      return {};
    const std::size_t colour = offset + 40, mask = colour + side * side * 4;
    for (std::size_t y = 0; y < side; ++y) {
      const std::size_t row = side - 1 - y;  // stored bottom-up
      for (std::size_t x = 0; x < side; ++x) {
        const std::size_t at = colour + (row * side + x) * 4;
        image.pixels.push_back(
            {double(U8(file, at + 2)), double(U8(file, at + 1)), double(U8(file, at)), U8(file, at + 3)});
        image.masked.push_back((U8(file, mask + row * maskStride + x / 8) & (0x80u >> (x % 8))) != 0);
      }
    }
    images.push_back(std::move(image));
  }
  return images;
}

// Relative luminance and contrast ratio as the web's accessibility rules
// define them: 3 is the least for shapes to stand out from what is behind.
double Luminance(double r, double g, double b) {
  auto linear = [](double v) {
    v /= 255.0;
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}
double Contrast(double l1, double l2) { return l1 > l2 ? (l1 + 0.05) / (l2 + 0.05) : (l2 + 0.05) / (l1 + 0.05); }

// The part of the icon's solid pixels (alpha at least half) that, laid over
// the bar's grey, stand out from it at a contrast of 3 or more.
double StandingOut(const Image& image, double bar) {
  int solid = 0, standing = 0;
  for (const Pixel& p : image.pixels) {
    if (p.a < 128) continue;
    const double t = p.a / 255.0;
    const double shown = Luminance(p.r * t + bar * (1 - t), p.g * t + bar * (1 - t), p.b * t + bar * (1 - t));
    ++solid;
    standing += Contrast(shown, Luminance(bar, bar, bar)) >= 3.0;
  }
  return solid == 0 ? 0.0 : double(standing) / solid;
}

TEST(IconFile, HoldsTheEightSizesAs32BitImagesWithAlpha) {
  const std::vector<Image> images = ReadImages(ReadIconFile());
  const int sides[] = {16, 20, 24, 32, 40, 48, 64, 256};
  ASSERT_EQ(images.size(), std::size(sides)) << "an icon file of 32-bit BMP images, one per size";
  for (std::size_t i = 0; i < images.size(); ++i) {
    const Image& image = images[i];
    SCOPED_TRACE(testing::Message() << image.side << " pixels");
    EXPECT_EQ(image.side, sides[i]);
    EXPECT_EQ(image.bitCount, 32u);
    int clear = 0, partial = 0, maskAgrees = 0;
    for (std::size_t p = 0; p < image.pixels.size(); ++p) {
      const unsigned a = image.pixels[p].a;
      clear += a == 0;
      partial += a > 0 && a < 255;
      maskAgrees += image.masked[p] == (a == 0);
    }
    EXPECT_EQ(image.pixels.front().a, 0u) << "the corners show the bar behind the clock";
    EXPECT_GT(clear, image.side * image.side / 16) << "a round clock, not a square";
    // Every row across the outline crosses the edge twice: a smooth edge is
    // partly covered there, a staircase is not.
    EXPECT_GE(partial, image.side * 2) << "edges drawn by coverage";
    EXPECT_EQ(maskAgrees, image.side * image.side) << "the mask, for readers without alpha, marks the clear pixels";
  }
}

TEST(IconFile, NoPixelIsMagenta) {
  // Magenta is the colour of a picture whose transparency went wrong.
  for (const Image& image : ReadImages(ReadIconFile())) {
    int magenta = 0;
    for (const Pixel& p : image.pixels)
      magenta += p.a > 0 && p.r > 150 && p.b > 150 && p.g < 0.6 * std::min(p.r, p.b);
    EXPECT_EQ(magenta, 0) << "at " << image.side << " pixels";
  }
}

TEST(IconFile, StandsOutOnLightAndOnDarkTaskBars) {
  const std::vector<Image> images = ReadImages(ReadIconFile());
  ASSERT_FALSE(images.empty());
  struct Bar {
    const char* name;
    double grey;
  };
  // The task bars of Windows 11 in its light and dark modes, and a black one.
  const Bar bars[] = {{"light", 243}, {"dark", 32}, {"black", 0}};
  for (const Image& image : images) {
    for (const Bar& bar : bars) {
      EXPECT_GE(StandingOut(image, bar.grey), 0.4) << image.side << " pixels on the " << bar.name << " bar";
    }
  }
}

}  // namespace
