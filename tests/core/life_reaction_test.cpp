#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "app/random.h"
#include "life/motion.h"
#include "life/reaction.h"

namespace {

constexpr std::uint64_t T = 100000;  // "now" in every row

enum class Start { kAwake, kBlinking, kBlinkingTwice, kJoy, kAsleep, kPaused, kPausedAsleep, kRinging, kRingingTwice };

LifeState StateAt(Start start) {
  LifeState s;
  s.nextBlink = T;  // a blink is due now
  switch (start) {
    case Start::kAwake:
      break;
    case Start::kBlinking:
    case Start::kBlinkingTwice:
      s.pose = Pose::kBlink;
      s.poseUntil = T;
      s.closesLeft = start == Start::kBlinkingTwice ? 1 : 0;
      break;
    case Start::kJoy:
      s.pose = Pose::kJoy;
      s.poseUntil = T + 300;
      break;
    case Start::kAsleep:
      s.asleep = true;
      s.pose = Pose::kSleep;
      s.nextBlink = kLifeNever;
      break;
    case Start::kPaused:
      s.pauses = kPauseLocked;
      s.nextBlink = kLifeNever;
      break;
    case Start::kPausedAsleep:
      s.pauses = kPauseDisplayOff;
      s.asleep = true;
      s.pose = Pose::kSleep;
      break;
    case Start::kRinging:
    case Start::kRingingTwice:
      s.ringing = start == Start::kRinging ? 1 : 2;
      s.pose = Pose::kTalk;
      s.poseUntil = T;
      s.nextShake = T + 2000;
      break;
  }
  return s;
}

struct Row {
  const char* name;
  Start start;
  Happening what;
  int random;
  unsigned pauses;
  Pose pose;
  Motion motion;
  std::uint64_t nextAt;  // absolute
};

constexpr std::uint64_t kNever = kLifeNever;

const Row kRows[] = {
    // Awake.
    {"awake, blink due", Start::kAwake, Happening::kTimer, 1, 0, Pose::kBlink, Motion::kNone, T + kBlinkMs},
    {"awake, blink ends", Start::kBlinking, Happening::kTimer, 100, 0, Pose::kRest, Motion::kNone, T + 2000 + 100},
    {"awake, blink ends, longest wait", Start::kBlinking, Happening::kTimer, 6000, 0, Pose::kRest, Motion::kNone,
     T + 8000},
    {"awake, first of two blinks ends", Start::kBlinkingTwice, Happening::kTimer, 100, 0, Pose::kRest, Motion::kNone,
     T + kBlinkGapMs},
    {"awake, click", Start::kAwake, Happening::kClick, 0, 0, Pose::kJoy, Motion::kHop, T + kJoyMs},
    {"awake, click in a blink", Start::kBlinking, Happening::kClick, 0, 0, Pose::kJoy, Motion::kHop, T + kJoyMs},
    {"awake, joy goes on", Start::kJoy, Happening::kTimer, 0, 0, Pose::kJoy, Motion::kNone, T + 300},
    {"awake, full hour", Start::kAwake, Happening::kFullHour, 0, 0, Pose::kRest, Motion::kHop, T},
    {"awake, input", Start::kAwake, Happening::kInput, 0, 0, Pose::kRest, Motion::kNone, T},
    {"awake, away", Start::kAwake, Happening::kAway, 0, 0, Pose::kSleep, Motion::kNone, kNever},
    {"awake, ring starts", Start::kAwake, Happening::kRingStart, 0, 0, Pose::kTalk, Motion::kShake, T + kTalkMs},
    {"awake, locked", Start::kAwake, Happening::kPauses, 0, kPauseLocked, Pose::kRest, Motion::kNone, kNever},
    {"awake, battery saver", Start::kAwake, Happening::kPauses, 0, kPauseBatterySaver, Pose::kRest, Motion::kNone,
     kNever},
    {"blinking, hidden", Start::kBlinking, Happening::kPauses, 0, kPauseHidden, Pose::kRest, Motion::kNone, kNever},
    // Asleep.
    {"asleep, timer", Start::kAsleep, Happening::kTimer, 0, 0, Pose::kSleep, Motion::kNone, kNever},
    {"asleep, click wakes without a hop", Start::kAsleep, Happening::kClick, 0, 0, Pose::kBlink, Motion::kNone,
     T + kBlinkMs},
    {"asleep, full hour", Start::kAsleep, Happening::kFullHour, 0, 0, Pose::kSleep, Motion::kNone, kNever},
    {"asleep, input wakes with a blink", Start::kAsleep, Happening::kInput, 0, 0, Pose::kBlink, Motion::kNone,
     T + kBlinkMs},
    {"asleep, ring wakes", Start::kAsleep, Happening::kRingStart, 0, 0, Pose::kTalk, Motion::kShake, T + kTalkMs},
    {"asleep, locked", Start::kAsleep, Happening::kPauses, 0, kPauseLocked, Pose::kSleep, Motion::kNone, kNever},
    // Paused.
    {"paused, timer", Start::kPaused, Happening::kTimer, 0, kPauseLocked, Pose::kRest, Motion::kNone, kNever},
    {"paused, click", Start::kPaused, Happening::kClick, 0, kPauseLocked, Pose::kRest, Motion::kNone, kNever},
    {"paused, full hour", Start::kPaused, Happening::kFullHour, 0, 0, Pose::kRest, Motion::kNone, kNever},
    {"paused, away", Start::kPaused, Happening::kAway, 0, 0, Pose::kSleep, Motion::kNone, kNever},
    {"paused, ring shows", Start::kPaused, Happening::kRingStart, 0, 0, Pose::kTalk, Motion::kShake, T + kTalkMs},
    {"paused, unlocked", Start::kPaused, Happening::kPauses, 5, 0, Pose::kRest, Motion::kNone, T + 2005},
    {"paused, another reason", Start::kPaused, Happening::kPauses, 5, kPauseLocked | kPauseDisplayOff, Pose::kRest,
     Motion::kNone, kNever},
    {"paused asleep, input", Start::kPausedAsleep, Happening::kInput, 0, 0, Pose::kRest, Motion::kNone, kNever},
    {"paused asleep, display on", Start::kPausedAsleep, Happening::kPauses, 0, 0, Pose::kSleep, Motion::kNone,
     kNever},
    // Ringing.
    {"ringing, mouth closes", Start::kRinging, Happening::kTimer, 0, 0, Pose::kRest, Motion::kNone, T + kTalkMs},
    {"ringing, click", Start::kRinging, Happening::kClick, 0, 0, Pose::kTalk, Motion::kNone, T},
    {"ringing, full hour", Start::kRinging, Happening::kFullHour, 0, 0, Pose::kTalk, Motion::kNone, T},
    {"ringing, locked", Start::kRinging, Happening::kPauses, 0, kPauseLocked, Pose::kTalk, Motion::kNone, T},
    {"ringing, away", Start::kRinging, Happening::kAway, 0, 0, Pose::kTalk, Motion::kNone, T},
    {"ringing, ring ends", Start::kRinging, Happening::kRingEnd, 7, 0, Pose::kRest, Motion::kNone, T + 2007},
    {"ringing twice, one ends", Start::kRingingTwice, Happening::kRingEnd, 0, 0, Pose::kTalk, Motion::kNone, T},
    {"not ringing, ring end", Start::kAwake, Happening::kRingEnd, 0, 0, Pose::kRest, Motion::kNone, T},
};

TEST(LifeReaction, Table) {
  for (const Row& row : kRows) {
    LifeState state = StateAt(row.start);
    const LifeAnswer answer = React(&state, row.what, T, row.random, row.pauses);
    EXPECT_EQ(static_cast<int>(answer.pose), static_cast<int>(row.pose)) << row.name;
    EXPECT_EQ(static_cast<int>(answer.motion), static_cast<int>(row.motion)) << row.name;
    EXPECT_EQ(answer.nextAt, row.nextAt) << row.name;
  }
}

TEST(LifeReaction, RingingShakesEveryFiveSecondsAndTalksFourTimesASecond) {
  LifeState state;
  LifeAnswer answer = React(&state, Happening::kRingStart, T, 0);
  ASSERT_EQ(answer.motion, Motion::kShake);
  std::vector<std::uint64_t> shakes{T};
  int talkChanges = 0;
  Pose shown = answer.pose;
  while (answer.nextAt < T + 12000) {
    const std::uint64_t now = answer.nextAt;
    answer = React(&state, Happening::kTimer, now, 0);
    if (answer.motion == Motion::kShake) shakes.push_back(now);
    if (answer.pose != shown && now < T + 1000) ++talkChanges;
    shown = answer.pose;
  }
  EXPECT_EQ(shakes, (std::vector<std::uint64_t>{T, T + 5000, T + 10000}));
  EXPECT_EQ(talkChanges, 3) << "the mouth changes at 250, 500 and 750 ms";
}

// The blinks of a long awake spell, timed only by the rule's own answers.
TEST(LifeReaction, BlinksComeEveryTwoToEightSecondsSometimesTwice) {
  RandomGenerator random;
  random.Seed(12345);
  LifeState state;
  state.nextBlink = 0;
  LifeAnswer answer{Pose::kRest, Motion::kNone, 0};
  std::vector<std::uint64_t> closes;
  for (int step = 0; step < 4000; ++step) {
    const std::uint64_t now = answer.nextAt;
    answer = React(&state, Happening::kTimer, now, random.Next());
    ASSERT_NE(answer.nextAt, kLifeNever);
    ASSERT_GT(answer.nextAt, now);
    if (answer.pose == Pose::kBlink) {
      ASSERT_EQ(answer.nextAt, now + kBlinkMs);
      closes.push_back(now);
    }
  }
  int doubles = 0;
  for (std::size_t i = 1; i < closes.size(); ++i) {
    const std::uint64_t gap = closes[i] - closes[i - 1];
    if (gap == kBlinkMs + kBlinkGapMs) {
      ++doubles;
    } else {
      EXPECT_GE(gap, kBlinkMs + kBlinkEveryMinMs);
      EXPECT_LE(gap, kBlinkMs + kBlinkEveryMaxMs);
    }
  }
  EXPECT_GT(doubles, 0);
  EXPECT_LT(doubles, static_cast<int>(closes.size()) / 4);
}

TEST(LifeMotion, HopRisesATenthAndLands) {
  EXPECT_EQ(OffsetAt(Motion::kHop, 0, 300, 1.0).dy, 0);
  EXPECT_EQ(OffsetAt(Motion::kHop, kHopMs / 2, 300, 1.0).dy, -30);
  EXPECT_EQ(OffsetAt(Motion::kHop, kHopMs, 300, 1.0).dy, 0);
  int highest = 0;
  for (int t = 0; t <= kHopMs; t += kMotionStepMs) {
    const MotionOffset o = OffsetAt(Motion::kHop, t, 300, 1.0);
    EXPECT_EQ(o.dx, 0);
    EXPECT_LE(o.dy, 0);
    highest = std::min(highest, o.dy);
  }
  EXPECT_LE(highest, -29);
}

TEST(LifeMotion, ShakeSwingsAFewPixelsAtTheDisplayScale) {
  for (double scale : {0.7, 1.0, 2.0}) {
    int left = 0, right = 0;
    for (int t = 0; t <= kShakeMs; ++t) {
      const MotionOffset o = OffsetAt(Motion::kShake, t, 300, scale);
      EXPECT_EQ(o.dy, 0);
      left = std::min(left, o.dx);
      right = std::max(right, o.dx);
    }
    const int expected = static_cast<int>(std::max(1.0, 3.0 * scale) + 0.5);
    EXPECT_EQ(right, expected) << scale;
    EXPECT_EQ(left, -expected) << scale;
    EXPECT_EQ(OffsetAt(Motion::kShake, kShakeMs, 300, scale).dx, 0);
  }
}

// The window at rest (rest) on a work area of 0..1000 x 0..700.
TEST(LifeMotion, OffsetsStayWithinTheWorkAreaAtEveryEdge) {
  const ScreenBox area{0, 0, 1000, 700};
  struct Case {
    const char* name;
    ScreenBox rest;
    MotionOffset wanted;
    MotionOffset kept;
  } cases[] = {
      {"room all round", {400, 300, 600, 500}, {3, -20}, {3, -20}},
      {"at the top edge: no hop", {400, 0, 600, 200}, {0, -20}, {0, 0}},
      {"near the top: a smaller hop", {400, 8, 600, 208}, {0, -20}, {0, -8}},
      {"above the top: no further up", {400, -50, 600, 150}, {0, -20}, {0, 0}},
      {"at the left edge", {0, 300, 200, 500}, {-3, 0}, {0, 0}},
      {"at the left edge, swinging right", {0, 300, 200, 500}, {3, 0}, {3, 0}},
      {"at the right edge", {800, 300, 1000, 500}, {3, 0}, {0, 0}},
      {"past the right edge", {900, 300, 1100, 500}, {-3, 0}, {-3, 0}},
      {"past the right edge, swinging out", {900, 300, 1100, 500}, {3, 0}, {0, 0}},
      {"at the bottom", {400, 500, 600, 700}, {0, 5}, {0, 0}},
      {"wider than the area", {-100, 300, 1100, 500}, {3, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    const MotionOffset kept = KeepWithinArea(c.wanted, c.rest, area);
    EXPECT_EQ(kept.dx, c.kept.dx) << c.name;
    EXPECT_EQ(kept.dy, c.kept.dy) << c.name;
  }
}

}  // namespace
