// The texture lit by the Sun: the twilight curve, where on the texture the
// day ends, the night level, the city lights and the alpha, and the lit
// texture made on a worker.
#include "globe/sunlight.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "globe/sunlit_texture_builder.h"

namespace {
constexpr double kDegree = 3.14159265358979323846 / 180;
constexpr std::uint32_t kGrey = 0xFFC8C8C8u;  // 200, 200, 200

// A texture of one colour, one texel per degree unless told otherwise.
SunlitSources Uniform(std::uint32_t day, std::uint8_t night, int width = 360,
                      int height = 180) {
  SunlitSources s;
  s.width = width;
  s.height = height;
  s.day.assign(std::size_t(width) * height, day);
  s.night = night;
  return s;
}

// The texel of the degree cell whose south-west corner is (lat, lon), in
// the texture's layout: bottom row first, column 0 at 180 W.
std::size_t Cell(int lat, int lon) {
  return std::size_t(lat + 90) * 360 + std::size_t(lon + 180);
}

std::vector<std::uint32_t> Lit(const SunlitSources& s, SubsolarPoint sun) {
  std::vector<std::uint32_t> out(std::size_t(s.width) * s.height);
  const std::atomic<bool> stop{false};
  EXPECT_TRUE(LightTexture(s, sun, out.data(), stop));
  return out;
}

int Red(std::uint32_t p) { return int((p >> 16) & 0xFF); }

double ElevationAt(double lat, double lon, SubsolarPoint sun) {
  const double s = std::sin(lat * kDegree) * std::sin(sun.latitude * kDegree) +
                   std::cos(lat * kDegree) * std::cos(sun.latitude * kDegree) *
                       std::cos((lon - sun.longitude) * kDegree);
  return std::asin(s) / kDegree;
}
}  // namespace

TEST(Sunlight, TwilightFallsSmoothlyFromTheHorizonToMinusEighteen) {
  for (double day : {45.0, 0.0}) EXPECT_EQ(DaylightShare(day), 1) << day;
  for (double night : {-18.0, -60.0})
    EXPECT_EQ(DaylightShare(night), 0) << night;
  EXPECT_NEAR(DaylightShare(-1e-6), 1, 1e-6) << "no step at the horizon";
  EXPECT_NEAR(DaylightShare(-18 + 1e-6), 0, 1e-6) << "nor at night";
  const double civil = DaylightShare(-6), nautical = DaylightShare(-12);
  EXPECT_GT(civil, 0.3);
  EXPECT_LT(civil, 0.7);
  EXPECT_GT(nautical, 0.01);
  EXPECT_LT(nautical, 0.15);
  for (double e = -18; e < 0; e += 0.25)
    EXPECT_LT(DaylightShare(e), DaylightShare(e + 0.25)) << e;
}

TEST(Sunlight, TheDayEndsAQuarterTurnFromTheSubsolarPoint) {
  const SunlitSources s = Uniform(kGrey, 0);
  const std::vector<std::uint32_t> lit = Lit(s, {0, 0});
  EXPECT_EQ(lit[Cell(0, 0)], kGrey) << "under the Sun: the texture itself";
  EXPECT_EQ(lit[Cell(0, 88)], kGrey);
  EXPECT_EQ(lit[Cell(0, -89)], kGrey) << "centre 88.5 W: still day";
  const int dusk = Red(lit[Cell(0, 90)]), dawn = Red(lit[Cell(0, -91)]);
  EXPECT_LT(dusk, 200) << "just past the terminator";
  EXPECT_GT(dusk, 150);
  EXPECT_EQ(dusk, dawn) << "mirror images";
  EXPECT_EQ(lit[Cell(0, 179)], 0xFF000000u) << "the antipode, night 0";
  EXPECT_EQ(lit[Cell(0, 108)], 0xFF000000u) << "past astronomical twilight";
  EXPECT_GT(Red(lit[Cell(0, 103)]), 0) << "not yet";
}

TEST(Sunlight, TheSolsticeLightsOneWholePole) {
  const std::vector<std::uint32_t> lit = Lit(Uniform(kGrey, 0), {23.44, -60});
  for (int lon = -180; lon < 180; lon += 15) {
    EXPECT_EQ(lit[Cell(89, lon)], kGrey) << "midnight Sun at " << lon;
    EXPECT_EQ(lit[Cell(-90, lon)], 0xFF000000u) << "polar night at " << lon;
  }
}

