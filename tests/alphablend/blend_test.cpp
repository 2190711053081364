#include "alphablend/blend.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "platform/cpu_features.h"

namespace {
using SpanFn = void (*)(std::uint32_t, std::uint32_t*, std::uint32_t*,
                        std::uint32_t);
}  // namespace

TEST(BlendPixel, LosesOneInEveryNonZeroChannelAtTheExtremes) {
  std::uint32_t p = 0x80FF0102;
  BlendPixel(0, &p, 0xFFFFFFFF);  // coverage 0 still blends: d * 255 >> 8
  EXPECT_EQ(p, 0x7FFE0001u);

  p = 0x12345678;
  BlendPixel(255, &p, 0xFFFFFFFF);  // src * 255 >> 8
  EXPECT_EQ(p, 0xFEFEFEFEu);

  p = 0;
  BlendPixel(255, &p, 0);
  EXPECT_EQ(p, 0u);
}

// The packed two-channels-per-lane arithmetic against the rule written out
// one channel at a time.
TEST(BlendPixel, PackedArithmeticMatchesTheRulePerChannel) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<std::uint32_t> word;
  for (std::uint32_t a = 0; a < 256; ++a) {
    for (int i = 0; i < 2000; ++i) {
      const std::uint32_t dst = i == 0 ? 0xFFFFFFFF : word(rng);
      const std::uint32_t src = i == 1 ? 0xFFFFFFFF : word(rng);
      std::uint32_t expected = 0;
      for (int shift = 0; shift < 32; shift += 8) {
        const std::uint32_t s = (src >> shift) & 0xFF,
                            d = (dst >> shift) & 0xFF;
        expected |= ((s * a + d * (255 - a)) >> 8) << shift;
      }
      ASSERT_EQ(BlendValue(a, dst, src), expected)
          << a << " " << dst << " " << src;
    }
  }
}

TEST(BlendPixel, MixesEveryChannelIncludingAlpha) {
  std::uint32_t p = 0x00000000;
  BlendPixel(128, &p, 0xFF804020);
  // (s * 128) >> 8 on each channel.
  EXPECT_EQ(p, 0x7F402010u);
  p = 0xFF000000;
  BlendPixel(64, &p, 0x00FFFFFF);
  // alpha: 255 * 191 >> 8 = 190; colour: 255 * 64 >> 8 = 63.
  EXPECT_EQ(p, 0xBE3F3F3Fu);
}

TEST(BlendSpan, CoversExactlyFirstToLastInclusive) {
  std::uint32_t row[5] = {0, 0, 0, 0, 0};
  BlendSpan(255, &row[2], &row[2], 0xFFFFFFFF);
  EXPECT_EQ(row[1], 0u);
  EXPECT_EQ(row[2], 0xFEFEFEFEu);
  EXPECT_EQ(row[3], 0u);

  BlendSpan(255, &row[3], &row[2], 0xFFFFFFFF);  // last before first: none
  EXPECT_EQ(row[2], 0xFEFEFEFEu);
  EXPECT_EQ(row[3], 0u);
}

// Each SIMD path has to agree with the reference bit for bit on every length
// (the sixteen-, eight-, four- and one-pixel tails), alignment and coverage.
void ExpectSameAsScalar(SpanFn fast_path) {
  std::mt19937 rng(20261207);
  std::uniform_int_distribution<std::uint32_t> word;
  const int lengths[] = {0, 1,  2,  3,  4,  5,  7,    8,
                         9, 15, 16, 17, 31, 33, 1000, 1023};
  for (int length : lengths) {
    for (int offset = 0; offset < 4; ++offset) {
      for (std::uint32_t a :
           {0u, 1u, 127u, 128u, 254u, 255u, word(rng) & 0xFF}) {
        std::vector<std::uint32_t> reference(length + 8), fast;
        for (auto& p : reference) p = word(rng);
        fast = reference;
        const std::uint32_t src = word(rng);
        if (length > 0) {
          BlendSpanScalar(a, &reference[offset],
                          &reference[offset + length - 1], src);
          fast_path(a, &fast[offset], &fast[offset + length - 1], src);
        } else {
          fast_path(a, &fast[offset + 1], &fast[offset], src);
        }
        ASSERT_EQ(reference, fast)
            << "length " << length << " offset " << offset << " coverage " << a;
      }
    }
  }
}

TEST(BlendSpan, Sse2PathMatchesTheScalarReference) {
  if (!CpuSupports(CpuFeature::kSse2)) GTEST_SKIP() << "no SSE2 on this CPU";
  ExpectSameAsScalar(BlendSpanSse2);
}

TEST(BlendSpan, Avx2PathMatchesTheScalarReference) {
  if (!CpuSupports(CpuFeature::kAvx2)) GTEST_SKIP() << "no AVX2 on this CPU";
  ExpectSameAsScalar(BlendSpanAvx2);
}

TEST(BlendSpan, DispatchedPathMatchesTheScalarReference) {
  ExpectSameAsScalar(BlendSpan);
}

// Only the coverage's low byte counts, as in BlendPixel: every path blends
// at 0x180 exactly as at 0x80.
TEST(BlendSpan, EveryPathTakesTheCoverageByItsLowByte) {
  std::vector<SpanFn> paths = {BlendSpanScalar, BlendSpan};
  if (CpuSupports(CpuFeature::kSse2)) paths.push_back(BlendSpanSse2);
  if (CpuSupports(CpuFeature::kAvx2)) paths.push_back(BlendSpanAvx2);
  for (SpanFn path : paths) {
    for (int length : {3, 20}) {
      std::vector<std::uint32_t> wide(length, 0x80402010u), low = wide;
      path(0x180, &wide.front(), &wide.back(), 0xFF204080u);
      path(0x80, &low.front(), &low.back(), 0xFF204080u);
      EXPECT_EQ(wide, low) << "length " << length;
    }
  }
}
