// The kit checker on kits built here: each finding on a broken character, the
// exit status, where relative picture names are looked for, and the sheet.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "kitcheck/kit_check_win32.h"
#include "kitcheck/kit_sheet_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/png_writer.h"
#include "support/special_files.h"
#include "support/test_pictures.h"

namespace {

constexpr Pixel kCharacterKey = 0x0000FF00;
constexpr Pixel kCharacterBody = 0x00C04040;

PixelBuffer Solid(int width, int height, Pixel colour) {
  PixelBuffer picture;
  picture.Allocate(width, height, colour);
  return picture;
}

void WritePicture(const std::string& path, const PixelBuffer& picture) { WriteFileBytes(path, BmpBytes(picture.view())); }

std::string Section(const std::string& name, const std::string& keys) { return "[" + name + "]\r\n" + keys + "\r\n"; }

std::string Keys(const std::string& face, const std::string& character, int x, int y, int faceOnChara) {
  return "FileNameFace=" + face + "\r\nFileNameChara=" + character + "\r\nxPosFace=" + std::to_string(x) +
         "\r\nyPosFace=" + std::to_string(y) + "\r\nfFaceOnChara=" + std::to_string(faceOnChara) + "\r\n";
}

// A kit folder with the test face and a 200 x 300 character beside its INI.
class Kit {
 public:
  Kit() {
    WritePicture(folder_.File("face.bmp"), MakeTestFace());
    WritePicture(folder_.File("chara.bmp"), MakeTestCharacter(200, 300, kCharacterKey, kCharacterBody, 3, 7));
  }
  std::string File(const std::string& name) const { return folder_.File(name); }
  void WriteIni(const std::string& text) { WriteFileBytes(File("Tavelin.ini"), text); }

