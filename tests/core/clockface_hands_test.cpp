#include <gtest/gtest.h>

#include "clockface/hands.h"
#include "resource.h"

namespace {

constexpr double kNormal = 1.0;
constexpr double kSmall = 0.7;

enum class Hand { kHour, kSecond };

struct TipCase {
  double scale;
  Hand hand;
  int hour;
  int minute;
  int second;
  int dx;
  int dy;
};

TEST(HandTips, OffsetsFromTheCentreAtBothSizes) {
  const TipCase cases[] = {
      {kNormal, Hand::kSecond, 0, 0, 0, 0, -52},  {kNormal, Hand::kSecond, 0, 0, 15, 52, 0},
      {kNormal, Hand::kSecond, 0, 0, 30, 0, 52},  {kNormal, Hand::kSecond, 0, 0, 45, -51, 0},
      {kNormal, Hand::kHour, 0, 0, 0, 0, -37},    {kNormal, Hand::kHour, 12, 0, 0, 0, -36},
      {kNormal, Hand::kHour, 3, 0, 0, 37, 0},     {kNormal, Hand::kHour, 9, 0, 0, -36, 0},
      {kNormal, Hand::kHour, 10, 10, 0, -30, -21}, {kSmall, Hand::kSecond, 0, 0, 0, 0, -36},
      {kSmall, Hand::kSecond, 0, 0, 15, 37, 0},   {kSmall, Hand::kSecond, 0, 0, 30, 0, 37},
      {kSmall, Hand::kSecond, 0, 0, 45, -36, 0},
  };
  // Two centres, so an offset that ignored the centre would show.
  const HandPoint centres[] = {{0, 0}, {83, 117}};
  for (const TipCase& c : cases) {
    for (const HandPoint& centre : centres) {
      const HandTips tips = ComputeHandTips(centre.x, centre.y, c.scale, c.hour, c.minute, c.second);
      const HandPoint tip = c.hand == Hand::kHour ? tips.hour : tips.second;
      EXPECT_EQ(tip.x - centre.x, c.dx) << "scale " << c.scale << " at " << c.hour << ":" << c.minute << ":"
                                        << c.second;
      EXPECT_EQ(tip.y - centre.y, c.dy) << "scale " << c.scale << " at " << c.hour << ":" << c.minute << ":"
                                        << c.second;
    }
  }
}

TEST(HandTips, MidnightAndNoonDifferBecauseTheHourIsNotReduced) {
  const HandTips midnight = ComputeHandTips(100, 100, kNormal, 0, 0, 0);
  const HandTips noon = ComputeHandTips(100, 100, kNormal, 12, 0, 0);
  EXPECT_EQ(midnight.hour.y, 63);
  EXPECT_EQ(noon.hour.y, 64);
  EXPECT_EQ(midnight.minute.x, noon.minute.x);
  EXPECT_EQ(midnight.minute.y, noon.minute.y);
}

TEST(HandTips, MinuteHandMovesATenthOfADegreeEachSecond) {
  // At 0:15:00 the minute hand points at 90 degrees; 30 s later at 93 degrees.
  const HandTips quarter = ComputeHandTips(0, 0, kNormal, 0, 15, 0);
  EXPECT_EQ(quarter.minute.x, 52);
  EXPECT_EQ(quarter.minute.y, 0);
  const HandTips later = ComputeHandTips(0, 0, kNormal, 0, 15, 30);
  EXPECT_EQ(later.minute.x, 52);
  EXPECT_EQ(later.minute.y, 3);  // 52.5 * sin(3 degrees) = 2.75 -> 3
}

TEST(HandPens, WidthFollowsTheSize) {
  EXPECT_EQ(HandPenWidth(IDM_SIZE_SMALL), 2);
  EXPECT_EQ(HandPenWidth(IDM_SIZE_NORMAL), 3);
  EXPECT_EQ(HandPenWidth(0), 3) << "an unknown size is drawn as normal";
  EXPECT_EQ(HandPenWidth(99999), 3);
}

TEST(HandPens, ColoursStrongWhenActivePaleOtherwise) {
  const HandColours strong = HandPenColours(true);
  EXPECT_EQ(strong.shadow, 0xC0C0C0u);
  EXPECT_EQ(strong.hands, 0x000000u);
  EXPECT_EQ(strong.second, 0x0000FFu);
  const HandColours pale = HandPenColours(false);
  EXPECT_EQ(pale.shadow, 0xE0E0E0u);
  EXPECT_EQ(pale.hands, 0xA0A0A0u);
  EXPECT_EQ(pale.second, 0xA0A0FFu);
}

}  // namespace
