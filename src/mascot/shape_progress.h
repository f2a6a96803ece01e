// The progress window shown while the outline is built.
#ifndef TAVELIN_MASCOT_SHAPE_PROGRESS_H
#define TAVELIN_MASCOT_SHAPE_PROGRESS_H

#include "desktop/screen_clamp.h"

// The bar's value once row y (from 0) of a picture `height` rows high is done:
// 5, 10, ... 100.
int ProgressAfterRow(int y, int height);

// Remembers the last value sent to the bar, which starts at 0.
class ProgressCounter {
 public:
  // The value to send after row y, or 0 when the bar already shows it.
  int AfterRow(int y, int height) {
    const int value = ProgressAfterRow(y, height);
    if (value == lastSent_) return 0;
    lastSent_ = value;
    return value;
  }

 private:
  int lastSent_ = 0;
};

struct ScreenPoint {
  int x;
  int y;
};

// The top-left corner that centres `window` over `parent` (integer halves
// truncated toward zero).
ScreenPoint CentreOver(const ScreenRect& window, const ScreenRect& parent);

#endif