  // Runs the checker on the kit's INI; its report, one line per element.
  // Every finding, unless `verbose` is false: then the summary.
  std::vector<std::string> Check(int* status, const std::string& sheet = "", bool verbose = true) {
    std::ostringstream out;
    *status = RunKitCheck(File("Tavelin.ini").c_str(), sheet.c_str(), verbose, out);
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

 private:
  TempFolder folder_;
};

// Every character with the kit's face over its 200 x 300 character at (0, 0).
std::string GoodIni() {
  std::string ini;
  for (const CharacterEntry& entry : CharacterTable) ini += Section(entry.name, Keys("face.bmp", "chara.bmp", 0, 0, 1));
  return ini;
}

bool HasLine(const std::vector<std::string>& lines, const std::string& name, const std::string& text) {
  for (const std::string& line : lines) {
    if (line.rfind(name + ": ", 0) == 0 && line.find(text) != std::string::npos) return true;
  }
  return false;
}

// Whether a line starts with `start`: a summary line, told by its beginning.
bool HasLineStarting(const std::vector<std::string>& lines, const std::string& start) {
  for (const std::string& line : lines) {
    if (line.rfind(start, 0) == 0) return true;
  }
  return false;
}

bool HasExactLine(const std::vector<std::string>& lines, const std::string& text) {
  for (const std::string& line : lines) {
    if (line == text) return true;
  }
  return false;
}

std::string Dump(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

// One broken (or merely odd) character per name, and what the checker must say.
struct Case {
  const char* name;
  const char* finding;
  bool loads;
};

const Case kCases[] = {
    {"Aduvi", "problem: no section [Aduvi]", false},
    {"Belmoa", "problem: FileNameFace is not given, so there is no face picture", false},
    {"Cirrat", "problem: face picture \"missing.bmp\" not found (looked for ", false},
    {"Dovane", "problem: face picture \"notes.bmp\" is not a picture Windows can read (the clock reads BMP and PNG)",
     false},
    {"Esmuka", "problem: face picture \"short.bmp\" is cut short: the file ends before its picture does", false},
    {"Fornel", "problem: character picture \"pictures\" is not a regular file (a device, a folder or a pipe)",
     false},
    {"Gavoni", "warning: face picture is 160 x 140, not 150 x 150", true},
    {"Hesket", "problem: the character picture (200 x 300) with the face at (20000, 0) needs a canvas beyond the "
               "limits of 16384 pixels a side and 16777216 pixels (16 megapixels) in all", false},
    {"Ilvora", "problem: character picture \"thin.bmp\" is 16385 x 1 pixels, beyond the limits of 16384 pixels a "
               "side", false},
    {"Jemsut", "warning: xPosFace = \"abc\" is not a plain whole number; the clock reads it as 0", true},
    {"Jemsut", "yPosFace is not given, taken as 0", true},
    {"Kaltra", "canvas 230 x 300, face at (0, 20), character at (30, 0)", true},
    {"Kaltra", "normal size: window 230 x 300, clock centre at (75, 95)", true},
    {"Kaltra", "small size: window 161 x 210, clock centre at (53, 67)", true},
    {"Kaltra", "character picture key colour (its top-left pixel, see-through wherever it appears): red 0, green "
               "255, blue 0", true},
    {"Kaltra", "face picture key colour (its top-left pixel, see-through wherever it appears): red 255, green 255, "
               "blue 255", true},
    {"Kaltra", "the outline is the pictures' own: every see-through pixel of either picture is cut away", true},
    {"Lunavi", "warning: every pixel of the face picture is see-through, so none of it shows", true},
    {"Lunavi", "the outline is the pictures' own: every see-through pixel of either picture is cut away", true},
};

TEST(KitCheckTest, EachBrokenCharacterIsToldWhatIsWrong) {
  Kit kit;
  CreateDirectoryA(kit.File("pictures").c_str(), nullptr);
  WriteFileBytes(kit.File("notes.bmp"), "These are the author's notes, not a picture.\r\n");
  const std::string whole = BmpBytes(MakeTestFace().view());
  WriteFileBytes(kit.File("short.bmp"), whole.substr(0, whole.size() / 2));
  WritePicture(kit.File("wide_face.bmp"), Solid(160, 140, 0x00FFFFFF));
  // One pixel wider than any buffer may be, so it is written from plain pixels.
  const std::vector<Pixel> thin(16385, 0x00000000);
  WriteFileBytes(kit.File("thin.bmp"), BmpBytes(ConstPixelView{thin.data(), 16385, 1, 16385}));
  WritePicture(kit.File("blank_face.bmp"), Solid(150, 150, 0x00FFFFFF));
  // Opaque right next to its see-through top-left pixel.
  PixelBuffer block = Solid(200, 300, 0x00336699);
  block.view().At(0, 0) = 0x00FFFFFF;
  WritePicture(kit.File("block.bmp"), block);

  kit.WriteIni(Section("Belmoa", "FileNameChara=chara.bmp\r\nxPosFace=0\r\nyPosFace=0\r\nfFaceOnChara=1\r\n") +
               Section("Cirrat", Keys("missing.bmp", "chara.bmp", 0, 0, 1)) +
               Section("Dovane", Keys("notes.bmp", "chara.bmp", 0, 0, 1)) +
               Section("Esmuka", Keys("short.bmp", "chara.bmp", 0, 0, 1)) +
               Section("Fornel", Keys("face.bmp", "pictures", 0, 0, 1)) +
               Section("Gavoni", Keys("wide_face.bmp", "chara.bmp", 0, 0, 1)) +
               Section("Hesket", Keys("face.bmp", "chara.bmp", 20000, 0, 1)) +
               Section("Ilvora", Keys("face.bmp", "thin.bmp", 0, 0, 1)) +
               Section("Jemsut", "FileNameFace=face.bmp\r\nFileNameChara=chara.bmp\r\nxPosFace=abc\r\n") +
               Section("Kaltra", Keys("face.bmp", "chara.bmp", -30, 20, 1)) +
               Section("Lunavi", Keys("blank_face.bmp", "block.bmp", 0, 0, 0)));

  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(1, status) << "expected exit status 1 with characters that do not load\n" << Dump(lines);
  for (const Case& c : kCases) {
    EXPECT_TRUE(HasLine(lines, c.name, c.finding)) << "expected \"" << c.name << ": ..." << c.finding << "\"\n"
                                                   << Dump(lines);
    EXPECT_EQ(c.loads, HasLineStarting(lines, std::string(c.name) + ": loads"))
        << c.name << " should " << (c.loads ? "" : "not ") << "load\n"
        << Dump(lines);
  }
  // Each line belongs to a character or to the checker as a whole.
  for (const std::string& line : lines) {
    bool owned = line.rfind("kitcheck: ", 0) == 0;
    for (const CharacterEntry& entry : CharacterTable) owned = owned || line.rfind(std::string(entry.name) + ": ", 0) == 0;
    EXPECT_TRUE(owned) << "line without a character's name: " << line;
  }
  EXPECT_TRUE(HasLine(lines, "kitcheck", "4 of 12 characters load")) << Dump(lines);
}

TEST(KitCheckTest, AMissingIniOrEmptySectionLoadsNothing) {
  Kit kit;
  int status = -1;
  std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(1, status);
  ASSERT_EQ(1u, lines.size()) << "a missing file is told in one line\n" << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "kitcheck", "Tavelin.ini not found")) << Dump(lines);

