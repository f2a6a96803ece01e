// The whole demo kit: pictures, sounds and the character sections of
// Tavelin.ini, as files in memory.
#ifndef TAVELIN_DEMOKIT_KIT_H
#define TAVELIN_DEMOKIT_KIT_H

#include <string>
#include <vector>

#include "bytes.h"
#include "characters.h"
#include "picture.h"

namespace demokit {

struct KitFile {
  std::string name;
  Bytes bytes;
};

// How a kit's pictures are stored: soft-edged PNGs with alpha (the kit the
// clock ships with), or the same drawings cut at half coverage into BMPs with
// a key colour, for the clock's keyed figures.
enum class KitForm { kSoft, kKeyed };

// A picture's file name in a kit of that form.
std::string KitFileName(const char* stem, KitForm form);

// The scale the clock ships the demo kit's soft pictures at, in percent:
// drawn for a screen of 192 DPI, reduced crisp at every lower one. The keyed
// copies stay at 100.
constexpr int kSoftKitScale = 200;

// The drawn pictures, characters and faces in the order of Characters() and
// FaceVariants(), at `scale` percent (100 or a multiple of it): the same
// drawings, `scale` / 100 times as many pixels each way.
// A character's pose: the picture drawn over the character where the posed
// drawing differs from it (transparent elsewhere), and its place in the
// character picture's pixels.
struct PoseDrawing {
  Image image{1, 1, Rgb{}};
  int x = 0;
  int y = 0;
};

// The poses every demo character has, in the order of the clock's pose keys.
inline constexpr int kPoseCount = 4;
extern const char* const kPoseNames[kPoseCount];  // Blink, Sleep, Joy, Talk

struct KitDrawings {
  std::vector<Image> characters;
  std::vector<std::vector<PoseDrawing>> poses;  // per character, kPoseCount
  std::vector<Image> faces;
  int scale = 100;
};
KitDrawings DrawKit(int scale = 100);

// Every file of a kit of that form, Tavelin.ini last.
std::vector<KitFile> PackKit(const KitDrawings& drawings, KitForm form);

// The twelve character sections for pictures drawn at `scale` percent (the
// face's offsets in those pictures' pixels, and nPictureScale above 100),
// CRLF line ends.
// With `drawings`, each section names the character's poses too.
std::string CharacterSections(KitForm form, int scale = 100, const KitDrawings* drawings = nullptr);

// The part of `posed` that differs from `rest` (pictures of one size), and
// where it lies.
PoseDrawing PosePart(const Image& rest, const Image& posed);

// The figure of character i as the clock composes a soft one at normal size:
// a transparent canvas large enough for the character and a 150 x 150 face at
// (xPosFace, yPosFace) from it, the face over the character when fFaceOnChara
// is set, else under it.
// For pictures drawn at a larger scale, `faceSide` is the face's side in them.
Image ComposeFigure(const Image& chara, const Image& face, int xPosFace, int yPosFace, bool faceOnChara,
                    int faceSide = kFaceSize);

// All twelve figures with hands at 10:08:30, each composed as the clock
// composes a soft figure, laid over a backdrop in a grid.
Image PreviewSheet(const KitDrawings& drawings);

}  // namespace demokit

#endif
