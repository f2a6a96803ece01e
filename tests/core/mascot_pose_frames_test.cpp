// The pose frames: made for a rectangle only, yet equal to the whole figure
// composed with the pose, and never changing the outline.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "mascot/figure.h"
#include "mascot/figure_geometry.h"
#include "mascot/figure_kind.h"
#include "mascot/pose_frames.h"
#include "pictures/pixel_buffer.h"

namespace {

constexpr Pixel kGreenKey = 0xFF00C000;  // the keyed pictures' corner colour
constexpr int kCharacterWidth = 120;
constexpr int kCharacterHeight = 160;

// Decoded pictures (0xAARRGGBB straight alpha) as a picture file gives them.
// Soft ones fade out over their last pixels; keyed ones have the green key
// wherever they do not show.
PixelBuffer Ellipse(int width, int height, Pixel colour, bool soft) {
  PixelBuffer b;
  EXPECT_TRUE(b.Allocate(width, height, soft ? 0 : kGreenKey));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
      const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
      const double inside = (1.0 - std::sqrt(dx * dx + dy * dy)) * width / 2.0;  // pixels from the edge
      if (inside <= 0) continue;
      const Pixel tint = colour ^ static_cast<Pixel>((x * 7 + y * 13) & 0x1F);  // no two neighbours alike
      if (!soft || inside >= 3.0) {
        b.view().At(x, y) = 0xFF000000 | tint;
      } else {
        b.view().At(x, y) = (static_cast<Pixel>(inside / 3.0 * 255.0) << 24) | tint;
      }
    }
  }
  return b;
}

// Eyes closed: an opaque band, transparent (or keyed) about it.
PixelBuffer EyesPose(int width, int height, bool soft) {
  PixelBuffer b;
  EXPECT_TRUE(b.Allocate(width, height, soft ? 0 : kGreenKey));
  for (int y = height / 4; y < height * 3 / 4; ++y) {
    for (int x = 2; x < width - 2; ++x) b.view().At(x, y) = 0xFF203040 + static_cast<Pixel>(x);
  }
  return b;
}

// The character with the pose put on it as the rule says: only where the
// character shows, the pose's pixels over it, masked by the character's alpha.
PixelBuffer PosedCharacter(const PixelBuffer& character, const PixelBuffer& pose, int px, int py, bool soft) {
  PixelBuffer posed = character;
  for (int y = 0; y < pose.height(); ++y) {
    for (int x = 0; x < pose.width(); ++x) {
      const int cx = px + x, cy = py + y;
      if (cx < 0 || cy < 0 || cx >= character.width() || cy >= character.height()) continue;
      const Pixel p = pose.view().At(x, y);
      Pixel& c = posed.view().At(cx, cy);
      if (soft ? (p >> 24 == 0 || c >> 24 == 0) : (p == kGreenKey || c == kGreenKey)) continue;
      c = (c & 0xFF000000) | (p & 0x00FFFFFF);
    }
  }
  return posed;
}

struct Made {
  Figure figure;
  bool soft = false;
  PoseSource source;
};

// The figure of `character` with a face, at `factor`, the pictures copied
// since the composition changes them in place.
void Compose(const PixelBuffer& face, const PixelBuffer& character, bool soft, bool faceOnTop, double factor,
             Made* made, PixelBuffer* faceCopy, PixelBuffer* characterCopy) {
  *faceCopy = face;
  *characterCopy = character;
  FigurePictures placement{};
  placement.face = faceCopy->view();
  placement.character = characterCopy->view();
  placement.xPosFace = 10;
  placement.yPosFace = 30;  // the face lies over the eyes' band
  placement.fFaceOnChara = faceOnTop ? 1 : 0;
  ASSERT_TRUE(ComposeDecodedFigure({faceCopy->view(), soft}, {characterCopy->view(), soft}, placement, factor,
                                   &made->figure, &made->soft, &made->source));
}

bool SameOutlinePixel(Pixel a, Pixel b, bool soft, Pixel key) {
  return soft ? (a >> 24) == (b >> 24) : (a == key) == (b == key);
}

