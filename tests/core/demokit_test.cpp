// The demo kit as the clock will read it: the PNG, BMP and WAV bytes it writes
// and the character sections of Tavelin.ini, in both forms of the kit.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "coverage_oracle.h"
#include "demokit/characters.h"
#include "demokit/kit.h"
#include "mascot/figure.h"
#include "pictures/pixel_buffer.h"

namespace {

using demokit::Bytes;
using demokit::KitForm;

std::uint32_t Read16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t Read32(const Bytes& b, std::size_t at) { return Read16(b, at) | Read16(b, at + 2) << 16; }

int Red(Pixel p) { return static_cast<int>(p >> 16 & 0xFF); }
int Green(Pixel p) { return static_cast<int>(p >> 8 & 0xFF); }
int Blue(Pixel p) { return static_cast<int>(p & 0xFF); }

bool Key(ConstPixelView v, int x, int y) { return v.At(x, y) == v.At(0, 0); }
bool OnBorder(ConstPixelView v, int x, int y) { return x == 0 || y == 0 || x == v.width - 1 || y == v.height - 1; }

// Calls f(x, y) for every pixel of a width x height picture, row by row.
template <typename F>
void EachPixel(int width, int height, F f) {
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) f(x, y);
}

// A 24-bit BMP as the clock holds it after loading: 0x00RRGGBB, top row first.
PixelBuffer DecodeBmp(const Bytes& b, const std::string& name) {
  SCOPED_TRACE(name);
  PixelBuffer img;
  EXPECT_EQ(b.at(0), 'B');
  EXPECT_EQ(b.at(1), 'M');
  EXPECT_EQ(Read32(b, 10), 54u) << "pixels right after the headers";
  EXPECT_EQ(Read32(b, 14), 40u) << "BITMAPINFOHEADER";
  const int width = static_cast<int>(Read32(b, 18));
  const int height = static_cast<int>(Read32(b, 22));
  EXPECT_GT(height, 0) << "bottom-up rows";
  EXPECT_EQ(Read16(b, 26), 1u);
  EXPECT_EQ(Read16(b, 28), 24u);
  EXPECT_EQ(Read32(b, 30), 0u) << "uncompressed";
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(Read32(b, 2), b.size());
  EXPECT_EQ(b.size(), 54 + stride * height);
  if (b.size() != 54 + stride * height || !img.Allocate(width, height, 0)) return {};
  for (int y = 0; y < height; ++y) {
    const std::size_t row = 54 + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const std::size_t at = row + 3 * static_cast<std::size_t>(x);
      img.view().At(x, y) = static_cast<Pixel>(b[at + 2]) << 16 | b[at + 1] << 8 | b[at];
    }
  }
  return img;
}

// A PNG as 0xAARRGGBB, alpha straight, top row first; its header must say
// 8-bit RGBA.
PixelBuffer DecodePng(const Bytes& b, const std::string& name) {
  SCOPED_TRACE(name);
  PixelBuffer img;
  EXPECT_TRUE(b.size() > 26 && png_sig_cmp(b.data(), 0, 8) == 0) << "not a PNG";
  if (b.size() <= 26) return img;
  EXPECT_EQ(b[24], 8) << "bits per channel";
  EXPECT_EQ(b[25], PNG_COLOR_TYPE_RGB_ALPHA);
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  EXPECT_TRUE(png_image_begin_read_from_memory(&image, b.data(), b.size())) << image.message;
  image.format = PNG_FORMAT_BGRA;  // in memory order, the layout of a little-endian 0xAARRGGBB
  if (!img.Allocate(static_cast<int>(image.width), static_cast<int>(image.height), 0)) {
    png_image_free(&image);
    ADD_FAILURE() << "cannot hold " << image.width << " x " << image.height;
    return img;
  }
  EXPECT_TRUE(png_image_finish_read(&image, nullptr, img.data(), 0, nullptr)) << image.message;
  return img;
}

// The kit as the build wrote it, once (see cmake/Native.cmake): soft at 200
// and keyed at 100, as demokit ships them, and the drawings at 100 packed
// soft, which the keyed pictures are cut from.
using KitFiles = std::map<std::string, Bytes>;

