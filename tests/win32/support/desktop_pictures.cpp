#include "desktop_pictures.h"

#include <windows.h>

#include <fstream>

#include "app/character_table.h"

namespace {

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

constexpr std::uint32_t kKey = 0x00FF00;

}  // namespace

void WriteTestBmp(const std::string& path, int width, int height,
                  const std::function<std::uint32_t(int x, int y)>& colour) {
  const int stride = (width * 3 + 3) & ~3;
  const std::uint32_t pixelBytes = static_cast<std::uint32_t>(stride * height);
  std::string out;
  out += "BM";
  PutLe(out, 54 + pixelBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(width), 4);
  PutLe(out, static_cast<std::uint32_t>(height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, pixelBytes, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) PutLe(row, colour(x, y), 3);  // blue, green, red
    row.resize(static_cast<size_t>(stride), '\0');
    out += row;
  }
  std::ofstream(path, std::ios::binary | std::ios::trunc) << out;
}

std::string WriteTestCharacters(const std::string& folder) {
  WriteTestBmp(folder + "face.bmp", 150, 150, [](int x, int y) -> std::uint32_t {
    const int dx = x - 75, dy = y - 75;
    return dx * dx + dy * dy <= 70 * 70 ? 0xFFFFFF : kKey;
  });
  std::string sections;
  for (int i = 0; i < kCharacterCount; ++i) {
    const std::string name = "chara" + std::to_string(i) + ".bmp";
    WriteTestBmp(folder + name, TestCharacterWidth(i), 160,
                 [](int x, int y) -> std::uint32_t { return x == 0 && y == 0 ? kKey : 0xFF0000; });
    sections += std::string("[") + CharacterTable[i].name + "]\r\nFileNameFace=face.bmp\r\nFileNameChara=" +
                name + "\r\nxPosFace=0\r\nyPosFace=0\r\nfFaceOnChara=1\r\n";
  }
  return sections;
}
