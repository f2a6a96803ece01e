// Draws the tray icon: a small blue alarm clock with two yellow bells, a
// white face and black hands, in front of a magenta ribbon that fills the
// upper right. Writes a 16 x 16, 16-colour icon with its transparency mask.
//   iconmaker OUTPUT.ico
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 16;

// The standard 16-colour palette, as RGB.
constexpr std::uint32_t kPalette[16] = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};
enum Colour : int {
  kBlack = 0, kPurple = 5, kNavy = 4, kOlive = 3, kYellow = 11, kBlue = 12, kMagenta = 13, kWhite = 15,
  kClear = -1,
};

using Canvas = std::vector<int>;  // palette index per pixel, top-down; kClear is transparent

// Distance of a pixel's centre from a point.
double Distance(int x, int y, double cx, double cy) { return std::hypot(x + 0.5 - cx, y + 0.5 - cy); }

void Paint(Canvas& canvas, int x, int y, int colour) {
  if (x >= 0 && x < kSize && y >= 0 && y < kSize) canvas[y * kSize + x] = colour;
}

Canvas Draw() {
  Canvas canvas(kSize * kSize, kClear);

  // The ribbon: a band over the upper right whose lower edge waves, with a
  // darker fold along that edge, a twist across it and a swallow-tail end.
  for (int y = 0; y < kSize; ++y) {
    const int wave = static_cast<int>(std::lround(1.2 * std::sin(y * 0.8)));
    for (int x = 0; x < kSize; ++x) {
      const int diagonal = x - y - wave;
      if (diagonal < 1 || y > 12) continue;
      if (y >= 10 && x >= 12 && (x - 12) <= (y - 10)) continue;  // swallow-tail notch
      const bool fold = diagonal <= 2 || (x + y == 17 && y <= 5);
      Paint(canvas, x, y, fold ? kPurple : kMagenta);
    }
  }

  // Two bells above the clock, drawn first so the clock's rim covers their feet.
  const double bells[2][2] = {{2.6, 3.9}, {10.4, 3.9}};
  for (const auto& bell : bells) {
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const double d = Distance(x, y, bell[0], bell[1]);
        if (d <= 1.95) Paint(canvas, x, y, d > 1.45 ? kOlive : kYellow);
      }
    }
  }

  // Feet.
  Paint(canvas, 2, 15, kNavy);
  Paint(canvas, 10, 15, kNavy);

  // The body, a blue disc with a navy rim, and the white face inside it.
  const double cx = 6.5, cy = 9.5;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const double d = Distance(x, y, cx, cy);
      if (d <= 3.3) Paint(canvas, x, y, kWhite);
      else if (d <= 4.6) Paint(canvas, x, y, kBlue);
      else if (d <= 5.6) Paint(canvas, x, y, kNavy);
    }
  }

  // Hands at ten past twelve: the minute hand up, the hour hand to the right.
  for (int y = 7; y <= 9; ++y) Paint(canvas, 6, y, kBlack);
  Paint(canvas, 7, 9, kBlack);
  Paint(canvas, 8, 9, kBlack);
  return canvas;
}

void PutU16(std::string& out, unsigned v) {
  out.push_back(static_cast<char>(v & 0xFF));
  out.push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutU32(std::string& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

std::string EncodeIcon(const Canvas& canvas) {
  constexpr int kXorStride = kSize / 2;         // 4 bits per pixel, already a multiple of 4
  constexpr int kAndStride = 4;                 // 1 bit per pixel, rows padded to 32 bits
  constexpr std::uint32_t kImageSize = 40 + 16 * 4 + kXorStride * kSize + kAndStride * kSize;

  std::string out;
  // Icon directory with one entry.
  PutU16(out, 0);
  PutU16(out, 1);
  PutU16(out, 1);
  out.push_back(static_cast<char>(kSize));
  out.push_back(static_cast<char>(kSize));
  out.push_back(16);  // colours
  out.push_back(0);
  PutU16(out, 1);  // planes
  PutU16(out, 4);  // bits per pixel
  PutU32(out, kImageSize);
  PutU32(out, 6 + 16);

  // Bitmap header: the height counts the colour rows and the mask rows.
  PutU32(out, 40);
  PutU32(out, kSize);
  PutU32(out, kSize * 2);
  PutU16(out, 1);
  PutU16(out, 4);
  PutU32(out, 0);  // no compression
  PutU32(out, kXorStride * kSize + kAndStride * kSize);
  PutU32(out, 0);
  PutU32(out, 0);
  PutU32(out, 16);
  PutU32(out, 0);
  for (std::uint32_t rgb : kPalette) {
    out.push_back(static_cast<char>(rgb & 0xFF));
    out.push_back(static_cast<char>((rgb >> 8) & 0xFF));
    out.push_back(static_cast<char>((rgb >> 16) & 0xFF));
    out.push_back(0);
  }

  // Rows bottom-up; transparent pixels are black in the colour image and set in the mask.
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2) {
      const int left = canvas[y * kSize + x], right = canvas[y * kSize + x + 1];
      out.push_back(static_cast<char>(((left < 0 ? 0 : left) << 4) | (right < 0 ? 0 : right)));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    unsigned bits = 0;
    for (int x = 0; x < kSize; ++x)
      if (canvas[y * kSize + x] < 0) bits |= 0x8000u >> x;
    out.push_back(static_cast<char>(bits >> 8));
    out.push_back(static_cast<char>(bits & 0xFF));
    out.push_back(0);
    out.push_back(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  const std::string bytes = EncodeIcon(Draw());
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "%s: write failed\n", argv[1]);
    return 1;
  }
  return 0;
}
