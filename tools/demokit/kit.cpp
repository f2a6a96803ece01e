#include "kit.h"

#include <algorithm>

#include "bmp_file.h"
#include "characters.h"
#include "sound.h"
#include "trig.h"

namespace demokit {

const std::vector<FaceVariant>& FaceVariants() {
  static const std::vector<FaceVariant> faces = {
      {"face.bmp", Rgb{70, 110, 190}},
      {"face_gold.bmp", Rgb{226, 172, 58}},
      {"face_rose.bmp", Rgb{222, 108, 138}},
      {"face_mint.bmp", Rgb{84, 178, 150}},
  };
  return faces;
}

const FaceVariant& FaceOf(const Character& c) { return FaceVariants()[c.face]; }

const std::vector<Character>& Characters() {
  static const std::vector<Character> table = {
      {"Aduvi", "aduvi.bmp", kMintFace, -90, 72, 0, DrawAduvi},
      {"Belmoa", "belmoa.bmp", kGoldFace, 45, 130, 1, DrawBelmoa},
      {"Cirrat", "cirrat.bmp", kRoseFace, -10, 100, 0, DrawCirrat},
      {"Dovane", "dovane.bmp", kBlueFace, 10, -90, 0, DrawDovane},
      {"Esmuka", "esmuka.bmp", kGoldFace, 45, 35, 1, DrawEsmuka},
      {"Fornel", "fornel.bmp", kMintFace, 40, 5, 1, DrawFornel},
      {"Gavoni", "gavoni.bmp", kRoseFace, 150, -85, 0, DrawGavoni},
      {"Hesket", "hesket.bmp", kGoldFace, 30, -115, 0, DrawHesket},
      {"Ilvora", "ilvora.bmp", kMintFace, 85, 140, 1, DrawIlvora},
      {"Jemsut", "jemsut.bmp", kBlueFace, 20, 170, 1, DrawJemsut},
      {"Kaltra", "kaltra.bmp", kBlueFace, 25, 45, 0, DrawKaltra},
      {"Lunavi", "lunavi.bmp", kGoldFace, 75, 60, 1, DrawLunavi},
  };
  return table;
}

std::string CharacterSections() {
  std::string ini;
  auto line = [&ini](const std::string& key, const std::string& value) {
    ini += key;
    ini += '=';
    ini += value;
    ini += "\r\n";
  };
  for (const Character& c : Characters()) {
    if (!ini.empty()) ini += "\r\n";
    ini += '[';
    ini += c.name;
    ini += "]\r\n";
    line("FileNameFace", FaceOf(c).fileName);
    line("FileNameChara", c.fileName);
    line("xPosFace", std::to_string(c.xPosFace));
    line("yPosFace", std::to_string(c.yPosFace));
    line("fFaceOnChara", std::to_string(c.fFaceOnChara));
  }
  return ini;
}

std::vector<KitFile> BuildKit() {
  std::vector<KitFile> files;
  for (const Character& c : Characters()) files.push_back({c.fileName, EncodeBmp(c.draw())});
  for (const FaceVariant& f : FaceVariants()) files.push_back({f.fileName, EncodeBmp(DrawFace(f.rim))});
  files.push_back({"oclock.wav", MakeChimeWav()});
  files.push_back({"timer.wav", MakeTimerWav()});
  files.push_back({"alarm.wav", MakeAlarmWav()});
  const std::string ini = CharacterSections();
  files.push_back({"Tavelin.ini", Bytes(ini.begin(), ini.end())});
  return files;
}

namespace {

constexpr Rgb kMagenta{255, 0, 255};

void DrawTransparent(Picture& canvas, int x, int y, const Picture& src) {
  const Rgb key = src.at(0, 0);
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i)
      if (src.at(i, j) != key) canvas.Set(x + i, y + j, src.at(i, j));
}

void Blit(Picture& dst, int x, int y, const Picture& src) {
  for (int j = 0; j < src.height(); ++j)
    for (int i = 0; i < src.width(); ++i) dst.Set(x + i, y + j, src.at(i, j));
}

// Hands roughly as the clock draws them: black hour and minute, red second.
void DrawHands(Picture& p, double cx, double cy) {
  struct Hand {
    double turns, length, radius;
    Rgb colour;
  };
  const Hand hands[] = {{(10 + 8.5 / 60) / 12, 37.5, 1.5, Rgb{0, 0, 0}},
                        {8.5 / 60, 52.5, 1.0, Rgb{0, 0, 0}},
                        {30.0 / 60, 52.5, 0.5, Rgb{255, 0, 0}}};
  for (const Hand& h : hands) {
    const Point tip{cx + h.length * SineTurns(h.turns), cy - h.length * CosineTurns(h.turns)};
    Fill(p, Capsule(p, {cx, cy}, tip, h.radius), h.colour);
  }
}

}  // namespace

Picture Compose(const Picture& chara, const Picture& face, int x, int y, bool faceOnChara) {
  const int w = std::max(chara.width(), x + kFaceSize) + (x < 0 ? -x : 0);
  const int h = std::max(chara.height(), y + kFaceSize) + (y < 0 ? -y : 0);
  Picture canvas(w, h, kMagenta);
  const int fx = std::max(x, 0), fy = std::max(y, 0);
  const int cx = std::max(-x, 0), cy = std::max(-y, 0);
  if (faceOnChara) {
    DrawTransparent(canvas, cx, cy, chara);
    DrawTransparent(canvas, fx, fy, face);
  } else {
    DrawTransparent(canvas, fx, fy, face);
    DrawTransparent(canvas, cx, cy, chara);
  }
  return canvas;
}

Picture PreviewSheet() {
  std::vector<Picture> figures;
  int cellW = 0, cellH = 0;
  for (const Character& c : Characters()) {
    Picture fig = Compose(c.draw(), DrawFace(FaceOf(c).rim), c.xPosFace, c.yPosFace, c.fFaceOnChara != 0);
    DrawHands(fig, std::max(c.xPosFace, 0) + 75.5, std::max(c.yPosFace, 0) + 75.5);
    cellW = std::max(cellW, fig.width() + 16);
    cellH = std::max(cellH, fig.height() + 16);
    figures.push_back(std::move(fig));
  }
  constexpr int kColumns = 4;
  const int rows = (static_cast<int>(figures.size()) + kColumns - 1) / kColumns;
  Picture sheet(cellW * kColumns, cellH * rows, kMagenta);
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const int col = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
    const Picture& f = figures[i];
    Blit(sheet, col * cellW + (cellW - f.width()) / 2, row * cellH + (cellH - f.height()) / 2, f);
  }
  return sheet;
}

}  // namespace demokit
