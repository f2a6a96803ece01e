#include "kit.h"

#include <algorithm>

#include "bmp_file.h"
#include "characters.h"
#include "features.h"
#include "png_file.h"
#include "sound.h"
#include "trig.h"

namespace demokit {

const std::vector<FaceVariant>& FaceVariants() {
  static const std::vector<FaceVariant> faces = {
      {"face", Rgb{70, 110, 190}},
      {"face_gold", Rgb{226, 172, 58}},
      {"face_rose", Rgb{222, 108, 138}},
      {"face_mint", Rgb{84, 178, 150}},
  };
  return faces;
}

const FaceVariant& FaceOf(const Character& c) { return FaceVariants()[c.face]; }

const std::vector<Character>& Characters() {
  static const std::vector<Character> table = {
      {"Aduvi", "aduvi", kMintFace, -90, 72, 0, DrawAduvi},
      {"Belmoa", "belmoa", kGoldFace, 45, 130, 1, DrawBelmoa},
      {"Cirrat", "cirrat", kRoseFace, -10, 100, 0, DrawCirrat},
      {"Dovane", "dovane", kBlueFace, 10, -90, 0, DrawDovane},
      {"Esmuka", "esmuka", kGoldFace, 45, 35, 1, DrawEsmuka},
      {"Fornel", "fornel", kMintFace, 40, 5, 1, DrawFornel},
      {"Gavoni", "gavoni", kRoseFace, 150, -85, 0, DrawGavoni},
      {"Hesket", "hesket", kGoldFace, 30, -115, 0, DrawHesket},
      {"Ilvora", "ilvora", kMintFace, 85, 140, 1, DrawIlvora},
      {"Jemsut", "jemsut", kBlueFace, 20, 170, 1, DrawJemsut},
      {"Kaltra", "kaltra", kBlueFace, 25, 45, 0, DrawKaltra},
      {"Lunavi", "lunavi", kGoldFace, 75, 60, 1, DrawLunavi},
  };
  return table;
}

const char* const kPoseNames[kPoseCount] = {"Blink", "Sleep", "Joy", "Talk"};

namespace {

std::string PoseStem(const Character& c, int pose) {
  std::string stem = std::string(c.fileStem) + "_" + kPoseNames[pose];
  for (char& ch : stem) ch = static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
  return stem;
}

}  // namespace

PoseDrawing PosePart(const Image& rest, const Image& posed) {
  int left = rest.width(), top = rest.height(), right = 0, bottom = 0;
  for (int y = 0; y < rest.height(); ++y) {
    for (int x = 0; x < rest.width(); ++x) {
      if (rest.at(x, y) == posed.at(x, y)) continue;
      left = std::min(left, x);
      top = std::min(top, y);
      right = std::max(right, x + 1);
      bottom = std::max(bottom, y + 1);
    }
  }
  if (right <= left) return {};
  // One transparent pixel before the first row and column: a keyed copy
  // takes its key from its top-left pixel.
  left = std::max(left - 1, 0);
  top = std::max(top - 1, 0);
  PoseDrawing pose{Image(right - left, bottom - top, rest.key()), left, top};
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      const Rgba p = posed.at(x, y);
      const Rgb key = rest.key();
      pose.image.Set(x - left, y - top, rest.at(x, y) == p ? Rgba{key.r, key.g, key.b, 0} : p);
    }
  }
  return pose;
}

std::string KitFileName(const char* stem, KitForm form) {
  return std::string(stem) + (form == KitForm::kSoft ? ".png" : ".bmp");
}

std::string CharacterSections(KitForm form, int scale, const KitDrawings* drawings) {
  const int times = scale / 100;
  std::string ini;
  auto line = [&ini](const std::string& key, const std::string& value) {
    ini += key;
    ini += '=';
    ini += value;
    ini += "\r\n";
  };
  for (std::size_t i = 0; i < Characters().size(); ++i) {
    const Character& c = Characters()[i];
    if (!ini.empty()) ini += "\r\n";
    ini += '[';
    ini += c.name;
    ini += "]\r\n";
    line("FileNameFace", KitFileName(FaceOf(c).fileStem, form));
    line("FileNameChara", KitFileName(c.fileStem, form));
    line("xPosFace", std::to_string(c.xPosFace * times));
    line("yPosFace", std::to_string(c.yPosFace * times));
    line("fFaceOnChara", std::to_string(c.fFaceOnChara));
    if (scale != 100) line("nPictureScale", std::to_string(scale));
    if (drawings == nullptr || i >= drawings->poses.size()) continue;
    for (int k = 0; k < kPoseCount; ++k) {
      const PoseDrawing& pose = drawings->poses[i][static_cast<std::size_t>(k)];
      line(std::string("FileName") + kPoseNames[k], KitFileName(PoseStem(c, k).c_str(), form));
      line(std::string("xPos") + kPoseNames[k], std::to_string(pose.x));
      line(std::string("yPos") + kPoseNames[k], std::to_string(pose.y));
    }
  }
  return ini;
}

