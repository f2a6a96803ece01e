// Pictures as character authors save them: every BMP form and PNG read by the
// clock pixel for pixel, transparency by alpha or by the top-left colour, and
// the names and files the clock refuses at once.
#include <windows.h>
#include <psapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../core/coverage_oracle.h"
#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/mascot_win32.h"
#include "mascot/shape_runs.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "shared/gdi_handles_win32.h"
#include "support/bmp_writer.h"
#include "support/clock_fixture.h"
#include "support/kit_characters.h"
#include "support/png_writer.h"
#include "support/special_files.h"
#include "support/test_pictures.h"

namespace {

constexpr Pixel kOpaque = 0xFF000000;
constexpr Pixel kKey = 0x00306090;  // the test characters' see-through corner

// A 24 x 16 character of few colours (a palette of 4 bits holds them): the
// key around a body of bands. With `alpha`, each pixel gets an alpha of its
// own, the key's 0.
PixelBuffer MakeCharacter(bool twoColours, bool alpha) {
  static const Pixel kBands[] = {0x00C04040, 0x0040C040, 0x004040C0, 0x00FFFFFF, 0x00000000,
                                 0x00808080, 0x00F0E010, 0x0010E0F0, 0x00E010F0};
  PixelBuffer picture;
  picture.Allocate(24, 16, kKey);
  for (int y = 2; y < 14; ++y) {
    for (int x = 3; x < 21; ++x) {
      const Pixel colour = twoColours ? 0x00C04040 : kBands[(x + y) % 9];
      const Pixel a = alpha ? static_cast<Pixel>((x * 37 + y * 11) % 256) : 0xFF;
      picture.view().At(x, y) = (a << 24) | colour;
    }
  }
  if (!alpha) {
    for (int i = 0; i < 24 * 16; ++i) picture.data()[i] |= kOpaque;
  }
  return picture;
}

PixelBuffer Greyed(const PixelBuffer& source) {
  PixelBuffer grey = source;
  for (int i = 0; i < grey.width() * grey.height(); ++i) {
    const Pixel g = (grey.data()[i] >> 8) & 0xFF;
    grey.data()[i] = (grey.data()[i] & kOpaque) | (g << 16) | (g << 8) | g;
  }
  return grey;
}

// A channel of 8 bits kept in `bits` bits and widened again the way every
// decoder widens it: the top bits repeated below.
Pixel Widen(Pixel channel, int bits) {
  const Pixel kept = channel >> (8 - bits);
  Pixel out = 0;
  for (int shift = 8 - bits; shift > -bits; shift -= bits) out |= shift >= 0 ? kept << shift : kept >> -shift;
  return out & 0xFF;
}

PixelBuffer Kept(const PixelBuffer& source, int redBits, int greenBits, int blueBits) {
  PixelBuffer kept = source;
  for (int i = 0; i < kept.width() * kept.height(); ++i) {
    const Pixel p = kept.data()[i];
    kept.data()[i] = (p & kOpaque) | (Widen((p >> 16) & 0xFF, redBits) << 16) |
                     (Widen((p >> 8) & 0xFF, greenBits) << 8) | Widen(p & 0xFF, blueBits);
  }
  return kept;
}

// Alpha 0 where the colour is `transparent`, 255 elsewhere.
PixelBuffer ClearWhere(const PixelBuffer& source, Pixel transparent) {
  PixelBuffer out = source;
  for (int i = 0; i < out.width() * out.height(); ++i) {
    out.data()[i] = (out.data()[i] & 0x00FFFFFF) | ((out.data()[i] & 0x00FFFFFF) == transparent ? 0 : kOpaque);
  }
  return out;
}

struct Form {
  const char* what;
  const char* file;
  std::string bytes;
  PixelBuffer decoded;  // what the reader must give, alpha included
  bool hasAlpha;
};

BmpForm Bmp(int headerBytes, int bitCount, std::uint32_t compression = kBmpRgb, bool topDown = false,
            std::uint32_t alphaMask = 0) {
  BmpForm form;
  form.headerBytes = headerBytes;
  form.bitCount = bitCount;
  form.compression = compression;
  form.topDown = topDown;
  if (compression == kBmpBitFields) {
    if (bitCount == 16) {
      form.masks[0] = 0xF800;
      form.masks[1] = 0x07E0;
      form.masks[2] = 0x001F;
    } else {
      form.masks[0] = 0x00FF0000;
      form.masks[1] = 0x0000FF00;
      form.masks[2] = 0x000000FF;
    }
  }
  form.masks[3] = alphaMask;
  return form;
}

std::vector<Form> AllForms() {
  const PixelBuffer plain = MakeCharacter(false, false);
  const PixelBuffer two = MakeCharacter(true, false);
  const PixelBuffer alpha = MakeCharacter(false, true);
  const PixelBuffer grey = Greyed(plain);
  const PixelBuffer greyAlpha = Greyed(alpha);
  const Pixel band = 0x0040C040;
  const Pixel greyBand = 0x00C0C0C0 & 0x00FFFFFF;
  std::vector<Form> forms;
  auto bmp = [&](const char* what, const PixelBuffer& source, const BmpForm& form, const PixelBuffer& decoded,
                 bool hasAlpha) {
    forms.push_back({what, "chara.bmp", BmpBytes(source.view(), form), decoded, hasAlpha});
  };
  auto png = [&](const char* what, const PixelBuffer& source, const PngForm& form, const PixelBuffer& decoded,
                 bool hasAlpha) {
    forms.push_back({what, "chara.png", PngBytes(source.view(), form), decoded, hasAlpha});
  };
  bmp("core header, 1 bit", two, Bmp(kBmpCoreHeader, 1), two, false);
  bmp("core header, 4 bits", plain, Bmp(kBmpCoreHeader, 4), plain, false);
  bmp("core header, 8 bits", plain, Bmp(kBmpCoreHeader, 8), plain, false);
  bmp("core header, 24 bits", plain, Bmp(kBmpCoreHeader, 24), plain, false);
  bmp("info header, 1 bit", two, Bmp(kBmpInfoHeader, 1), two, false);
  bmp("info header, 4 bits", plain, Bmp(kBmpInfoHeader, 4), plain, false);
  bmp("info header, 8 bits", plain, Bmp(kBmpInfoHeader, 8), plain, false);
  bmp("info header, 16 bits (5-5-5)", plain, Bmp(kBmpInfoHeader, 16), Kept(plain, 5, 5, 5), false);
  bmp("info header, 24 bits", plain, Bmp(kBmpInfoHeader, 24), plain, false);
  bmp("info header, 32 bits", plain, Bmp(kBmpInfoHeader, 32), plain, false);
  bmp("bit fields, 16 bits (5-6-5)", plain, Bmp(kBmpInfoHeader, 16, kBmpBitFields), Kept(plain, 5, 6, 5), false);
  bmp("bit fields, 32 bits", plain, Bmp(kBmpInfoHeader, 32, kBmpBitFields), plain, false);
  bmp("RLE8", plain, Bmp(kBmpInfoHeader, 8, kBmpRle8), plain, false);
  bmp("RLE4", plain, Bmp(kBmpInfoHeader, 4, kBmpRle4), plain, false);
  bmp("top-down, 8 bits", plain, Bmp(kBmpInfoHeader, 8, kBmpRgb, true), plain, false);
  bmp("top-down, 24 bits", plain, Bmp(kBmpInfoHeader, 24, kBmpRgb, true), plain, false);
  bmp("top-down, 32 bits", plain, Bmp(kBmpInfoHeader, 32, kBmpRgb, true), plain, false);
  bmp("V2 header, 32-bit bit fields", plain, Bmp(kBmpV2Header, 32, kBmpBitFields), plain, false);
  bmp("V3 header, 32 bits with alpha", alpha, Bmp(kBmpV3Header, 32, kBmpBitFields, false, 0xFF000000), alpha, true);
  bmp("V4 header, 32 bits with alpha", alpha, Bmp(kBmpV4Header, 32, kBmpBitFields, false, 0xFF000000), alpha, true);
  bmp("V5 header, 32 bits with alpha", alpha, Bmp(kBmpV5Header, 32, kBmpBitFields, false, 0xFF000000), alpha, true);
  bmp("V5 header, top-down with alpha", alpha, Bmp(kBmpV5Header, 32, kBmpBitFields, true, 0xFF000000), alpha, true);
  bmp("V5 header, 24 bits", plain, Bmp(kBmpV5Header, 24), plain, false);
  bmp("V5 header, 8 bits", plain, Bmp(kBmpV5Header, 8), plain, false);
  png("PNG grey", grey, PngForm{kPngGrey, 8}, grey, false);
  png("PNG grey, 16 bits", grey, PngForm{kPngGrey, 16}, grey, false);
  png("PNG grey with a transparent grey", grey, PngForm{kPngGrey, 8, true, greyBand}, ClearWhere(grey, greyBand),
      true);
  png("PNG RGB", plain, PngForm{kPngRgb, 8}, plain, false);
  png("PNG RGB, 16 bits", plain, PngForm{kPngRgb, 16}, plain, false);
  png("PNG RGB with a transparent colour", plain, PngForm{kPngRgb, 8, true, band}, ClearWhere(plain, band), true);
  png("PNG palette", plain, PngForm{kPngPalette, 8}, plain, false);
  png("PNG palette with alpha", alpha, PngForm{kPngPalette, 8, true}, alpha, true);
  png("PNG grey and alpha", greyAlpha, PngForm{kPngGreyAlpha, 8}, greyAlpha, true);
  png("PNG grey and alpha, 16 bits", greyAlpha, PngForm{kPngGreyAlpha, 16}, greyAlpha, true);
  png("PNG RGBA", alpha, PngForm{kPngRgbAlpha, 8}, alpha, true);
  png("PNG RGBA, 16 bits", alpha, PngForm{kPngRgbAlpha, 16}, alpha, true);
  // Red, green and blue in each byte order, after a 40-byte header and, with
  // an alpha mask in the top byte, in a V5 header. Red in the low byte is the
  // layout one system decoder reads beyond its buffer.
  static const char* const kOrders[6][2] = {
      {"bit fields, R G B from the top", "bit fields with alpha, R G B from the top"},
      {"bit fields, B G R from the top (red low)", "bit fields with alpha, B G R from the top (red low)"},
      {"bit fields, G R B from the top", "bit fields with alpha, G R B from the top"},
      {"bit fields, B R G from the top", "bit fields with alpha, B R G from the top"},
      {"bit fields, G B R from the top", "bit fields with alpha, G B R from the top"},
      {"bit fields, R B G from the top", "bit fields with alpha, R B G from the top"},
  };
  const int shifts[6][3] = {{16, 8, 0}, {0, 8, 16}, {8, 16, 0}, {8, 0, 16}, {0, 16, 8}, {16, 0, 8}};
  for (int order = 0; order < 6; ++order) {
    for (int withAlpha = 0; withAlpha < 2; ++withAlpha) {
      BmpForm form = Bmp(withAlpha ? kBmpV5Header : kBmpInfoHeader, 32, kBmpBitFields, false,
                         withAlpha ? 0xFF000000 : 0);
      for (int i = 0; i < 3; ++i) form.masks[i] = 0xFFu << shifts[order][i];
      bmp(kOrders[order][withAlpha], withAlpha ? alpha : plain, form, withAlpha ? alpha : plain, withAlpha != 0);
    }
  }
  return forms;
}

// The first differing pixel, or "" when all are equal.
std::string FirstDifference(ConstPixelView got, ConstPixelView expected) {
  if (got.width != expected.width || got.height != expected.height) {
    return "size " + std::to_string(got.width) + " x " + std::to_string(got.height) + ", expected " +
           std::to_string(expected.width) + " x " + std::to_string(expected.height);
  }
  for (int y = 0; y < got.height; ++y) {
    for (int x = 0; x < got.width; ++x) {
      if (got.At(x, y) != expected.At(x, y)) {
        char text[96];
        std::snprintf(text, sizeof text, "pixel (%d, %d) is %08X, expected %08X", x, y, got.At(x, y),
                      expected.At(x, y));
        return text;
      }
    }
  }
  return "";
}

class PicturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareProgramFolder(folder_.path());
    WriteFileBytes(folder_.File("face.bmp"), BmpBytes(MakeTestFace().view()));
  }
  void TearDown() override {
    if (IsWindow(hwnd_)) CloseClock(hwnd_);
  }

  // Aduvi with face.bmp and `character`, the face under it at (0, 0).
  void WriteIni(const std::string& character, int nSize = IDM_SIZE_NORMAL) {
    WriteFileBytes(folder_.File("Tavelin.ini"), "[GENERAL]\r\nnChara=40001\r\nnSize=" + std::to_string(nSize) +
                                                    "\r\n[Aduvi]\r\nFileNameFace=face.bmp\r\nFileNameChara=" +
                                                    character + "\r\nxPosFace=0\r\nyPosFace=0\r\nfFaceOnChara=0\r\n");
  }
  void Start() {
    hwnd_ = StartClock();
    ASSERT_NE(hwnd_, nullptr);
  }
  // Loads the character again, as the hourly switch may.
  void Reload() {
    LoadCharacter(hwnd_);
    PumpMessages();
  }

  // MascotBitmap's pixels: premultiplied with their alpha for a soft figure.
  PixelBuffer Shown() {
    PixelBuffer shown;
    PixelView section;
    if (g_state.fSoftFigure && SectionPixels(g_state.hbmMascot, &section)) {
      EXPECT_TRUE(shown.Allocate(section.width, section.height, 0));
      std::copy_n(section.pixels, static_cast<std::size_t>(section.width) * section.height, shown.data());
      return shown;
    }
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    EXPECT_TRUE(ReadBitmapPixels(screen.get(), g_state.hbmMascot, &shown));
    return shown;
  }

  // The figure the pixel rules make of the face and a character decoded as
  // `decoded`: soft when its alpha cuts it, else keyed by its corner.
  Figure Expected(const PixelBuffer& decoded, bool cutByAlpha, int nSize = IDM_SIZE_NORMAL) {
    PixelBuffer face = MakeTestFace();
    PixelBuffer character = decoded;
    FigurePictures pictures{};
    pictures.face = face.view();
    pictures.character = character.view();
    Figure figure;
    if (cutByAlpha) {
      OpaqueFromKey(face.view(), ResolveKey(face.view(), kOwnCornerKey));
      PremultiplyPicture(character.view());
      EXPECT_TRUE(ComposeSoftFigure(pictures, ScaleForSize(nSize), &figure));
      return figure;
    }
    pictures.characterKey = KeyPicture(character.view());
    EXPECT_TRUE(ComposeFigure(pictures, ScaleForSize(nSize), &figure));
    return figure;
  }

  // The outline the clock must give the expected figure.
  static std::vector<ShapeRun> ExpectedRuns(const Figure& figure) {
    return g_state.fSoftFigure ? FindAlphaRuns(figure.picture.view()) : FindShapeRuns(figure.picture.view());
  }

  TempFolder folder_;
  HWND hwnd_ = nullptr;
};

