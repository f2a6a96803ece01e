// Small parts every character face is made of.
#ifndef TAVELIN_DEMOKIT_FEATURES_H
#define TAVELIN_DEMOKIT_FEATURES_H

#include "picture.h"

namespace demokit {

constexpr Rgb kBlush{246, 150, 160};

// A white eye with a dark pupil and a sparkle.
void Eye(Picture& p, double cx, double cy, double r);
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
