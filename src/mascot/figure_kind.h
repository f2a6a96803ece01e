// Which of the two kinds of figure two pictures make, and the figure made
// from them as decoded: soft when either picture is cut by alpha, keyed
// otherwise.
#ifndef TAVELIN_MASCOT_FIGURE_KIND_H
#define TAVELIN_MASCOT_FIGURE_KIND_H

#include "mascot/figure.h"
#include "mascot/pose_frames.h"
#include "pictures/pixel_buffer.h"

// A decoded picture (0xAARRGGBB, rows from the top), changed in place while
// the figure is made.
struct DecodedPart {
  PixelView pixels;
  bool cutByAlpha;
};

inline bool IsSoftFigure(const DecodedPart& face, const DecodedPart& character) {
  return face.cutByAlpha || character.cutByAlpha;
}

// Composes the figure of `face` and `character` at `scale`, placed as
// `placement` says (its pictures and keys are not read), and tells its kind.
// A keyed figure takes each picture keyed by its corner; a soft one takes a
// picture cut by alpha premultiplied and any other opaque but for its corner
// colour. False, with `figure` untouched, as ComposeFigure and
// ComposeSoftFigure fail.
// With `poses`, what the pose frames are made from is kept there.
bool ComposeDecodedFigure(DecodedPart face, DecodedPart character, const FigurePictures& placement, double scale,
                          Figure* figure, bool* soft, PoseSource* poses = nullptr);

// A pose picture made ready for a figure of the kind `soft` (premultiplied,
// or keyed), in place; its key for a keyed figure. A pose cut by alpha over
// a keyed figure shows where it is at least half opaque.
Pixel PreparePose(DecodedPart pose, bool soft);

#endif
