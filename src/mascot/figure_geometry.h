// Sizes and places of the figure: the working canvas, the window, the clock centre.
#ifndef TAVELIN_MASCOT_FIGURE_GEOMETRY_H
#define TAVELIN_MASCOT_FIGURE_GEOMETRY_H

// The clock face is taken to be this square, centred at (75, 75), whatever
// the real size of its picture.
constexpr int kFaceSide = 150;
constexpr int kFaceCentre = 75;

// The canvas holding the face and the character, and where each is drawn.
struct CanvasLayout {
  int width;
  int height;
  int faceX;
  int faceY;
  int characterX;
  int characterY;
};

// Lays out a character picture of the given size with the face's top-left
// corner at (xPosFace, yPosFace) relative to the character's. False when the
// character size is not positive or the canvas would be beyond the picture
// limits (kMaxPictureSide, kMaxPicturePixels).
bool LayOutCanvas(int characterWidth, int characterHeight, int xPosFace, int yPosFace,
                  CanvasLayout* layout);

// The size factor for nSize: 0.7 for the small size, 1.0 for the normal one
// and for any value that is neither.
double ScaleForSize(int nSize);

// A real pixel value as an integer: plus 0.5, truncated toward zero.
int RoundPixel(double value);

// A canvas length at the given scale, rounded from the double product.
int ScaledLength(double scale, int length);

// One coordinate of ClockCenter in window pixels for the face offset on that axis.
int ClockCentreCoordinate(double scale, int facePosition);

#endif
