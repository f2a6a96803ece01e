// The figure's poses: pictures drawn over the character (eyes closed, asleep,
// joy, mouth open), each made once per load into a frame of the window's
// picture, of which only the rectangle where it differs from the rest figure
// is kept.
#ifndef TAVELIN_MASCOT_POSE_FRAMES_H
#define TAVELIN_MASCOT_POSE_FRAMES_H

#include "mascot/figure_geometry.h"
#include "pictures/pixel_buffer.h"

// What the frames are made from, kept from the rest figure's composition:
// the unscaled canvas and the pictures as the figure's kind took them (keyed
// by their keys, or premultiplied for a soft figure).
struct PoseSource {
  PixelBuffer canvas;
  Pixel canvasKey = 0;  // a keyed figure's key; unused for a soft one
  CanvasLayout layout{};
  ConstPixelView face;
  ConstPixelView character;
  Pixel faceKey = 0;
  Pixel characterKey = 0;
  int fFaceOnChara = 0;
  bool soft = false;
  int windowWidth = 0;  // the rest figure's picture
  int windowHeight = 0;
};

// A pose picture, taken as its figure's kind takes pictures, and where its
// top-left corner lies in the character picture's own pixels.
struct PosePicture {
  ConstPixelView picture;
  int x = 0;
  int y = 0;
  Pixel key = 0;  // a keyed figure's pose: its transparent colour
};

// How a pose lies over its character.
enum class PoseFit {
  kInside,          // wholly over the character picture
  kPartlyOutside,   // partly beyond its edges: cut there
  kOutside,         // wholly beyond them: the pose is absent
};
PoseFit FitPose(int characterWidth, int characterHeight, int x, int y, int width, int height);

// One pose's frame: the pixels of the window's picture from (left, top) on
// that differ from the rest figure's. Empty when none differs.
struct PoseFrame {
  int left = 0;
  int top = 0;
  PixelBuffer pixels;
  bool empty() const { return pixels.empty(); }
};

// The poses a character's section may name, in the order of kPoseKeyNames:
// FileName<name>, xPos<name> and yPos<name> are its keys.
enum PoseIndex { kPoseBlink, kPoseSleep, kPoseJoy, kPoseTalk, kPoseCount };
inline constexpr const char* kPoseKeyNames[kPoseCount] = {"Blink", "Sleep", "Joy", "Talk"};

// The frames of one load; an absent pose has an empty frame.
struct PoseFrameSet {
  PoseFrame frame[kPoseCount];
};

// Makes the frame of `pose` for the figure `rest` (the window's picture made
// from `source`): the figure composed with the pose, drawn only where the
// character shows and under the face where the face lies over it, scaled as
// the rest figure was, in the window's pixels that the pose can reach through
// the scaling filter. The canvas is changed meanwhile and given back as it
// was. False when the pose lies wholly outside the character or memory is
// short; an empty frame when the pose covers no figure pixel.
bool MakePoseFrame(PoseSource* source, const PosePicture& pose, ConstPixelView rest, PoseFrame* frame);

// Along one axis of a scaling from `sourceLength` to `targetLength` (the
// figure's reduction, copy or enlargement), the target pixels [*first, *last)
// that read any of the source pixels [from, to).
void ScaledReach(int sourceLength, int targetLength, int from, int to, int* first, int* last);

#endif
