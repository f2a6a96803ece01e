// The whole demo kit: pictures, sounds and the character sections of
// Tavelin.ini, as files in memory.
#ifndef TAVELIN_DEMOKIT_KIT_H
#define TAVELIN_DEMOKIT_KIT_H

#include <string>
#include <vector>

#include "bytes.h"
#include "picture.h"

namespace demokit {

struct KitFile {
  std::string name;
  Bytes bytes;
};

// Every file of the kit, Tavelin.ini last.
std::vector<KitFile> BuildKit();

// The twelve character sections, CRLF line ends.
std::string CharacterSections();

// The figure as the clock composes it at normal size: a magenta canvas large
// enough for the character and a 150 x 150 face at (x, y) from it, each
// picture drawn without its own top-left colour, the face last when
// faceOnChara is set.
Picture Compose(const Picture& chara, const Picture& face, int x, int y, bool faceOnChara);

// All twelve figures composed on magenta in a grid, with hands at 10:08:30.
Picture PreviewSheet();

}  // namespace demokit

#endif
