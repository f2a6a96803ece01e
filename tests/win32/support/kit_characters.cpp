#include "support/kit_characters.h"

#include <windows.h>

#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
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
  FigurePictures pictures{};
  pictures.face = face.pixels.view();
  pictures.character = character.pixels.view();
  pictures.xPosFace = kit.x;
  pictures.yPosFace = kit.y;
  pictures.fFaceOnChara = kit.faceOnChara;
  if (character.cutByAlpha) {
    // A soft figure: pictures with alpha premultiplied, keyed ones made opaque.
    for (DecodedPicture* picture : {&face, &character}) {
      if (picture->cutByAlpha) {
        PremultiplyPicture(picture->pixels.view());
      } else {
        OpaqueFromKey(picture->pixels.view(), KeyPicture(picture->pixels.view(), false));
      }
    }
    return ComposeSoftFigure(pictures, scale, figure);
  }
  pictures.faceKey = KeyPicture(face.pixels.view(), face.cutByAlpha);
  pictures.characterKey = KeyPicture(character.pixels.view(), character.cutByAlpha);
  return ComposeFigure(pictures, scale, figure);
}
