#include "alphablend/alpha_blend_canvas.h"

#include <gtest/gtest.h>

#include "alphablend/alpha_functions.h"
#include "alphablend/canvas.h"
#include "support/canvas_probe.h"

namespace {
// Our own blend rounds to nearest; the system's may be one off.
#ifdef _WIN32
constexpr int kTolerance = 1;
#else
constexpr int kTolerance = 0;
#endif
#define EXPECT_PIXEL(actual, expected)                   \
  EXPECT_PRED3(PixelsNear, actual, expected, kTolerance) \
      << std::hex << (actual) << " vs " << (expected)

constexpr BLENDFUNCTION PerPixel(BYTE constant) {
  return {AC_SRC_OVER, 0, constant, AC_SRC_ALPHA};
}

class AlphaBlendCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BindAlphaFunctions();
    src.Resize(4, 4);
    dst.Resize(4, 4);
    src.Clear();
    dst.Clear();
  }
  void TearDown() override { ReleaseAlphaFunctions(); }
  CCanvas src, dst;
};
}  // namespace

TEST_F(AlphaBlendCanvasTest, DrawsNothingWhenTheSystemFunctionIsAbsent) {
  src.SetPixel(1, 1, 0xFFFFFFFF);
  ReleaseAlphaFunctions();
  EXPECT_FALSE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, PerPixel(255)));
  EXPECT_EQ(CountDrawn(dst), 0);
}

TEST_F(AlphaBlendCanvasTest, PremultipliedSourceGoesOverTheDestination) {
  src.SetPixel(0, 0, 0x80402010);  // half-transparent, premultiplied
  src.SetPixel(1, 0, 0xFF112233);  // opaque
  for (int x = 0; x < 4; ++x) dst.SetPixel(x, 0, 0xFF0000FF);
  ASSERT_TRUE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, PerPixel(255)));
  // d = s + d * (255 - sa) / 255, rounded to nearest.
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0xFF40208Fu);
  EXPECT_PIXEL(dst.GetPixel(1, 0), 0xFF112233u);
  EXPECT_PIXEL(dst.GetPixel(2, 0),
               0xFF0000FFu);  // transparent source keeps dst
}

TEST_F(AlphaBlendCanvasTest, ConstantAlphaScalesTheWholeSource) {
  src.SetPixel(0, 0, 0xFFFFFFFF);
  ASSERT_TRUE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, PerPixel(128)));
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0x80808080u);
  ASSERT_TRUE(AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 0, 0, 4, 4, PerPixel(0)));
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0x80808080u);
}

TEST_F(AlphaBlendCanvasTest, ClipsTheDestinationAndRefusesABadSourceRectangle) {
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, 0xFFFFFFFF);
  ASSERT_TRUE(
      AlphaBlendCanvas(dst, 2, 3, 4, 4, src, 0, 0, 4, 4, PerPixel(255)));
  EXPECT_EQ(CountDrawn(dst), 2);
  EXPECT_PIXEL(dst.GetPixel(2, 3), 0xFFFFFFFFu);

  dst.Clear();
  EXPECT_FALSE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 1, 0, 4, 4, PerPixel(255)));
  AlphaBlendCanvas(dst, 0, 0, 0, 4, src, 0, 0, 4, 4, PerPixel(255));  // empty
  CCanvas empty;
  EXPECT_FALSE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, empty, 0, 0, 4, 4, PerPixel(255)));
  EXPECT_EQ(CountDrawn(dst), 0);
}

TEST_F(AlphaBlendCanvasTest, StretchesWithTheNearestSourcePixel) {
  src.Resize(2, 1);
  src.SetPixel(0, 0, 0xFF0000FF);
  src.SetPixel(1, 0, 0xFFFF0000);
  ASSERT_TRUE(
      AlphaBlendCanvas(dst, 0, 0, 4, 1, src, 0, 0, 2, 1, PerPixel(255)));
  EXPECT_PIXEL(dst.GetPixel(1, 0), 0xFF0000FFu);
  EXPECT_PIXEL(dst.GetPixel(2, 0), 0xFFFF0000u);
}
