#include "mascot/pose_frames.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "mascot/area_scale.h"
#include "mascot/enlarge.h"
#include "mascot/soft_figure.h"

namespace {

struct Box {
  int left;
  int top;
  int right;
  int bottom;
  bool empty() const { return left >= right || top >= bottom; }
};

Box Intersect(const Box& a, const Box& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

bool Holds(const Box& box, int x, int y) { return x >= box.left && x < box.right && y >= box.top && y < box.bottom; }

// A colour the keyed figure may show: never its key.
Pixel OffKey(Pixel colour, Pixel key) {
  colour &= 0x00FFFFFF;
  if (colour != key) return colour;
  return (key & 0xFF) == 0xFF ? key - 1 : key + 1;
}

// value * factor / 255, rounded.
std::uint32_t MulDiv255(std::uint32_t value, std::uint32_t factor) {
  const std::uint32_t t = value * factor + 128;
  return (t + (t >> 8)) >> 8;
}

// The premultiplied pose over a character pixel, clipped to it: the result
// keeps the character's alpha exactly, so the outline cannot change.
Pixel PoseOverCharacter(Pixel character, Pixel pose) {
  const std::uint32_t alpha = character >> 24;
  const std::uint32_t poseAlpha = pose >> 24;
  Pixel out = alpha << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t c = (character >> shift) & 0xFF;
    const std::uint32_t p = (pose >> shift) & 0xFF;
    out |= std::min(alpha, MulDiv255(c, 255 - poseAlpha) + MulDiv255(p, alpha)) << shift;
  }
  return out;
}

// A soft canvas pixel as the composition makes it: the lower picture, then
// the upper one over it.
Pixel Stack(Pixel lower, Pixel upper) {
  if (upper >> 24 == 255) return upper;
  return upper == 0 ? lower : SourceOver(lower, upper);
}

// Draws the pose into the canvas within `box`; tells whether a pixel changed.
bool DrawPose(PoseSource* source, const PosePicture& pose, const Box& box) {
  const CanvasLayout& layout = source->layout;
  const Box faceBox{layout.faceX, layout.faceY, layout.faceX + source->face.width, layout.faceY + source->face.height};
  const bool faceOnTop = source->fFaceOnChara != 0;
  const PixelView canvas = source->canvas.view();
  bool changed = false;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      const Pixel c = source->character.At(x - layout.characterX, y - layout.characterY);
      const Pixel p = pose.picture.At(x - layout.characterX - pose.x, y - layout.characterY - pose.y);
      const bool underFace = Holds(faceBox, x, y);
      const Pixel f = underFace ? source->face.At(x - layout.faceX, y - layout.faceY) : 0;
      Pixel& out = canvas.At(x, y);
      Pixel posed;
      if (source->soft) {
        if (c == 0 || p == 0) continue;
        const Pixel over = PoseOverCharacter(c, p);
        posed = faceOnTop ? Stack(over, f) : Stack(f, over);
      } else {
        if (c == source->characterKey || p == pose.key || out == source->canvasKey) continue;
        if (faceOnTop && underFace && f != source->faceKey) continue;
        posed = OffKey(p, source->canvasKey);
      }
      if (posed != out) {
        out = posed;
        changed = true;
      }
    }
  }
  return changed;
}

bool ScaleWindowOf(const PoseSource& source, PixelView target, const ScaleWindow& window) {
  const ConstPixelView canvas = source.canvas.view();
  const bool enlarging = window.fullWidth >= canvas.width && window.fullHeight >= canvas.height;
  if (source.soft) {
    return enlarging ? EnlargePremultiplied(canvas, target, window) : ReducePremultiplied(canvas, target, window);
  }
  if (!(enlarging ? EnlargeKeyed(canvas, source.canvasKey, target, window)
                  : ScaleByCoverage(canvas, source.canvasKey, target, window))) {
    return false;
  }
  // The keyed figure's corner stays its key, as the composition leaves it.
  if (window.x == 0 && window.y == 0) target.At(0, 0) = source.canvasKey;
  return true;
}

// The part of the frame `scaled` (at `window`) that differs from `rest`.
Box DifferingBox(ConstPixelView scaled, const ScaleWindow& window, ConstPixelView rest) {
  Box box{scaled.width, scaled.height, 0, 0};
  for (int y = 0; y < scaled.height; ++y) {
    const Pixel* a = scaled.Row(y);
    const Pixel* b = rest.Row(window.y + y) + window.x;
    for (int x = 0; x < scaled.width; ++x) {
      if (a[x] == b[x]) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x + 1);
      box.top = std::min(box.top, y);
      box.bottom = y + 1;
    }
  }
  return box;
}

}  // namespace

