// The geometry and pens of the three hands, free of any window system.
#ifndef TAVELIN_CLOCKFACE_HANDS_H
#define TAVELIN_CLOCKFACE_HANDS_H

#include <cstdint>

struct HandPoint {
  int x;
  int y;
};

constexpr double kHourHandFactor = 0.25;
constexpr double kMinuteHandFactor = 0.35;
constexpr double kSecondHandFactor = 0.35;
constexpr int kShadowOffset = 3;

// The tip of a hand at `degrees` clockwise from 12 o'clock, `factor` times
// the 150-pixel face scaled by `scale`, from the centre (y downwards).
HandPoint HandTip(int xCenter, int yCenter, double scale, double degrees, double factor);

struct HandTips {
  HandPoint hour;
  HandPoint minute;
  HandPoint second;
};

// The three tips for a time as read (hour 0-23, not reduced modulo 12, so
// 0:00 and 12:00 differ by a pixel).
HandTips ComputeHandTips(int xCenter, int yCenter, double scale, int hour, int minute, int second);

// Pen width of the hour and minute hands and their shadow: 2 at small size,
// 3 at normal size and for any size value outside the two.
int HandPenWidth(int nSize);

// The pens' sizes on a monitor of `dpi`: the widths of the hour and minute
// hands (HandPenWidth) and of the second hand (1) and the shadow's offset
// (kShadowOffset), each times the DPI over 96, rounded, at least 1.
struct HandPens {
  int width;
  int secondWidth;
  int shadowOffset;
};
HandPens HandPensAt(int nSize, int dpi);

// Pen colours as 0x00BBGGRR.
struct HandColours {
  std::uint32_t shadow;
  std::uint32_t hands;
  std::uint32_t second;
};

// Strong colours while the clock window is the foreground window, pale ones otherwise.
HandColours HandPenColours(bool active);

#endif