  kit.WriteIni("[Aduvi]\r\n\r\n[GENERAL]\r\nnSize=42002\r\n" + Section("Belmoa", Keys("", "chara.bmp", 0, 0, 1)));
  lines = kit.Check(&status);
  EXPECT_EQ(1, status);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "problem: section [Aduvi] is empty")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "problem: FileNameFace is empty, so there is no face picture")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "kitcheck", "0 of 12 characters load")) << Dump(lines);

  // No sheet is made of nothing.
  lines = kit.Check(&status, kit.File("sheet.bmp"));
  EXPECT_EQ(1, status);
  EXPECT_FALSE(FileExists(kit.File("sheet.bmp")));
}

TEST(KitCheckTest, RelativePicturesAreFoundBesideTheIniWhereverTheCheckerRuns) {
  Kit kit;
  TempFolder elsewhere;
  WritePicture(elsewhere.File("other_face.bmp"), MakeTestFace());
  std::string ini;
  for (const CharacterEntry& entry : CharacterTable) {
    const bool absolute = std::string(entry.name) == "Lunavi";
    ini += Section(entry.name, Keys(absolute ? elsewhere.File("other_face.bmp") : "face.bmp", "chara.bmp", 0, 0, 1));
  }
  kit.WriteIni(ini);

  char before[MAX_PATH];
  GetCurrentDirectoryA(sizeof before, before);
  ASSERT_TRUE(SetCurrentDirectoryA(elsewhere.path().c_str()));
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status);
  char after[MAX_PATH];
  GetCurrentDirectoryA(sizeof after, after);
  SetCurrentDirectoryA(before);

  EXPECT_EQ(0, status) << Dump(lines);
  EXPECT_EQ(elsewhere.path(), std::string(after) + "\\") << "the current directory should come back";
  EXPECT_TRUE(HasLine(lines, "Aduvi", "face picture \"face.bmp\" is a readable BMP 150 x 150 24-bit")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Lunavi", "face picture \"" + elsewhere.File("other_face.bmp") + "\" is a readable BMP"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "kitcheck", "12 of 12 characters load")) << Dump(lines);
}

// Character i of the table with `face` as its face picture over chara.bmp.
std::string FaceSections(const std::vector<std::string>& faces) {
  std::string ini;
  for (std::size_t i = 0; i < faces.size(); ++i) {
    ini += Section(CharacterTable[i].name, Keys(faces[i], "chara.bmp", 0, 0, 1));
  }
  return ini;
}

TEST(KitCheckTest, EachRefusedPictureNamesTheOneRuleItBroke) {
  Kit kit;
  struct Case {
    std::string face;  // as FileNameFace gives it
    std::string bytes;  // written to `face` unless it is special
    const char* finding;
  };
  const std::string good = BmpBytes(MakeTestFace().view());
  std::string cutPng = PngBytes(MakeTestFace().view(), PngForm{});
  cutPng.resize(cutPng.size() - 20);
  const SpecialFiles special(kit.File(""));
  const std::vector<Case> cases = {
      {"empty.bmp", "", "is empty"},
      {"zero.bmp", WithField(good, 18, 0), "has a width or height of 0"},
      {"claims.bmp", ShortBmpClaiming(16384, 16384),
       "is 16384 x 16384 pixels, beyond the limits of 16384 pixels a side and 16777216 pixels"},
      {"bits7.bmp", WithField(good, 28, 7, 2), "is a BMP of 7 bits a pixel with compression 0, which Windows does not read"},
      {"bits2.bmp", WithField(good, 28, 2, 2), "is a BMP of 2 bits a pixel"},
      {"jpeg.bmp", WithField(good, 30, 4), "is a BMP of 24 bits a pixel with compression 4, which Windows does not read"},
      {"rle-top-down.bmp", BmpBytes(MakeTestFace().view(), BmpForm{kBmpInfoHeader, 8, kBmpRle8, true}), "is a run-length coded BMP stored top-down, which Windows does not read"},
      {"cut.png", cutPng, "is cut short: the file ends before its picture does"},
      {"note.png", "\x89PNG\r\n\x1a\n but then only words, and no chunk in them at all", "is not a picture Windows can read"},
      {special.beyondCap, "", "is larger than the 144 MiB a picture file may take"},
      {special.locked, "", "is locked by another program"},
      {special.folder, "", "is not a regular file (a device, a folder or a pipe)"},
  };
  std::string brokenPng = PngBytes(MakeTestFace().view(), PngForm{});
  const std::size_t idat = brokenPng.find("IDAT");
  for (std::size_t i = idat + 4; i < idat + 24 && i < brokenPng.size(); ++i) brokenPng[i] = '\x5A';
  const std::vector<Case> headers = {
      {"core16.bmp", WithField(BmpBytes(MakeTestFace().view(), BmpForm{kBmpCoreHeader, 24}), 24, 16, 2),
       "is a BMP with a 12-byte core header and 16 bits a pixel, which Windows does not read (a core header allows "
       "1, 4, 8 and 24 bits)"},
      {"nopalette.bmp", WithField(BmpBytes(MakeTestFace().view(), BmpForm{kBmpInfoHeader, 8}), 10, 54),
       "has no room for its palette of"},
      {"broken.png", brokenPng, "passes the clock's checks, but this system's picture decoder refuses it"},
  };
  std::vector<Case> devices;
  for (const std::string& name : special.devices) {
    devices.push_back({name, "", "is not a regular file (a device, a folder or a pipe)"});
  }
  for (const std::vector<Case>* table : std::vector<const std::vector<Case>*>{&cases, &headers, &devices}) {
    std::vector<std::string> faces;
    for (const Case& c : *table) {
      if (!c.bytes.empty() || c.face == "empty.bmp") WriteFileBytes(kit.File(c.face), c.bytes);
      faces.push_back(c.face);
    }
    ASSERT_LE(faces.size(), static_cast<std::size_t>(kCharacterCount));
    kit.WriteIni(FaceSections(faces));
    int status = -1;
    std::vector<std::string> lines;
    FinishOrFail([&] { lines = kit.Check(&status); });
    EXPECT_EQ(1, status);
    for (std::size_t i = 0; i < table->size(); ++i) {
      const std::string name = CharacterTable[i].name;
      EXPECT_TRUE(HasLine(lines, name, "problem: face picture \"" + (*table)[i].face + "\" " + (*table)[i].finding))
          << "expected " << name << ": ...\"" << (*table)[i].face << "\" " << (*table)[i].finding << "\n"
          << Dump(lines);
      EXPECT_TRUE(HasExactLine(lines, name + ": does not load"));
    }
  }
}

