// Aduvi to Fornel.
#include "characters.h"
#include "features.h"
#include "trig.h"

namespace demokit {

// A ginger fox sitting up, holding the clock out to its right side.
Picture DrawAduvi(int scale) {
  Picture p(200, 260, Rgb{0, 255, 0}, scale);
  const Rgb orange{236, 132, 52}, cream{252, 238, 212}, sock{96, 58, 46};
  const Mask tail = Oval(p, 158, 188, 24, 54, 0.035);
  Paint(p, tail, {.fill = orange, .outline = 3, .shadow = 6, .light = 3});
  Paint(p, tail & LeftOf(p, {120, 168}, {200, 156}), {.fill = cream, .outline = 0, .light = 3});
  Paint(p, Ellipse(p, 92, 247, 17, 8), {.fill = sock, .outline = 2});
  Paint(p, Ellipse(p, 134, 247, 17, 8), {.fill = sock, .outline = 2});
  Paint(p, Ellipse(p, 113, 194, 46, 57), {.fill = orange, .outline = 3, .shadow = 7, .light = 3});
  Paint(p, Ellipse(p, 110, 212, 27, 35), {.fill = cream, .outline = 0, .shadow = 4});

  for (bool right : {false, true}) {
    Mask ear = Polygon(p, {{70, 80}, {74, 14}, {110, 58}});
    Mask inner = Polygon(p, {{79, 66}, {80, 30}, {100, 56}});
    if (right) {
      ear = Mirror(ear, 115);
      inner = Mirror(inner, 115);
    }
    Paint(p, ear, {.fill = orange, .outline = 3, .shadow = 3});
    Fill(p, inner, sock);
  }
  Paint(p, Ellipse(p, 100, 136, 26, 14), {.fill = orange, .outline = 3});
  const Mask tuft = Polygon(p, {{72, 96}, {54, 128}, {90, 124}});
  Paint(p, tuft, {.fill = cream, .outline = 3, .shadow = 2});
  Paint(p, Mirror(tuft, 115), {.fill = cream, .outline = 3, .shadow = 2});
  Paint(p, Ellipse(p, 115, 96, 50, 40), {.fill = orange, .outline = 3, .shadow = 6, .light = 3});
  const Mask muzzle = (Ellipse(p, 115, 116, 34, 19) | Circle(p, 78, 110, 13) | Circle(p, 152, 110, 13)) &
                      Ellipse(p, 115, 96, 50, 40);
  Paint(p, muzzle, {.fill = cream, .outline = 0, .shadow = 3});
  BeadEye(p, 96, 92, 7);
  BeadEye(p, 134, 92, 7);
  Fill(p, Ellipse(p, 115, 107, 6.5, 4.5), kInk);
  Fill(p, Curve(p, {115, 111}, {114, 119}, {107, 117}, 1.2), kInk);
  Fill(p, Curve(p, {115, 111}, {116, 119}, {123, 117}, 1.2), kInk);
  Mouth(p, 115, 121, 5);
  Blush(p, 82, 106, 7);
  Blush(p, 148, 106, 7);

  // Both arms reach over the rim of the clock.
  Paint(p, Capsule(p, {80, 152}, {60, 130}, 10), {.fill = orange, .outline = 2, .shadow = 3});
  Paint(p, Ellipse(p, 55, 126, 11, 9), {.fill = sock, .outline = 2, .light = 2});
  Paint(p, Capsule(p, {80, 186}, {58, 176}, 10), {.fill = orange, .outline = 2, .shadow = 3});
  Paint(p, Ellipse(p, 53, 173, 11, 9), {.fill = sock, .outline = 2, .light = 2});
  return p;
}

// A friendly steel robot with the clock set in its chest.
Picture DrawBelmoa(int scale) {
  Picture p(240, 330, Rgb{0, 255, 0}, scale);
  const Rgb steel{126, 172, 204}, dark{72, 92, 124}, accent{242, 150, 62};
  Paint(p, Capsule(p, {120, 14}, {120, 34}, 3), {.fill = dark, .outline = 2});
  Paint(p, Circle(p, 120, 12, 7), {.fill = Rgb{232, 74, 74}, .outline = 2, .shadow = 2, .light = 2});

  for (double x : {70.0, 136.0}) {
    Paint(p, Rect(p, x, 284, 34, 30), {.fill = dark, .outline = 2, .shadow = 4});
    Paint(p, RoundRect(p, x - 12, 306, 58, 20, 8), {.fill = accent, .outline = 2, .shadow = 4, .light = 2});
  }
  const Mask arm = Capsule(p, {34, 150}, {18, 238}, 11);
  for (const Mask& m : {arm, Mirror(arm, 120)}) Paint(p, m, {.fill = dark, .outline = 2, .shadow = 4});
  Paint(p, Circle(p, 18, 248, 13), {.fill = accent, .outline = 2, .shadow = 3, .light = 2});
  Paint(p, Circle(p, 222, 248, 13), {.fill = accent, .outline = 2, .shadow = 3, .light = 2});

  Paint(p, RoundRect(p, 24, 118, 192, 178, 26), {.fill = steel, .outline = 3, .shadow = 8, .light = 4});
  for (double x : {38.0, 202.0})
    for (double y : {132.0, 282.0}) Paint(p, Circle(p, x, y, 3.5), {.fill = dark, .outline = 1});

  Paint(p, Rect(p, 102, 100, 36, 22), {.fill = dark, .outline = 2});
  Paint(p, RoundRect(p, 36, 50, 16, 34, 5), {.fill = accent, .outline = 2, .shadow = 3});
  Paint(p, RoundRect(p, 188, 50, 16, 34, 5), {.fill = accent, .outline = 2, .shadow = 3});
  Paint(p, RoundRect(p, 48, 26, 144, 80, 22), {.fill = steel, .outline = 3, .shadow = 7, .light = 4});
  for (double x : {90.0, 150.0}) {
    PerPose(p, [&](Pose pose) {
      if (ShutEye(p, pose, x, 62, 12)) return;
      Paint(p, Circle(p, x, 62, 15), {.fill = Rgb{52, 62, 84}, .outline = 2, .gradient = 0.0});
      Paint(p, Circle(p, x, 62, 10), {.fill = Rgb{255, 222, 96}, .outline = 0, .shadow = 3});
      Fill(p, Circle(p, x - 4, 58, 3), kWhite);
    });
  }
  Paint(p, RoundRect(p, 96, 82, 48, 14, 6), {.fill = Rgb{52, 62, 84}, .outline = 2, .gradient = 0.0});
  for (double x : {107.0, 119.0, 131.0}) Fill(p, Rect(p, x, 84, 2, 10), Rgb{200, 220, 235});
  Mouth(p, 120, 86, 9);
  Blush(p, 66, 90, 8);
  Blush(p, 174, 90, 8);
  return p;
}

// A grey mouse sitting on top of the clock with a piece of cheese.
Picture DrawCirrat(int scale) {
  Picture p(130, 150, Rgb{0, 255, 0}, scale);
  const Rgb grey{176, 176, 192}, light{228, 228, 236}, pink{246, 164, 178};
  Paint(p, Curve(p, {96, 98}, {134, 100}, {120, 140}, 2.5), {.fill = pink, .outline = 2});
  Paint(p, Ellipse(p, 65, 86, 30, 30), {.fill = grey, .outline = 3, .shadow = 5, .light = 3});
  Paint(p, Ellipse(p, 65, 94, 18, 18), {.fill = light, .outline = 0, .shadow = 3});
  Paint(p, Ellipse(p, 46, 116, 9, 6), {.fill = pink, .outline = 2, .shadow = 2});
  Paint(p, Ellipse(p, 84, 116, 9, 6), {.fill = pink, .outline = 2, .shadow = 2});

  for (double x : {37.0, 93.0}) {
    Paint(p, Circle(p, x, 24, 17), {.fill = grey, .outline = 3, .shadow = 3});
    Fill(p, Circle(p, x + (x < 65 ? 1 : -1), 26, 10), pink);
  }
  Paint(p, Ellipse(p, 65, 47, 28, 24), {.fill = grey, .outline = 3, .shadow = 4, .light = 3});
  BeadEye(p, 55, 43, 4.5);
  BeadEye(p, 75, 43, 4.5);
  Paint(p, Circle(p, 65, 54, 4), {.fill = pink, .outline = 1});
  Fill(p, Curve(p, {65, 58}, {64, 63}, {60, 62}, 1.0), kInk);
  Fill(p, Curve(p, {65, 58}, {66, 63}, {70, 62}, 1.0), kInk);
  Mouth(p, 65, 64, 4);
  for (double dy : {-3.0, 2.0}) {
    Fill(p, Capsule(p, {52, 56 + dy / 2}, {30, 53 + dy * 2}, 0.75), kInk);
    Fill(p, Capsule(p, {78, 56 + dy / 2}, {100, 53 + dy * 2}, 0.75), kInk);
  }
  Blush(p, 47, 57, 5);
  Blush(p, 83, 57, 5);

  const Rgb cheese{250, 206, 72};
  Paint(p, Polygon(p, {{48, 84}, {84, 76}, {82, 100}, {50, 100}}), {.fill = cheese, .outline = 2, .shadow = 3});
  for (const Point h : {Point{60, 92}, Point{73, 86}, Point{75, 95}})
    Fill(p, Circle(p, h.x, h.y, 2.5), Rgb{222, 170, 50});
  Paint(p, Circle(p, 48, 92, 6), {.fill = grey, .outline = 2});
  Paint(p, Circle(p, 83, 88, 6), {.fill = grey, .outline = 2});
  return p;
}

// A penguin lifting the clock over its head with both flippers.
Picture DrawDovane(int scale) {
  Picture p(170, 240, Rgb{0, 255, 0}, scale);
  const Rgb slate{62, 84, 126}, snow{250, 250, 244}, beak{250, 164, 52};
  const Mask flipper = Oval(p, 34, 74, 11, 50, -0.03);
  Paint(p, flipper, {.fill = slate, .outline = 3, .shadow = 4, .light = 3});
  Paint(p, Mirror(flipper, 85), {.fill = slate, .outline = 3, .shadow = 4, .light = 3});
  Paint(p, Ellipse(p, 62, 226, 20, 8), {.fill = beak, .outline = 2, .shadow = 3});
  Paint(p, Ellipse(p, 108, 226, 20, 8), {.fill = beak, .outline = 2, .shadow = 3});
  Paint(p, Ellipse(p, 85, 148, 56, 82), {.fill = slate, .outline = 3, .shadow = 8, .light = 4});
  const Mask front = Circle(p, 70, 108, 20) | Circle(p, 100, 108, 20) | Ellipse(p, 85, 170, 40, 58);
  Paint(p, front & Ellipse(p, 85, 148, 50, 76), {.fill = snow, .outline = 0, .shadow = 5});
  BeadEye(p, 72, 104, 6);
  BeadEye(p, 98, 104, 6);
  Paint(p, Polygon(p, {{76, 115}, {94, 115}, {85, 128}}), {.fill = beak, .outline = 2, .shadow = 2});
  Mouth(p, 85, 120, 5);
  Blush(p, 60, 120, 7);
  Blush(p, 110, 120, 7);
  return p;
}

// A sunflower in a smiling pot; the clock is its flower.
Picture DrawEsmuka(int scale) {
  Picture p(240, 380, Rgb{0, 255, 255}, scale);
  const Rgb leaf{92, 172, 72}, clay{214, 108, 72};
  Paint(p, Curve(p, {120, 180}, {136, 260}, {120, 318}, 7), {.fill = leaf, .outline = 2, .shadow = 3});
  const Mask leftLeaf = Oval(p, 90, 262, 32, 12, 0.07);
  const Mask rightLeaf = Oval(p, 156, 236, 30, 11, -0.08);
  for (const Mask& m : {leftLeaf, rightLeaf}) Paint(p, m, {.fill = leaf, .outline = 2, .shadow = 3, .light = 2});
  Fill(p, Capsule(p, {67, 251}, {113, 273}, 0.9), Rgb{60, 130, 52});
  Fill(p, Capsule(p, {177, 224.5}, {135, 247.5}, 0.9), Rgb{60, 130, 52});

  Paint(p, Polygon(p, {{72, 318}, {168, 318}, {156, 374}, {84, 374}}), {.fill = clay, .outline = 2, .shadow = 7});
  Paint(p, RoundRect(p, 62, 300, 116, 22, 6), {.fill = clay, .outline = 2, .shadow = 3, .light = 3});
  BeadEye(p, 104, 340, 4);
  BeadEye(p, 136, 340, 4);
  Smile(p, 120, 349, 7, 3);
  Blush(p, 94, 350, 6);
  Blush(p, 146, 350, 6);

  const double cx = 120.5, cy = 112.5;
  Paint(p, Circle(p, cx, cy, 70), {.fill = Rgb{120, 76, 44}, .outline = 2});
  constexpr int kPetals = 14;
  for (int layer = 0; layer < 2; ++layer) {
    const Rgb petal = layer == 0 ? Rgb{246, 168, 40} : Rgb{255, 214, 64};
    for (int i = 0; i < kPetals; ++i) {
      const double a = (i + (layer == 0 ? 0.5 : 0.0)) / kPetals;
      const double r = layer == 0 ? 82 : 80;
      Paint(p, Oval(p, cx + r * SineTurns(a), cy - r * CosineTurns(a), 13, 24, a),
            {.fill = petal, .outline = 2, .shadow = 3, .gradient = 0.0});
    }
  }
  return p;
}

// A snail carrying the clock as its shell.
Picture DrawFornel(int scale) {
  Picture p(300, 200, Rgb{0, 255, 0}, scale);
  const Rgb skin{246, 190, 124};
  const Mask body = RoundRect(p, 24, 138, 236, 48, 24) | Polygon(p, {{44, 150}, {6, 183}, {52, 186}}) |
                    Capsule(p, {232, 160}, {246, 100}, 24) | Circle(p, 250, 88, 30);
  for (double dx : {-1.0, 1.0}) {
    Paint(p, Capsule(p, {250 + 12 * dx, 66}, {250 + 22 * dx, 26}, 4), {.fill = skin, .outline = 2});
    Eye(p, 250 + 22 * dx, 22, 10, &skin);
  }
  Paint(p, body, {.fill = skin, .outline = 3, .shadow = 7, .light = 3});
  // A rim of shell shows around the clock that sits on the back.
  Paint(p, Circle(p, 115.5, 80.5, 77), {.fill = Rgb{176, 112, 70}, .outline = 2, .shadow = 3});
  Fill(p, RoundRect(p, 30, 176, 222, 6, 3), Scale(skin, 0.86));
  BeadEye(p, 240, 86, 4);
  BeadEye(p, 262, 86, 4);
  Smile(p, 251, 97, 8, 3.5);
  Blush(p, 230, 98, 6);
  Blush(p, 272, 98, 6);
  return p;
}

}  // namespace demokit
