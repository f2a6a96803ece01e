// Draws the program's icon at every size it carries and writes the .ico.
//   iconmaker OUTPUT.ico
#include <cstdio>
#include <string>
#include <vector>

#include "drawing.h"
#include "ico_file.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  std::vector<iconmaker::Square> images;
  for (int size : iconmaker::kIconSizes) images.push_back(iconmaker::DrawIcon(size));
  const std::string bytes = iconmaker::EncodeIco(images);
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