TEST(Sunlight, TheNightLevelDarkensAndTheLightsShineThrough) {
  SunlitSources s = Uniform(kGrey, 64);  // a quarter
  s.lights.assign(s.day.size(), 0xFF000000u);
  s.lights[Cell(0, 179)] = 0xFFFFE080u;  // a city at the antipode
  s.lights[Cell(0, 1)] = 0xFFFFE080u;    // and one under the Sun
  s.lights[Cell(0, 92)] = 0xFF808080u;   // and one at dusk
  const std::vector<std::uint32_t> lit = Lit(s, {0, 0});
  EXPECT_EQ(lit[Cell(0, 178)], 0xFF323232u) << "200 * 64 / 255";
  EXPECT_EQ(lit[Cell(0, 179)], 0xFFFFFFB2u)
      << "the night colour plus the lights, limited to 255";
  EXPECT_EQ(lit[Cell(0, 1)], kGrey) << "no lights by day";
  s.lights.clear();
  const int dusk = Red(Lit(s, {0, 0})[Cell(0, 92)]);
  EXPECT_GT(Red(lit[Cell(0, 92)]), dusk)
      << "the lights fade in through twilight";
  EXPECT_LT(Red(lit[Cell(0, 92)]), dusk + 0x80 / 2);
}

TEST(Sunlight, AlphaStaysAndIsPremultipliedAsTheKeyAsks) {
  SunlitSources s = Uniform(0x80C8C8C8u, 255);
  EXPECT_EQ(Lit(s, {0, 0})[Cell(0, 0)], 0x80C8C8C8u)
      << "no key: the colours as they are";
  s.premultiply = true;
  EXPECT_EQ(Lit(s, {0, 0})[Cell(0, 0)], 0x80646464u) << "200 * 128 >> 8";
  EXPECT_EQ(Lit(s, {0, 0})[Cell(0, 179)], 0x80646464u)
      << "night level 255 is no night";
}

TEST(Sunlight, EveryTexelFollowsItsOwnElevation) {
  // The table-driven texels against the curve evaluated directly.
  // Columns and rows that do not fall on whole degrees.
  const SunlitSources s = Uniform(0xFFFFFFFFu, 30, 97, 41);
  for (const SubsolarPoint sun :
       {SubsolarPoint{10.5, 33.3}, SubsolarPoint{-23.4, -179.9}}) {
    const std::vector<std::uint32_t> lit = Lit(s, sun);
    for (int row = 0; row < s.height; ++row)
      for (int x = 0; x < s.width; ++x) {
        const double lat = -90 + (row + 0.5) * 180 / s.height;
        const double lon = -180 + (x + 0.5) * 360 / s.width;
        const double share = DaylightShare(ElevationAt(lat, lon, sun));
        const double expected = 255 * (30 / 255.0 + (1 - 30 / 255.0) * share);
        EXPECT_NEAR(Red(lit[std::size_t(row) * s.width + x]), expected, 2.5)
            << lat << ", " << lon;
      }
  }
}

TEST(Sunlight, AStopRequestEndsTheWorkEarly) {
  const SunlitSources s = Uniform(kGrey, 0);
  std::vector<std::uint32_t> out(s.day.size(), 7);
  const std::atomic<bool> stop{true};
  EXPECT_FALSE(LightTexture(s, {0, 0}, out.data(), stop));
  EXPECT_EQ(out[Cell(89, 179)], 7u) << "the last row was never reached";
}

TEST(CSunlitTextureBuilder, HandsOverEachFinishedTextureOnce) {
  auto sources = std::make_shared<const SunlitSources>(Uniform(kGrey, 0));
  CSunlitTextureBuilder builder;
  builder.Start(sources, {0, 0});
  builder.Wait();
  std::vector<std::uint32_t> shown;
  SubsolarPoint sun{};
  std::shared_ptr<const SunlitSources> from;
  ASSERT_TRUE(builder.TakeFinished(shown, sun, from));
  EXPECT_EQ(from, sources);
  EXPECT_EQ(sun, (SubsolarPoint{0, 0}));
  ASSERT_EQ(shown.size(), sources->day.size());
  EXPECT_EQ(shown[Cell(0, 179)], 0xFF000000u);
  EXPECT_FALSE(builder.TakeFinished(shown, sun, from)) << "taken already";
  EXPECT_FALSE(builder.Running());

  // The next build lights the Sun elsewhere into the buffer handed back.
  builder.Start(sources, {0, 180});
  builder.Wait();
  ASSERT_TRUE(builder.TakeFinished(shown, sun, from));
  EXPECT_EQ(shown[Cell(0, 179)], kGrey);

  builder.Start(sources, {0, 0});
  builder.Stop();
  EXPECT_FALSE(builder.TakeFinished(shown, sun, from)) << "abandoned";
  EXPECT_EQ(shown[Cell(0, 179)], kGrey) << "the shown texture is kept";
}
