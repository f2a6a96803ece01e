#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "clockface/hand_strokes.h"
#include "clockface/hands.h"
#include "hand_strokes_digest.h"
#include "mascot/figure_geometry.h"
#include "resource.h"

namespace {

constexpr double kPi = 3.141592653589793;
constexpr Pixel kWhite = 0x00FFFFFF;
constexpr Pixel kSentinel = 0x00123456;

// A window-sized picture with the clock centre in its middle.
struct Window {
  static constexpr int kSide = 200;
  static constexpr int kCentre = 100;
  PixelBuffer pixels;

  explicit Window(Pixel fill) { pixels.Allocate(kSide, kSide, fill); }
  Pixel At(int x, int y) const { return pixels.view().At(x, y); }
  Pixel At(HandPoint p) const { return At(p.x, p.y); }
  void Render(HandsSurface surface, int nSize, int hour, int minute, int second, bool active) {
    RenderClockHands(pixels.view(), 0, 0, surface, kCentre, kCentre, Scale(nSize), nSize, hour, minute, second,
                     active, kBaseDpi);
  }
  // One pen along the points, premultiplied.
  void Stroke(std::initializer_list<HandPoint> points, int width, Pixel colour = 0xFFFFFF) {
    DrawHandStroke(pixels.view(), 0, 0, HandsSurface::kPremultiplied, points.begin(), static_cast<int>(points.size()),
                   width, colour);
  }
  static double Scale(int nSize) { return nSize == IDM_SIZE_SMALL ? 0.7 : 1.0; }
};

// Calls f(x, y) for every pixel of a window, stopping at a fatal failure.
template <typename F>
void ForEachPixel(F f) {
  for (int y = 0; y < Window::kSide && !::testing::Test::HasFatalFailure(); ++y)
    for (int x = 0; x < Window::kSide && !::testing::Test::HasFatalFailure(); ++x) f(x, y);
}

unsigned Alpha(Pixel p) { return p >> 24; }

double TotalCoverage(const Window& w) {
  double total = 0;
  ForEachPixel([&](int x, int y) { total += Alpha(w.At(x, y)) / 255.0; });
  return total;
}

// One white pen over a transparent picture: every pixel's alpha is its coverage.
double StrokeCoverage(HandPoint from, HandPoint to, int width) {
  Window w(0);
  w.Stroke({from, to}, width);
  return TotalCoverage(w);
}

double StrokeArea(HandPoint from, HandPoint to, int width) {
  const double length = std::hypot(to.x - from.x, to.y - from.y);
  return length * width + kPi * width * width / 4;
}

TEST(HandStrokes, EachStrokeCoversItsAreaAtEveryAngle) {
  const HandPoint centre{Window::kCentre, Window::kCentre};
  for (int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
    const double scale = Window::Scale(nSize);
    // Every 6 degrees the second hand, every 3.5 degrees the hour hand.
    for (int step = 0; step < 60; ++step) {
      const HandTips tips = ComputeHandTips(centre.x, centre.y, scale, step % 24, (step * 7) % 60, step);
      const struct {
        HandPoint tip;
        int width;
      } strokes[] = {{tips.hour, HandPenWidth(nSize)}, {tips.minute, HandPenWidth(nSize)}, {tips.second, 1}};
      for (const auto& s : strokes) {
        const double area = StrokeArea(centre, s.tip, s.width);
        EXPECT_NEAR(StrokeCoverage(centre, s.tip, s.width), area, area * 0.02)
            << "tip (" << s.tip.x - centre.x << ", " << s.tip.y - centre.y << ") width " << s.width;
      }
    }
  }
}

TEST(HandStrokes, SecondHandCarriesTheSameCoverageAtZeroAndFifteen) {
  for (int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
    const double scale = Window::Scale(nSize);
    const HandPoint centre{Window::kCentre, Window::kCentre};
    const HandPoint up = ComputeHandTips(centre.x, centre.y, scale, 0, 0, 0).second;
    const HandPoint right = ComputeHandTips(centre.x, centre.y, scale, 0, 0, 15).second;
    const double atZero = StrokeCoverage(centre, up, 1);
    const double atFifteen = StrokeCoverage(centre, right, 1);
    if (nSize == IDM_SIZE_NORMAL) {
      EXPECT_EQ(up.y - centre.y, -(right.x - centre.x)) << "equally long";
    }
    const double longer = std::max(std::abs(up.y - centre.y), std::abs(right.x - centre.x));
    const double shorter = std::min(std::abs(up.y - centre.y), std::abs(right.x - centre.x));
    // At small size the tips lie 36 and 37 pixels out: the coverage differs by that pixel.
    EXPECT_NEAR(atZero, atFifteen, atFifteen * 0.005 + (longer - shorter)) << "size " << nSize;
  }
}

TEST(HandStrokes, APolylineFoldedOnItselfIsCoveredOnce) {
  // At 0:00 the hour hand lies along the minute hand: the polyline runs up and
  // back, and the pixels it passes twice must not grow darker.
  const HandTips tips = ComputeHandTips(Window::kCentre, Window::kCentre, 1.0, 0, 0, 0);
  const HandPoint centre{Window::kCentre, Window::kCentre};
  for (int width : {1, 2, 3}) {
    Window folded(0), single(0);
    folded.Stroke({tips.hour, centre, tips.minute}, width);
    single.Stroke({centre, tips.minute}, width);
    EXPECT_NEAR(TotalCoverage(folded), TotalCoverage(single), 0.01) << "width " << width;
  }
  // A right angle: the two strokes overlap only around the joint.
  Window corner(0);
  corner.Stroke({{60, 100}, {100, 100}, {100, 40}}, 3);
  const double expected = (40 + 60) * 3 + kPi * 9 / 4;  // two caps, a quarter circle at the joint, less overlap
  EXPECT_NEAR(TotalCoverage(corner), expected, expected * 0.02);
}

struct PenCase {
  bool active;
  Pixel shadow, hands, second;  // as 0x00RRGGBB
};

TEST(HandsRender, StrongColoursInFrontPaleOtherwise) {
  // 3:00:30: the hour hand points right, the minute hand up, the second hand down;
  // the shadow of the hour hand's tip lies clear of the hands.
  const PenCase cases[] = {{true, 0xC0C0C0, 0x000000, 0xFF0000}, {false, 0xE0E0E0, 0xA0A0A0, 0xFFA0A0}};
  const HandTips tips = ComputeHandTips(Window::kCentre, Window::kCentre, 1.0, 3, 0, 30);
  for (const PenCase& c : cases) {
    SCOPED_TRACE(c.active ? "active" : "inactive");
    Window w(kWhite);
    w.Render(HandsSurface::kOpaque, IDM_SIZE_NORMAL, 3, 0, 30, c.active);
    EXPECT_EQ(w.At(tips.hour.x + kShadowOffset, tips.hour.y + kShadowOffset), c.shadow);
    EXPECT_EQ(w.At(tips.hour), c.hands);
    EXPECT_EQ(w.At(tips.minute), c.hands);
    EXPECT_EQ(w.At(tips.second), c.second);
    EXPECT_EQ(w.At(Window::kCentre, Window::kCentre), c.second) << "the second hand lies over the hands";
  }
}

TEST(HandsRender, TipsAndCentreArePaintedWhereTheTableSays) {
  const struct {
    int nSize, hour, minute, second;
  } times[] = {{IDM_SIZE_NORMAL, 0, 0, 15},  {IDM_SIZE_NORMAL, 12, 20, 45}, {IDM_SIZE_NORMAL, 10, 10, 30},
               {IDM_SIZE_NORMAL, 9, 40, 0},  {IDM_SIZE_SMALL, 3, 50, 15},   {IDM_SIZE_SMALL, 21, 5, 20},
               {IDM_SIZE_SMALL, 6, 30, 0},   {IDM_SIZE_SMALL, 17, 45, 30}};
  for (const auto& t : times) {
    SCOPED_TRACE(testing::Message() << t.hour << ":" << t.minute << ":" << t.second << " size " << t.nSize);
    Window w(kWhite);
    w.Render(HandsSurface::kOpaque, t.nSize, t.hour, t.minute, t.second, true);
    const HandTips tips =
        ComputeHandTips(Window::kCentre, Window::kCentre, Window::Scale(t.nSize), t.hour, t.minute, t.second);
    // A one-pixel line slanting across the pixels covers at least 0.9 of each on its way.
    const Pixel tip = w.At(tips.second);
    EXPECT_TRUE(tip >> 16 == 0xFF && (tip & 0xFF) <= 26 && ((tip >> 8) & 0xFF) == (tip & 0xFF)) << std::hex << tip;
    EXPECT_EQ(w.At(tips.hour), 0x000000u);
    EXPECT_EQ(w.At(tips.minute), 0x000000u);
    // One pixel past the second hand's tip along it lies outside the stroke.
    const int dx = tips.second.x - Window::kCentre, dy = tips.second.y - Window::kCentre;
    EXPECT_EQ(w.At(tips.second.x + (dx > 0) - (dx < 0), tips.second.y + (dy > 0) - (dy < 0)), kWhite);
  }
}

TEST(HandsRender, NothingIsDrawnOutsideTheBounds) {
  for (int nSize : {IDM_SIZE_SMALL, IDM_SIZE_NORMAL}) {
    SCOPED_TRACE(testing::Message() << "size " << nSize);
    const HandsRect bounds = ClockHandsBounds(Window::kCentre, Window::kCentre, Window::Scale(nSize), nSize, kBaseDpi);
    HandsRect touched{Window::kSide, Window::kSide, 0, 0};
    // Every second-hand position, hour hands all round, the four extremes of each hand.
    for (int i = 0; i < 64; ++i) {
      const int hour = i < 60 ? i % 24 : (i - 60) * 3, minute = i < 60 ? (i * 11) % 60 : (i - 60) * 15;
      Window w(kSentinel);
      w.Render(HandsSurface::kOpaque, nSize, hour, minute, i % 60, true);
      ForEachPixel([&](int x, int y) {
        if (w.At(x, y) == kSentinel) return;
        touched = {std::min(touched.left, x), std::min(touched.top, y), std::max(touched.right, x + 1),
                   std::max(touched.bottom, y + 1)};
      });
    }
    // Each side: inside the bounds, and the bounds not much larger than what is drawn.
    const int margins[] = {touched.left - bounds.left, touched.top - bounds.top, bounds.right - touched.right,
                           bounds.bottom - touched.bottom};
    for (int side = 0; side < 4; ++side) {
      EXPECT_GE(margins[side], 0) << "side " << side;
      EXPECT_LE(margins[side], 3) << "side " << side;
    }
  }
}

TEST(HandsRender, ASmallTargetHoldsJustItsPartOfTheWindow) {
  Window whole(kWhite);
  whole.Render(HandsSurface::kOpaque, IDM_SIZE_NORMAL, 10, 10, 40, false);
  const struct {
    int originX, originY, width, height;
  } parts[] = {{95, 95, 12, 9}, {60, 70, 30, 40}, {100, 40, 1, 100}, {0, 0, 20, 20}, {180, 150, 20, 50}};
  for (const auto& p : parts) {
    PixelBuffer part;
    ASSERT_TRUE(part.Allocate(p.width, p.height, kWhite));
    RenderClockHands(part.view(), p.originX, p.originY, HandsSurface::kOpaque, Window::kCentre, Window::kCentre,
                     1.0, IDM_SIZE_NORMAL, 10, 10, 40, false, kBaseDpi);
    for (int y = 0; y < p.height; ++y)
      for (int x = 0; x < p.width; ++x)
        ASSERT_EQ(part.view().At(x, y), whole.At(p.originX + x, p.originY + y))
            << "part at " << p.originX << ", " << p.originY << ": pixel " << x << ", " << y;
  }
  // A target with a stride wider than its rows keeps the pixels beyond them.
  PixelBuffer wide;
  ASSERT_TRUE(wide.Allocate(40, 30, kSentinel));
  const PixelView left{wide.data(), 20, 30, 40};
  RenderClockHands(left, 90, 90, HandsSurface::kOpaque, Window::kCentre, Window::kCentre, 1.0, IDM_SIZE_NORMAL,
                   10, 10, 40, false, kBaseDpi);
  for (int y = 0; y < 30; ++y)
    for (int x = 20; x < 40; ++x) ASSERT_EQ(wide.view().At(x, y), kSentinel) << x << ", " << y;
}

TEST(HandsRender, OpaquePixelsKeepAnEmptyTopByte) {
  Window w(0x00336699);
  w.Render(HandsSurface::kOpaque, IDM_SIZE_SMALL, 7, 37, 22, true);
  int changed = 0;
  ForEachPixel([&](int x, int y) {
    ASSERT_EQ(w.At(x, y) >> 24, 0u) << x << ", " << y;
    changed += w.At(x, y) != 0x00336699;
  });
  EXPECT_GT(changed, 100);
}

TEST(HandsRender, PremultipliedOverTransparentIsTheOpaqueDrawingOverBlackWithAlpha) {
  Window soft(0), overBlack(0);
  soft.Render(HandsSurface::kPremultiplied, IDM_SIZE_NORMAL, 4, 48, 51, false);
  overBlack.Render(HandsSurface::kOpaque, IDM_SIZE_NORMAL, 4, 48, 51, false);
  int partial = 0;
  ForEachPixel([&](int x, int y) {
    const Pixel p = soft.At(x, y);
    ASSERT_EQ(p & 0xFFFFFF, overBlack.At(x, y)) << x << ", " << y;
    for (int shift : {0, 8, 16}) ASSERT_LE((p >> shift) & 0xFF, Alpha(p)) << "not premultiplied at " << x << ", " << y;
    partial += Alpha(p) > 0 && Alpha(p) < 255;
  });
  EXPECT_GT(partial, 50) << "edges are soft";
  const HandTips tips = ComputeHandTips(Window::kCentre, Window::kCentre, 1.0, 4, 48, 51);
  // A one-pixel line across the pixels covers its tip's pixel nearly whole.
  const Pixel tip = soft.At(tips.second);
  EXPECT_GE(Alpha(tip), 230u);
  EXPECT_EQ((tip >> 16) & 0xFF, Alpha(tip));
  EXPECT_EQ(tip & 0xFFFF, ((160 * Alpha(tip) + 127) / 255) * 0x101u);
  EXPECT_EQ(soft.At(tips.hour), 0xFFA0A0A0u);
}

TEST(HandsRender, SourceOverAHalfTransparentPicture) {
  // Under a pen the picture shows through by what the pen leaves uncovered.
  constexpr Pixel kHalfGrey = 0x80404040;
  Window over(kHalfGrey), alone(0);
  for (Window* w : {&over, &alone}) w->Stroke({{100, 100}, {141, 72}}, 1, 0x0000FF);
  int partial = 0;
  ForEachPixel([&](int x, int y) {
    const unsigned a = Alpha(alone.At(x, y)), left = 255 - a;
    const unsigned grey = (0x40 * left + 127) / 255;
    const Pixel expected = ((a + (0x80 * left + 127) / 255) << 24) | (((255 * a + 0x40 * left + 127) / 255) << 16) |
                           (grey << 8) | grey;
    ASSERT_EQ(over.At(x, y), expected) << x << ", " << y << " coverage " << a;
    partial += a > 0 && a < 255;
  });
  EXPECT_GT(partial, 20);
  EXPECT_EQ(over.At(10, 10), kHalfGrey);
}

TEST(HandsRender, TheSamePixelsAsEveryOtherBuild) {
  EXPECT_EQ(HandsDigest(), kHandsDigest) << std::hex << HandsDigest();
}

}  // namespace