KitFiles ReadKitFolder(const char* folder) {
  KitFiles files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(TAVELIN_DEMOKIT_DIR) / folder, error)) {
    std::ifstream in(entry.path(), std::ios::binary);
    Bytes& bytes = files[entry.path().filename().string()];
    bytes.resize(static_cast<std::size_t>(entry.file_size()));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(in) << "cannot read " << entry.path();
  }
  EXPECT_FALSE(error) << "no kit in " << TAVELIN_DEMOKIT_DIR << "/" << folder << ": " << error.message();
  return files;
}

// Each folder read at its first use, once per test process.
const KitFiles& SoftKit() {
  static const KitFiles kit = ReadKitFolder("soft");
  return kit;
}
const KitFiles& KeyedKit() {
  static const KitFiles kit = ReadKitFolder("keyed");
  return kit;
}
const KitFiles& SoftKitAt100() {
  static const KitFiles kit = ReadKitFolder("soft-at-100");
  return kit;
}

const Bytes& FileOf(const KitFiles& kit, const std::string& name) {
  const auto found = kit.find(name);
  if (found != kit.end()) return found->second;
  ADD_FAILURE() << "the kit has no " << name;
  static const Bytes none;
  return none;
}

const Bytes& KitFileBytes(KitForm form, const std::string& name) {
  return FileOf(form == KitForm::kSoft ? SoftKit() : KeyedKit(), name);
}

// A picture of the keyed kit, by the stem of its file name.
PixelBuffer KitPicture(const char* stem) {
  const std::string name = demokit::KitFileName(stem, KitForm::kKeyed);
  return DecodeBmp(KitFileBytes(KitForm::kKeyed, name), name);
}

// The same picture in the soft kit (drawn at 200), or drawn at 100.
PixelBuffer SoftKitPicture(const char* stem, bool at100 = false) {
  const std::string name = demokit::KitFileName(stem, KitForm::kSoft);
  return DecodePng(FileOf(at100 ? SoftKitAt100() : SoftKit(), name), name);
}

// Every picture of the kit by its stem: the characters, then the faces.
std::vector<const char*> PictureStems() {
  std::vector<const char*> stems;
  for (const demokit::Character& c : demokit::Characters()) stems.push_back(c.fileStem);
  for (const demokit::FaceVariant& f : demokit::FaceVariants()) stems.push_back(f.fileStem);
  return stems;
}

// Every pixel that is transparent but cannot be reached from the border
// through other transparent pixels: the key colour inside the figure.
int EnclosedKeyPixels(ConstPixelView img) {
  std::vector<std::uint8_t> seen(static_cast<std::size_t>(img.width) * img.height, 0);
  std::vector<std::pair<int, int>> todo;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
    const std::size_t i = static_cast<std::size_t>(y) * img.width + x;
    if (seen[i] || !Key(img, x, y)) return;
    seen[i] = 1;
    todo.push_back({x, y});
  };
  for (int x = 0; x < img.width; ++x) visit(x, 0), visit(x, img.height - 1);
  for (int y = 0; y < img.height; ++y) visit(0, y), visit(img.width - 1, y);
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  int enclosed = 0;
  EachPixel(img.width, img.height,
            [&](int x, int y) { enclosed += Key(img, x, y) && !seen[static_cast<std::size_t>(y) * img.width + x]; });
  return enclosed;
}

bool Dark(Pixel c) { return Red(c) * 3 + Green(c) * 6 + Blue(c) < 10 * 90; }

// Checks that the figure keeps off the picture's border and that every
// figure pixel touching the key is outline ink, so nothing bright meets the
// transparent colour (which would fringe once the clock scales the figure).
void ExpectCleanSilhouette(ConstPixelView img) {
  for (int x = 0; x < img.width; ++x) {
    ASSERT_TRUE(Key(img, x, 0) && Key(img, x, img.height - 1)) << "figure touches the border at x " << x;
  }
  for (int y = 0; y < img.height; ++y) {
    ASSERT_TRUE(Key(img, 0, y) && Key(img, img.width - 1, y)) << "figure touches the border at y " << y;
  }
  int bright = 0;
  for (int y = 1; y + 1 < img.height; ++y)
    for (int x = 1; x + 1 < img.width; ++x) {
      if (Key(img, x, y)) continue;
      const bool edge = Key(img, x + 1, y) || Key(img, x - 1, y) || Key(img, x, y + 1) || Key(img, x, y - 1);
      if (edge && !Dark(img.At(x, y))) ++bright;
    }
  EXPECT_EQ(bright, 0) << "figure pixels next to the key that are not outline ink";
}

