#include "support/kit_characters.h"

#include <windows.h>

#include "mascot/figure_kind.h"
#include "pictures/picture_reader_win32.h"

KitCharacter ReadKitCharacter(const std::string& ini, const char* name) {
  KitCharacter kit;
  char text[260];
  GetPrivateProfileStringA(name, "FileNameFace", "", text, sizeof text, ini.c_str());
  kit.face = text;
  GetPrivateProfileStringA(name, "FileNameChara", "", text, sizeof text, ini.c_str());
  kit.character = text;
  kit.x = static_cast<int>(GetPrivateProfileIntA(name, "xPosFace", 0, ini.c_str()));
  kit.y = static_cast<int>(GetPrivateProfileIntA(name, "yPosFace", 0, ini.c_str()));
  kit.faceOnChara = static_cast<int>(GetPrivateProfileIntA(name, "fFaceOnChara", 0, ini.c_str()));
  return kit;
}

bool ComposeKitCharacter(const std::string& folder, const KitCharacter& kit, double scale, Figure* figure) {
  DecodedPicture face;
  DecodedPicture character;
  if (LoadPictureFile((folder + kit.face).c_str(), &face) != PictureFault::kNone ||
      LoadPictureFile((folder + kit.character).c_str(), &character) != PictureFault::kNone) {
    return false;
  }
  FigurePictures placement{};
  placement.xPosFace = kit.x;
  placement.yPosFace = kit.y;
  placement.fFaceOnChara = kit.faceOnChara;
  bool soft = false;
  return ComposeDecodedFigure({face.pixels.view(), face.cutByAlpha}, {character.pixels.view(), character.cutByAlpha},
                              placement, scale, figure, &soft);
}