// A magenta figure pixel moves the canvas's key off magenta, which is no
// fault; a 32-bit BMP with red in its low byte is read, in its own colours.
TEST(KitCheckTest, AMagentaFigurePixelAndBitFieldsInAnyOrderAreToldTruly) {
  Kit kit;
  PixelBuffer magenta = MakeTestCharacter(200, 300, kCharacterKey, kCharacterBody, 3, 7);
  magenta.view().At(100, 150) = 0x00FF00FF;
  WritePicture(kit.File("magenta.bmp"), magenta);
  BmpForm redLow{kBmpInfoHeader, 32, kBmpBitFields};
  redLow.masks[0] = 0x000000FF;
  redLow.masks[1] = 0x0000FF00;
  redLow.masks[2] = 0x00FF0000;
  WriteFileBytes(kit.File("redlow.bmp"),
                 BmpBytes(MakeTestCharacter(200, 300, kCharacterKey, kCharacterBody, 3, 7).view(), redLow));
  kit.WriteIni(Section("Aduvi", Keys("face.bmp", "magenta.bmp", 0, 0, 1)) +
               Section("Belmoa", Keys("face.bmp", "redlow.bmp", 0, 0, 1)));
  int status = -1;
  std::vector<std::string> lines;
  FinishOrFail([&] { lines = kit.Check(&status); });
  EXPECT_TRUE(HasLineStarting(lines, "Aduvi: loads")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "a figure pixel is magenta (red 255, green 0, blue 255), the colour the clock composes the figure on, so "
                                      "it composes it on "))
      << Dump(lines);
  // Pictures drawn at 100 are warned of as soft at 200 %; nothing else is.
  for (const std::string& line : lines) {
    if (line.find("warning: drawn at 100: soft at 200 %") != std::string::npos) continue;
    EXPECT_EQ(line.find("warning"), std::string::npos) << "no warning on this kit: " << line;
  }
  EXPECT_TRUE(HasLineStarting(lines, "Belmoa: loads")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "character picture \"redlow.bmp\" is a readable BMP 200 x 300 32-bit bit fields"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "character picture key colour (its top-left pixel, see-through wherever it "
                                       "appears): red 0, green 255, blue 0"))
      << "the colours are read in their own order\n" << Dump(lines);
}

TEST(KitCheckTest, ASettingsFileThatIsADeviceIsRefusedAtOnce) {
  for (const char* device : {"NUL", "COM1", "aux.ini"}) {
    std::ostringstream out;
    int status = -1;
    FinishOrFail([&] { status = RunKitCheck(device, "", false, out); });
    EXPECT_EQ(1, status) << device;
    EXPECT_EQ(out.str(), std::string("kitcheck: ") + device + " is not a regular file (a device, a folder or a pipe)\n");
  }
}

