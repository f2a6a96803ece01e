// The twelve demo characters and their clock faces.
#ifndef TAVELIN_DEMOKIT_CHARACTERS_H
#define TAVELIN_DEMOKIT_CHARACTERS_H

#include <vector>

#include "picture.h"

namespace demokit {

constexpr int kFaceSize = 150;

struct FaceVariant {
  const char* fileStem;  // the file's name without its extension
  Rgb rim;
};

// Indexes into FaceVariants().
enum FaceIndex { kBlueFace, kGoldFace, kRoseFace, kMintFace };

struct Character {
  const char* name;      // section name in Tavelin.ini
  const char* fileStem;  // the character picture's file name without its extension
  FaceIndex face;
  int xPosFace, yPosFace, fFaceOnChara;
  Picture (*draw)(int scale);
};

// The faces the characters use, in FaceIndex order.
const std::vector<FaceVariant>& FaceVariants();
const FaceVariant& FaceOf(const Character& c);
// The twelve, in the order of the clock's character table.
const std::vector<Character>& Characters();

// A 150 x 150 dial centred on pixel (75, 75) with the given rim colour.
Picture DrawFace(Rgb rim, int scale);

Picture DrawAduvi(int scale);
Picture DrawBelmoa(int scale);
Picture DrawCirrat(int scale);
Picture DrawDovane(int scale);
Picture DrawEsmuka(int scale);
Picture DrawFornel(int scale);
Picture DrawGavoni(int scale);
Picture DrawHesket(int scale);
Picture DrawIlvora(int scale);
Picture DrawJemsut(int scale);
Picture DrawKaltra(int scale);
Picture DrawLunavi(int scale);

}  // namespace demokit

#endif
