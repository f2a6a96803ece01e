// The characters of a kit as its Tavelin.ini names them, and their figures
// as the pixel rules make them from the files.
#ifndef TAVELIN_TESTS_WIN32_KIT_CHARACTERS_H
#define TAVELIN_TESTS_WIN32_KIT_CHARACTERS_H

#include <string>

#include "mascot/figure.h"

struct KitCharacter {
  std::string face;       // FileNameFace
  std::string character;  // FileNameChara
  int x = 0;
  int y = 0;
  int faceOnChara = 0;
  int pictureScale = 100;  // nPictureScale
};

// The character's section of the INI file at `ini`.
KitCharacter ReadKitCharacter(const std::string& ini, const char* name);

// Copies character `index` of the kit in `kitFolder` (both ending in a
// backslash) into `folder` with a Tavelin.ini that chooses it, its GENERAL
// section holding `general` too. False when there is no kit.
bool CopyKitCharacter(const std::string& kitFolder, int index, const std::string& folder, const std::string& general,
                      KitCharacter* kit);

// The figure at the display scale `scale` (the picture factor follows from
// the kit's nPictureScale) of the character's pictures in `folder` (ending in a
// backslash), read through the picture reader, which must be open, and made
// as the clock makes it: soft when either picture is cut by alpha, else
// keyed. False when a picture does not load.
bool ComposeKitCharacter(const std::string& folder, const KitCharacter& kit, double scale, Figure* figure);

#endif
