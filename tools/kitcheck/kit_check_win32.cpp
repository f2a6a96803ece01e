#include "kitcheck/kit_check_win32.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "kitcheck/kit_sheet_win32.h"
#include "mascot/bitmap_pixels_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/gdi_handles_win32.h"
#include "mascot/load_picture_win32.h"
#include "resource.h"
#include "settings/settings_win32.h"

namespace {

// Read back in place of a key's value when the key is absent; no author writes it.
constexpr char kAbsent[] = "\x01kitcheck: absent\x01";

std::string Format(const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  return text;
}

std::string DescribeColour(Pixel colour) {
  return Format("red %u, green %u, blue %u", (colour >> 16) & 0xFF, (colour >> 8) & 0xFF, colour & 0xFF);
}

// Lines about one character, each starting with its name.
class Findings {
 public:
  Findings(std::ostream& out, const char* name) : out_(out), name_(name) {}
  void Note(const std::string& text) { out_ << name_ << ": " << text << '\n'; }
  void Warn(const std::string& text) { out_ << name_ << ": warning: " << text << '\n'; }
  // A finding that keeps the clock from loading the character.
  void Fail(const std::string& text) {
    out_ << name_ << ": problem: " << text << '\n';
    loads_ = false;
  }
  bool loads() const { return loads_; }

 private:
  std::ostream& out_;
  const char* name_;
  bool loads_ = true;
};

// Makes relative picture names mean the INI's folder, as they mean the
// program's folder to the clock; the previous directory comes back after.
class CurrentDirectoryScope {
 public:
  explicit CurrentDirectoryScope(const std::string& folder) {
    const DWORD length = GetCurrentDirectoryA(sizeof previous_, previous_);
    saved_ = length != 0 && length < sizeof previous_;
    (void)SetCurrentDirectoryA(folder.c_str());  // without the folder there is no INI, so no picture is sought
  }
  ~CurrentDirectoryScope() {
    if (saved_) SetCurrentDirectoryA(previous_);
  }
  CurrentDirectoryScope(const CurrentDirectoryScope&) = delete;
  CurrentDirectoryScope& operator=(const CurrentDirectoryScope&) = delete;

 private:
  char previous_[MAX_PATH] = {};
  bool saved_ = false;
};

std::string FullPath(const char* name) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(name, sizeof full, full, nullptr);
  return length == 0 || length >= sizeof full ? std::string(name) : std::string(full);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string(".\\") : path.substr(0, slash + 1);
}

// A key's text as written, or nothing when the key is absent.
bool ReadRawKey(const char* ini, const char* section, const char* key, std::string* text) {
  char value[kTextBufferSize];
  (void)GetPrivateProfileStringA(section, key, kAbsent, value, sizeof value, ini);
  if (std::strcmp(value, kAbsent) == 0) return false;
  *text = value;
  return true;
}

bool HasSectionNamed(const char* ini, const char* section) {
  std::vector<char> names(1 << 16);
  const DWORD length = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), ini);
  for (const char* name = names.data(); name < names.data() + length && *name != '\0'; name += std::strlen(name) + 1) {
    if (lstrcmpiA(name, section) == 0) return true;
  }
  return false;
}

bool CheckSection(const char* ini, const char* section, Findings* findings) {
  char probe[4];
  if (GetPrivateProfileSectionA(section, probe, sizeof probe, ini) > 0) {
    findings->Note(Format("section [%s] found", section));
    return true;
  }
  if (HasSectionNamed(ini, section)) {
    findings->Fail(Format("section [%s] is empty: it names no pictures", section));
  } else {
    findings->Fail(Format("no section [%s]: the clock has no pictures for this character", section));
  }
  return false;
}

// A picture file name as the clock reads it; empty when there is none to load.
std::string CheckFileNameKey(const char* ini, const char* section, const char* key, const char* what,
                             Findings* findings) {
  std::string raw;
  if (!ReadRawKey(ini, section, key, &raw)) {
    findings->Fail(Format("%s is not given, so there is no %s", key, what));
    return {};
  }
  char value[kTextBufferSize];
  ReadSettingString(ini, section, key, value, "");
  if (value[0] == '\0') {
    findings->Fail(Format("%s is empty, so there is no %s", key, what));
  } else {
    findings->Note(Format("%s = \"%s\"", key, value));
  }
  return value;
}