TEST(KitCheckTest, ItSaysWhatTheClockMakesOfTheSettingsFileItself) {
  Kit kit;
  const std::string longName = std::string(300, 'a') + ".bmp";
  kit.WriteIni(Section("Aduvi", Keys("face.bmp", "chara.bmp", 0, 0, 1)) + "[GENERAL]\r\nnSize=42001\r\n" +
               Section("Belmoa", Keys(longName, "chara.bmp", 0, 0, 1)) +
               Section("aduvi", Keys("none.bmp", "none.bmp", 0, 0, 1)) + "[GENERAL]\r\nnSize=42002\r\n");
  int status = -1;
  std::vector<std::string> lines = kit.Check(&status);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "warning: section [Aduvi] appears 2 times (lines 1 and 17); the clock reads "
                                      "the first and ignores the rest"))
      << Dump(lines);
  EXPECT_TRUE(HasLineStarting(lines, "Aduvi: loads")) << "the first section counts";
  EXPECT_TRUE(HasLine(lines, "kitcheck", "warning: section [GENERAL] appears 2 times (lines 8 and 24)")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "warning: FileNameFace is 304 bytes long; the clock reads only its first 259 "
                                       "bytes, \"" + longName.substr(0, 259) + "\""))
      << Dump(lines);

  // The same text as UTF-16 without a byte-order mark: the clock finds no section.
  std::string utf16;
  for (const char c : Section("Aduvi", Keys("face.bmp", "chara.bmp", 0, 0, 1))) {
    utf16 += c;
    utf16 += '\0';
  }
  kit.WriteIni(utf16);
  lines = kit.Check(&status);
  EXPECT_EQ(1, status);
  const char* refused = "holds NUL bytes without a UTF-16 byte-order mark (UTF-16 text saved without one, or not "
                        "text at all); the clock reads no section from it and never writes its settings into it";
  EXPECT_TRUE(HasLine(lines, "kitcheck", refused)) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "problem: no section [Aduvi]")) << Dump(lines);
  kit.WriteIni("\xFF\xFE" + utf16);
  lines = kit.Check(&status);
  EXPECT_FALSE(HasLine(lines, "kitcheck", "NUL")) << "a byte-order mark tells the encoding\n" << Dump(lines);
  // One NUL byte in ANSI text: the clock will not write the file either.
  kit.WriteIni(Section("Aduvi", Keys("face.bmp", "chara.bmp", 0, 0, 1)) + std::string(1, '\0'));
  lines = kit.Check(&status);
  EXPECT_TRUE(HasLine(lines, "kitcheck", refused)) << Dump(lines);
}

TEST(KitCheckTest, EachPictureIsDescribedWithHowItIsCut) {
  Kit kit;
  PixelBuffer face = MakeTestFace();
  for (int i = 0; i < face.width() * face.height(); ++i) {
    face.data()[i] |= face.data()[i] == 0x00FFFFFF ? 0 : 0xFF000000u;  // white corners see-through
  }
  WriteFileBytes(kit.File("face.png"), PngBytes(face.view(), PngForm{kPngRgbAlpha}));
  BmpForm topDown;
  topDown.topDown = true;
  WriteFileBytes(kit.File("chara_td.bmp"),
                 BmpBytes(MakeTestCharacter(200, 300, kCharacterKey, kCharacterBody, 3, 7).view(), topDown));
  std::string ini;
  for (const CharacterEntry& entry : CharacterTable) ini += Section(entry.name, Keys("face.png", "chara_td.bmp", 0, 0, 1));
  kit.WriteIni(ini);
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(0, status) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "face picture \"face.png\" is a readable PNG 150 x 150 RGB with alpha"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "face picture is cut by its alpha channel: every pixel with alpha above 0 "
                                      "shows, blended by its alpha, so its edge stays soft"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "the figure shows with soft edges: per-pixel alpha in a layered window"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "character picture \"chara_td.bmp\" is a readable BMP 200 x 300 24-bit "
                                      "top-down"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "character picture key colour (its top-left pixel, see-through wherever it "
                                      "appears): red 0, green 255, blue 0"))
      << Dump(lines);
}

TEST(KitCheckTest, AFigureOfNothingButSeeThroughPixelsDoesNotLoad) {
  Kit kit;
  WritePicture(kit.File("blank_face.bmp"), Solid(150, 150, 0x00FFFFFF));
  WritePicture(kit.File("blank_chara.bmp"), Solid(200, 300, 0x00000000));
  std::string ini = GoodIni();
  ini = Section("Aduvi", Keys("blank_face.bmp", "blank_chara.bmp", 0, 0, 1)) + ini.substr(ini.find("[Belmoa]"));
  kit.WriteIni(ini);
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(1, status) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "problem: every pixel of the figure is see-through, so the clock would show "
                                      "nothing"))
      << Dump(lines);
  EXPECT_TRUE(HasExactLine(lines, "Aduvi: does not load")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "kitcheck", "11 of 12 characters load")) << Dump(lines);
}

