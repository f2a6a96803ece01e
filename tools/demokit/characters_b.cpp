// Gavoni to Lunavi.
#include "characters.h"
#include "features.h"
#include "trig.h"

namespace demokit {

// A little elephant balancing the clock on the tip of its trunk.
Picture DrawGavoni(int scale) {
  Picture p(250, 200, Rgb{0, 255, 0}, scale);
  const Rgb hide{152, 178, 216}, pinkEar{242, 172, 192}, nail{250, 244, 228};
  Paint(p, Curve(p, {30, 128}, {12, 132}, {14, 150}, 2.5), {.fill = hide, .outline = 2});
  Paint(p, Circle(p, 14, 154, 5), {.fill = Rgb{90, 100, 130}, .outline = 2});
  const Rgb farLeg = Scale(hide, 0.86);
  for (double x : {46.0, 120.0}) Paint(p, RoundRect(p, x, 156, 28, 38, 10), {.fill = farLeg, .outline = 2, .shadow = 3});
  Paint(p, Ellipse(p, 95, 138, 70, 48), {.fill = hide, .outline = 3, .shadow = 8, .light = 4});
  for (double x : {66.0, 138.0}) {
    Paint(p, RoundRect(p, x, 160, 30, 36, 10), {.fill = hide, .outline = 2, .shadow = 4});
    for (double dx : {8.0, 22.0}) Fill(p, Ellipse(p, x + dx, 190, 4, 3), nail);
  }
  Paint(p, Circle(p, 160, 112, 44), {.fill = hide, .outline = 3, .shadow = 6, .light = 4});
  const Mask trunk = TaperedCurve(p, {186, 132}, {244, 148}, {224, 66}, 14, 8);
  Paint(p, trunk, {.fill = hide, .outline = 3, .shadow = 4, .light = 2});
  for (double y : {96.0, 108.0, 120.0})
    Fill(p, Capsule(p, {220, y}, {232, y + 2}, 0.8), Scale(hide, 0.7));
  Paint(p, Ellipse(p, 126, 108, 30, 38), {.fill = hide, .outline = 3, .shadow = 4, .light = 3});
  Fill(p, Ellipse(p, 128, 111, 19, 26), pinkEar);
  BeadEye(p, 176, 98, 5.5);
  Blush(p, 184, 122, 7);
  Smile(p, 170, 138, 6, 2.5);
  return p;
}

// A frog on a lily pad, sitting in front of the clock.
Picture DrawHesket(int scale) {
  Picture p(210, 170, Rgb{0, 255, 255}, scale);
  const Rgb green{120, 198, 86}, belly{238, 240, 176}, pad{62, 146, 96};
  Paint(p, Ellipse(p, 105, 157, 98, 8), {.fill = pad, .outline = 2, .shadow = 2});
  for (double dx : {-1.0, 1.0}) {
    Paint(p, Ellipse(p, 105 + dx * 74, 150, 20, 6), {.fill = green, .outline = 2, .shadow = 2});
    Paint(p, Ellipse(p, 105 + dx * 58, 130, 28, 22), {.fill = green, .outline = 3, .shadow = 5, .light = 3});
  }
  Paint(p, Ellipse(p, 105, 116, 56, 38), {.fill = green, .outline = 3, .shadow = 6});
  Paint(p, Ellipse(p, 105, 126, 34, 24), {.fill = belly, .outline = 0, .shadow = 4});
  for (double dx : {-1.0, 1.0}) {
    Paint(p, Capsule(p, {105 + dx * 30, 118}, {105 + dx * 26, 144}, 7), {.fill = green, .outline = 2, .shadow = 2});
    Paint(p, Ellipse(p, 105 + dx * 24, 148, 11, 5), {.fill = green, .outline = 2});
  }
  const Mask head = Ellipse(p, 105, 74, 72, 38) | Circle(p, 66, 42, 21) | Circle(p, 144, 42, 21);
  Paint(p, head, {.fill = green, .outline = 3, .shadow = 6, .light = 3});
  Eye(p, 66, 40, 12);
  Eye(p, 144, 40, 12);
  Fill(p, Circle(p, 98, 64, 1.8), kInk);
  Fill(p, Circle(p, 112, 64, 1.8), kInk);
  Fill(p, Curve(p, {68, 80}, {105, 102}, {142, 80}, 1.8), kInk);
  Mouth(p, 105, 90, 9);
  Blush(p, 58, 80, 8);
  Blush(p, 152, 80, 8);
  return p;
}

// A purple octopus peeking over the clock it hugs.
Picture DrawIlvora(int scale) {
  Picture p(320, 320, Rgb{0, 255, 0}, scale);
  const Rgb violet{178, 118, 208}, spot{214, 170, 236};
  const Style arm{.fill = violet, .outline = 3, .shadow = 4, .light = 2};
  struct Tentacle {
    Point a, c, b;
  };
  const Tentacle left[] = {
      {{104, 160}, {40, 150}, {18, 206}},
      {{104, 204}, {30, 236}, {40, 280}},
      {{136, 262}, {110, 312}, {74, 300}},
  };
  for (const Tentacle& t : left) {
    const Mask m = TaperedCurve(p, t.a, t.c, t.b, 15, 6);
    Paint(p, m, arm);
    Paint(p, Mirror(m, 160), arm);
  }
  for (const Point s : {Point{28, 196}, Point{38, 170}, Point{34, 262}, Point{46, 246}, Point{96, 298}}) {
    Fill(p, Circle(p, s.x, s.y, 3), spot);
    Fill(p, Circle(p, 320 - s.x, s.y, 3), spot);
  }
  Paint(p, Ellipse(p, 160, 102, 90, 84), {.fill = violet, .outline = 3, .shadow = 9, .light = 5});
  for (const Point s : {Point{106, 56}, Point{126, 36}, Point{210, 46}, Point{226, 74}})
    Fill(p, Circle(p, s.x, s.y, s.x < 120 || s.x > 220 ? 7 : 5), spot);
  Eye(p, 128, 96, 15);
  Eye(p, 192, 96, 15);
  Smile(p, 160, 120, 10, 4, 1.8);
  Blush(p, 104, 120, 10);
  Blush(p, 216, 120, 10);
  return p;
}

// A white rabbit standing behind the clock, ears up.
Picture DrawJemsut(int scale) {
  Picture p(190, 392, Rgb{0, 255, 0}, scale);
  const Rgb fur{246, 244, 250}, pink{244, 168, 186};
  Paint(p, Oval(p, 68, 64, 16, 54, -0.04), {.fill = fur, .outline = 3, .shadow = 4, .light = 2});
  Paint(p, Oval(p, 124, 64, 16, 54, 0.05), {.fill = fur, .outline = 3, .shadow = 4, .light = 2});
  Fill(p, Oval(p, 68, 68, 8, 40, -0.04), pink);
  Fill(p, Oval(p, 124, 68, 8, 40, 0.05), pink);
  Paint(p, Ellipse(p, 95, 300, 66, 72), {.fill = fur, .outline = 3, .shadow = 8});
  Paint(p, Ellipse(p, 95, 342, 34, 22), {.fill = Rgb{252, 226, 232}, .outline = 0, .shadow = 3});
  Paint(p, Ellipse(p, 62, 372, 26, 12), {.fill = fur, .outline = 3, .shadow = 4});
  Paint(p, Ellipse(p, 128, 372, 26, 12), {.fill = fur, .outline = 3, .shadow = 4});
  for (double x : {62.0, 128.0}) Fill(p, Ellipse(p, x, 374, 9, 5), pink);
  Paint(p, Ellipse(p, 95, 140, 54, 46), {.fill = fur, .outline = 3, .shadow = 6, .light = 3});
  BeadEye(p, 74, 130, 8);
  BeadEye(p, 116, 130, 8);
  Paint(p, Ellipse(p, 95, 148, 6, 4.5), {.fill = pink, .outline = 1});
  Fill(p, Capsule(p, {95, 152}, {95, 157}, 0.9), kInk);
  Smile(p, 95, 157, 7, 2, 1.1);
  for (double dy : {-3.0, 3.0}) {
    Fill(p, Capsule(p, {80, 152 + dy / 2}, {54, 149 + dy * 2}, 0.75), kInk);
    Fill(p, Capsule(p, {110, 152 + dy / 2}, {136, 149 + dy * 2}, 0.75), kInk);
  }
  Blush(p, 62, 152, 8);
  Blush(p, 128, 152, 8);
  Paint(p, Ellipse(p, 36, 186, 12, 10), {.fill = fur, .outline = 3, .shadow = 3});
  Paint(p, Ellipse(p, 154, 186, 12, 10), {.fill = fur, .outline = 3, .shadow = 3});
  return p;
}

// A snowman whose head is the clock, with a top hat and a red scarf.
Picture DrawKaltra(int scale) {
  Picture p(200, 360, Rgb{0, 255, 0}, scale);
  const Rgb snow{236, 244, 252}, wood{124, 82, 52}, scarf{222, 62, 66}, hat{56, 54, 76};
  for (double dx : {-1.0, 1.0}) {
    Paint(p, Capsule(p, {100 + dx * 62, 262}, {100 + dx * 90, 220}, 3), {.fill = wood, .outline = 2});
    Paint(p, Capsule(p, {100 + dx * 82, 232}, {100 + dx * 90, 242}, 2.5), {.fill = wood, .outline = 2});
    Paint(p, Capsule(p, {100 + dx * 84, 228}, {100 + dx * 78, 212}, 2.5), {.fill = wood, .outline = 2});
  }
  Paint(p, Ellipse(p, 100, 282, 78, 72), {.fill = snow, .outline = 3, .shadow = 10, .light = 4});
  for (double y : {244.0, 270.0, 296.0}) Paint(p, Circle(p, 100, y, 5), {.fill = hat, .outline = 1, .light = 2});

  // Talking, the stripes of the scarf's end flutter; its cheeks pale as it blinks or
  // sleeps and glow when it is glad.
  const Mask tail = Polygon(p, {{116, 196}, {140, 196}, {150, 252}, {126, 256}});
  Paint(p, tail, {.fill = scarf, .outline = 2, .shadow = 4});
  PerPose(p, [&](Pose pose) {
    const double flutter = pose == Pose::kTalk ? 5.0 : 0.0;
    Fill(p, tail & Rect(p, 0, 216 + flutter, 200, 6), kWhite);
    Fill(p, tail & Rect(p, 0, 234 + flutter, 200, 6), kWhite);
  });
  const Mask wrap = RoundRect(p, 40, 186, 120, 22, 10);
  Paint(p, wrap, {.fill = scarf, .outline = 2, .shadow = 4, .light = 2});
  for (double x : {64.0, 88.0, 112.0, 136.0}) Fill(p, wrap & Rect(p, x, 0, 6, 400), kWhite);

  const Mask crown = Polygon(p, {{64, 8}, {132, 4}, {138, 42}, {62, 44}});
  Paint(p, crown, {.fill = hat, .outline = 3, .shadow = 5, .light = 3});
  Fill(p, crown & Polygon(p, {{50, 28}, {150, 26}, {150, 36}, {50, 38}}), scarf);
  Paint(p, RoundRect(p, 38, 38, 124, 13, 6), {.fill = hat, .outline = 3, .shadow = 3, .light = 2});
  PerPose(p, [&](Pose pose) {
    const bool eyesShut = pose == Pose::kBlink || pose == Pose::kSleep;
    const Rgb cheek = eyesShut ? Mix(kBlush, kWhite, pose == Pose::kSleep ? 0.65 : 0.4)
                               : pose == Pose::kJoy ? Scale(kBlush, 0.86) : kBlush;
    for (double x : {73.0, 127.0}) Fill(p, Ellipse(p, x, 143, 8, 4.8), cheek);
    if (pose == Pose::kJoy) Paint(p, Star(p, 120, 31, 6, 2.6), {.fill = Rgb{255, 222, 96}, .outline = 1});
  });
  return p;
}

// A sleepy crescent moon in a nightcap, the clock in its arms.
Picture DrawLunavi(int scale) {
  Picture p(210, 270, Rgb{0, 255, 0}, scale);
  const Rgb moon{252, 228, 120}, cap{86, 112, 206};
  for (const Point s : {Point{20, 24}, Point{148, 18}, Point{28, 250}}) {
    Paint(p, Star(p, s.x, s.y, 12, 5.5), {.fill = moon, .outline = 2, .shadow = 2});
  }
  const Mask crescent = Circle(p, 105, 140, 98) - Circle(p, 160, 124, 86);
  Paint(p, crescent, {.fill = moon, .outline = 3, .shadow = 8, .light = 4});
  Paint(p, Polygon(p, {{36, 88}, {50, 56}, {88, 30}, {128, 28}, {148, 46}, {104, 60}}),
        {.fill = cap, .outline = 3, .shadow = 5, .light = 3});
  Paint(p, Capsule(p, {36, 88}, {104, 60}, 7), {.fill = kWhite, .outline = 2, .shadow = 3});
  Paint(p, Circle(p, 150, 48, 10), {.fill = kWhite, .outline = 2, .shadow = 3});
  SleepyEye(p, 40, 124, 9);
  Blush(p, 34, 146, 8);
  Smile(p, 52, 160, 7, 3, 1.5);
  return p;
}

}  // namespace demokit