int CheckNumberKey(const char* ini, const char* section, const char* key, Findings* findings) {
  int value = 0;
  ReadSettingInt(ini, section, key, &value, 0);
  std::string raw;
  if (!ReadRawKey(ini, section, key, &raw)) {
    findings->Note(Format("%s is not given, taken as 0", key));
  } else if (raw.empty()) {
    findings->Note(Format("%s is empty, taken as 0", key));
  } else if (raw != Format("%d", value)) {
    findings->Warn(Format("%s = \"%s\" is not a plain whole number; the clock reads it as %d", key, raw.c_str(), value));
  } else {
    findings->Note(Format("%s = %d", key, value));
  }
  return value;
}

struct Picture {
  bool usable = false;  // loaded, within the size limit, pixels read
  int width = 0;
  int height = 0;
  PixelBuffer pixels;
};

bool EveryPixelIs(const PixelBuffer& pixels, Pixel colour) {
  const Pixel* p = pixels.data();
  for (const Pixel* end = p + static_cast<std::size_t>(pixels.width()) * pixels.height(); p != end; ++p) {
    if (*p != colour) return false;
  }
  return true;
}

// Finds, decodes and reads one picture through the same calls as the clock.
Picture CheckPicture(HDC screen, const std::string& fileName, const char* what, Findings* findings) {
  Picture picture;
  if (fileName.empty()) return picture;  // already told by the key's check
  const char* name = fileName.c_str();
  const DWORD attributes = GetFileAttributesA(name);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    findings->Fail(Format("%s \"%s\" not found (looked for %s)", what, name, FullPath(name).c_str()));
    return picture;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    findings->Fail(Format("%s \"%s\" is a folder, not a picture file", what, name));
    return picture;
  }
  if (!IsWholeBmpFile(name)) {
    findings->Fail(Format("%s \"%s\" is not a BMP file, is cut short, or is beyond the load limit of %d pixels a "
                          "side", what, name, kMaxPictureSide));
    return picture;
  }
  const ScopedBitmap bitmap = LoadPicture(name);
  if (!bitmap || !GetBitmapSize(bitmap.get(), &picture.width, &picture.height)) {
    findings->Fail(Format("%s \"%s\" cannot be read by Windows as a bitmap", what, name));
    return picture;
  }
  findings->Note(Format("%s \"%s\" is a readable BMP, %d x %d pixels", what, name, picture.width, picture.height));
  if (!IsSanePictureSize(picture.width, picture.height)) {
    findings->Fail(Format("%s is %d x %d pixels, beyond the load limit of %d pixels a side", what, picture.width,
                          picture.height, kMaxPictureSide));
    return picture;
  }
  if (!ReadBitmapPixels(screen, bitmap.get(), &picture.pixels)) {
    findings->Fail(Format("the pixels of the %s cannot be read (not enough memory?)", what));
    return picture;
  }
  picture.usable = true;
  const Pixel key = picture.pixels.view().At(0, 0);
  findings->Note(Format("%s key colour (its top-left pixel, see-through wherever it appears): %s", what,
                        DescribeColour(key).c_str()));
  if (EveryPixelIs(picture.pixels, key)) {
    findings->Warn(Format("every pixel of the %s has its key colour, so none of it shows", what));
  }
  return picture;
}

void CheckFaceSize(const Picture& face, Findings* findings) {
  if (face.width == kFaceSide && face.height == kFaceSide) {
    findings->Note(Format("face picture is %d x %d, as it should be", kFaceSide, kFaceSide));
    return;
  }
  const bool larger = face.width > kFaceSide || face.height > kFaceSide;
  findings->Warn(Format("face picture is %d x %d, not %d x %d: the hands turn around its pixel (%d, %d), not around "
                        "its middle%s",
                        face.width, face.height, kFaceSide, kFaceSide, kFaceCentre, kFaceCentre,
                        larger ? ", and what lies beyond 150 x 150 may be cut off at the canvas's edge" : ""));
}

const char* SizeWord(int nSize) { return nSize == IDM_SIZE_SMALL ? "small" : "normal"; }