PixelBuffer ReadSheet(const std::string& path) {
  const ScopedBitmap bitmap(static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
  PixelBuffer pixels;
  if (bitmap) ReadBitmapPixels(screen.get(), bitmap.get(), &pixels);
  return pixels;
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8 |
         static_cast<unsigned char>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

TEST(KitCheckTest, AGoodKitPassesAndItsSheetShowsTheFiguresWithHands) {
  Kit kit;
  kit.WriteIni(GoodIni());
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status, kit.File("sheet.bmp"));
  ASSERT_EQ(0, status) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Lunavi", "the figure shows with a hard outline")) << Dump(lines);

  // Twelve cells of a 200 x 300 and a 140 x 210 figure, four to a row:
  // 16 + 4 x (200 + 16 + 140) + 3 x 16 + 16 wide, 16 + 3 x (300 + 24) + 2 x 16 + 16 high.
  const std::string bytes = ReadFileBytes(kit.File("sheet.bmp"));
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(1504u, Read32(bytes, 18));
  EXPECT_EQ(1036u, Read32(bytes, 22));
  EXPECT_EQ(24, static_cast<unsigned char>(bytes[28]));
  EXPECT_TRUE(HasLine(lines, "kitcheck", "(1504 x 1036 pixels)")) << Dump(lines);

  const PixelBuffer sheet = ReadSheet(kit.File("sheet.bmp"));
  ASSERT_EQ(1504, sheet.width());
  // The outline cuts away the magenta corner; the desktop shows there.
  EXPECT_EQ(kSheetBackground, sheet.view().At(16, 16));
  // The second hand points straight down at 30 s: normal figure centred at
  // (16 + 75, 16 + 75), small one at (16 + 216 + 53, 16 + 90 + 53).
  EXPECT_EQ(0x00FF0000u, sheet.view().At(91, 91 + 40));
  EXPECT_EQ(0x00FF0000u, sheet.view().At(285, 159 + 30));
  EXPECT_EQ(kTestFaceDial, sheet.view().At(91 - 20, 91 + 40));
  // The name is written in the strip under the first cell.
  bool dark = false;
  for (int y = 16 + 300; y < 16 + 300 + 24; ++y) {
    for (int x = 16; x < 16 + 356; ++x) dark = dark || (sheet.view().At(x, y) & 0xFF) < 0x60;
  }
  EXPECT_TRUE(dark) << "no name under the first figure";
}

TEST(KitCheckTest, TheSheetBlendsASoftFigureOverItsBackground) {
  Kit kit;
  // A half-transparent character: alpha 128 everywhere but its first row.
  PixelBuffer character = Solid(200, 300, 0x80000000 | kCharacterBody);
  for (int x = 0; x < 200; ++x) character.view().At(x, 0) = 0;
  WriteFileBytes(kit.File("soft.png"), PngBytes(character.view(), PngForm{kPngRgbAlpha}));
  std::string ini;
  for (const CharacterEntry& entry : CharacterTable) ini += Section(entry.name, Keys("face.bmp", "soft.png", 0, 0, 1));
  kit.WriteIni(ini);
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status, kit.File("sheet.bmp"));
  ASSERT_EQ(0, status) << Dump(lines);
  const PixelBuffer sheet = ReadSheet(kit.File("sheet.bmp"));
  ASSERT_FALSE(sheet.empty());
  // Below the face, the character's colour half over the sheet's grey.
  auto blend = [](Pixel colour, int shift) {
    const unsigned c = (colour >> shift) & 0xFF, b = (kSheetBackground >> shift) & 0xFF;
    return ((c * 128 + 127) / 255 + (b * 127 + 127) / 255) << shift;
  };
  const Pixel expected = blend(kCharacterBody, 16) | blend(kCharacterBody, 8) | blend(kCharacterBody, 0);
  const Pixel shown = sheet.view().At(16 + 100, 16 + 250);
  for (int shift = 0; shift <= 16; shift += 8) {
    EXPECT_NEAR(static_cast<int>((shown >> shift) & 0xFF), static_cast<int>((expected >> shift) & 0xFF), 1)
        << std::hex << shown << " against " << expected;
  }
  EXPECT_EQ(kSheetBackground, sheet.view().At(16 + 180, 16)) << "the transparent first row shows the sheet";
}

}  // namespace