KitDrawings DrawKit(int scale) {
  KitDrawings drawings;
  drawings.scale = scale;
  const int times = scale / 100;
  // Each character drawn once, in a layer per pose: the rest first, then
  // the poses in the order of kPoseNames.
  for (const Character& c : Characters()) {
    const LayeredPictures layered(kPoseLayers);
    const Picture picture = c.draw(times);
    drawings.characters.push_back(picture.Resolve(0));
    std::vector<PoseDrawing> poses;
    for (int k = 0; k < kPoseCount; ++k) poses.push_back(PosePart(drawings.characters.back(), picture.Resolve(k + 1)));
    drawings.poses.push_back(std::move(poses));
  }
  for (const FaceVariant& f : FaceVariants()) drawings.faces.push_back(DrawFace(f.rim, times).Resolve());
  return drawings;
}

std::vector<KitFile> PackKit(const KitDrawings& drawings, KitForm form) {
  auto encode = [form](const Image& image) {
    return form == KitForm::kSoft ? EncodePng(image) : EncodeBmp(CutByKey(image));
  };
  std::vector<KitFile> files;
  for (std::size_t i = 0; i < Characters().size(); ++i)
    files.push_back({KitFileName(Characters()[i].fileStem, form), encode(drawings.characters[i])});
  for (std::size_t i = 0; i < FaceVariants().size(); ++i)
    files.push_back({KitFileName(FaceVariants()[i].fileStem, form), encode(drawings.faces[i])});
  for (std::size_t i = 0; i < drawings.poses.size(); ++i) {
    for (int k = 0; k < kPoseCount; ++k) {
      files.push_back({KitFileName(PoseStem(Characters()[i], k).c_str(), form),
                       encode(drawings.poses[i][static_cast<std::size_t>(k)].image)});
    }
  }
  files.push_back({"oclock.wav", MakeChimeWav()});
  files.push_back({"timer.wav", MakeTimerWav()});
  files.push_back({"alarm.wav", MakeAlarmWav()});
  const std::string ini = CharacterSections(form, drawings.scale, &drawings);
  files.push_back({"Tavelin.ini", Bytes(ini.begin(), ini.end())});
  return files;
}

namespace {

// A desktop-like backdrop: a vertical blue gradient.
Image Backdrop(int width, int height) {
  Image sheet(width, height, Rgb{255, 0, 255});
  for (int y = 0; y < height; ++y) {
    const Rgb c = Mix(Rgb{58, 96, 150}, Rgb{150, 184, 214}, static_cast<double>(y) / height);
    for (int x = 0; x < width; ++x) sheet.Set(x, y, {c.r, c.g, c.b, 255});
  }
  return sheet;
}

// Hands roughly as the clock draws them: black hour and minute, red second,
// on a transparent face-sized picture.
Image Hands() {
  Picture p(kFaceSize, kFaceSize, Rgb{255, 0, 255});
  struct Hand {
    double turns, length, radius;
    Rgb colour;
  };
  const Hand hands[] = {{(10 + 8.5 / 60) / 12, 37.5, 1.5, Rgb{0, 0, 0}},
                        {8.5 / 60, 52.5, 1.5, Rgb{0, 0, 0}},
                        {30.0 / 60, 52.5, 0.5, Rgb{255, 0, 0}}};
  const double c = 75.5;
  for (const Hand& h : hands) {
    const Point tip{c + h.length * SineTurns(h.turns), c - h.length * CosineTurns(h.turns)};
    Fill(p, Capsule(p, {c, c}, tip, h.radius), h.colour);
  }
  return p.Resolve();
}

}  // namespace

Image ComposeFigure(const Image& chara, const Image& face, int xPosFace, int yPosFace, bool faceOnChara,
                    int faceSide) {
  const int w = std::max(chara.width(), xPosFace + faceSide) + std::max(-xPosFace, 0);
  const int h = std::max(chara.height(), yPosFace + faceSide) + std::max(-yPosFace, 0);
  Image canvas(w, h, chara.key());
  const int fx = std::max(xPosFace, 0), fy = std::max(yPosFace, 0);
  const int cx = std::max(-xPosFace, 0), cy = std::max(-yPosFace, 0);
  if (faceOnChara) {
    DrawOver(canvas, cx, cy, chara);
    DrawOver(canvas, fx, fy, face);
  } else {
    DrawOver(canvas, fx, fy, face);
    DrawOver(canvas, cx, cy, chara);
  }
  return canvas;
}

Image PreviewSheet(const KitDrawings& drawings) {
  constexpr int kColumns = 4, kGap = 16;
  const Image hands = Hands();
  std::vector<Image> figures;
  int cellW = 0, cellH = 0;
  for (std::size_t i = 0; i < Characters().size(); ++i) {
    const Character& c = Characters()[i];
    figures.push_back(ComposeFigure(drawings.characters[i], drawings.faces[c.face], c.xPosFace, c.yPosFace,
                                    c.fFaceOnChara != 0));
    cellW = std::max(cellW, figures.back().width() + kGap);
    cellH = std::max(cellH, figures.back().height() + kGap);
  }
  const int rows = (static_cast<int>(figures.size()) + kColumns - 1) / kColumns;
  Image sheet = Backdrop(cellW * kColumns, cellH * rows);
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const Character& c = Characters()[i];
    const int x = static_cast<int>(i) % kColumns * cellW + kGap / 2;
    const int y = static_cast<int>(i) / kColumns * cellH + kGap / 2;
    DrawOver(sheet, x, y, figures[i]);
    DrawOver(sheet, x + std::max(c.xPosFace, 0), y + std::max(c.yPosFace, 0), hands);
  }
  return sheet;
}

}  // namespace demokit
