// The hands as the Windows build draws them: the same pixels as the native build.
#include <gtest/gtest.h>

#include "../core/hand_strokes_digest.h"

namespace {

TEST(HandStrokesOnWindows, TheSamePixelsAsTheNativeBuild) {
  EXPECT_EQ(HandsDigest(), kHandsDigest) << std::hex << HandsDigest();
}

}  // namespace
