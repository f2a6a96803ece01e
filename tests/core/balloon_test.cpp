// The speech balloon's portable rules: placement, queue, closing, wrapping,
// layout and its soft-edged picture.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "balloon/balloon_layout.h"
#include "balloon/balloon_picture.h"
#include "balloon/balloon_place.h"
#include "balloon/balloon_rules.h"

namespace {

const char* SideName(BalloonSide side) {
  switch (side) {
    case BalloonSide::kAbove: return "above";
    case BalloonSide::kLeft: return "left";
    case BalloonSide::kRight: return "right";
    case BalloonSide::kBelow: return "below";
  }
  return "?";
}

bool Within(const BalloonBox& inner, const BalloonBox& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

long long Distance2(BalloonSpot a, BalloonSpot b) {
  const long long dx = a.x - b.x, dy = a.y - b.y;
  return dx * dx + dy * dy;
}

BalloonSize SizeAt(int dpi, int width, int height) {
  BalloonLayoutInput input;
  input.dpi = dpi;
  input.lineHeight = 15 * dpi / 96;
  input.lineWidths = {width * dpi / 96};
  input.buttonCount = 2;
  input.buttonTextWidths[0] = 60 * dpi / 96;
  input.buttonTextWidths[1] = 30 * dpi / 96;
  BalloonSize size = LayOutBalloon(input).size;
  if (height > 0) size.height = height * dpi / 96;
  return size;
}

struct PlaceCase {
  const char* name;
  BalloonBox work;
  BalloonBox figure;  // at 96 DPI; scaled with the work area's origin kept
  BalloonSide side;   // where it goes
  bool fits;          // clear of the figure, or pushed over it
};

// A figure 200 x 250 with its head at the top centre, on a 1920 x 1040 work
// area, on a second monitor right of it and on one left of the primary.
const PlaceCase kPlaceCases[] = {
    {"middle", {0, 0, 1920, 1040}, {860, 400, 1060, 650}, BalloonSide::kAbove, true},
    {"top edge, more room left", {0, 0, 1920, 1040}, {1200, 0, 1400, 250}, BalloonSide::kLeft, true},
    {"top edge, more room right", {0, 0, 1920, 1040}, {300, 0, 500, 250}, BalloonSide::kRight, true},
    {"top-left corner", {0, 0, 1920, 1040}, {0, 0, 200, 250}, BalloonSide::kRight, true},
    {"top-right corner", {0, 0, 1920, 1040}, {1720, 0, 1920, 250}, BalloonSide::kLeft, true},
    {"bottom-left corner", {0, 0, 1920, 1040}, {0, 790, 200, 1040}, BalloonSide::kAbove, true},
    {"bottom-right corner", {0, 0, 1920, 1040}, {1720, 790, 1920, 1040}, BalloonSide::kAbove, true},
    {"left edge", {0, 0, 1920, 1040}, {0, 400, 200, 650}, BalloonSide::kAbove, true},
    {"right edge", {0, 0, 1920, 1040}, {1720, 400, 1920, 650}, BalloonSide::kAbove, true},
    {"second monitor, top-left", {1920, 0, 3840, 1040}, {1920, 0, 2120, 250}, BalloonSide::kRight, true},
    {"monitor left of the primary, top-right", {-1280, 100, 0, 1124}, {-200, 100, 0, 350}, BalloonSide::kLeft, true},
    {"a narrow strip: below", {0, 0, 300, 2000}, {50, 0, 250, 250}, BalloonSide::kBelow, true},
    {"room on no side: the most below", {0, 0, 330, 300}, {60, 20, 260, 270}, BalloonSide::kBelow, false},
    {"room on no side: the most above", {0, 0, 330, 300}, {60, 40, 260, 290}, BalloonSide::kAbove, false},
};

TEST(BalloonPlaceTest, StandsBesideTheFigureWithinTheWorkAreaTailTowardsTheHead) {
  for (const int dpi : {96, 144, 192}) {
    for (const PlaceCase& c : kPlaceCases) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(dpi) + " DPI");
      auto scale = [&](int v, int origin) { return origin + (v - origin) * dpi / 96; };
      // Scale the work area and figure about the work area's origin.
      const BalloonBox work{c.work.left, c.work.top, scale(c.work.right, c.work.left), scale(c.work.bottom, c.work.top)};
      const BalloonBox figure{scale(c.figure.left, c.work.left), scale(c.figure.top, c.work.top),
                              scale(c.figure.right, c.work.left), scale(c.figure.bottom, c.work.top)};
      const BalloonSpot anchor{(figure.left + figure.right) / 2, figure.top + 10 * dpi / 96};
      const BalloonSize size = SizeAt(dpi, 220, 0);
      const BalloonPlacement p = PlaceBalloon(figure, anchor, size, work);

      EXPECT_EQ(c.side, p.side) << "expected " << SideName(c.side) << ", got " << SideName(p.side);
      EXPECT_EQ(size.width, p.body.width());
      EXPECT_EQ(size.height, p.body.height());
      EXPECT_TRUE(Within(p.window, work)) << "window " << p.window.left << "," << p.window.top << " - "
                                          << p.window.right << "," << p.window.bottom;
      EXPECT_TRUE(Within(p.body, p.window));
      const bool overlaps = p.body.left < figure.right && figure.left < p.body.right && p.body.top < figure.bottom &&
                            figure.top < p.body.bottom;
      EXPECT_EQ(c.fits, !overlaps);
      if (!c.fits) continue;
      ASSERT_TRUE(p.hasTail);
      // The tail leaves the body's edge that faces the figure and ends on the figure's edge.
      const BalloonSpot base{(p.tailFrom.x + p.tailTo.x) / 2, (p.tailFrom.y + p.tailTo.y) / 2};
      EXPECT_LT(Distance2(p.tip, anchor), Distance2(base, anchor));
      EXPECT_TRUE(p.tip.x >= figure.left && p.tip.x < figure.right && p.tip.y >= figure.top && p.tip.y < figure.bottom);
      EXPECT_FALSE(p.tip.x >= p.body.left && p.tip.x < p.body.right && p.tip.y >= p.body.top && p.tip.y < p.body.bottom);
      EXPECT_TRUE(base.x >= p.body.left && base.x <= p.body.right && base.y >= p.body.top && base.y <= p.body.bottom);
      if (p.side == BalloonSide::kAbove || p.side == BalloonSide::kBelow) {
        // Straight at the head where the body allows it.
        if (anchor.x - size.tailHalf - size.cornerRadius >= p.body.left &&
            anchor.x + size.tailHalf + size.cornerRadius <= p.body.right) {
          EXPECT_EQ(anchor.x, base.x);
        }
      }
    }
  }
}