struct Section {
  std::vector<std::pair<std::string, std::string>> entries;
  std::string Get(const std::string& key) const {
    for (const auto& [k, v] : entries)
      if (k == key) return v;
    return "";
  }
};

// The INI as the profile functions see it: sections in order, key=value lines.
std::vector<std::pair<std::string, Section>> ParseIni(const std::string& text) {
  std::vector<std::pair<std::string, Section>> sections;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "every line ends in CRLF";
    if (end == std::string::npos) break;
    const std::string line = text.substr(start, end - start);
    start = end + 2;
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "a bare CR or LF in: " << line;
    if (line.empty()) continue;
    if (line.front() == '[') {
      EXPECT_EQ(line.back(), ']');
      sections.push_back({line.substr(1, line.size() - 2), {}});
      continue;
    }
    const std::size_t eq = line.find('=');
    EXPECT_NE(eq, std::string::npos) << line;
    EXPECT_FALSE(sections.empty()) << "entry before any section: " << line;
    if (eq == std::string::npos || sections.empty()) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    EXPECT_TRUE(key.find(' ') == std::string::npos && value.find(' ') == std::string::npos)
        << "no blanks around '=': " << line;
    sections.back().second.entries.push_back({key, value});
  }
  return sections;
}

// Every character's four poses, as the soft kit names them, lie on it, each
// shows where it differs from the character (a pose changes only what the
// character shows), and the eyes' poses differ from one another.
TEST(DemoKit, EveryCharacterHasFourPosesOverItsOwnPixels) {
  const Bytes& ini = KitFileBytes(KitForm::kSoft, "Tavelin.ini");
  for (const auto& [name, section] : ParseIni(std::string(ini.begin(), ini.end()))) {
    SCOPED_TRACE(name);
    const PixelBuffer character = DecodePng(FileOf(SoftKit(), section.Get("FileNameChara")), name);
    ASSERT_GT(character.width(), 0);
    std::vector<std::vector<Pixel>> shown;
    for (const char* pose : demokit::kPoseNames) {
      SCOPED_TRACE(pose);
      const std::string file = section.Get(std::string("FileName") + pose);
      ASSERT_FALSE(file.empty());
      const PixelBuffer picture = DecodePng(FileOf(SoftKit(), file), file);
      const ConstPixelView v = picture.view();
      const int x0 = std::atoi(section.Get(std::string("xPos") + pose).c_str());
      const int y0 = std::atoi(section.Get(std::string("yPos") + pose).c_str());
      ASSERT_GT(v.width, 0);
      EXPECT_GE(x0, 0);
      EXPECT_GE(y0, 0);
      EXPECT_LE(x0 + v.width, character.width());
      EXPECT_LE(y0 + v.height, character.height());
      EXPECT_EQ(v.At(0, 0) >> 24, 0u) << "a keyed copy takes a transparent corner as its key";
      int showing = 0, offFigure = 0;
      std::vector<Pixel> pixels;
      EachPixel(v.width, v.height, [&](int x, int y) {
        pixels.push_back(v.At(x, y));
        if (v.At(x, y) >> 24 == 0 || x0 + x >= character.width() || y0 + y >= character.height()) return;
        ++showing;
        offFigure += character.view().At(x0 + x, y0 + y) >> 24 == 0;
      });
      EXPECT_GT(showing, 8);
      EXPECT_EQ(offFigure, 0) << "a pose changes only what the character shows";
      shown.push_back(std::move(pixels));
    }
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_NE(shown[0], shown[1]) << "asleep is not a blink";
    EXPECT_NE(shown[0], shown[2]) << "joy is not a blink";
  }
}

