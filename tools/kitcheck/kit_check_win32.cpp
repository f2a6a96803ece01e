#include "kitcheck/kit_check_win32.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "app/character_table.h"
#include "app/clock_state_win32.h"
#include "events/alarms.h"
#include "kitcheck/kit_sheet_win32.h"
#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/shape_runs.h"
#include "mascot/pose_frames.h"
#include "mascot/soft_figure.h"
#include "pictures/keyed_picture.h"
#include "pictures/picture_reader_win32.h"
#include "resource.h"
#include "settings/settings_place.h"
#include "settings/settings_win32.h"

namespace {

// The most of a settings file that is looked at for its encoding and sections.
constexpr std::uint64_t kMaxIniBytes = 16u << 20;

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

// The findings about one character, told in full (`--verbose`, each line
// starting with its name) or as its summary line with its warnings and
// problems under it.
class Findings {
 public:
  explicit Findings(const char* name) : name_(name) {}
  void Note(const std::string& text) { lines_.push_back({"", text}); }
  void Warn(const std::string& text) { lines_.push_back({"warning: ", text}); }
  // A finding that keeps the clock from loading the character.
  void Fail(const std::string& text) {
    lines_.push_back({"problem: ", text});
    loads_ = false;
  }
  bool loads() const { return loads_; }
  // What the summary says of a character that loads: its kind, its scale and its window.
  void Sum(const std::string& text) { summary_ = text; }

  void Write(std::ostream& out, bool verbose) const {
    for (const Line& line : lines_) {
      if (verbose) out << name_ << ": " << line.kind << line.text << '\n';
    }
    out << name_ << (loads_ ? ": loads" + (summary_.empty() ? "" : ": " + summary_) : ": does not load") << '\n';
    if (verbose) return;
    for (const Line& line : lines_) {
      if (line.kind[0] != '\0') out << "  " << line.kind << line.text << '\n';
    }
  }