// The canvas, both window sizes and clock centres, and what the outline will
// leave out. False when the clock could not compose the figure.
bool CheckFigure(const Picture& face, const Picture& character, int x, int y, int faceOnChara, Findings* findings,
                 SheetFigure* sheetFigure) {
  CanvasLayout layout;
  if (!LayOutCanvas(character.width, character.height, x, y, &layout)) {
    findings->Fail(Format("the character picture (%d x %d) with the face at (%d, %d) needs a canvas larger than the "
                          "load limit of %d x %d pixels",
                          character.width, character.height, x, y, kMaxPictureSide, kMaxPictureSide));
    return false;
  }
  findings->Note(Format("canvas %d x %d, face at (%d, %d), character at (%d, %d)", layout.width, layout.height,
                        layout.faceX, layout.faceY, layout.characterX, layout.characterY));

  const FigurePictures pictures{face.pixels.view(), character.pixels.view(), x, y, faceOnChara};
  for (const int nSize : {IDM_SIZE_NORMAL, IDM_SIZE_SMALL}) {
    Figure& figure = nSize == IDM_SIZE_SMALL ? sheetFigure->small : sheetFigure->normal;
    if (!ComposeFigure(pictures, ScaleForSize(nSize), &figure)) {
      findings->Fail(Format("the figure cannot be composed at the %s size (not enough memory?)", SizeWord(nSize)));
      return false;
    }
    findings->Note(Format("%s size: window %d x %d, clock centre at (%d, %d)", SizeWord(nSize),
                          figure.picture.width(), figure.picture.height(), figure.xClockCenter, figure.yClockCenter));
  }

  // The outline leaves out the colour of the window's top-left pixel.
  const Pixel canvasCorner = sheetFigure->normal.picture.view().At(0, 0);
  if (canvasCorner == kCanvasMagenta) {
    findings->Note("the canvas's top-left pixel is still the magenta background, so the outline cuts it away");
  } else {
    findings->Warn(Format("the canvas's top-left pixel is %s, not the magenta background: the outline cuts away that "
                          "colour instead, and the magenta shows",
                          DescribeColour(canvasCorner).c_str()));
  }
  return true;
}

// Every finding about one character; fills `sheetFigure` when it loads.
bool CheckCharacter(HDC screen, const char* ini, const char* name, std::ostream& out, SheetFigure* sheetFigure) {
  Findings findings(out, name);
  if (CheckSection(ini, name, &findings)) {
    const std::string faceName = CheckFileNameKey(ini, name, "FileNameFace", "face picture", &findings);
    const std::string characterName = CheckFileNameKey(ini, name, "FileNameChara", "character picture", &findings);
    const int x = CheckNumberKey(ini, name, "xPosFace", &findings);
    const int y = CheckNumberKey(ini, name, "yPosFace", &findings);
    const int faceOnChara = CheckNumberKey(ini, name, "fFaceOnChara", &findings);
    findings.Note(faceOnChara != 0 ? "the face is drawn over the character" : "the character is drawn over the face");

    const Picture face = CheckPicture(screen, faceName, "face picture", &findings);
    if (face.usable) CheckFaceSize(face, &findings);
    const Picture character = CheckPicture(screen, characterName, "character picture", &findings);
    if (face.usable && character.usable) {
      sheetFigure->name = name;
      CheckFigure(face, character, x, y, faceOnChara, &findings, sheetFigure);
    }
  }
  out << name << (findings.loads() ? ": loads" : ": does NOT load; the clock shows nothing when it is chosen") << '\n';
  return findings.loads();
}

}  // namespace

int RunKitCheck(const char* iniPath, const char* sheetPath, std::ostream& out) {
  const std::string ini = FullPath(iniPath);
  const DWORD attributes = GetFileAttributesA(ini.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    out << "kitcheck: " << ini << " not found\n";
  } else {
    out << "kitcheck: checking " << ini << "; pictures with relative names are looked for in " << FolderOf(ini)
        << '\n';
  }

  std::vector<SheetFigure> figures;
  int loaded = 0;
  {
    const CurrentDirectoryScope folder(FolderOf(ini));
    const ScopedWindowDC screen = ScopedWindowDC::Client(nullptr);
    for (const CharacterEntry& entry : CharacterTable) {
      SheetFigure figure;
      if (CheckCharacter(screen.get(), ini.c_str(), entry.name, out, &figure)) {
        ++loaded;
        figures.push_back(std::move(figure));
      }
    }
  }
  out << "kitcheck: " << loaded << " of " << kCharacterCount << " characters load\n";
  bool sheetWritten = true;
  if (sheetPath != nullptr && sheetPath[0] != '\0') {
    int width = 0;
    int height = 0;
    if (figures.empty()) {
      out << "kitcheck: no character loads, so no sheet was written\n";
      sheetWritten = false;
    } else if (WriteKitSheet(figures, sheetPath, &width, &height)) {
      out << "kitcheck: sheet of " << figures.size() << " characters written to " << sheetPath << " (" << width
          << " x " << height << " pixels)\n";
    } else {
      out << "kitcheck: the sheet could not be written to " << sheetPath << '\n';
      sheetWritten = false;
    }
  }
  return loaded == kCharacterCount && sheetWritten ? 0 : 1;
}