TEST_F(PicturesTest, EveryBmpAndPngFormIsReadPixelForPixel) {
  const ScopedPictureReader reader;
  WriteIni("chara.bmp");
  WriteFileBytes(folder_.File("chara.bmp"), BmpBytes(MakeCharacter(false, false).view()));
  Start();
  for (const Form& form : AllForms()) {
    SCOPED_TRACE(form.what);
    ASSERT_FALSE(form.bytes.empty()) << "the writer could not write this form";
    WriteIni(form.file);
    WriteFileBytes(folder_.File(form.file), form.bytes);

    DecodedPicture decoded;
    ASSERT_EQ(LoadPictureFile(folder_.File(form.file).c_str(), &decoded), PictureFault::kNone);
    EXPECT_EQ(FirstDifference(decoded.pixels.view(), form.decoded.view()), "");
    EXPECT_EQ(decoded.hasAlphaChannel, form.hasAlpha);

    const HBITMAP before = g_state.hbmMascot;
    Reload();
    ASSERT_NE(g_state.hbmMascot, before) << "the clock did not load it";
    // Every form with alpha here has alpha that is not 0 everywhere: cut by it.
    EXPECT_EQ(decoded.cutByAlpha, form.hasAlpha);
    const Figure expected = Expected(form.decoded, form.hasAlpha);
    EXPECT_EQ(FirstDifference(Shown().view(), expected.picture.view()), "");
    EXPECT_EQ(g_state.fSoftFigure != 0, form.hasAlpha);
    const ScopedRegion outline(CreateRegionFromRuns(ExpectedRuns(expected)));
    EXPECT_TRUE(EqualRgn(g_state.hrgnShape, outline.get()));
  }
}

