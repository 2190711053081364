#include "globe/globe_draw.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "globe/globe_texture.h"
#include "pixels/canvas.h"
#include "platform/cpu_features.h"

TEST(GlobeTexture, ShiftKeepsTheFixedPointColumnWithinSixteenBits) {
  EXPECT_EQ(TextureLimitsFor(360, 180).texShift, 4);
  EXPECT_EQ(TextureLimitsFor(360, 180).limit, 4096);
  EXPECT_EQ(TextureLimitsFor(4096, 2048).texShift, 4);
  EXPECT_EQ(TextureLimitsFor(4097, 2048).texShift, 3);
  EXPECT_EQ(4097 << TextureLimitsFor(4097, 2048).texShift, 32776);
  EXPECT_EQ(TextureLimitsFor(1, 1).texShift, 4);
  EXPECT_EQ(TextureLimitsFor(65536, 10).texShift, 0);
  EXPECT_EQ(TextureLimitsFor(70000, 10).texShift, 0);
}

TEST(GlobeTexture, ColorKeyAlphaRisesWithTheDistanceFromTheKey) {
  const ColorKey key{true, 0xFF0000, 192, 31, 255};
  EXPECT_EQ(KeyAlpha(0x000000FF, key), 31) << "the key colour itself";
  // Red 96 beside pure blue: half the range away, trunc(224 * 0.5) + 31.
  EXPECT_EQ(KeyAlpha(0x006000FF, key), 143);
  EXPECT_EQ(KeyAlpha(0x00FFFFFF, key), 255) << "white is far away";
  const ColorKey zeroRange{true, 0xFF0000, 0, 31, 255};
  EXPECT_EQ(KeyAlpha(0x000000FF, zeroRange), 31);
  EXPECT_EQ(KeyAlpha(0x000000FE, zeroRange), 255);

  CCanvas texture;
  texture.Resize(2, 1);
  texture.SetPixel(0, 0, 0xFF0000FF);
  texture.SetPixel(1, 0, 0x00808080);
  ApplyColorKey(texture, ColorKey{});  // off: opaque, colours as they were
  EXPECT_EQ(texture.GetPixel(0, 0), 0xFF0000FFu);
  EXPECT_EQ(texture.GetPixel(1, 0), 0xFF808080u);
  ApplyColorKey(texture, key);  // on: keyed, then premultiplied
  EXPECT_EQ(texture.GetPixel(0, 0), 0x1F00001Eu);
}

TEST(GlobeDraw, SpinOffsetAndColumnWrap) {
  const std::vector<std::uint32_t> texels(360 * 180, 0xFF000000);
  const GlobeTexture map{texels.data(), 360, 180, 4};
  EXPECT_EQ(SpinOffset(9000, map), 1440u) << "90 texture columns";
  // The largest u with the largest offset wraps back into the texture once.
  std::vector<std::uint32_t> strip(3);
  strip[0] = 0xFF000001;
  strip[2] = 0xFF000003;
  const GlobeTexture three{strip.data(), 3, 1, 4};
  GlobeEntry e{};
  e.front = {47, 0, 255, 0};  // u = U - 1
  std::uint32_t out = 0;
  DrawGlobeReference(&e, 1, three, GlobeLook{35999, false, false, false}, &out);
  EXPECT_EQ(out, 0xFE000002u) << "column (2U - 2) >> 4 - 3 = 2, blended at 255";
}

TEST(GlobeDraw, EmptySamplesGiveTransparentBlackAndTheFarSideIsOptional) {
  const std::vector<std::uint32_t> texels = {0xFFFF0000, 0xFF00FF00};
  const GlobeTexture two{texels.data(), 2, 1, 4};
  GlobeEntry entries[2] = {};
  entries[1].front = {0, 0, 200, 0};
  entries[1].back = {16, 0, 255, 0};
  std::uint32_t out[2] = {0xDEADBEEF, 0xDEADBEEF};
  GlobeLook look{0, false, false, false};
  DrawGlobeReference(entries, 2, two, look, out);
  EXPECT_EQ(out[0], 0u);
  EXPECT_EQ(out[1], 0xFEFE0000u) << "front only, over transparent black";
  look.viewBack = true;
  look.gradient = true;
  DrawGlobeReference(entries, 2, two, look, out);
  // The front faded to alpha 199 (255 * 200 >> 8) over the green back
  // (254): (199 * 199 + 254 * 56) >> 8.
  EXPECT_EQ(out[1] >> 24, 210u);
}

TEST(GlobeDraw, ShadingDarkensColorAndKeepsAlpha) {
  const std::vector<std::uint32_t> texels = {0xFFFFFFFF};
  const GlobeTexture white{texels.data(), 1, 1, 4};
  GlobeEntry e{};
  e.front = {0, 0, 255, 128};
  std::uint32_t out = 0;
  DrawGlobeReference(&e, 1, white, GlobeLook{0, true, false, false}, &out);
  // Shaded: (255 * 127) >> 8 = 126 per channel, alpha 254; then blended
  // over transparent black by its own alpha: 126 * 254 >> 8 = 125 and
  // 254 * 254 >> 8 = 252.
  EXPECT_EQ(out, 0xFC7D7D7Du);
}

namespace {
using DrawFn = void (*)(const GlobeEntry*, std::size_t, const GlobeTexture&,
                        const GlobeLook&, std::uint32_t*);

// A faster path against the reference: random samples (a third of them
// empty), every combination of the look's switches, lengths with tails.
void ExpectSameAsPlain(DrawFn draw) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<std::uint32_t> word;
  std::vector<std::uint32_t> texels(37 * 11);
  for (auto& t : texels) t = word(rng);
  const GlobeTexture texture{texels.data(), 37, 11, 4};
  const std::uint32_t u = 37u << 4;
  for (int length : {0, 1, 7, 8, 9, 64, 203}) {
    std::vector<GlobeEntry> table(length);
    for (auto& e : table) {
      for (GlobeSample* s : {&e.front, &e.back}) {
        s->u = std::uint16_t(word(rng) % u);
        s->v = std::uint16_t(word(rng) % 11);
        s->alpha = word(rng) % 3 == 0 ? 0 : std::uint8_t(word(rng));
        s->shade = std::uint8_t(word(rng));
      }
    }
    for (int flags = 0; flags < 8; ++flags) {
      const GlobeLook look{std::int32_t(word(rng) % 36000), (flags & 4) != 0,
                           (flags & 2) != 0, (flags & 1) != 0};
      std::vector<std::uint32_t> plain(length, 1), fast(length, 2);
      DrawGlobeReference(table.data(), table.size(), texture, look,
                         plain.data());
      draw(table.data(), table.size(), texture, look, fast.data());
      ASSERT_EQ(plain, fast) << "length " << length << " flags " << flags;
    }
  }
}
}  // namespace

TEST(GlobeDraw, PlainPathMatchesTheReference) {
  ExpectSameAsPlain(DrawGlobePlain);
}

TEST(GlobeDraw, Avx2PathMatchesTheReference) {
  if (!CpuSupports(CpuFeature::kAvx2)) GTEST_SKIP() << "no AVX2 on this CPU";
  ExpectSameAsPlain(DrawGlobeAvx2);
}