TEST(PoseFrames, FrameIsTheWholePosedFigureWithinItsRectangleAndTheRestFigureOutside) {
  struct Scale {
    const char* name;
    int nSize;
    int dpi;
  } scales[] = {{"small at 96", 42001, 96}, {"normal at 96", 42002, 96}, {"small at 192", 42001, 192},
                {"normal at 192", 42002, 192}};
  struct Place {
    int x, y;
    bool faceOnTop;
  } places[] = {{20, 40, true}, {-12, 50, false}};  // under the face's edge; partly left of the character
  for (bool soft : {false, true}) {
    const PixelBuffer face = Ellipse(kFaceSide, kFaceSide, 0x00E0E0F0, soft);
    const PixelBuffer character = Ellipse(kCharacterWidth, kCharacterHeight, 0x00C06020, soft);
    PixelBuffer pose = EyesPose(60, 24, soft);
    for (const Scale& scale : scales) {
      for (const Place& place : places) {
        {
          const bool faceOnTop = place.faceOnTop;
          const std::string what = std::string(soft ? "soft " : "keyed ") + scale.name + " at " +
                                   std::to_string(place.x) + (faceOnTop ? ", face on top" : ", face under");
          const double factor = PictureFactor(DisplayScale(scale.nSize, scale.dpi), 100);
          Made rest, oracle;
          PixelBuffer f1, c1, f2, c2;
          Compose(face, character, soft, faceOnTop, factor, &rest, &f1, &c1);
          Compose(face, PosedCharacter(character, pose, place.x, place.y, soft), soft, faceOnTop, factor, &oracle,
                  &f2, &c2);

          PixelBuffer poseCopy = pose;
          PosePicture posePicture{poseCopy.view(), place.x, place.y, 0};
          posePicture.key = PreparePose({poseCopy.view(), soft}, soft);
          PoseFrame frame;
          ASSERT_TRUE(MakePoseFrame(&rest.source, posePicture, rest.figure.picture.view(), &frame)) << what;
          ASSERT_FALSE(frame.empty()) << what;

          const ConstPixelView restPixels = rest.figure.picture.view();
          const ConstPixelView posed = oracle.figure.picture.view();
          ASSERT_EQ(posed.width, restPixels.width);
          ASSERT_EQ(posed.height, restPixels.height);
          const Pixel key = restPixels.At(0, 0);
          int inside = 0, outsideDiffers = 0, insideDiffers = 0, outlineChanged = 0;
          for (int y = 0; y < posed.height; ++y) {
            for (int x = 0; x < posed.width; ++x) {
              const bool inFrame = x >= frame.left && y >= frame.top && x < frame.left + frame.pixels.width() &&
                                   y < frame.top + frame.pixels.height();
              if (!SameOutlinePixel(posed.At(x, y), restPixels.At(x, y), soft, key)) ++outlineChanged;
              if (!inFrame) {
                if (posed.At(x, y) != restPixels.At(x, y)) ++outsideDiffers;
                continue;
              }
              ++inside;
              const Pixel made = frame.pixels.view().At(x - frame.left, y - frame.top);
              if (made != posed.At(x, y)) ++insideDiffers;
              if (!SameOutlinePixel(made, restPixels.At(x, y), soft, key)) ++outlineChanged;
            }
          }
          EXPECT_EQ(outsideDiffers, 0) << what;
          EXPECT_EQ(insideDiffers, 0) << what << " of " << inside;
          EXPECT_EQ(outlineChanged, 0) << what;
          // The canvas is given back as it was: a second frame is the same.
          PoseFrame again;
          ASSERT_TRUE(MakePoseFrame(&rest.source, posePicture, restPixels, &again));
          EXPECT_EQ(again.left, frame.left);
          EXPECT_EQ(again.top, frame.top);
          EXPECT_EQ(again.pixels.view().At(0, 0), frame.pixels.view().At(0, 0)) << what;
        }
      }
    }
  }
}