TEST_F(PicturesTest, AlphaDecidesWhatBelongsToTheFigure) {
  // A black-keyed figure with an opaque black line through it, alpha 127 and
  // 128 side by side, as a paint program saves it (32-bit BMP, V5 header).
  PixelBuffer picture;
  ASSERT_TRUE(picture.Allocate(40, 30, 0x00000000));
  for (int y = 5; y < 25; ++y) {
    for (int x = 5; x < 35; ++x) picture.view().At(x, y) = kOpaque | 0x00E08020;
    picture.view().At(20, y) = kOpaque;                  // the black line
    picture.view().At(8, y) = 0x7F000000 | 0x00E08020;   // alpha 127
    picture.view().At(9, y) = 0x80000000 | 0x00E08020;   // alpha 128
  }
  WriteFileBytes(folder_.File("chara.bmp"),
                 BmpBytes(picture.view(), Bmp(kBmpV5Header, 32, kBmpBitFields, false, 0xFF000000)));
  WriteIni("chara.bmp");
  Start();
  ASSERT_NE(g_state.hrgnShape, nullptr);
  EXPECT_EQ(g_state.fSoftFigure, 1) << "its alpha cuts it: a soft figure";
  // The character lies over the face at (0, 0); the window is 150 x 150.
  for (int y = 5; y < 25; ++y) {
    EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 20, y)) << "the black line, row " << y;
    EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 9, y)) << "alpha 128, row " << y;
    EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 8, y)) << "alpha 127 is kept, half-transparent, row " << y;
  }
  // The face's own corner is see-through too, so the desktop shows there.
  for (const POINT out : {POINT{2, 2}, POINT{20, 2}}) {
    EXPECT_FALSE(PtInRegion(g_state.hrgnShape, out.x, out.y)) << "alpha 0 at " << out.x << ", " << out.y;
  }
  const PixelBuffer shown = Shown();
  EXPECT_EQ(shown.view().At(20, 10), 0xFF000000u) << "the line keeps its black, opaque";
  EXPECT_EQ(shown.view().At(9, 10), 0x80704010u) << "alpha 128, premultiplied";
  EXPECT_EQ(FirstDifference(shown.view(), Expected(picture, true).picture.view()), "");

  // The same picture with alpha 0 everywhere says nothing by its alpha: its
  // top-left colour, black, is see-through, and the line with it.
  for (int i = 0; i < 40 * 30; ++i) picture.data()[i] &= 0x00FFFFFF;
  WriteFileBytes(folder_.File("chara.bmp"),
                 BmpBytes(picture.view(), Bmp(kBmpV5Header, 32, kBmpBitFields, false, 0xFF000000)));
  Reload();
  const PixelBuffer keyed = Shown();
  EXPECT_FALSE(PtInRegion(g_state.hrgnShape, 20, 10)) << "the black line is see-through now";
  EXPECT_TRUE(PtInRegion(g_state.hrgnShape, 8, 10)) << "alpha counts for nothing";
  EXPECT_EQ(keyed.view().At(8, 10), 0x00E08020u);
  EXPECT_EQ(FirstDifference(keyed.view(), Expected(picture, false).picture.view()), "");
}