TEST(BalloonPlaceTest, ABalloonLargerThanTheWorkAreaStartsAtItsTopLeftWithoutATailOutside) {
  const BalloonBox work{100, 50, 400, 250};
  const BalloonPlacement p = PlaceBalloon({200, 100, 300, 200}, {250, 100}, {500, 400, 18, 9, 12}, work);
  EXPECT_EQ(work.left, p.body.left);
  EXPECT_EQ(work.top, p.body.top);
  EXPECT_FALSE(p.hasTail);
}

TEST(BalloonPlaceTest, TheAnchorIsTheCharactersTopCentreOrItsOwnPointScaled) {
  EXPECT_EQ(60, BalloonAnchor(10, 20, 100, false, 0, 0, 1.0).x);
  EXPECT_EQ(20, BalloonAnchor(10, 20, 100, false, 0, 0, 1.0).y);
  EXPECT_EQ(75, BalloonAnchor(10, 20, 100, true, 40, 30, 1.5).x);  // (10 + 40) * 1.5
  EXPECT_EQ(75, BalloonAnchor(10, 20, 100, true, 40, 30, 1.5).y);  // (20 + 30) * 1.5
  EXPECT_EQ(42, BalloonAnchor(0, 0, 120, false, 0, 0, 0.7).x);     // 60 * 0.7
}

BalloonMessage Message(BalloonKind kind, const wchar_t* text) {
  BalloonMessage m;
  m.kind = kind;
  m.text = text;
  return m;
}

TEST(BalloonQueueTest, OneAtATimeAndAnAlarmGoesBeforeWaitingTimersAndChimes) {
  BalloonQueue queue;
  EXPECT_TRUE(queue.Add(Message(BalloonKind::kTimer, L"t1"), false));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kFullHour, L"h"), false));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kTimer, L"t2"), false));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kAlarm, L"a1"), false));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kAlarm, L"a2"), false));
  EXPECT_EQ(L"t1", queue.Shown()->text);  // the one shown stays
  std::vector<std::wstring> order;
  for (const BalloonMessage* m = queue.CloseShown(false); m != nullptr; m = queue.CloseShown(false))
    order.push_back(m->text);
  EXPECT_EQ((std::vector<std::wstring>{L"a1", L"a2", L"h", L"t2"}), order);
  EXPECT_EQ(nullptr, queue.Shown());
}

TEST(BalloonQueueTest, FullHoursAreDroppedWhileAsideAndANewOneReplacesOneWaiting) {
  BalloonQueue queue;
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kFullHour, L"h1"), true));
  EXPECT_EQ(nullptr, queue.Shown());
  EXPECT_TRUE(queue.Add(Message(BalloonKind::kTimer, L"t"), true));  // a timer shows while aside
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kFullHour, L"h2"), false));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kFullHour, L"h3"), false));
  EXPECT_EQ(1u, queue.Waiting());
  // The figure stood aside meanwhile: the waiting hour is not shown.
  EXPECT_EQ(nullptr, queue.CloseShown(true));

  EXPECT_TRUE(queue.Add(Message(BalloonKind::kAlarm, L"a"), true));
  EXPECT_FALSE(queue.Add(Message(BalloonKind::kFullHour, L"h4"), false));
  const BalloonMessage* next = queue.CloseShown(false);
  ASSERT_NE(nullptr, next);
  EXPECT_EQ(L"h4", next->text);
}