TEST(DemoKit, IniNamesEveryCharacterOfTheTableAndFilesTheKitHolds) {
  for (const KitForm form : {KitForm::kSoft, KitForm::kKeyed}) {
    const bool soft = form == KitForm::kSoft;
    SCOPED_TRACE(soft ? "soft kit" : "keyed kit");
    const Bytes& ini = KitFileBytes(form, "Tavelin.ini");
    const auto sections = ParseIni(std::string(ini.begin(), ini.end()));
    ASSERT_EQ(sections.size(), static_cast<std::size_t>(kCharacterCount));
    bool faceUnder = false, faceOver = false, leftOfChara = false, aboveChara = false;
    for (int i = 0; i < kCharacterCount; ++i) {
      const auto& [name, section] = sections[i];
      SCOPED_TRACE(name);
      EXPECT_EQ(name, CharacterTable[i].name);
      std::vector<std::string> keys;
      for (const auto& entry : section.entries) keys.push_back(entry.first);
      std::vector<std::string> expected{"FileNameFace", "FileNameChara", "xPosFace", "yPosFace", "fFaceOnChara"};
      // Drawn at 200, no figure is enlarged up to 200 percent (192 DPI).
      if (soft) expected.push_back("nPictureScale");
      for (const char* pose : demokit::kPoseNames) {
        for (const char* key : {"FileName", "xPos", "yPos"}) expected.push_back(key + std::string(pose));
      }
      EXPECT_EQ(keys, expected);
      if (soft) {
        EXPECT_EQ(section.Get("nPictureScale"), "200");
      }
      const demokit::Character& drawn = demokit::Characters()[i];
      EXPECT_EQ(section.Get("xPosFace"), std::to_string(drawn.xPosFace * (soft ? 2 : 1)));
      for (const char* key : {"FileNameFace", "FileNameChara", "FileNameBlink", "FileNameSleep", "FileNameJoy",
                              "FileNameTalk"}) {
        const std::string file = section.Get(key);
        EXPECT_EQ(file.substr(file.size() - 4), soft ? ".png" : ".bmp") << key;
        const Bytes& bytes = KitFileBytes(form, file);
        if (soft) {
          EXPECT_TRUE(bytes.size() > 8 && png_sig_cmp(bytes.data(), 0, 8) == 0) << key;
        } else {
          EXPECT_TRUE(bytes.size() > 2 && bytes[0] == 'B' && bytes[1] == 'M') << key;
        }
      }
      const int x = std::atoi(section.Get("xPosFace").c_str());
      const int y = std::atoi(section.Get("yPosFace").c_str());
      EXPECT_EQ(std::to_string(x), section.Get("xPosFace"));
      EXPECT_EQ(std::to_string(y), section.Get("yPosFace"));
      const std::string onChara = section.Get("fFaceOnChara");
      EXPECT_TRUE(onChara == "0" || onChara == "1") << onChara;
      faceOver |= onChara == "1";
      faceUnder |= onChara == "0";
      leftOfChara |= x < 0;
      aboveChara |= y < 0;
    }
    EXPECT_TRUE(faceOver && faceUnder && leftOfChara && aboveChara)
        << "the kit shows the face over and under its character, left of it and above it";
  }
}

TEST(DemoKit, CharacterPicturesFitAndHaveNoKeyInside) {
  for (const demokit::Character& c : demokit::Characters()) {
    SCOPED_TRACE(c.name);
    const PixelBuffer picture = KitPicture(c.fileStem);
    ASSERT_FALSE(picture.empty());
    const ConstPixelView img = picture.view();
    EXPECT_GE(img.width, 120);
    EXPECT_LE(img.width, 320);
    EXPECT_GE(img.height, 150);
    EXPECT_LE(img.height, 420);
    EXPECT_EQ(EnclosedKeyPixels(img), 0);
    int onBorder = 0;
    EachPixel(img.width, img.height, [&](int x, int y) { onBorder += OnBorder(img, x, y) && !Key(img, x, y); });
    EXPECT_EQ(onBorder, 0) << "the figure is cut off at the picture's edge";
  }
}

TEST(DemoKit, ComposedFiguresHaveAnInkOutline) {
  for (const demokit::Character& c : demokit::Characters()) {
    SCOPED_TRACE(c.name);
    const PixelBuffer chara = KitPicture(c.fileStem);
    const PixelBuffer face = KitPicture(demokit::FaceOf(c).fileStem);
    Figure figure;
    ASSERT_TRUE(ComposeFigure({face.view(), chara.view(), c.xPosFace, c.yPosFace, c.fFaceOnChara}, 1.0, &figure));
    ASSERT_EQ(figure.picture.view().At(0, 0), kCanvasMagenta);
    ExpectCleanSilhouette(figure.picture.view());
  }
}

