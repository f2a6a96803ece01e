#include "pictures/keyed_picture.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr Pixel kColourMask = 0x00FFFFFF;

// The lowest colour that none of the pixels added has. Among n pixels it is
// at most n, so only the colours up to n are recorded.
class LowestFreeColour {
 public:
  explicit LowestFreeColour(std::size_t pixels)
      : seen_(std::min<std::size_t>(pixels, kColourMask) + 1, 0) {}
  void Add(Pixel colour) {
    if (colour < seen_.size()) seen_[colour] = 1;
  }
  // kCanvasMagenta when every colour is taken.
  Pixel Get() const {
    for (std::size_t colour = 0; colour < seen_.size(); ++colour) {
      if (!seen_[colour]) return static_cast<Pixel>(colour);
    }
    return kCanvasMagenta;
  }

 private:
  std::vector<std::uint8_t> seen_;
};

std::size_t PixelCount(ConstPixelView picture) {
  return picture.empty() ? 0 : static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

template <typename IsFigure>
bool AnyFigurePixelIs(ConstPixelView picture, Pixel colour, IsFigure isFigure) {
  for (int y = 0; y < picture.height; ++y) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      if (isFigure(row[x]) && (row[x] & kColourMask) == colour) return true;
    }
  }
  return false;
}

template <typename IsFigure>
void AddFigureColours(ConstPixelView picture, IsFigure isFigure, LowestFreeColour* colours) {
  for (int y = 0; y < picture.height; ++y) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      if (isFigure(row[x])) colours->Add(row[x] & kColourMask);
    }
  }
}

bool AlphaSaysNothing(ConstPixelView picture) {
  for (int y = 0; y < picture.height; ++y) {
    const Pixel* row = picture.Row(y);
    for (int x = 0; x < picture.width; ++x) {
      if ((row[x] & ~kColourMask) != 0) return false;
    }
  }
  return true;
}

// A figure pixel of a picture keyed by `key`. A value with its top byte set
// can equal no key colour, so it takes none away.
auto IsFigurePixelOf(Pixel key) {
  return [key](Pixel p) { return p != key && p <= kColourMask; };
}

}  // namespace

Pixel ResolveKey(ConstPixelView picture, Pixel key) {
  if (key != kOwnCornerKey || picture.empty()) return key;
  return picture.At(0, 0);
}

Pixel FindFreeKey(std::span<const KeyedView> pictures) {
  bool magentaTaken = false;
  for (const KeyedView& part : pictures) {
    const Pixel key = ResolveKey(part.picture, part.key);
    magentaTaken = magentaTaken || AnyFigurePixelIs(part.picture, kCanvasMagenta, IsFigurePixelOf(key));
  }
  if (!magentaTaken) return kCanvasMagenta;
  std::size_t pixels = 0;
  for (const KeyedView& part : pictures) pixels += PixelCount(part.picture);
  LowestFreeColour colours(pixels);
  for (const KeyedView& part : pictures) {
    const Pixel key = ResolveKey(part.picture, part.key);
    AddFigureColours(part.picture, IsFigurePixelOf(key), &colours);
  }
  return colours.Get();
}

bool IsCutByAlpha(const PictureHeader& header, ConstPixelView decoded) {
  if (decoded.empty() || !header.MayHaveAlpha()) return false;
  return header.format == PictureFormat::kPng || !AlphaSaysNothing(decoded);
}

Pixel KeyPicture(PixelView decoded) {
  if (decoded.empty()) return 0;
  for (int y = 0; y < decoded.height; ++y) {
    Pixel* row = decoded.Row(y);
    for (int x = 0; x < decoded.width; ++x) row[x] &= kColourMask;
  }
  return decoded.At(0, 0);
}