// The scale each character's pictures are drawn at: the window on screens of
// 100, 150 and 200 percent, a warning (not a failure) for pictures that would
// be enlarged more than 1.5 times, and a scale the clock refuses.
TEST(KitCheckTest, ItSaysAtWhichScaleThePicturesAreDrawnAndWhereTheyTurnSoft) {
  Kit kit;
  PixelBuffer face = Solid(300, 300, 0x00FFFFFF);
  for (int y = 100; y < 200; ++y) {
    for (int x = 100; x < 200; ++x) face.view().At(x, y) = 0x00202020;
  }
  WritePicture(kit.File("face300.bmp"), face);
  WritePicture(kit.File("chara400.bmp"), MakeTestCharacter(400, 600, kCharacterKey, kCharacterBody, 6, 14));
  const std::string sizes = "normal size on screen: window 200 x 300 at 100 %, 300 x 450 at 150 %, 400 x 600 at 200 %";
  const std::string small = "small size on screen: window 140 x 210 at 100 %, 210 x 315 at 150 %, 280 x 420 at 200 %";
  const std::string soft = "warning: drawn at 100: soft at 200 %; pictures drawn at 200 stay crisp";

  kit.WriteIni(GoodIni());
  int status = -1;
  std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(0, status) << "a warning leaves the exit status 0\n" << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "nPictureScale is not given: the pictures are drawn at 100 percent"));
  EXPECT_TRUE(HasLine(lines, "Aduvi", sizes)) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", small)) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Aduvi", soft)) << Dump(lines);

  const std::string ini = Section("Aduvi", Keys("face.bmp", "chara.bmp", 0, 0, 1) + "nPictureScale=50\r\n") +
        Section("Belmoa", Keys("face300.bmp", "chara400.bmp", 0, 0, 1) + "nPictureScale=200\r\n") +
        Section("Cirrat", Keys("face.bmp", "chara.bmp", 0, 0, 1) + "nPictureScale=401\r\n");
  kit.WriteIni(ini);
  lines = kit.Check(&status);
  EXPECT_EQ(1, status);
  EXPECT_TRUE(HasLine(lines, "Aduvi", "problem: nPictureScale = \"50\" is outside 100 to 400")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Cirrat", "problem: nPictureScale = \"401\" is outside 100 to 400")) << Dump(lines);
  EXPECT_FALSE(HasLineStarting(lines, "Cirrat: loads"));
  EXPECT_TRUE(HasLineStarting(lines, "Belmoa: loads")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "nPictureScale = 200: the pictures are drawn at 200 percent"));
  EXPECT_TRUE(HasLine(lines, "Belmoa", "face picture is 300 x 300, as it should be")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", sizes)) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", small)) << Dump(lines);
  EXPECT_FALSE(HasLine(lines, "Belmoa", "warning: drawn at")) << Dump(lines);
}

// The summary, line for line after the one naming the INI: the kit's answer
// at a glance, with the warnings and problems under their character.
std::string Summary(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 1; i < lines.size(); ++i) text += lines[i] + "\n";
  return text;
}

TEST(KitCheckSummaryTest, OneBrokenCharacterAndASectionTheClockIgnores) {
  Kit kit;
  std::string ini;
  for (const CharacterEntry& entry : CharacterTable) {
    const bool broken = std::string(entry.name) == "Belmoa";
    ini += Section(entry.name, broken ? "FileNameChara=chara.bmp\r\n" : Keys("face.bmp", "chara.bmp", 0, 0, 1));
  }
  kit.WriteIni("[GENERAL]\r\nnSize=42002\r\n" + ini + "[Fox]\r\nFileNameFace=face.bmp\r\n[alarm]\r\n[Alarm8]\r\n");
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status, "", false);
  EXPECT_EQ(1, status);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "kitcheck: checking " + kit.File("Tavelin.ini") + "; pictures with relative names are looked "
                      "for in " + kit.File(""));
  std::string expected;
  for (const CharacterEntry& entry : CharacterTable) {
    if (std::string(entry.name) == "Belmoa") {
      expected += "Belmoa: does not load\n  problem: FileNameFace is not given, so there is no face picture\n";
      continue;
    }
    expected += std::string(entry.name) +
                ": loads: hard outline, drawn at 100 %; window 200 x 300 at 100 %, 300 x 450 at 150 %, 400 x 600 at "
                "200 %\n  warning: drawn at 100: soft at 200 %; pictures drawn at 200 stay crisp\n";
  }
  expected +=
      "kitcheck: section [Fox] (line 83) is ignored: the clock reads [GENERAL], [ALARM] to [ALARM8] and one section "
      "for each of its characters, Aduvi, Belmoa, Cirrat, Dovane, Esmuka, Fornel, Gavoni, Hesket, Ilvora, Jemsut, Kaltra, "
      "Lunavi\n"
      "kitcheck: 11 of 12 characters load; when one that does not load is chosen, the clock keeps the figure it "
      "shows (none, when it starts with that one)\n"
      "kitcheck: --verbose tells every finding\n";
  EXPECT_EQ(Summary(lines), expected);
}

