// The hands drawn with soft edges into a 32-bit picture, free of any window
// system, so that the same pixels come out wherever the clock runs.
#ifndef TAVELIN_CLOCKFACE_HAND_STROKES_H
#define TAVELIN_CLOCKFACE_HAND_STROKES_H

#include <cstdint>

#include "clockface/hands.h"
#include "pictures/pixel_buffer.h"

// How the target's pixels are stored.
enum class HandsSurface {
  kOpaque,         // a keyed figure: 0x00RRGGBB, every pixel opaque; the top byte stays 0
  kPremultiplied,  // a soft figure: premultiplied 0xAARRGGBB, composed with "source over"
};

// Draws the shadow, the hour and minute hands and the second hand for the time (hour 0-23)
// around the clock centre (xCenter, yCenter), given in window pixels, into `target`, which
// holds the window's pixels from (originX, originY) on; strokes are clipped to it.
// Round-capped strokes with analytic coverage; tips from ComputeHandTips at `scale` (the
// display scale), widths and shadow offset from HandPensAt(nSize, dpi), colours from
// HandPenColours(active), order: shadow, hour+minute, second.
void RenderClockHands(PixelView target, int originX, int originY, HandsSurface surface,
                      int xCenter, int yCenter, double scale, int nSize,
                      int hour, int minute, int second, bool active, int dpi);

struct HandsRect {
  int left, top, right, bottom;  // right and bottom exclusive
};

// The window pixels any time's strokes can touch around that centre.
HandsRect ClockHandsBounds(int xCenter, int yCenter, double scale, int nSize, int dpi);

// One pen: a polyline through the centres of the pixels `points` (window pixels),
// `width` pixels wide with round caps and joins, in `colour` (0x00BBGGRR, as the
// pens are given), laid over `target` with its coverage. Where the polyline's
// segments overlap, a pixel is covered once.
void DrawHandStroke(PixelView target, int originX, int originY, HandsSurface surface,
                    const HandPoint* points, int count, int width, std::uint32_t colour);

// The part of a pixel that lies on the inner side of a straight edge whose
// normal is (nx, ny) (unit length), the pixel's centre `inside` pixels within
// it (negative: outside). The exact area, as the strokes' own edges have it.
double HalfPlaneCoverage(double inside, double nx, double ny);

#endif
