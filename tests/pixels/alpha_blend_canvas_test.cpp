#include "pixels/alpha_blend_canvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "pixels/alpha_functions.h"
#include "pixels/blend.h"
#include "pixels/canvas.h"
#include "pixels/over_row.h"
#include "platform/cpu_features.h"
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
  // The whole 4 x 4 `from` over the whole of dst.
  bool BlendWhole(const CCanvas& from, BYTE constant = 255) {
    return AlphaBlendCanvas(dst, 0, 0, 4, 4, from, 0, 0, 4, 4,
                            PerPixel(constant));
  }
  CCanvas src, dst;
};
}  // namespace

TEST_F(AlphaBlendCanvasTest, DrawsNothingWhenTheSystemFunctionIsAbsent) {
  src.SetPixel(1, 1, 0xFFFFFFFF);
  ReleaseAlphaFunctions();
  EXPECT_FALSE(BlendWhole(src));
  EXPECT_EQ(CountDrawn(dst), 0);
}

TEST_F(AlphaBlendCanvasTest, PremultipliedSourceGoesOverTheDestination) {
  src.SetPixel(0, 0, 0x80402010);  // half-transparent, premultiplied
  src.SetPixel(1, 0, 0xFF112233);  // opaque
  for (int x = 0; x < 4; ++x) dst.SetPixel(x, 0, 0xFF0000FF);
  ASSERT_TRUE(BlendWhole(src));
  // d = s + d * (255 - sa) / 255, rounded to nearest; a transparent source
  // keeps dst.
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0xFF40208Fu);
  EXPECT_PIXEL(dst.GetPixel(1, 0), 0xFF112233u);
  EXPECT_PIXEL(dst.GetPixel(2, 0), 0xFF0000FFu);
}

TEST_F(AlphaBlendCanvasTest, ConstantAlphaScalesTheWholeSource) {
  src.SetPixel(0, 0, 0xFFFFFFFF);
  ASSERT_TRUE(BlendWhole(src, 128));
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0x80808080u);
  ASSERT_TRUE(BlendWhole(src, 0));
  EXPECT_PIXEL(dst.GetPixel(0, 0), 0x80808080u);
}

TEST_F(AlphaBlendCanvasTest, ClipsTheDestinationAndRefusesABadSourceRectangle) {
  std::fill_n(src.Pixels(), 4 * 4, 0xFFFFFFFFu);
  ASSERT_TRUE(
      AlphaBlendCanvas(dst, 2, 3, 4, 4, src, 0, 0, 4, 4, PerPixel(255)));
  EXPECT_EQ(CountDrawn(dst), 2);
  EXPECT_PIXEL(dst.GetPixel(2, 3), 0xFFFFFFFFu);

  dst.Clear();
  EXPECT_FALSE(
      AlphaBlendCanvas(dst, 0, 0, 4, 4, src, 1, 0, 4, 4, PerPixel(255)));
  AlphaBlendCanvas(dst, 0, 0, 0, 4, src, 0, 0, 4, 4, PerPixel(255));  // empty
  EXPECT_FALSE(BlendWhole(CCanvas()));
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

// The SSE2 row blend against the reference on random rows with clear
// stretches, every constant alpha class and odd lengths.
TEST(OverRow, Sse2PathMatchesThePlainReference) {
  if (!CpuSupports(CpuFeature::kSse2)) GTEST_SKIP() << "no SSE2 on this CPU";
  std::mt19937 rng(42);
  std::uniform_int_distribution<std::uint32_t> word;
  for (std::uint32_t constant : {255u, 128u, 0u, 1u, 200u}) {
    for (int length : {0, 1, 3, 4, 5, 8, 13, 64, 257}) {
      std::vector<std::uint32_t> src(length), expected(length);
      for (int i = 0; i < length; ++i) {
        const std::uint32_t a = word(rng) & 0xFF;
        const std::uint32_t c = word(rng);
        // Premultiplied, with runs of transparent pixels between.
        src[i] = (word(rng) % 3 == 0)
                     ? 0
                     : (a << 24) | ((((c >> 16) & 0xFF) * a / 255) << 16) |
                           ((((c >> 8) & 0xFF) * a / 255) << 8) |
                           ((c & 0xFF) * a / 255);
        expected[i] = word(rng);
      }
      std::vector<std::uint32_t> fast = expected;
      OverRowPlain(src.data(), expected.data(), length, constant);
      OverRowSse2(src.data(), fast.data(), length, constant);
      ASSERT_EQ(expected, fast)
          << "constant " << constant << " length " << length;
    }
  }
}

// The plain row blend against its rule written one channel at a time with
// round(x / 255) = (2x + 255) / 510 (255 is odd, so no value lies halfway):
// random words (premultiplied or not, so that sums saturate), the words 0
// and 1, and every class of constant.
TEST(OverRow, PlainPathFollowsTheRuleChannelByChannel) {
  const auto divide255 = [](std::uint32_t x) { return (2 * x + 255) / 510; };
  std::mt19937 rng(255);
  std::uniform_int_distribution<std::uint32_t> word;
  for (std::uint32_t constant : {0u, 1u, 127u, 128u, 254u, 255u}) {
    std::vector<std::uint32_t> src(4000), dst(4000);
    for (std::size_t i = 0; i < src.size(); ++i) {
      src[i] = i == 0 ? 0 : i == 1 ? 1 : word(rng);
      dst[i] = word(rng);
    }
    std::vector<std::uint32_t> out = dst;
    OverRowPlain(src.data(), out.data(), int(out.size()), constant);
    for (std::size_t i = 0; i < src.size(); ++i) {
      const std::uint32_t scaledAlpha = divide255((src[i] >> 24) * constant);
      std::uint32_t expected = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s =
            divide255(((src[i] >> shift) & 0xFF) * constant);
        const std::uint32_t d = (dst[i] >> shift) & 0xFF;
        expected |= std::min(255u, s + divide255(d * (255 - scaledAlpha)))
                    << shift;
      }
      ASSERT_EQ(out[i], expected) << std::hex << "src " << src[i] << " dst "
                                  << dst[i] << " constant " << constant;
    }
  }
}