TEST_F(PicturesTest, DevicesPipesAndFoldersAreRefusedAtOnceAndChangeNothing) {
  const SpecialFiles special(folder_.path());
  WriteFileBytes(folder_.File("chara.bmp"), BmpBytes(MakeCharacter(false, false).view()));
  WriteIni("chara.bmp");
  Start();
  const HBITMAP picture = g_state.hbmMascot;
  ASSERT_NE(picture, nullptr);
  RECT before;
  GetWindowRect(hwnd_, &before);

  std::vector<std::string> names = special.devices;
  names.push_back(special.folder);
  names.push_back("C:\\any\\where\\nul.bmp");
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    std::string bytes = "untouched";
    FinishOrFail([&] {
      EXPECT_EQ(ReadRegularFile(name.c_str(), kMaxPictureFileBytes, &bytes), PictureFault::kNotRegularFile);
    });
    EXPECT_EQ(bytes, "untouched");

    WriteIni(name);
    Reload();
    EXPECT_EQ(g_state.hbmMascot, picture) << "nothing changes";
    RECT after;
    GetWindowRect(hwnd_, &after);
    EXPECT_TRUE(EqualRect(&before, &after));
  }
}

TEST_F(PicturesTest, FilesBeyondTheCapClaimingTooMuchOrLockedAreRefusedBeforeAnyAllocation) {
  const SpecialFiles special(folder_.path());
  WriteFileBytes(folder_.File("claims.bmp"), ShortBmpClaiming(16384, 16384));
  WriteFileBytes(folder_.File("claims_wide.bmp"), ShortBmpClaiming(16384, 1025));
  std::string png = PngBytes(MakeCharacter(false, false).view(), PngForm{});
  png = WithField(png, 16, 0x00400000);  // IHDR width 16384 (big-endian bytes 00 00 40 00)
  png = WithField(png, 20, 0x01040000);  // height 1025
  WriteFileBytes(folder_.File("claims.png"), png);
  const ScopedPictureReader reader;

  PROCESS_MEMORY_COUNTERS before{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  struct Case {
    std::string file;
    PictureFault fault;
  } cases[] = {
      {special.beyondCap, PictureFault::kFileTooLarge},
      {folder_.File("claims.bmp"), PictureFault::kBeyondLimits},
      {folder_.File("claims_wide.bmp"), PictureFault::kBeyondLimits},
      {folder_.File("claims.png"), PictureFault::kBeyondLimits},
      {special.locked, PictureFault::kLocked},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    DecodedPicture decoded;
    EXPECT_EQ(LoadPictureFile(c.file.c_str(), &decoded), c.fault);
    EXPECT_TRUE(decoded.pixels.empty());
  }
  PROCESS_MEMORY_COUNTERS after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  // Reading the file or decoding the pixels would take 144 MiB or 1 GiB.
  EXPECT_LT(after.PeakPagefileUsage - before.PeakPagefileUsage, SIZE_T{32} << 20);

  WriteFileBytes(folder_.File("chara.bmp"), BmpBytes(MakeCharacter(false, false).view()));
  WriteIni("chara.bmp");
  Start();
  const HBITMAP picture = g_state.hbmMascot;
  for (const Case& c : cases) {
    WriteIni(c.file);
    Reload();
    EXPECT_EQ(g_state.hbmMascot, picture) << c.file;
  }
}

// MascotBitmap and the outline at the small size against the coverage rule:
// a pixel belongs to the window when at least half of its area is figure,
// and then its colour lies within the colours of the figure pixels it covers,
// never a mixture with the key. The reduced corner keeps the canvas's key
// colour, so it is left out.
void ExpectReducedByCoverage(const Figure& canvas, const Figure& small, HRGN outline, const PixelBuffer& shown) {
  const ConstPixelView source = canvas.picture.view();
  const Pixel key = source.At(0, 0);
  int wrongOutline = 0;
  int mixed = 0;
  for (int ty = 0; ty < small.picture.height(); ++ty) {
    for (int tx = 0; tx < small.picture.width(); ++tx) {
      if (tx == 0 && ty == 0) continue;
      const CoveredFigure cover =
          CoverTargetPixel(source, key, small.picture.width(), small.picture.height(), tx, ty);
      const bool inside = PtInRegion(outline, tx, ty) != FALSE;
      if (inside != cover.IsFigure() && ++wrongOutline <= 3) {
        ADD_FAILURE() << "pixel (" << tx << ", " << ty << ") is " << (inside ? "inside" : "outside")
                      << " the outline";
      }
      if (inside && !cover.InRange(shown.view().At(tx, ty)) && ++mixed <= 3) {
        ADD_FAILURE() << "pixel (" << tx << ", " << ty << ") mixes the key into the figure: " << std::hex
                      << shown.view().At(tx, ty);
      }
    }
  }
  EXPECT_EQ(wrongOutline, 0);
  EXPECT_EQ(mixed, 0);
}

TEST_F(PicturesTest, TheSmallSizeHasNoRimOfTheKeyColour) {
  PixelBuffer blank;
  ASSERT_TRUE(blank.Allocate(150, 150, kCanvasMagenta));
  WriteFileBytes(folder_.File("face.bmp"), BmpBytes(blank.view()));
  const PixelBuffer green = MakeTestCharacter(200, 300, kCanvasMagenta, 0x0020C020, 3, 5);
  WriteFileBytes(folder_.File("chara.bmp"), BmpBytes(green.view()));
  WriteIni("chara.bmp", IDM_SIZE_SMALL);
  Start();
  ASSERT_EQ(g_state.nWindowWidth, 140);
  FigurePictures pictures{};
  pictures.face = blank.view();
  pictures.character = green.view();
  Figure canvas;
  ASSERT_TRUE(ComposeFigure(pictures, 1.0, &canvas));
  Figure small;
  ASSERT_TRUE(ComposeFigure(pictures, 0.7, &small));
  ExpectReducedByCoverage(canvas, small, g_state.hrgnShape, Shown());
}

TEST_F(PicturesTest, TheDemoCharactersAtTheSmallSizeHaveNoRimEither) {
  const std::string kit = PathFromEnvironment("TAVELIN_KIT");
  if (kit.empty() || !FileExists(kit + "\\Tavelin.ini")) GTEST_SKIP() << "no demo kit";
  const std::string ini = kit + "\\Tavelin.ini";
  WriteIni("chara.bmp", IDM_SIZE_SMALL);
  WriteFileBytes(folder_.File("chara.bmp"), BmpBytes(MakeCharacter(false, false).view()));
  Start();
  for (int i = 0; i < kCharacterCount; ++i) {
    const char* name = CharacterTable[i].name;
    SCOPED_TRACE(name);
    const KitCharacter c = ReadKitCharacter(ini, name);
    WriteFileBytes(folder_.File("Tavelin.ini"),
                   "[GENERAL]\r\nnChara=40001\r\nnSize=42001\r\n[Aduvi]\r\nFileNameFace=" + kit + "\\" + c.face +
                       "\r\nFileNameChara=" + kit + "\\" + c.character + "\r\nxPosFace=" + std::to_string(c.x) +
                       "\r\nyPosFace=" + std::to_string(c.y) + "\r\nfFaceOnChara=" + std::to_string(c.faceOnChara) +
                       "\r\n");
    Reload();
    Figure canvas;
    Figure small;
    ASSERT_TRUE(ComposeKitCharacter(kit + "\\", c, 1.0, &canvas));
    ASSERT_TRUE(ComposeKitCharacter(kit + "\\", c, 0.7, &small));
    ASSERT_EQ(g_state.nWindowWidth, small.picture.width());
    ExpectReducedByCoverage(canvas, small, g_state.hrgnShape, Shown());
  }
}

// The demo kit in both its forms: each soft PNG is read as cut by alpha, with
// soft edges, drawn at twice the size of its keyed BMP (nPictureScale 200);
// reduced by half as the clock reduces it at 96 DPI and cut at alpha 128, it
// has the keyed one's outline but for a few pixels along the edge (a face
// drawn at 200 turns about pixel (150, 150): a quarter pixel from where the
// one drawn at 100 puts its centre, once halved).
TEST_F(PicturesTest, TheSoftDemoKitCutAtHalfAlphaIsTheKeyedOne) {
  const std::string soft = PathFromEnvironment("TAVELIN_SOFT_KIT"), keyed = PathFromEnvironment("TAVELIN_KIT");
  if (soft.empty() || keyed.empty() || !FileExists(soft + "\\Tavelin.ini") || !FileExists(keyed + "\\Tavelin.ini"))
    GTEST_SKIP() << "no demo kit";
  const ScopedPictureReader reader;
  for (const CharacterEntry& entry : CharacterTable) {
    const KitCharacter softCharacter = ReadKitCharacter(soft + "\\Tavelin.ini", entry.name);
    const KitCharacter keyedCharacter = ReadKitCharacter(keyed + "\\Tavelin.ini", entry.name);
    EXPECT_EQ(softCharacter.pictureScale, 200);
    EXPECT_EQ(keyedCharacter.pictureScale, 100);
    EXPECT_EQ(softCharacter.x, 2 * keyedCharacter.x);
    EXPECT_EQ(softCharacter.y, 2 * keyedCharacter.y);
    const std::pair<std::string, std::string> files[] = {{softCharacter.face, keyedCharacter.face},
                                                         {softCharacter.character, keyedCharacter.character}};
    for (const auto& [softFile, keyedFile] : files) {
      SCOPED_TRACE(testing::Message() << entry.name << ": " << softFile << " and " << keyedFile);
      DecodedPicture png, bmp;
      ASSERT_EQ(LoadPictureFile((soft + "\\" + softFile).c_str(), &png), PictureFault::kNone);
      ASSERT_EQ(LoadPictureFile((keyed + "\\" + keyedFile).c_str(), &bmp), PictureFault::kNone);
      EXPECT_TRUE(png.cutByAlpha);
      EXPECT_FALSE(bmp.cutByAlpha);
      const ConstPixelView b = bmp.pixels.view();
      ASSERT_EQ(png.pixels.width(), 2 * b.width);
      ASSERT_EQ(png.pixels.height(), 2 * b.height);
      PremultiplyPicture(png.pixels.view());
      PixelBuffer halved;
      ASSERT_TRUE(halved.Allocate(b.width, b.height, 0));
      ASSERT_TRUE(ReducePremultiplied(png.pixels.view(), halved.view()));
      const ConstPixelView a = halved.view();
      const Pixel key = b.At(0, 0) & 0xFFFFFF;
      int differ = 0, edge = 0, shown = 0;
      for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
          const unsigned alpha = a.At(x, y) >> 24;
          const bool keyedShows = (b.At(x, y) & 0xFFFFFF) != key;
          edge += alpha > 0 && alpha < 255;
          shown += keyedShows;
          differ += (alpha >= 128) != keyedShows;
        }
      EXPECT_GT(edge, 100) << "soft edges";
      EXPECT_LT(differ * 100, shown) << differ << " of " << shown << " pixels shown differ";
    }
  }
}

TEST_F(PicturesTest, TheClockHoldsTheReaderFromStartToShutdown) {
  // A PNG: uncompressed BMPs are read without the system's decoder.
  WriteFileBytes(folder_.File("chara.png"), PngBytes(MakeCharacter(false, false).view(), PngForm{}));
  WriteIni("chara.png");
  DecodedPicture decoded;
  const std::string file = folder_.File("chara.png");
  EXPECT_EQ(LoadPictureFile(file.c_str(), &decoded), PictureFault::kNotAPicture) << "no reader before the start";
  Start();
  EXPECT_EQ(LoadPictureFile(file.c_str(), &decoded), PictureFault::kNone);
  CloseClock(hwnd_);
  EXPECT_EQ(LoadPictureFile(file.c_str(), &decoded), PictureFault::kNotAPicture) << "released at shutdown";
}

}  // namespace
