#include "support/kit_characters.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "app/character_table.h"
#include "mascot/figure_kind.h"
#include "pictures/picture_reader_win32.h"
#include "resource.h"
#include "support/clock_fixture.h"

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
  kit.pictureScale = static_cast<int>(GetPrivateProfileIntA(name, "nPictureScale", 100, ini.c_str()));
  return kit;
}

bool CopyKitCharacter(const std::string& kitFolder, int index, const std::string& folder, const std::string& general,
                      KitCharacter* kit) {
  if (kitFolder.empty() || GetFileAttributesA((kitFolder + "Tavelin.ini").c_str()) == INVALID_FILE_ATTRIBUTES) {
    return false;
  }
  const char* name = CharacterTable[index].name;
  *kit = ReadKitCharacter(kitFolder + "Tavelin.ini", name);
  for (const std::string& file : {kit->face, kit->character}) {
    if (!CopyFileA((kitFolder + file).c_str(), (folder + file).c_str(), FALSE)) {
      ADD_FAILURE() << "cannot copy " << kitFolder << file;
      return false;
    }
  }
  const std::string ini = "[GENERAL]\r\nnChara=" + std::to_string(IDM_CHARA_FIRST + index) + "\r\n" + general + "[" +
                          name + "]\r\nFileNameFace=" + kit->face + "\r\nFileNameChara=" + kit->character +
                          "\r\nxPosFace=" + std::to_string(kit->x) + "\r\nyPosFace=" + std::to_string(kit->y) +
                          "\r\nfFaceOnChara=" + std::to_string(kit->faceOnChara) +
                          "\r\nnPictureScale=" + std::to_string(kit->pictureScale) + "\r\n";
  WriteFileBytes(folder + "Tavelin.ini", ini);
  return true;
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
  placement.nPictureScale = kit.pictureScale;
  bool soft = false;
  return ComposeDecodedFigure({face.pixels.view(), face.cutByAlpha}, {character.pixels.view(), character.cutByAlpha},
                              placement, PictureFactor(scale, kit.pictureScale), figure, &soft);
}