TEST(DemoKit, SmallFiguresHaveNoRimOfTheBackground) {
  for (const demokit::Character& c : demokit::Characters()) {
    SCOPED_TRACE(c.name);
    const PixelBuffer chara = KitPicture(c.fileStem);
    const PixelBuffer face = KitPicture(demokit::FaceOf(c).fileStem);
    const FigurePictures pictures{face.view(), chara.view(), c.xPosFace, c.yPosFace, c.fFaceOnChara};
    Figure normal, small;
    ASSERT_TRUE(ComposeFigure(pictures, 1.0, &normal));
    ASSERT_TRUE(ComposeFigure(pictures, 0.7, &small));
    const ConstPixelView canvas = normal.picture.view();
    const ConstPixelView picture = small.picture.view();
    ASSERT_EQ(picture.At(0, 0), kCanvasMagenta);
    int wrongOutline = 0, mixed = 0;
    EachPixel(picture.width, picture.height, [&](int x, int y) {
      const CoveredFigure cover = CoverTargetPixel(canvas, kCanvasMagenta, picture.width, picture.height, x, y);
      const Pixel p = picture.At(x, y);
      wrongOutline += (p != kCanvasMagenta) != cover.IsFigure();
      mixed += p != kCanvasMagenta && !cover.InRange(p);
    });
    EXPECT_EQ(wrongOutline, 0) << "the outline is the figure's own coverage";
    EXPECT_EQ(mixed, 0) << "edge pixels carry the figure's colours only";
  }
}

TEST(DemoKit, FacesAreRoundDialsWithAPlainCentre) {
  for (const demokit::FaceVariant& f : demokit::FaceVariants()) {
    SCOPED_TRACE(f.fileStem);
    const PixelBuffer picture = KitPicture(f.fileStem);
    ASSERT_EQ(picture.width(), 150);
    ASSERT_EQ(picture.height(), 150);
    const ConstPixelView img = picture.view();
    ExpectCleanSilhouette(img);
    EXPECT_EQ(EnclosedKeyPixels(img), 0);
    // Round about pixel (75, 75): the opaque area is the same turned a
    // quarter and mirrored.
    int mismatches = 0;
    for (int y = 1; y < 150; ++y)
      for (int x = 1; x < 150; ++x) {
        const bool opaque = !Key(img, x, y);
        if (opaque != !Key(img, 150 - x, y) || opaque != !Key(img, 150 - y, x)) ++mismatches;
      }
    EXPECT_EQ(mismatches, 0);
    // The black and red hands must stand out wherever they turn.
    for (int y = 75 - 40; y <= 75 + 40; ++y)
      for (int x = 75 - 40; x <= 75 + 40; ++x) {
        if ((x - 75) * (x - 75) + (y - 75) * (y - 75) > 40 * 40) continue;
        const Pixel c = img.At(x, y);
        ASSERT_TRUE(Red(c) > 200 && Green(c) > 200 && Blue(c) > 180) << "dark or coloured dial at " << x << "," << y;
      }
  }
}

TEST(DemoKit, FaceTouchesItsCharacterAndItsCentreStaysVisible) {
  for (const demokit::Character& c : demokit::Characters()) {
    SCOPED_TRACE(c.name);
    const PixelBuffer charaPicture = KitPicture(c.fileStem);
    const PixelBuffer facePicture = KitPicture(demokit::FaceOf(c).fileStem);
    ASSERT_FALSE(charaPicture.empty() || facePicture.empty());
    const ConstPixelView chara = charaPicture.view(), face = facePicture.view();
    auto charaOpaque = [&](int fx, int fy) {  // in face coordinates
      const int x = fx + c.xPosFace, y = fy + c.yPosFace;
      return x >= 0 && y >= 0 && x < chara.width && y < chara.height && !Key(chara, x, y);
    };
    int touching = 0, coveringCentre = 0;
    EachPixel(150, 150, [&](int x, int y) {
      if (Key(face, x, y)) return;
      touching += charaOpaque(x, y) || charaOpaque(x + 1, y) || charaOpaque(x - 1, y) || charaOpaque(x, y + 1) ||
                  charaOpaque(x, y - 1);
      coveringCentre += !c.fFaceOnChara && (x - 75) * (x - 75) + (y - 75) * (y - 75) <= 20 * 20 && charaOpaque(x, y);
    });
    EXPECT_GT(touching, 20) << "the face floats apart from its character";
    EXPECT_EQ(coveringCentre, 0) << "the character hides where the hands turn";
  }
}

unsigned Alpha(Pixel p) { return p >> 24; }

