#include "pixels/blend.h"

#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "platform/cpu_features.h"

namespace {
using SpanFn = void (*)(std::uint32_t, std::uint32_t*, std::uint32_t*,
                        std::uint32_t);
}  // namespace

// Worked examples of the rule (s * a + d * (255 - a)) >> 8 on each channel,
// alpha included. At the extremes every non-zero channel loses one.
TEST(BlendPixel, MixesEveryChannelAndLosesOneAtTheExtremes) {
  const struct {
    std::uint32_t coverage, dst, src, expected;
    const char* why;
  } cases[] = {
      {0, 0x80FF0102, 0xFFFFFFFF, 0x7FFE0001, "coverage 0: d * 255 >> 8"},
      {255, 0x12345678, 0xFFFFFFFF, 0xFEFEFEFE, "s * 255 >> 8"},
      {255, 0, 0, 0, "nothing over nothing"},
      {128, 0, 0xFF804020, 0x7F402010, "s * 128 >> 8"},
      // Alpha: 255 * 191 >> 8 = 190; colour: 255 * 64 >> 8 = 63.
      {64, 0xFF000000, 0x00FFFFFF, 0xBE3F3F3F, "d alpha and s colour"},
  };
  for (const auto& c : cases) {
    std::uint32_t p = c.dst;
    BlendPixel(c.coverage, &p, c.src);
    EXPECT_EQ(p, c.expected) << c.why;
  }
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
void ExpectSameAsPlain(SpanFn fast_path) {
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
          BlendSpanPlain(a, &reference[offset], &reference[offset + length - 1],
                         src);
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

// The dispatcher and every SIMD path this CPU can run.
std::vector<std::pair<const char*, SpanFn>> FastPaths() {
  std::vector<std::pair<const char*, SpanFn>> paths = {
      {"dispatched", BlendSpan}};
  if (CpuSupports(CpuFeature::kSse2)) paths.push_back({"SSE2", BlendSpanSse2});
  if (CpuSupports(CpuFeature::kAvx2)) paths.push_back({"AVX2", BlendSpanAvx2});
  return paths;
}

TEST(BlendSpan, EveryFastPathMatchesThePlainReference) {
  for (const auto& [name, path] : FastPaths()) {
    SCOPED_TRACE(name);
    ExpectSameAsPlain(path);
  }
}

// Only the coverage's low byte counts, as in BlendPixel: every path blends
// at 0x180 exactly as at 0x80.
TEST(BlendSpan, EveryPathTakesTheCoverageByItsLowByte) {
  auto paths = FastPaths();
  paths.push_back({"plain", BlendSpanPlain});
  for (const auto& [name, path] : paths) {
    for (int length : {3, 20}) {
      std::vector<std::uint32_t> wide(length, 0x80402010u), low = wide;
      path(0x180, &wide.front(), &wide.back(), 0xFF204080u);
      path(0x80, &low.front(), &low.back(), 0xFF204080u);
      EXPECT_EQ(wide, low) << name << " length " << length;
    }
  }
}