// The shipped kit, as an author would first run the checker on it.
constexpr char kDemoKitSummary[] =
    "Aduvi: loads: soft edges, drawn at 200 %; window 290 x 260 at 100 %, 435 x 390 at 150 %, 580 x 520 at 200 %\n"
    "Belmoa: loads: soft edges, drawn at 200 %; window 240 x 330 at 100 %, 360 x 495 at 150 %, 480 x 660 at 200 %\n"
    "Cirrat: loads: soft edges, drawn at 200 %; window 150 x 250 at 100 %, 225 x 375 at 150 %, 300 x 500 at 200 %\n"
    "Dovane: loads: soft edges, drawn at 200 %; window 170 x 330 at 100 %, 255 x 495 at 150 %, 340 x 660 at 200 %\n"
    "Esmuka: loads: soft edges, drawn at 200 %; window 240 x 380 at 100 %, 360 x 570 at 150 %, 480 x 760 at 200 %\n"
    "Fornel: loads: soft edges, drawn at 200 %; window 300 x 200 at 100 %, 450 x 300 at 150 %, 600 x 400 at 200 %\n"
    "Gavoni: loads: soft edges, drawn at 200 %; window 300 x 285 at 100 %, 450 x 428 at 150 %, 600 x 570 at 200 %\n"
    "Hesket: loads: soft edges, drawn at 200 %; window 210 x 285 at 100 %, 315 x 428 at 150 %, 420 x 570 at 200 %\n"
    "Ilvora: loads: soft edges, drawn at 200 %; window 320 x 320 at 100 %, 480 x 480 at 150 %, 640 x 640 at 200 %\n"
    "Jemsut: loads: soft edges, drawn at 200 %; window 190 x 392 at 100 %, 285 x 588 at 150 %, 380 x 784 at 200 %\n"
    "Kaltra: loads: soft edges, drawn at 200 %; window 200 x 360 at 100 %, 300 x 540 at 150 %, 400 x 720 at 200 %\n"
    "Lunavi: loads: soft edges, drawn at 200 %; window 225 x 270 at 100 %, 338 x 405 at 150 %, 450 x 540 at 200 %\n"
    "kitcheck: 12 of 12 characters load\n"
    "kitcheck: --verbose tells every finding\n";

TEST(KitCheckSummaryTest, TheDemoKitAtAGlance) {
  const char* kitFolder = std::getenv("TAVELIN_SOFT_KIT");
  ASSERT_NE(kitFolder, nullptr) << "TAVELIN_SOFT_KIT names the demo kit";
  std::ostringstream out;
  EXPECT_EQ(0, RunKitCheck((std::string(kitFolder) + "/Tavelin.ini").c_str(), "", false, out));
  std::vector<std::string> lines;
  std::istringstream in(out.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  EXPECT_EQ(Summary(lines), std::string(kDemoKitSummary));
}
namespace {

// Each kind of pose the checker tells apart, on characters that otherwise load.
TEST(KitCheckTest, PosesAreListedAndEachOneLeftOutSaysWhy) {
  Kit kit;
  PixelBuffer eyes = Solid(40, 12, kCharacterKey);
  for (int y = 2; y < 10; ++y)
    for (int x = 2; x < 38; ++x) eyes.view().At(x, y) = 0x00202020;
  WritePicture(kit.File("eyes.bmp"), eyes);
  WriteFileBytes(kit.File("notes.bmp"), "not a picture");
  std::string ini = GoodIni();
  const std::string belmoa = "[Belmoa]\r\n";
  ini.insert(ini.find(belmoa) + belmoa.size(),
             "FileNameBlink=eyes.bmp\r\nxPosBlink=80\r\nyPosBlink=40\r\n"
             "FileNameJoy=eyes.bmp\r\nxPosJoy=180\r\nyPosJoy=40\r\n"
             "FileNameTalk=notes.bmp\r\n"
             "FileNameSleep=eyes.bmp\r\nxPosSleep=300\r\nyPosSleep=40\r\n");
  kit.WriteIni(ini);
  int status = -1;
  const std::vector<std::string> lines = kit.Check(&status);
  EXPECT_EQ(status, 0) << "poses never keep a character from loading\n" << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "Blink pose \"eyes.bmp\": 40 x 12 at (80, 40)")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "warning: Joy pose lies partly outside the character picture")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "warning: Talk pose \"notes.bmp\" is absent: ")) << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Belmoa", "warning: Sleep pose \"eyes.bmp\" (40 x 12 at (300, 40)) is absent: it lies "
                                       "wholly outside the character picture (200 x 300)"))
      << Dump(lines);
  EXPECT_TRUE(HasLine(lines, "Cirrat", "no Sleep pose: asleep, it shows the Blink pose")) << Dump(lines);
}

}  // namespace