struct ClickCase {
  BalloonKind kind;
  BalloonButton button;
  bool close, stopSound, snooze;
};

TEST(BalloonClosingTest, ClicksCloseAsEachKindSays) {
  const ClickCase cases[] = {
      {BalloonKind::kAlarm, BalloonButton::kSnooze, true, true, true},
      {BalloonKind::kAlarm, BalloonButton::kStop, true, true, false},
      {BalloonKind::kAlarm, BalloonButton::kNone, false, false, false},
      {BalloonKind::kAlarm, BalloonButton::kOk, false, false, false},
      {BalloonKind::kTimer, BalloonButton::kOk, true, false, false},
      {BalloonKind::kTimer, BalloonButton::kNone, false, false, false},
      {BalloonKind::kMissedAlarm, BalloonButton::kOk, true, false, false},
      {BalloonKind::kMissedAlarm, BalloonButton::kNone, false, false, false},
      {BalloonKind::kFullHour, BalloonButton::kNone, true, false, false},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind) * 10 + static_cast<int>(c.button));
    const BalloonAction a = ActionOfClick(c.kind, c.button);
    EXPECT_EQ(c.close, a.close);
    EXPECT_EQ(c.stopSound, a.stopSound);
    EXPECT_EQ(c.snooze, a.snooze);
  }
  EXPECT_EQ(2, ButtonsOf(BalloonKind::kAlarm).count());
  EXPECT_EQ(1, ButtonsOf(BalloonKind::kTimer).count());
  EXPECT_EQ(0, ButtonsOf(BalloonKind::kFullHour).count());
}

TEST(BalloonClosingTest, TheFullHourGoesAfterFiveSecondsAndAnAlarmFallsSilentAfterTenMinutesButStays) {
  const std::uint64_t at = 1000000;
  EXPECT_FALSE(StepBalloonTime(BalloonKind::kFullHour, at, at + 4999, false).close);
  EXPECT_EQ(at + 5000, StepBalloonTime(BalloonKind::kFullHour, at, at + 4999, false).nextCheck);
  EXPECT_TRUE(StepBalloonTime(BalloonKind::kFullHour, at, at + 5000, false).close);

  const BalloonTimeStep ringing = StepBalloonTime(BalloonKind::kAlarm, at, at + 599999, false);
  EXPECT_FALSE(ringing.stopSound);
  EXPECT_EQ(at + 600000, ringing.nextCheck);
  const BalloonTimeStep silent = StepBalloonTime(BalloonKind::kAlarm, at, at + 600000, false);
  EXPECT_TRUE(silent.stopSound);
  EXPECT_FALSE(silent.close);
  EXPECT_FALSE(StepBalloonTime(BalloonKind::kAlarm, at, at + 700000, true).stopSound);  // once only

  for (const BalloonKind kind : {BalloonKind::kTimer, BalloonKind::kMissedAlarm}) {
    const BalloonTimeStep step = StepBalloonTime(kind, at, at + 86400000, false);
    EXPECT_FALSE(step.close);
    EXPECT_FALSE(step.stopSound);
    EXPECT_EQ(UINT64_MAX, step.nextCheck);
  }
  // A clock that went back does not close it early.
  EXPECT_FALSE(StepBalloonTime(BalloonKind::kFullHour, at, at - 10000, false).close);
}

struct WrapCase {
  const wchar_t* text;
  int columns;
  std::vector<std::wstring> lines;
};

TEST(BalloonWrapTest, LinesOfAboutFortyColumns) {
  const WrapCase cases[] = {
      {L"It is 3 o'clock.", 40, {L"It is 3 o'clock."}},
      {L"The alarm time has come. Wake up, the tea is ready now.", 40,
       {L"The alarm time has come. Wake up, the", L"tea is ready now."}},
      {L"aaaa bbbb", 4, {L"aaaa", L"bbbb"}},
      {L"abcdefghij", 4, {L"abcd", L"efgh", L"ij"}},
      {L"ab abcdefghij", 4, {L"ab", L"abcd", L"efgh", L"ij"}},
      {L"one\ntwo", 40, {L"one", L"two"}},
      {L"", 40, {L""}},
      // Twenty-one wide characters: twenty on the first line.
      {L"指定された時刻になりました指定された時刻にな", 40,
       {L"指定された時刻になりました指定された時刻", L"にな"}},
      // The full stop does not begin a line; it stays with the character before.
      {L"指定された時刻になりました。", 26, {L"指定された時刻になりまし", L"た。"}},
      {L"5 分が経過しました.", 8, {L"5 分が経", L"過しまし", L"た."}},
  };
  for (const WrapCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    EXPECT_EQ(c.lines, WrapBalloonText(c.text, c.columns));
  }
  EXPECT_EQ(2, ColumnsOf(L'時'));
  EXPECT_EQ(1, ColumnsOf(L'a'));
  EXPECT_EQ(1, ColumnsOf(L'\xFF97'));  // half-width katakana
}