// A decoded soft picture as the kit's own drawings hold one.
demokit::Image AsImage(ConstPixelView img) {
  demokit::Image image(img.width, img.height, demokit::Rgb{});
  EachPixel(img.width, img.height, [&](int x, int y) {
    const Pixel p = img.At(x, y);
    image.Set(x, y, {static_cast<std::uint8_t>(Red(p)), static_cast<std::uint8_t>(Green(p)),
                     static_cast<std::uint8_t>(Blue(p)), static_cast<std::uint8_t>(Alpha(p))});
  });
  return image;
}

// Counts the pixels of a soft picture that only part cover, and the rim
// pixels (covered, beside an uncovered one) that are not outline ink. A rim
// pixel's colour must be the ink's alone, with no key or background mixed in,
// so that it shows no halo over any desktop.
void CountSoftRim(const demokit::Image& img, int* soft, int* halo) {
  *soft = *halo = 0;
  auto alpha = [&](int x, int y) { return img.at(x, y).a; };
  for (int y = 1; y + 1 < img.height(); ++y)
    for (int x = 1; x + 1 < img.width(); ++x) {
      const demokit::Rgba c = img.at(x, y);
      if (c.a == 0) continue;
      *soft += c.a < 255;
      const bool rim = alpha(x + 1, y) == 0 || alpha(x - 1, y) == 0 || alpha(x, y + 1) == 0 || alpha(x, y - 1) == 0;
      if (rim && !Dark(static_cast<Pixel>(c.r) << 16 | c.g << 8 | c.b)) ++*halo;
    }
}

TEST(DemoKit, SoftPicturesAreCompressedWithTransparentBorders) {
  for (const char* stem : PictureStems()) {
    SCOPED_TRACE(stem);
    const PixelBuffer picture = SoftKitPicture(stem);
    ASSERT_FALSE(picture.empty());
    const ConstPixelView img = picture.view();
    const std::size_t raw = static_cast<std::size_t>(img.width) * img.height * 4;
    EXPECT_LT(KitFileBytes(KitForm::kSoft, demokit::KitFileName(stem, KitForm::kSoft)).size(), raw / 4);
    int opaqueOnBorder = 0, colouredButClear = 0;
    EachPixel(img.width, img.height, [&](int x, int y) {
      opaqueOnBorder += OnBorder(img, x, y) && Alpha(img.At(x, y)) != 0;
      colouredButClear += Alpha(img.At(x, y)) == 0 && img.At(x, y) != 0;
    });
    EXPECT_EQ(opaqueOnBorder, 0) << "the figure keeps off the picture's border";
    EXPECT_EQ(colouredButClear, 0) << "transparent pixels keep no colour";
  }
}

TEST(DemoKit, SoftFiguresAreEdgedWithTheirOwnInk) {
  for (const demokit::Character& c : demokit::Characters()) {
    SCOPED_TRACE(c.name);
    const PixelBuffer chara = SoftKitPicture(c.fileStem), face = SoftKitPicture(demokit::FaceOf(c).fileStem);
    ASSERT_FALSE(chara.empty() || face.empty());
    const demokit::Image faceImage = AsImage(face.view());
    int soft = 0, halo = 0;
    CountSoftRim(faceImage, &soft, &halo);
    EXPECT_EQ(halo, 0) << "face rim pixels that are not outline ink";
    EXPECT_GT(soft, 200) << "the face's edges are drawn by coverage";
    CountSoftRim(demokit::ComposeFigure(AsImage(chara.view()), faceImage, 2 * c.xPosFace, 2 * c.yPosFace,
                                        c.fFaceOnChara, 2 * demokit::kFaceSize),
                 &soft, &halo);
    EXPECT_EQ(halo, 0) << "figure rim pixels that are not outline ink";
    EXPECT_GT(soft, 400) << "the figure's edges are drawn by coverage";
  }
}

TEST(DemoKit, KeyedPicturesAreTheSoftOnesCutAtHalfCoverage) {
  for (const char* stem : PictureStems()) {
    SCOPED_TRACE(stem);
    const PixelBuffer softPicture = SoftKitPicture(stem, true), keyedPicture = KitPicture(stem);
    ASSERT_FALSE(softPicture.empty() || keyedPicture.empty());
    const ConstPixelView soft = softPicture.view(), keyed = keyedPicture.view();
    ASSERT_EQ(soft.width, keyed.width);
    ASSERT_EQ(soft.height, keyed.height);
    const Pixel key = keyed.At(0, 0);
    int wrong = 0, kept = 0;
    EachPixel(soft.width, soft.height, [&](int x, int y) {
      const Pixel s = soft.At(x, y), k = keyed.At(x, y), colour = s & 0xFFFFFF;
      // A clear pixel is the key; an opaque one keeps its colour, nudged off the key if it is that.
      wrong += Alpha(s) < 128 ? k != key : colour == key ? k != (key ^ 1) : k != colour;
      kept += Alpha(s) >= 128 && Alpha(s) < 255;
    });
    EXPECT_EQ(wrong, 0) << "pixels whose keyed form is not their coverage cut at 128";
    EXPECT_GT(kept, 0) << "some part-covered pixels are kept";
  }
}