PoseFit FitPose(int characterWidth, int characterHeight, int x, int y, int width, int height) {
  const long long right = static_cast<long long>(x) + width;
  const long long bottom = static_cast<long long>(y) + height;
  if (width <= 0 || height <= 0 || right <= 0 || bottom <= 0 || x >= characterWidth || y >= characterHeight) {
    return PoseFit::kOutside;
  }
  if (x < 0 || y < 0 || right > characterWidth || bottom > characterHeight) return PoseFit::kPartlyOutside;
  return PoseFit::kInside;
}

void ScaledReach(int sourceLength, int targetLength, int from, int to, int* first, int* last) {
  *first = targetLength;
  *last = 0;
  const auto note = [&](int t, int low, int high) {
    if (high < from || low >= to) return;
    *first = std::min(*first, t);
    *last = std::max(*last, t + 1);
  };
  if (sourceLength == targetLength) {
    *first = from;
    *last = to;
  } else if (targetLength > sourceLength) {
    const AxisFilter filter = FilterAxis(sourceLength, targetLength);
    for (int t = 0; t < targetLength; ++t) {
      const int* index = &filter.index[static_cast<std::size_t>(t) * kFilterTaps];
      note(t, index[0], index[kFilterTaps - 1]);
    }
  } else {
    const AxisCover cover = CoverAxis(sourceLength, targetLength);
    for (int t = 0; t < targetLength; ++t) {
      note(t, cover.taps[cover.first[t]].index, cover.taps[cover.first[t + 1] - 1].index);
    }
  }
}

bool MakePoseFrame(PoseSource* source, const PosePicture& pose, ConstPixelView rest, PoseFrame* frame) {
  *frame = PoseFrame{};
  const CanvasLayout& layout = source->layout;
  if (pose.picture.empty() || source->canvas.empty() ||
      FitPose(source->character.width, source->character.height, pose.x, pose.y, pose.picture.width,
              pose.picture.height) == PoseFit::kOutside) {
    return false;
  }
  const Box character{layout.characterX, layout.characterY, layout.characterX + source->character.width,
                      layout.characterY + source->character.height};
  const Box posed{character.left + pose.x, character.top + pose.y, character.left + pose.x + pose.picture.width,
                  character.top + pose.y + pose.picture.height};
  const Box box = Intersect(Intersect(character, posed), {0, 0, layout.width, layout.height});
  if (box.empty()) return false;

  // The canvas under the pose, to give back.
  const int boxWidth = box.right - box.left;
  std::vector<Pixel> saved(static_cast<std::size_t>(boxWidth) * (box.bottom - box.top));
  const PixelView canvas = source->canvas.view();
  for (int y = box.top; y < box.bottom; ++y) {
    std::copy_n(&canvas.At(box.left, y), boxWidth, &saved[static_cast<std::size_t>(y - box.top) * boxWidth]);
  }
  const auto giveBack = [&] {
    for (int y = box.top; y < box.bottom; ++y) {
      std::copy_n(&saved[static_cast<std::size_t>(y - box.top) * boxWidth], boxWidth, &canvas.At(box.left, y));
    }
  };
  if (!DrawPose(source, pose, box)) return true;  // covers no figure pixel

  ScaleWindow window{0, 0, source->windowWidth, source->windowHeight};
  int right, bottom;
  ScaledReach(layout.width, window.fullWidth, box.left, box.right, &window.x, &right);
  ScaledReach(layout.height, window.fullHeight, box.top, box.bottom, &window.y, &bottom);
  PixelBuffer scaled;
  const bool made = right > window.x && bottom > window.y &&
                    scaled.Allocate(right - window.x, bottom - window.y, 0) &&
                    ScaleWindowOf(*source, scaled.view(), window);
  giveBack();
  if (!made) return false;

  const Box differs = DifferingBox(scaled.view(), window, rest);
  if (differs.empty()) return true;
  if (!frame->pixels.Allocate(differs.right - differs.left, differs.bottom - differs.top, 0)) return false;
  frame->left = window.x + differs.left;
  frame->top = window.y + differs.top;
  for (int y = differs.top; y < differs.bottom; ++y) {
    std::copy_n(scaled.view().Row(y) + differs.left, differs.right - differs.left,
                frame->pixels.view().Row(y - differs.top));
  }
  return true;
}
