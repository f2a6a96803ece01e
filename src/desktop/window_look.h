// How the figure's window is shown: its opacity and whether clicks pass
// through it, for either kind of figure.
#ifndef TAVELIN_DESKTOP_WINDOW_LOOK_H
#define TAVELIN_DESKTOP_WINDOW_LOOK_H

#include <cstdint>

// The four opacities the menu offers, in percent, the most opaque first.
constexpr int kOpacities[] = {100, 80, 60, 40};
constexpr int kFullOpacity = 100;

// The offered opacity nearest to `percent`; of two as near, the more opaque.
int NearestOpacity(int percent);

// The constant alpha of an opacity in percent: 255 at 100, 153 at 60.
std::uint8_t OpacityAlpha(int percent);

enum class WindowLayering {
  kNone,           // a plain window with a region: a keyed figure as it always was
  kConstantAlpha,  // layered with one alpha for the whole window, region kept
  kPerPixel,       // layered with the figure's own alpha (a soft figure)
};

struct WindowLook {
  WindowLayering layering;
  std::uint8_t alpha;  // the whole window's alpha, over the figure's own
  bool clickThrough;   // every mouse event goes to what lies beneath
};

// A soft figure is always layered and takes the opacity in its blend; a
// keyed one is layered only when it is see-through or lets clicks through,
// since only a layered window passes clicks on.
WindowLook LookFor(bool softFigure, int opacityPercent, bool clickThrough);

// Whether a window layered now must have its layering cleared before it is
// set again for the new way: a window given its alpha once
// (SetLayeredWindowAttributes) takes no picture of its own
// (UpdateLayeredWindow) until its layering is cleared and set again, so it
// is cleared at every change of the way.
bool ClearLayeringFirst(bool layeredNow, WindowLayering previous, WindowLayering next);

#endif
