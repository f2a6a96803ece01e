// The balloon drawn with soft edges into a premultiplied picture: its body,
// its tail and its buttons, by the same exact pixel coverage as the hands.
#ifndef TAVELIN_BALLOON_BALLOON_PICTURE_H
#define TAVELIN_BALLOON_BALLOON_PICTURE_H

#include "balloon/balloon_place.h"
#include "pictures/pixel_buffer.h"

// Lengths in the picture's pixels; edges, not pixel centres: pixel (x, y)
// spans x to x + 1.
struct BalloonShape {
  double left = 0, top = 0, right = 0, bottom = 0;  // the body
  double radius = 0;                                 // its corners
  bool hasTail = false;
  double tail[6] = {};  // three corners x, y: the base's two on the body, then the tip
  double outline = 1;   // the outline's width, inside the shape
};

// Colours as 0x00RRGGBB.
struct BalloonColours {
  Pixel fill = 0xFFFDF3;
  Pixel edge = 0x5A4A3A;
  Pixel text = 0x2A2018;
  Pixel button = 0xF3E6CC;
  Pixel buttonHot = 0xFFD98A;
};
BalloonColours DefaultBalloonColours();

// The shape of `placement` in its window's pixels, at `radius` and `outline`.
BalloonShape ShapeOfPlacement(const BalloonPlacement& placement, double radius, double outline);

// Fills the whole of `target` (premultiplied 0xAARRGGBB): the shape's
// inside in `fill`, its outline band in `edge`, transparent beyond, each
// pixel weighted by the part of it the shape covers.
void DrawBalloonShape(PixelView target, const BalloonShape& shape, Pixel fill, Pixel edge);

// Lays a rounded button at `box` (the target's pixels) over what is there,
// source over: `fill` inside an `edge` outline.
void DrawBalloonButton(PixelView target, const BalloonBox& box, double radius, double outline, Pixel fill, Pixel edge);

// The shape's coverage of the pixel (x, y): 0 beyond, 1 wholly inside.
double BalloonCoverage(const BalloonShape& shape, int x, int y);

#endif
