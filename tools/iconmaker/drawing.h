// The program's icon, drawn at any size: a blue alarm clock with two yellow
// bells, a white face and dark hands, outlined in navy so that it reads on a
// light task bar as well as on a dark one.
#ifndef TAVELIN_ICONMAKER_DRAWING_H
#define TAVELIN_ICONMAKER_DRAWING_H

#include <cstdint>
#include <vector>

namespace iconmaker {

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;  // straight alpha, as icons hold it
};

// A square picture, top-down.
struct Square {
  int size = 0;
  std::vector<Rgba> pixels;
  Rgba at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * size + x]; }
};

// The sizes the icon carries: the shell's small icon at 100 % to 250 % and
// its large one at 100 % to 200 %, and the one Explorer shows in its largest views.
inline constexpr int kIconSizes[] = {16, 20, 24, 32, 40, 48, 64, 256};

// The icon drawn at size x size pixels. Each pixel is sampled on a fine grid,
// so an edge comes out as the part of the pixel it covers; at the small sizes
// the strokes are widened to whole pixels and the hands laid on the pixel grid.
Square DrawIcon(int size);

}  // namespace iconmaker

#endif
