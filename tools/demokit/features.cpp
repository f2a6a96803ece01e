#include "features.h"

namespace demokit {

void Eye(Picture& p, double cx, double cy, double r) {
  Paint(p, Ellipse(p, cx, cy, r * 0.85, r), {.fill = kWhite, .outline = 2, .gradient = 0.0});
  Fill(p, Ellipse(p, cx + r * 0.08, cy + r * 0.18, r * 0.5, r * 0.62), kInk);
  Fill(p, Circle(p, cx - r * 0.12, cy - r * 0.08, r * 0.22), kWhite);
}

void BeadEye(Picture& p, double cx, double cy, double r) {
  Fill(p, Ellipse(p, cx, cy, r * 0.85, r), kInk);
  Fill(p, Circle(p, cx - r * 0.25, cy - r * 0.35, r * 0.32), kWhite);
}

void SleepyEye(Picture& p, double cx, double cy, double w) {
  Fill(p, Curve(p, {cx - w, cy}, {cx, cy + w * 1.1}, {cx + w, cy}, 1.5), kInk);
}

void Smile(Picture& p, double cx, double cy, double w, double depth, double thick) {
  Fill(p, Curve(p, {cx - w, cy}, {cx, cy + 2 * depth}, {cx + w, cy}, thick), kInk);
}

void Blush(Picture& p, double cx, double cy, double rx) {
  Fill(p, Ellipse(p, cx, cy, rx, rx * 0.6), kBlush);
}

}  // namespace demokit
