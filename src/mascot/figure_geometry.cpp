#include "mascot/figure_geometry.h"

#include <algorithm>

#include "pictures/pixel_buffer.h"
#include "resource.h"

namespace {

// One axis of the canvas: the larger of the character and the face's far
// edge, widened by a negative offset. 64-bit, so no offset can wrap it.
long long CanvasLength(long long characterLength, long long facePosition, long long faceSide) {
  long long length = std::max(characterLength, facePosition + faceSide);
  if (facePosition < 0) length -= facePosition;
  return length;
}

}  // namespace

bool LayOutCanvas(int characterWidth, int characterHeight, int xPosFace, int yPosFace,
                  CanvasLayout* layout, int faceSide) {
  if (characterWidth <= 0 || characterHeight <= 0) return false;
  const long long width = CanvasLength(characterWidth, xPosFace, faceSide);
  const long long height = CanvasLength(characterHeight, yPosFace, faceSide);
  if (!IsSanePictureSize(width, height)) return false;
  // Within the limit every offset lies between -kMaxPictureSide and kMaxPictureSide.
  layout->width = static_cast<int>(width);
  layout->height = static_cast<int>(height);
  layout->faceX = std::max(xPosFace, 0);
  layout->faceY = std::max(yPosFace, 0);
  layout->characterX = std::max(-xPosFace, 0);
  layout->characterY = std::max(-yPosFace, 0);
  return true;
}

double ScaleForSize(int nSize) { return nSize == IDM_SIZE_SMALL ? 0.7 : 1.0; }

int RoundPixel(double value) {
  const double shifted = value + 0.5;
  return static_cast<int>(shifted);
}

int ScaledLength(double scale, int length) {
  const double product = scale * length;
  return RoundPixel(product);
}

int ClockCentreCoordinate(double scale, int facePosition, int faceSide) {
  const double centre = faceSide * 0.5;
  const double unscaled = facePosition < 0 ? centre : static_cast<double>(facePosition) + centre;
  const double product = scale * unscaled;
  return RoundPixel(product);
}

int FaceSideAt(int nPictureScale) { return (kFaceSide * nPictureScale + 50) / 100; }

double DisplayScale(int nSize, int dpi) {
  // The DPI's ratio first: 96 gives 1 exactly, so the product is the size factor.
  const double monitor = static_cast<double>(dpi) / kBaseDpi;
  return ScaleForSize(nSize) * monitor;
}

double PictureFactor(double displayScale, int nPictureScale) {
  return displayScale / (nPictureScale / 100.0);
}

WindowSize FigureWindowSize(int canvasWidth, int canvasHeight, double factor) {
  return {ScaledLength(factor, canvasWidth), ScaledLength(factor, canvasHeight)};
}

FigureSize SizeFigure(int canvasWidth, int canvasHeight, int nSize, int dpi, int nPictureScale) {
  const double displayScale = DisplayScale(nSize, dpi);
  const double asked = PictureFactor(displayScale, nPictureScale);
  const auto fits = [&](double factor) {
    const WindowSize size = FigureWindowSize(canvasWidth, canvasHeight, factor);
    return IsSanePictureSize(size.width, size.height);
  };
  if (asked <= 1.0 || fits(asked)) {
    return {asked, displayScale, FigureWindowSize(canvasWidth, canvasHeight, asked), false};
  }
  // The canvas itself is within the limits, so factor 1 fits: the largest
  // factor that fits lies between 1 and the asked one.
  double low = 1.0;
  double high = asked;
  for (int step = 0; step < 64; ++step) {
    const double middle = low + (high - low) / 2;
    if (middle <= low || middle >= high) break;
    (fits(middle) ? low : high) = middle;
  }
  return {low, low * (nPictureScale / 100.0), FigureWindowSize(canvasWidth, canvasHeight, low), true};
}