// Coverage, not whole pixels: a filled disk and a painted outline carry their
// areas in alpha, wherever they fall on the pixel grid.
TEST(DemoKitDrawing, ShapesCarryTheirAreaInAlpha) {
  constexpr double kPi = 3.141592653589793;
  const struct {
    double cx, cy, r;
    int outline;
  } cases[] = {{20.0, 20.0, 10.0, 0}, {20.3, 19.6, 7.25, 0}, {24.5, 25.5, 12.7, 0},
               {20.0, 20.0, 10.0, 2}, {21.4, 20.2, 8.6, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "r " << c.r << " outline " << c.outline);
    demokit::Picture picture(50, 50, demokit::Rgb{0, 255, 0});
    demokit::Paint(picture, demokit::Circle(picture, c.cx, c.cy, c.r),
                   {.fill = demokit::Rgb{200, 100, 50}, .outline = c.outline, .gradient = 0.0});
    const demokit::Image image = picture.Resolve();
    double area = 0;
    int partial = 0;
    EachPixel(image.width(), image.height(), [&](int x, int y) {
      area += image.at(x, y).a / 255.0;
      partial += image.at(x, y).a > 0 && image.at(x, y).a < 255;
    });
    const double radius = c.r + c.outline;
    EXPECT_NEAR(area, kPi * radius * radius, kPi * radius * radius * 0.02);
    EXPECT_GT(partial, 4 * radius) << "the rim is soft all round";
  }
}

struct Wav {
  int rate = 0, bits = 0, channels = 0;
  std::vector<int> samples;
};

Wav DecodeWav(const Bytes& b) {
  Wav w;
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(Read32(b, 4), b.size() - 8);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(Read32(b, 16), 16u);
  EXPECT_EQ(Read16(b, 20), 1u) << "PCM";
  w.channels = static_cast<int>(Read16(b, 22));
  w.rate = static_cast<int>(Read32(b, 24));
  EXPECT_EQ(Read32(b, 28), static_cast<std::uint32_t>(w.rate * 2));
  EXPECT_EQ(Read16(b, 32), 2u);
  w.bits = static_cast<int>(Read16(b, 34));
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  EXPECT_EQ(Read32(b, 40), b.size() - 44);
  for (std::size_t at = 44; at + 1 < b.size(); at += 2)
    w.samples.push_back(static_cast<std::int16_t>(Read16(b, at)));
  return w;
}

TEST(DemoKit, SoundsAreAudibleMonoPcmThatStartAndEndInSilence) {
  const struct {
    const char* name;
    double minSeconds, maxSeconds;
  } sounds[] = {{"oclock.wav", 1.2, 2.0}, {"timer.wav", 0.7, 1.3}, {"alarm.wav", 0.7, 1.3}};
  for (const auto& s : sounds) {
    SCOPED_TRACE(s.name);
    const Wav w = DecodeWav(KitFileBytes(KitForm::kSoft, s.name));
    EXPECT_TRUE(KitFileBytes(KitForm::kKeyed, s.name) == KitFileBytes(KitForm::kSoft, s.name));
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    ASSERT_GT(w.rate, 0);
    ASSERT_FALSE(w.samples.empty());
    const double seconds = static_cast<double>(w.samples.size()) / w.rate;
    EXPECT_GE(seconds, s.minSeconds);
    EXPECT_LE(seconds, s.maxSeconds);
    int peak = 0;
    for (int v : w.samples) peak = std::max(peak, std::abs(v));
    EXPECT_GT(peak, 8000) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    // A jump from or to silence at either end clicks, and the alarm loops.
    EXPECT_LE(std::abs(w.samples.front()), 64);
    EXPECT_LE(std::abs(w.samples.back()), 64);
  }
}

}  // namespace
