// Where the balloon stands: beside the figure's head, on the side of the
// monitor that has room, wholly within the work area, its tail aimed at the
// figure.
#ifndef TAVELIN_BALLOON_BALLOON_PLACE_H
#define TAVELIN_BALLOON_BALLOON_PLACE_H

// Right and bottom exclusive.
struct BalloonBox {
  int left, top, right, bottom;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct BalloonSpot {
  int x, y;
};

// Where the balloon lies as seen from the figure.
enum class BalloonSide { kAbove, kLeft, kRight, kBelow };

struct BalloonPlacement {
  BalloonBox window;  // the whole window: the body and its tail
  BalloonBox body;
  BalloonSide side = BalloonSide::kAbove;
  bool hasTail = false;
  BalloonSpot tailFrom, tailTo;  // the tail's base, on the body's edge facing the figure
  BalloonSpot tip;               // where the tail points
};

// The balloon's size and its tail.
struct BalloonSize {
  int width, height;
  int tail;         // the tail's length, the gap between body and figure
  int tailHalf;     // half the tail's base
  int cornerRadius;
};

// Places a balloon of `size` beside `figure` (the figure's window, screen
// pixels) whose head is at `anchor` (screen pixels), within `work`: above,
// then on the side with the more room, then the other, then below; the first
// where it fits whole wins. Where it fits nowhere, it goes to the side with
// the most room, pushed into the work area (the top-left corner of it when
// larger), its tail kept only where it still points out of the body.
BalloonPlacement PlaceBalloon(const BalloonBox& figure, BalloonSpot anchor, const BalloonSize& size,
                              const BalloonBox& work);

// The point of the figure's window the tail aims at: (xPos, yPos) of the
// character picture when the section gives them, else the top centre of that
// picture; the picture lies at (characterX, characterY) of the canvas,
// `characterWidth` wide, and the canvas is shown at `factor`.
BalloonSpot BalloonAnchor(int characterX, int characterY, int characterWidth, bool hasPosition, int xPos, int yPos,
                          double factor);

#endif
