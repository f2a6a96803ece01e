// Small parts every character face is made of.
#ifndef TAVELIN_DEMOKIT_FEATURES_H
#define TAVELIN_DEMOKIT_FEATURES_H

#include "picture.h"

namespace demokit {

constexpr Rgb kBlush{246, 150, 160};

// The poses a character is drawn in, one layer of its picture each (the
// rest first): its features follow them (eyes closed for a blink, asleep,
// happy arches for joy, the mouth open to talk).
enum class Pose { kRest, kBlink, kSleep, kJoy, kTalk };
constexpr int kPoseLayers = 5;

// Calls draw(pose) once for each pose the picture has layers for, drawing on
// that pose's layer only; a picture of one layer is drawn at rest.
template <typename Draw>
void PerPose(Picture& p, Draw draw) {
  if (p.layers() < kPoseLayers) {
    draw(Pose::kRest);
    return;
  }
  for (int layer = 0; layer < kPoseLayers; ++layer) {
    p.DrawOnly(layer);
    draw(static_cast<Pose>(layer));
  }
  p.DrawAll();
}

// An eye shut as `pose` has it: a closed line, an asleep arch or a happy one;
// false, drawing nothing, when the eye is open in that pose.
bool ShutEye(Picture& p, Pose pose, double cx, double cy, double w);
// A mouth that only the talk and joy poses show: open, or a small smile.
void Mouth(Picture& p, double cx, double cy, double w);
void Mouth(Picture& p, Pose pose, double cx, double cy, double w);

// A white eye with a dark pupil and a sparkle. An eye that stands out on its
// own (on a stalk) gets a lid of the colour `lid` to close it on.
void Eye(Picture& p, double cx, double cy, double r, const Rgb* lid = nullptr);
// A shiny dark bead of an eye.
void BeadEye(Picture& p, double cx, double cy, double r);
// A closed, contented eye: a downward arch.
void SleepyEye(Picture& p, double cx, double cy, double w);
// A smiling mouth: a curve w to each side of (cx, cy), sagging by depth.
void Smile(Picture& p, double cx, double cy, double w, double depth, double thick = 1.4);
// A pink cheek.
void Blush(Picture& p, double cx, double cy, double rx);

}  // namespace demokit

#endif