TEST(PoseFrames, PicturesDrawnAtTwoHundredReducedAtNinetySix) {
  for (bool soft : {false, true}) {
    const PixelBuffer face = Ellipse(FaceSideAt(200), FaceSideAt(200), 0x00E0E0F0, soft);
    const PixelBuffer character = Ellipse(2 * kCharacterWidth, 2 * kCharacterHeight, 0x00C06020, soft);
    PixelBuffer pose = EyesPose(120, 48, soft);
    FigurePictures placement{};
    PixelBuffer f = face, c = character;
    placement.face = f.view();
    placement.character = c.view();
    placement.xPosFace = 20;
    placement.yPosFace = 200;
    placement.nPictureScale = 200;
    Made rest;
    const double factor = PictureFactor(DisplayScale(42002, 96), 200);
    ASSERT_TRUE(ComposeDecodedFigure({f.view(), soft}, {c.view(), soft}, placement, factor, &rest.figure, &rest.soft,
                                     &rest.source));
    const PixelBuffer posedCharacter = PosedCharacter(character, pose, 60, 80, soft);
    PixelBuffer f2 = face, c2 = posedCharacter;
    placement.face = f2.view();
    placement.character = c2.view();
    Made oracle;
    ASSERT_TRUE(ComposeDecodedFigure({f2.view(), soft}, {c2.view(), soft}, placement, factor, &oracle.figure,
                                     &oracle.soft, nullptr));
    PixelBuffer poseCopy = pose;
    PosePicture posePicture{poseCopy.view(), 60, 80, 0};
    posePicture.key = PreparePose({poseCopy.view(), soft}, soft);
    PoseFrame frame;
    ASSERT_TRUE(MakePoseFrame(&rest.source, posePicture, rest.figure.picture.view(), &frame));
    ASSERT_FALSE(frame.empty());
    EXPECT_LT(frame.pixels.width() * frame.pixels.height(), rest.figure.picture.width() * rest.figure.picture.height() / 4)
        << "only the rectangle is kept";
    const ConstPixelView posed = oracle.figure.picture.view();
    const ConstPixelView restPixels = rest.figure.picture.view();
    int wrong = 0;
    for (int y = 0; y < posed.height; ++y) {
      for (int x = 0; x < posed.width; ++x) {
        const int fx = x - frame.left, fy = y - frame.top;
        const bool in = fx >= 0 && fy >= 0 && fx < frame.pixels.width() && fy < frame.pixels.height();
        if ((in ? frame.pixels.view().At(fx, fy) : restPixels.At(x, y)) != posed.At(x, y)) ++wrong;
      }
    }
    EXPECT_EQ(wrong, 0) << (soft ? "soft" : "keyed");
  }
}

TEST(PoseFrames, PoseOutsideOrOverNothingIsNoFrame) {
  const PixelBuffer face = Ellipse(kFaceSide, kFaceSide, 0x00E0E0F0, false);
  const PixelBuffer character = Ellipse(kCharacterWidth, kCharacterHeight, 0x00C06020, false);
  Made rest;
  PixelBuffer f, c;
  Compose(face, character, false, false, 1.0, &rest, &f, &c);
  PixelBuffer pose = EyesPose(20, 20, false);
  const Pixel key = PreparePose({pose.view(), false}, false);
  PoseFrame frame;
  EXPECT_FALSE(MakePoseFrame(&rest.source, {pose.view(), kCharacterWidth, 0, key}, rest.figure.picture.view(), &frame))
      << "wholly right of the character";
  EXPECT_FALSE(MakePoseFrame(&rest.source, {pose.view(), -20, -20, key}, rest.figure.picture.view(), &frame))
      << "wholly above and left, touching the corner";
  // The character's top-left corner is outside its ellipse.
  ASSERT_TRUE(MakePoseFrame(&rest.source, {pose.view(), -4, -4, key}, rest.figure.picture.view(), &frame));
  EXPECT_TRUE(frame.empty()) << "covers no figure pixel";
}

TEST(PoseFrames, FitOfAPoseOverItsCharacter) {
  struct Case {
    int x, y, w, h;
    PoseFit fit;
  } cases[] = {
      {0, 0, 120, 160, PoseFit::kInside},      {10, 10, 20, 20, PoseFit::kInside},
      {-1, 10, 20, 20, PoseFit::kPartlyOutside}, {110, 150, 20, 20, PoseFit::kPartlyOutside},
      {120, 0, 20, 20, PoseFit::kOutside},     {-20, 0, 20, 20, PoseFit::kOutside},
      {0, 160, 5, 5, PoseFit::kOutside},       {0, -5, 5, 5, PoseFit::kOutside},
      {2147483000, 0, 2000, 5, PoseFit::kOutside},
  };
  for (const Case& k : cases) {
    EXPECT_EQ(FitPose(120, 160, k.x, k.y, k.w, k.h), k.fit) << k.x << "," << k.y;
  }
}

}  // namespace
