// Sizes and places of the figure: the working canvas, the window, the clock centre.
#ifndef TAVELIN_MASCOT_FIGURE_GEOMETRY_H
#define TAVELIN_MASCOT_FIGURE_GEOMETRY_H

// The clock face is taken to be this square, centred at (75, 75), whatever
// the real size of its picture.
constexpr int kFaceSide = 150;
constexpr int kFaceCentre = 75;

// The DPI at which one pixel is one pixel of a picture drawn at 100 percent.
constexpr int kBaseDpi = 96;

// The scales at which a kit's pictures may be drawn, in percent.
constexpr int kPictureScaleDefault = 100;
constexpr int kPictureScaleMin = 100;
constexpr int kPictureScaleMax = 400;

// The side of the clock face in the pictures' own pixels: 150 at 100
// percent, 300 for pictures drawn at 200.
int FaceSideAt(int nPictureScale);

// What the user sees: the size factor times the monitor's DPI over 96. At
// 96 DPI it is the size factor itself.
double DisplayScale(int nSize, int dpi);

// The factor that turns the canvas, in the pictures' own pixels, into the
// window's pixels: the display scale over the scale the pictures are drawn at.
double PictureFactor(double displayScale, int nPictureScale);

// The window's size for a canvas of the given size at `factor`.
struct WindowSize {
  int width;
  int height;
};
WindowSize FigureWindowSize(int canvasWidth, int canvasHeight, double factor);

// The figure's size on a monitor: the picture factor it is built at, its
// window and the display scale its face is shown at. Where the enlarged
// figure would pass the picture limits (kMaxPictureSide, kMaxPicturePixels)
// it is enlarged by the largest factor within them, a little smaller than
// asked but never absent; `held` tells so. The load builds the figure at
// `pictureFactor` and WM_GETDPISCALEDSIZE answers `window`, so the two agree.
struct FigureSize {
  double pictureFactor;
  double displayScale;
  WindowSize window;
  bool held;
};
FigureSize SizeFigure(int canvasWidth, int canvasHeight, int nSize, int dpi, int nPictureScale);

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
// `faceSide` is the face's side in the pictures' own pixels (FaceSideAt).
bool LayOutCanvas(int characterWidth, int characterHeight, int xPosFace, int yPosFace,
                  CanvasLayout* layout, int faceSide = kFaceSide);

// The size factor for nSize: 0.7 for the small size, 1.0 for the normal one
// and for any value that is neither.
double ScaleForSize(int nSize);

// A real pixel value as an integer: plus 0.5, truncated toward zero.
int RoundPixel(double value);

// A canvas length at the given scale, rounded from the double product.
int ScaledLength(double scale, int length);

// One coordinate of ClockCenter in window pixels for the face offset on that
// axis, the face `faceSide` pixels of the pictures wide.
int ClockCentreCoordinate(double scale, int facePosition, int faceSide = kFaceSide);

#endif
