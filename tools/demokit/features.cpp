#include "features.h"

namespace demokit {

namespace {
constexpr Rgb kMouthInside{150, 46, 60};
constexpr Rgb kTongue{240, 120, 132};
}  // namespace

bool ShutEye(Picture& p, Pose pose, double cx, double cy, double w) {
  switch (pose) {
    case Pose::kBlink:
      Fill(p, Curve(p, {cx - w, cy}, {cx, cy + w * 0.35}, {cx + w, cy}, 1.4), kInk);
      return true;
    case Pose::kSleep:
      Fill(p, Curve(p, {cx - w, cy - w * 0.1}, {cx, cy + w * 1.1}, {cx + w, cy - w * 0.1}, 1.7), kInk);
      return true;
    case Pose::kJoy:
      Fill(p, Curve(p, {cx - w, cy + w * 0.3}, {cx, cy - w * 0.9}, {cx + w, cy + w * 0.3}, 1.6), kInk);
      return true;
    default:
      return false;
  }
}

void Mouth(Picture& p, Pose pose, double cx, double cy, double w) {
  if (pose == Pose::kTalk) {
    Paint(p, Ellipse(p, cx, cy + w * 0.3, w * 0.75, w * 0.6), {.fill = kMouthInside, .outline = 1, .gradient = 0.0});
    Fill(p, Ellipse(p, cx, cy + w * 0.62, w * 0.45, w * 0.25), kTongue);
  } else if (pose == Pose::kJoy) {
    Fill(p, Curve(p, {cx - w, cy}, {cx, cy + w * 1.2}, {cx + w, cy}, 1.3), kInk);
  }
}

void Mouth(Picture& p, double cx, double cy, double w) {
  PerPose(p, [&](Pose pose) { Mouth(p, pose, cx, cy, w); });
}

void Eye(Picture& p, double cx, double cy, double r, const Rgb* lid) {
  PerPose(p, [&](Pose pose) {
    if (lid != nullptr && pose != Pose::kRest && pose != Pose::kTalk) {
      Paint(p, Ellipse(p, cx, cy, r * 0.85, r), {.fill = *lid, .outline = 2});
      ShutEye(p, pose, cx, cy, r * 0.6);
      return;
    }
    if (ShutEye(p, pose, cx, cy, r)) return;
    Paint(p, Ellipse(p, cx, cy, r * 0.85, r), {.fill = kWhite, .outline = 2, .gradient = 0.0});
    Fill(p, Ellipse(p, cx + r * 0.08, cy + r * 0.18, r * 0.5, r * 0.62), kInk);
    Fill(p, Circle(p, cx - r * 0.12, cy - r * 0.08, r * 0.22), kWhite);
  });
}

void BeadEye(Picture& p, double cx, double cy, double r) {
  PerPose(p, [&](Pose pose) {
    if (ShutEye(p, pose, cx, cy, r * 1.1)) return;
    Fill(p, Ellipse(p, cx, cy, r * 0.85, r), kInk);
    Fill(p, Circle(p, cx - r * 0.25, cy - r * 0.35, r * 0.32), kWhite);
  });
}

void SleepyEye(Picture& p, double cx, double cy, double w) {
  PerPose(p, [&](Pose pose) {
    if (pose == Pose::kSleep) {
      Fill(p, Curve(p, {cx - w * 1.15, cy - 1}, {cx, cy + w * 1.4}, {cx + w * 1.15, cy - 1}, 2.1), kInk);
    } else if (pose == Pose::kRest || pose == Pose::kTalk || !ShutEye(p, pose, cx, cy, w)) {
      Fill(p, Curve(p, {cx - w, cy}, {cx, cy + w * 1.1}, {cx + w, cy}, 1.5), kInk);
    }
  });
}

void Smile(Picture& p, double cx, double cy, double w, double depth, double thick) {
  PerPose(p, [&](Pose pose) {
    if (pose == Pose::kTalk) {
      Mouth(p, pose, cx, cy + depth * 0.5, w);
    } else if (pose == Pose::kJoy) {
      Fill(p, Curve(p, {cx - w * 1.2, cy - 1}, {cx, cy + 3.2 * depth}, {cx + w * 1.2, cy - 1}, thick * 1.2), kInk);
    } else {
      Fill(p, Curve(p, {cx - w, cy}, {cx, cy + 2 * depth}, {cx + w, cy}, thick), kInk);
    }
  });
}

void Blush(Picture& p, double cx, double cy, double rx) {
  Fill(p, Ellipse(p, cx, cy, rx, rx * 0.6), kBlush);
}

}  // namespace demokit
