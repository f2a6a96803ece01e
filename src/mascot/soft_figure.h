// The soft figure: pictures with an alpha channel keep their soft edges. It is
// composed in premultiplied 0xAARRGGBB (each colour channel already multiplied
// by alpha / 255, so a pixel with alpha 0 is 0 exactly) and shown with its
// alpha; the outline holds every pixel with alpha above 0.
#ifndef TAVELIN_MASCOT_SOFT_FIGURE_H
#define TAVELIN_MASCOT_SOFT_FIGURE_H

#include <vector>

#include "mascot/area_scale.h"
#include "mascot/figure.h"
#include "mascot/shape_runs.h"
#include "pictures/pixel_buffer.h"

// Decoded pixels with straight alpha (0xAARRGGBB) made premultiplied, in place.
void PremultiplyPicture(PixelView decoded);

// A keyed picture (0x00RRGGBB) made premultiplied, in place: pixels of `key`
// become transparent, every other pixel opaque with its colour.
void OpaqueFromKey(PixelView keyed, Pixel key);

// "Source over" of two premultiplied pixels: the source plus what its alpha
// leaves of the destination, each channel rounded to the nearest value.
Pixel SourceOver(Pixel destination, Pixel source);

// Puts `source` over `destination` at (x, y); whatever falls outside is clipped.
void DrawSourceOver(PixelView destination, int x, int y, ConstPixelView source);

// Fills `target` with the premultiplied `source` reduced to the target's size
// by area average, with the same coverage weights as the keyed reduction.
// Each pixel's alpha is the covered alpha rounded; its colour is the
// alpha-weighted average of the covered colours at that alpha, so an edge
// pixel shows no colour that the figure does not have, and a pixel that no
// figure pixel covers is 0. Equal sizes give an exact copy. False when either
// picture is empty.
bool ReducePremultiplied(ConstPixelView source, PixelView target);
bool ReducePremultiplied(ConstPixelView source, PixelView target, const ScaleWindow& window);

// Builds the soft figure at `scale` from pictures already premultiplied (the
// keys of `pictures` are not used): the canvas starts transparent, the
// pictures are laid out and stacked as for a keyed figure and put on with
// "source over", and nothing is cut. False, with `figure` untouched, when a
// picture is missing, the canvas would be beyond the limits, or memory is short.
// With `canvas`, the unscaled canvas is kept there too.
bool ComposeSoftFigure(const FigurePictures& pictures, double scale, Figure* figure, PixelBuffer* canvas = nullptr);

// The outline of a premultiplied picture: the runs of pixels with alpha above 0.
std::vector<ShapeRun> FindAlphaRuns(ConstPixelView premultiplied);

#endif