 private:
  struct Line {
    const char* kind;
    std::string text;
  };
  const char* name_;
  std::vector<Line> lines_;
  std::string summary_;
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

// A key's text as written, or nothing when the key is absent. Longer than
// the clock's buffer, so that a name it cuts can be told.
bool ReadRawKey(const char* ini, const char* section, const char* key, std::string* text) {
  char value[4096];
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

// What the profile calls do not tell about the INI: whether the clock can
// read it at all, and the line of every section header, by lower-case name.
struct IniText {
  bool unreadable = false;
  std::map<std::string, std::vector<int>> sectionLines;
  std::map<std::string, std::string> sectionNames;  // as first written, by lower-case name
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

IniText ReadIniText(const std::string& bytes) {
  IniText text;
  text.unreadable = IsUnreadableSettingsText(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
  int lineNumber = 0;
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    at = end + 1;
    ++lineNumber;
    const std::size_t open = line.find_first_not_of(" \t");
    if (open == std::string::npos || line[open] != '[') continue;
    const std::size_t close = line.find(']', open);
    if (close == std::string::npos) continue;
    std::string name = line.substr(open + 1, close - open - 1);
    const std::size_t first = name.find_first_not_of(" \t");
    const std::size_t last = name.find_last_not_of(" \t");
    name = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    text.sectionLines[Lower(name)].push_back(lineNumber);
    text.sectionNames.emplace(Lower(name), name);
  }
  return text;
}

std::string LineList(const std::vector<int>& lines) {
  std::string list;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    list += (i == 0 ? "" : i + 1 == lines.size() ? " and " : ", ") + std::to_string(lines[i]);
  }
  return list;
}

bool CheckSection(const char* ini, const IniText& text, const char* section, Findings* findings) {
  const auto lines = text.sectionLines.find(Lower(section));
  if (lines != text.sectionLines.end() && lines->second.size() > 1) {
    findings->Warn(Format("section [%s] appears %u times (lines %s); the clock reads the first and ignores the rest",
                          section, static_cast<unsigned>(lines->second.size()), LineList(lines->second).c_str()));
  }
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
  if (raw.size() > std::strlen(value)) {
    findings->Warn(Format("%s is %u bytes long; the clock reads only its first %u bytes, \"%s\"", key,
                          static_cast<unsigned>(raw.size()), static_cast<unsigned>(std::strlen(value)), value));
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

// The scale the character's pictures are drawn at; false, failing the
// character, when the clock would not load it.
bool CheckPictureScaleKey(const char* ini, const char* section, int* scale, Findings* findings) {
  std::string raw;
  ReadSettingInt(ini, section, "nPictureScale", scale, kPictureScaleDefault);
  if (!ReadRawKey(ini, section, "nPictureScale", &raw)) {
    findings->Note(Format("nPictureScale is not given: the pictures are drawn at %d percent", kPictureScaleDefault));
    return true;
  }
  if (*scale < kPictureScaleMin || *scale > kPictureScaleMax) {
    findings->Fail(Format("nPictureScale = \"%s\" is outside %d to %d, so the clock does not load this character",
                          raw.c_str(), kPictureScaleMin, kPictureScaleMax));
    return false;
  }
  findings->Note(Format("nPictureScale = %d: the pictures are drawn at %d percent", *scale, *scale));
  return true;
}

struct Picture {
  bool usable = false;  // read, decoded and keyed (or premultiplied)
  int width = 0;
  int height = 0;
  PixelBuffer pixels;  // keyed, or premultiplied when cut by alpha
  Pixel key = 0;       // 0 for a picture cut by alpha: transparent is 0
  bool cutByAlpha = false;
};

bool EveryPixelIs(const PixelBuffer& pixels, Pixel colour) {
  const Pixel* p = pixels.data();
  for (const Pixel* end = p + static_cast<std::size_t>(pixels.width()) * pixels.height(); p != end; ++p) {
    if (*p != colour) return false;
  }
  return true;
}

// Reads, decodes and keys one picture through the same reader as the clock.
Picture CheckPicture(const std::string& fileName, const char* what, Findings* findings) {
  Picture picture;
  if (fileName.empty()) return picture;  // already told by the key's check
  const char* name = fileName.c_str();
  DecodedPicture decoded;
  PictureFault fault = PictureFault::kNone;
  try {
    fault = LoadPictureFile(name, &decoded);
    // A soft picture keeps its alpha (premultiplied below); any other is keyed by its corner.
    if (fault == PictureFault::kNone && !decoded.cutByAlpha) picture.key = KeyPicture(decoded.pixels.view());
  } catch (const std::bad_alloc&) {
    findings->Fail(
        Format("%s \"%s\" %s", what, name, DescribePictureFault(PictureFault::kOutOfMemory, decoded.header).c_str()));
    return picture;
  }
  if (fault == PictureFault::kMissing) {
    findings->Fail(Format("%s \"%s\" not found (looked for %s)", what, name, FullPath(name).c_str()));
    return picture;
  }
  if (fault != PictureFault::kNone) {
    findings->Fail(Format("%s \"%s\" %s", what, name, DescribePictureFault(fault, decoded.header).c_str()));
    return picture;
  }
  picture.width = decoded.pixels.width();
  picture.height = decoded.pixels.height();
  findings->Note(Format("%s \"%s\" is a readable %s", what, name,
                        DescribePicture(decoded.header, decoded.hasAlphaChannel).c_str()));
  picture.cutByAlpha = decoded.cutByAlpha;
  if (decoded.cutByAlpha) PremultiplyPicture(decoded.pixels.view());
  picture.pixels = std::move(decoded.pixels);
  picture.usable = true;
  if (decoded.cutByAlpha) {
    findings->Note(Format("%s is cut by its alpha channel: every pixel with alpha above 0 shows, blended by its "
                          "alpha, so its edge stays soft",
                          what));
  } else {
    findings->Note(Format("%s key colour (its top-left pixel, see-through wherever it appears): %s", what,
                          DescribeColour(picture.key).c_str()));
  }
  if (EveryPixelIs(picture.pixels, picture.key)) {
    findings->Warn(Format("every pixel of the %s is see-through, so none of it shows", what));
  }
  return picture;
}

void CheckFaceSize(const Picture& face, int pictureScale, Findings* findings) {
  const int side = FaceSideAt(pictureScale);
  if (face.width == side && face.height == side) {
    findings->Note(Format("face picture is %d x %d, as it should be", side, side));
    return;
  }
  const bool larger = face.width > side || face.height > side;
  findings->Warn(Format("face picture is %d x %d, not %d x %d: the hands turn around its pixel (%d, %d), not around "
                        "its middle%s",
                        face.width, face.height, side, side, side / 2, side / 2,
                        larger ? Format(", and what lies beyond %d x %d may be cut off at the canvas's edge", side,
                                        side).c_str()
                               : ""));
}

constexpr int kDpis[] = {96, 144, 192};

// The window at 100, 150 and 200 percent for `nSize`, as the clock makes it,
// each held to the picture limits where it would pass them.
std::string WindowsAtScales(const CanvasLayout& layout, int nSize, int pictureScale) {
  std::string sizes;
  for (const int dpi : kDpis) {
    const FigureSize size = SizeFigure(layout.width, layout.height, nSize, dpi, pictureScale);
    sizes += Format("%s%d x %d at %d %%%s", dpi == kDpis[0] ? "" : ", ", size.window.width, size.window.height,
                    dpi * 100 / kBaseDpi, size.held ? " (held to the 16-megapixel limit)" : "");
  }
  return sizes;
}

// The window at 100, 150 and 200 percent for both sizes, and a warning when
// the pictures would be enlarged more than 1.5 times on one of those screens.
void CheckScreenScales(const CanvasLayout& layout, int pictureScale, Findings* findings) {
  for (const int nSize : {IDM_SIZE_NORMAL, IDM_SIZE_SMALL}) {
    findings->Note(Format("%s size on screen: window %s", nSize == IDM_SIZE_SMALL ? "small" : "normal",
                          WindowsAtScales(layout, nSize, pictureScale).c_str()));
    for (const int dpi : kDpis) {
      if (SizeFigure(layout.width, layout.height, nSize, dpi, pictureScale).held) {
        findings->Warn(Format("at %d %% the %s figure would pass the 16-megapixel limit, so the clock shows it a "
                              "little smaller than asked",
                              dpi * 100 / kBaseDpi, nSize == IDM_SIZE_SMALL ? "small" : "normal"));
        break;
      }
    }
  }
  for (const int dpi : kDpis) {
    if (PictureFactor(DisplayScale(IDM_SIZE_NORMAL, dpi), pictureScale) > 1.5) {
      findings->Warn(Format("drawn at %d: soft at %d %%; pictures drawn at 200 stay crisp", pictureScale,
                            dpi * 100 / kBaseDpi));
      break;
    }
  }
}

// The picture as a soft figure takes it: premultiplied pixels as they are, a
// keyed picture copied into `copy` opaque but for its key colour.
ConstPixelView OpaqueCopy(const Picture& picture, PixelBuffer* copy) {
  if (picture.cutByAlpha) return picture.pixels.view();
  *copy = picture.pixels;
  OpaqueFromKey(copy->view(), picture.key);
  return copy->view();
}

const char* SizeWord(int nSize) { return nSize == IDM_SIZE_SMALL ? "small" : "normal"; }

// The canvas, both window sizes and clock centres, and what the outline will
// leave out. False when the clock could not compose the figure.
bool CheckFigure(const Picture& face, const Picture& character, int x, int y, int faceOnChara, int pictureScale,
                 Findings* findings, SheetFigure* sheetFigure) {
  CanvasLayout layout;
  if (!LayOutCanvas(character.width, character.height, x, y, &layout, FaceSideAt(pictureScale))) {
    findings->Fail(Format("the character picture (%d x %d) with the face at (%d, %d) needs a canvas beyond the "
                          "limits of %d pixels a side and %lld pixels (16 megapixels) in all",
                          character.width, character.height, x, y, kMaxPictureSide, kMaxPicturePixels));
    return false;
  }
  findings->Note(Format("canvas %d x %d, face at (%d, %d), character at (%d, %d)", layout.width, layout.height,
                        layout.faceX, layout.faceY, layout.characterX, layout.characterY));

  // A picture cut by alpha makes the whole figure soft: a keyed picture in it
  // is opaque but for its key colour.
  const bool soft = face.cutByAlpha || character.cutByAlpha;
  sheetFigure->soft = soft;
  PixelBuffer opaqueFace;
  PixelBuffer opaqueCharacter;
  FigurePictures pictures{};
  pictures.face = soft ? OpaqueCopy(face, &opaqueFace) : face.pixels.view();
  pictures.character = soft ? OpaqueCopy(character, &opaqueCharacter) : character.pixels.view();
  pictures.xPosFace = x;
  pictures.yPosFace = y;
  pictures.fFaceOnChara = faceOnChara;
  pictures.nPictureScale = pictureScale;
  pictures.faceKey = face.key;
  pictures.characterKey = character.key;
  findings->Note(soft ? "the figure shows with soft edges: per-pixel alpha in a layered window"
                      : "the figure shows with a hard outline: every pixel either shows or is cut away");
  for (const int nSize : {IDM_SIZE_NORMAL, IDM_SIZE_SMALL}) {
    Figure& figure = nSize == IDM_SIZE_SMALL ? sheetFigure->small : sheetFigure->normal;
    const double scale = PictureFactor(ScaleForSize(nSize), pictureScale);
    bool composed = false;
    try {
      composed = soft ? ComposeSoftFigure(pictures, scale, &figure) : ComposeFigure(pictures, scale, &figure);
    } catch (const std::bad_alloc&) {
      composed = false;
    }
    if (!composed) {
      findings->Fail(Format("the figure cannot be composed at the %s size (not enough memory?)", SizeWord(nSize)));
      return false;
    }
    findings->Note(Format("%s size: window %d x %d, clock centre at (%d, %d)", SizeWord(nSize),
                          figure.picture.width(), figure.picture.height(), figure.xClockCenter, figure.yClockCenter));
  }
  CheckScreenScales(layout, pictureScale, findings);
  findings->Sum(Format("%s, drawn at %d %%; window %s", soft ? "soft edges" : "hard outline", pictureScale,
                       WindowsAtScales(layout, IDM_SIZE_NORMAL, pictureScale).c_str()));

  const ConstPixelView normal = sheetFigure->normal.picture.view();
  if ((soft ? FindAlphaRuns(normal) : FindShapeRuns(normal)).empty()) {
    findings->Fail("every pixel of the figure is see-through, so the clock would show nothing");
    return false;
  }
  if (soft) return true;  // the outline is the figure's alpha: no key colour cuts it
  // The outline leaves out the colour of the window's top-left pixel, which
  // is the canvas's background: magenta, or, when a figure pixel is magenta,
  // a colour no figure pixel has, so that the magenta pixels show.
  const Pixel canvasCorner = sheetFigure->normal.picture.view().At(0, 0);
  if (canvasCorner == kCanvasMagenta) {
    findings->Note("the outline is the pictures' own: every see-through pixel of either picture is cut away");
  } else {
    findings->Note(Format("a figure pixel is magenta (red 255, green 0, blue 255), the colour the clock composes "
                          "the figure on, so it composes it on %s instead, a colour no figure pixel has: the "
                          "magenta pixels show",
                          DescribeColour(canvasCorner).c_str()));
  }
  return true;
}

// Whether a shown pixel of `pose` at (x, y) lies over a shown pixel of `character`.
bool CoversFigure(const Picture& pose, const Picture& character, int x, int y) {
  for (int py = std::max(0, -y); py < pose.height && py + y < character.height; ++py) {
    for (int px = std::max(0, -x); px < pose.width && px + x < character.width; ++px) {
      if (pose.pixels.view().At(px, py) != pose.key &&
          character.pixels.view().At(px + x, py + y) != character.key) {
        return true;
      }
    }
  }
  return false;
}

// The character's poses: each one's size and offset, and why one the clock
// leaves out is absent. Never a problem: the figure loads without its poses.
void CheckPoses(const char* ini, const char* section, const Picture& character, Findings* findings) {
  for (int i = 0; i < kPoseCount; ++i) {
    const char* pose = kPoseKeyNames[i];
    std::string fileName;
    if (!ReadRawKey(ini, section, ("FileName" + std::string(pose)).c_str(), &fileName) || fileName.empty()) {
      findings->Note(Format("no %s pose%s", pose, i == kPoseSleep ? ": asleep, it shows the Blink pose" : ""));
      continue;
    }
    int x = 0, y = 0;
    ReadSettingInt(ini, section, ("xPos" + std::string(pose)).c_str(), &x, 0);
    ReadSettingInt(ini, section, ("yPos" + std::string(pose)).c_str(), &y, 0);
    DecodedPicture decoded;
    PictureFault fault = PictureFault::kNone;
    try {
      fault = LoadPictureFile(fileName.c_str(), &decoded);
    } catch (const std::bad_alloc&) {
      fault = PictureFault::kOutOfMemory;
    }
    if (fault != PictureFault::kNone) {
      findings->Warn(Format("%s pose \"%s\" is absent: %s", pose, fileName.c_str(),
                            fault == PictureFault::kMissing ? "not found"
                                                            : DescribePictureFault(fault, decoded.header).c_str()));
      continue;
    }
    Picture picture;
    picture.width = decoded.pixels.width();
    picture.height = decoded.pixels.height();
    picture.key = decoded.cutByAlpha ? 0 : KeyPicture(decoded.pixels.view());
    if (decoded.cutByAlpha) PremultiplyPicture(decoded.pixels.view());
    picture.pixels = std::move(decoded.pixels);
    const PoseFit fit = FitPose(character.width, character.height, x, y, picture.width, picture.height);
    if (fit == PoseFit::kOutside) {
      findings->Warn(Format("%s pose \"%s\" (%d x %d at (%d, %d)) is absent: it lies wholly outside the character "
                            "picture (%d x %d)",
                            pose, fileName.c_str(), picture.width, picture.height, x, y, character.width,
                            character.height));
      continue;
    }
    findings->Note(Format("%s pose \"%s\": %d x %d at (%d, %d)", pose, fileName.c_str(), picture.width,
                          picture.height, x, y));
    if (fit == PoseFit::kPartlyOutside) {
      findings->Warn(Format("%s pose lies partly outside the character picture; what lies outside is cut off", pose));
    }
    if (!CoversFigure(picture, character, x, y)) {
      findings->Warn(Format("%s pose covers no pixel of the figure, so it never shows", pose));
    }
  }
}

// Every finding about one character; fills `sheetFigure` when it loads.
bool CheckCharacter(const char* ini, const IniText& text, const char* name, bool verbose, std::ostream& out,
                    SheetFigure* sheetFigure) {
  Findings findings(name);
  if (CheckSection(ini, text, name, &findings)) {
    const std::string faceName = CheckFileNameKey(ini, name, "FileNameFace", "face picture", &findings);
    const std::string characterName = CheckFileNameKey(ini, name, "FileNameChara", "character picture", &findings);
    const int x = CheckNumberKey(ini, name, "xPosFace", &findings);
    const int y = CheckNumberKey(ini, name, "yPosFace", &findings);
    const int faceOnChara = CheckNumberKey(ini, name, "fFaceOnChara", &findings);
    findings.Note(faceOnChara != 0 ? "the face is drawn over the character" : "the character is drawn over the face");
    int pictureScale = kPictureScaleDefault;
    const bool scaleLoads = CheckPictureScaleKey(ini, name, &pictureScale, &findings);

    const Picture face = CheckPicture(faceName, "face picture", &findings);
    if (face.usable) CheckFaceSize(face, pictureScale, &findings);
    const Picture character = CheckPicture(characterName, "character picture", &findings);
    if (face.usable && character.usable && scaleLoads) {
      sheetFigure->name = name;
      CheckFigure(face, character, x, y, faceOnChara, pictureScale, &findings, sheetFigure);
    }
    if (character.usable) CheckPoses(ini, name, character, &findings);
  }
  findings.Write(out, verbose);
  return findings.loads();
}

// Sections the clock never reads: neither its own nor one of its characters'.
// The profile calls match names whatever their case.
void TellIgnoredSections(const IniText& text, std::ostream& out) {
  std::string characters;
  for (const CharacterEntry& entry : CharacterTable) characters += std::string(characters.empty() ? "" : ", ") + entry.name;
  for (const auto& [name, lines] : text.sectionLines) {
    bool known = name == "general" || name == "alarm";
    for (int n = 2; n <= kMaxAlarms; ++n) known = known || name == "alarm" + std::to_string(n);
    for (const CharacterEntry& entry : CharacterTable) known = known || name == Lower(entry.name);
    if (known) continue;
    out << "kitcheck: section [" << text.sectionNames.at(name) << "] (line " << LineList(lines)
        << ") is ignored: the clock reads [GENERAL], [ALARM] to [ALARM" << kMaxAlarms
        << "] and one section for each of its characters, "
        << characters << '\n';
  }
}

}  // namespace

int RunKitCheck(const char* iniPath, const char* sheetPath, bool verbose, std::ostream& out) {
  const std::string ini = FullPath(iniPath);
  std::string bytes;
  const PictureFault read = ReadRegularFile(ini.c_str(), kMaxIniBytes, &bytes);
  if (read == PictureFault::kNotRegularFile) {
    // The profile calls would wait on a device just as a read would.
    out << "kitcheck: " << iniPath << " is not a regular file (a device, a folder or a pipe)\n";
    return 1;
  }
  if (read == PictureFault::kMissing) {
    out << "kitcheck: " << ini << " not found\n";
    return 1;
  }
  {
    out << "kitcheck: checking " << ini << "; pictures with relative names are looked for in " << FolderOf(ini)
        << '\n';
  }
  const IniText text = ReadIniText(bytes);
  if (text.unreadable) {
    out << "kitcheck: warning: " << ini << " holds NUL bytes without a UTF-16 byte-order mark (UTF-16 text saved "
        << "without one, or not text at all); the clock reads no section from it and never writes its settings "
        << "into it. Save it in the ANSI code page (Shift-JIS on Japanese Windows)\n";
  }
  for (const char* own : {"GENERAL", "ALARM"}) {
    const auto lines = text.sectionLines.find(Lower(own));
    if (lines != text.sectionLines.end() && lines->second.size() > 1) {
      out << "kitcheck: warning: section [" << own << "] appears " << lines->second.size() << " times (lines "
          << LineList(lines->second) << "); the clock reads the first and ignores the rest\n";
    }
  }

  std::vector<SheetFigure> figures;
  int loaded = 0;
  {
    const CurrentDirectoryScope folder(FolderOf(ini));
    const ScopedPictureReader reader;
    for (const CharacterEntry& entry : CharacterTable) {
      SheetFigure figure;
      if (CheckCharacter(ini.c_str(), text, entry.name, verbose, out, &figure)) {
        ++loaded;
        figures.push_back(std::move(figure));
      }
    }
  }
  TellIgnoredSections(text, out);
  out << "kitcheck: " << loaded << " of " << kCharacterCount << " characters load";
  if (loaded < kCharacterCount) {
    out << "; when one that does not load is chosen, the clock keeps the figure it shows (none, when it starts "
           "with that one)";
  }
  out << '\n';
  if (!verbose) out << "kitcheck: --verbose tells every finding\n";
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