TEST(BalloonLayoutTest, ButtonsInARowUnderTheTextRightAlignedAndScaledWithTheDpi) {
  for (const int dpi : {96, 144, 192}) {
    SCOPED_TRACE(dpi);
    BalloonLayoutInput input;
    input.dpi = dpi;
    input.lineHeight = 16 * dpi / 96;
    input.lineWidths = {300 * dpi / 96, 120 * dpi / 96};
    input.buttonCount = 2;
    input.buttonTextWidths[0] = 80 * dpi / 96;
    input.buttonTextWidths[1] = 20 * dpi / 96;
    const BalloonLayout layout = LayOutBalloon(input);
    EXPECT_EQ(2 * input.lineHeight, layout.text.height());
    EXPECT_GE(layout.text.width(), input.lineWidths[0]);
    EXPECT_GE(layout.buttons[0].top, layout.text.bottom);
    EXPECT_LE(layout.buttons[0].right, layout.buttons[1].left);
    EXPECT_EQ(layout.text.right, layout.buttons[1].right);
    EXPECT_GE(layout.buttons[1].width(), 64 * dpi / 96);  // a short label still gives a button to hit
    EXPECT_GT(layout.buttons[0].width(), input.buttonTextWidths[0]);
    EXPECT_LT(layout.buttons[1].bottom, layout.size.height);
    EXPECT_EQ((12 * dpi + 48) / 96, layout.size.cornerRadius);
  }
  BalloonLayoutInput none;
  none.lineHeight = 16;
  none.lineWidths = {100};
  const BalloonLayout plain = LayOutBalloon(none);
  EXPECT_EQ(plain.text.bottom + plain.text.top, plain.size.height);  // the margin alone below the text
}

TEST(BalloonPictureTest, SoftEdgesAroundAFilledBodyAndTail) {
  BalloonPlacement placement;
  placement.window = {0, 0, 60, 50};
  placement.body = {0, 0, 60, 36};
  placement.side = BalloonSide::kAbove;
  placement.hasTail = true;
  placement.tailFrom = {20, 33};
  placement.tailTo = {36, 33};
  placement.tip = {30, 49};
  const BalloonShape shape = ShapeOfPlacement(placement, 8, 1.25);
  PixelBuffer picture;
  ASSERT_TRUE(picture.Allocate(60, 50, 0x12345678));
  const BalloonColours colours = DefaultBalloonColours();
  DrawBalloonShape(picture.view(), shape, colours.fill, colours.edge);

  EXPECT_EQ(0xFF000000u | colours.fill, picture.view().At(30, 18));  // inside: the fill, opaque
  EXPECT_EQ(0u, picture.view().At(0, 0));                            // beyond the rounded corner
  EXPECT_EQ(0u, picture.view().At(5, 45));                           // beside the tail
  EXPECT_EQ(0xFF000000u | colours.edge, picture.view().At(30, 0) | 0xFF000000u);  // the outline along the top
  int partial = 0;
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 60; ++x) {
      const Pixel p = picture.view().At(x, y);
      const unsigned a = p >> 24;
      // Premultiplied: no colour brighter than its alpha.
      ASSERT_LE((p >> 16) & 0xFF, a);
      ASSERT_LE((p >> 8) & 0xFF, a);
      ASSERT_LE(p & 0xFF, a);
      partial += a > 0 && a < 255;
    }
  }
  EXPECT_GT(partial, 20);  // the corners and the tail's sides are soft
  const double tip = BalloonCoverage(shape, 30, 48);
  EXPECT_GT(tip, 0.0);
  EXPECT_LT(tip, 1.0);
  // The tail joins the body with no outline across it.
  EXPECT_EQ(0xFF000000u | colours.fill, picture.view().At(28, 36));

  // A button under the pointer is drawn in its own colour, over the fill.
  DrawBalloonButton(picture.view(), {10, 10, 50, 30}, 5, 1.25, colours.buttonHot, colours.edge);
  EXPECT_EQ(0xFF000000u | colours.buttonHot, picture.view().At(30, 20));
  EXPECT_EQ(0xFF000000u | colours.fill, picture.view().At(30, 32));
}

}  // namespace
