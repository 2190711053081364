#include "globe/globe_table.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "globe/globe_table_fast.h"
#include "globe/globe_table_ray.h"
#include "platform/cpu_features.h"

namespace {
GlobeTableInputs Inputs(int side, double tilt = 30, double turn = 0) {
  GlobeTableInputs in;
  in.width = in.height = side;
  in.textureWidth = 360;
  in.textureHeight = 180;
  in.texShift = 4;
  in.tiltDegrees = tilt;
  in.turnDegrees = turn;
  return in;
}

std::vector<GlobeEntry> Build(const GlobeTableInputs& in) {
  std::vector<GlobeEntry> table(std::size_t(in.width) * in.height,
                                GlobeEntry{});
  std::atomic<std::size_t> fill{0};
  std::atomic<bool> stop{false};
  EXPECT_TRUE(BuildGlobeTable(in, table.data(), fill, stop));
  EXPECT_EQ(fill.load(), table.size());
  return table;
}

// First and last column of array row i with a front sample.
std::pair<int, int> Silhouette(const std::vector<GlobeEntry>& t, int width,
                               int i) {
  int first = -1, last = -1;
  for (int j = 0; j < width; ++j)
    if (t[std::size_t(i) * width + j].front.alpha) {
      if (first < 0) first = j;
      last = j;
    }
  return {first, last};
}
}  // namespace

TEST(GlobeTable, SilhouetteIsACircleOfRadiusFourDOverRoot323) {
  const auto small = Build(Inputs(128));
  EXPECT_EQ(Silhouette(small, 128, 64), std::make_pair(24, 104));
  const auto large = Build(Inputs(200));
  EXPECT_EQ(Silhouette(large, 200, 100), std::make_pair(38, 162));
  // Off the disc neither sample exists; on it both do.
  EXPECT_EQ(small[64 * 128 + 10].front.alpha, 0);
  EXPECT_EQ(small[64 * 128 + 10].back.alpha, 0);
  EXPECT_NE(small[64 * 128 + 64].back.alpha, 0);
  EXPECT_EQ(small[0].front.alpha, 0) << "a corner misses the sphere";
}

TEST(GlobeTable, FromAboveThePoleTheCentreSeesTheNorthPoleAndTheBackTheSouth) {
  const auto t = Build(Inputs(128, 90, 0));
  const GlobeEntry& centre = t[64 * 128 + 64];
  EXPECT_EQ(centre.front.v, 179) << "the top texture row";
  EXPECT_EQ(centre.back.v, 0) << "the bottom row";
}

// Angle2 swings the axis about the screen's vertical. With the axis upright
// that is a turn about the axis itself: the centre moves a quarter of the
// way round the equator and stays on it.
TEST(GlobeTable, ASwingOfTheUprightAxisTurnsTheGlobeAboutIt) {
  const GlobeEntry upright = Build(Inputs(128, 0, 0))[64 * 128 + 64];
  const GlobeEntry swung = Build(Inputs(128, 0, 90))[64 * 128 + 64];
  const int full = 360 << 4;
  const int moved = (swung.front.u - upright.front.u + full) % full;
  EXPECT_NEAR(std::min(moved, full - moved), full / 4, 1);
  EXPECT_NEAR(swung.front.v, upright.front.v, 1);
}

TEST(GlobeTable, AlphaAndShadeSpanTheirLimits) {
  GlobeTableInputs in = Inputs(128, 0, 0);
  in.gradientMin = 160;
  in.gradientMax = 255;
  in.shadingMin = 0;
  in.shadingMax = 127;
  const auto t = Build(in);
  const GlobeEntry& centre = t[64 * 128 + 64];
  EXPECT_EQ(centre.front.alpha, 160) << "square-on: Min";
  // Toward the silhouette the surface turns edge-on: alpha rises toward Max.
  EXPECT_GT(t[64 * 128 + 24].front.alpha, 220);
  EXPECT_GT(t[64 * 128 + 24].front.alpha, t[64 * 128 + 40].front.alpha);
  EXPECT_GT(t[64 * 128 + 40].front.alpha, centre.front.alpha);
  // The far side faces away from the light: the full darkening.
  EXPECT_EQ(centre.back.shade, 127);
  int lightest = 255;
  for (const GlobeEntry& e : t)
    if (e.front.alpha) lightest = std::min<int>(lightest, e.front.shade);
  EXPECT_LT(lightest, 10) << "where the surface faces the light";

  in.gradientMin = in.gradientMax = 0;  // a constant alpha of 0: no globe
  for (const GlobeEntry& e : Build(in)) ASSERT_EQ(e.front.alpha, 0);
}

TEST(GlobeTable, AStopAfterARowLeavesThatManyRowsAndNoDoneFlag) {
  const GlobeTableInputs in = Inputs(64);
  std::vector<GlobeEntry> table(64 * 64);
  std::atomic<std::size_t> fill{0};
  std::atomic<bool> stop{true};  // set during the first row
  EXPECT_FALSE(BuildGlobeTable(in, table.data(), fill, stop));
  EXPECT_EQ(fill.load(), 64u);
  GlobeTableInputs empty = in;
  empty.width = 0;
  stop = false;
  fill = 0;
  EXPECT_TRUE(BuildGlobeTable(empty, nullptr, fill, stop));
  EXPECT_EQ(fill.load(), 0u);
}

namespace {
struct FastPath {
  const char* name;
  std::size_t (*row)(const GlobeRaySetup&, std::int32_t, std::int32_t,
                     GlobeEntry*);
  void (*texels)(const GlobeRaySetup&, const double*, const double*,
                 const double*, std::size_t, GlobeTexel*);
};

std::vector<FastPath> PathsOfThisCpu() {
  std::vector<FastPath> paths{
      {"plain", CastGlobeRowPlain, ApproxGlobeTexelsPlain}};
  if (CpuSupports(CpuFeature::kAvx2))
    paths.push_back({"avx2", CastGlobeRowAvx2, ApproxGlobeTexelsAvx2});
  return paths;
}

// Builds the table row by row on one path (over a table of stale bytes, so
// that every byte must be written) and compares every byte of every entry
// with the per-pixel rule's. Adds the samples that met the sphere.
testing::AssertionResult PathEqualsReference(const FastPath& path,
                                             const GlobeTableInputs& in,
                                             std::size_t& samples) {
  const std::size_t n = std::size_t(in.width) * in.height;
  std::vector<GlobeEntry> plain(n), fast(n);
  std::memset(static_cast<void*>(plain.data()), 0x5A, n * sizeof(GlobeEntry));
  std::memset(static_cast<void*>(fast.data()), 0xA5, n * sizeof(GlobeEntry));
  BuildGlobeTableReference(in, plain.data());
  const GlobeRaySetup setup = MakeGlobeRaySetup(in);
  for (std::int32_t i = 0; i < in.height; ++i)
    path.row(setup, i, in.width, fast.data() + std::size_t(i) * in.width);
  for (std::size_t k = 0; k < n; ++k) {
    if (std::memcmp(&plain[k], &fast[k], sizeof(GlobeEntry)) != 0)
      return testing::AssertionFailure()
             << path.name << ", " << in.width << "x" << in.height << " texture "
             << in.textureWidth << "x" << in.textureHeight << "<<"
             << in.texShift << " tilt " << in.tiltDegrees << " turn "
             << in.turnDegrees << ": entry " << k << " (column " << k % in.width
             << ", row " << k / in.width << ") differs";
    samples += (plain[k].front.alpha != 0) + (plain[k].back.alpha != 0);
  }
  return testing::AssertionSuccess();
}

double Uniform(std::mt19937& rng, double lo, double hi) {
  return std::uniform_real_distribution<double>(lo, hi)(rng);
}
int Between(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// A window, texture and view anywhere in their ranges; the angles often take
// the values where the geometry is exact (poles, axes, the half turn).
GlobeTableInputs RandomInputs(std::mt19937& rng) {
  static const double kTilts[] = {-90, -45, 0, 30, 90};
  static const double kTurns[] = {-180, -90, 0, 90, 180};
  GlobeTableInputs in;
  in.width = Between(rng, 1, 300);
  in.height = Between(rng, 1, 300);
  in.texShift = Between(rng, 0, 4);
  in.textureWidth = Between(rng, 1, 65535 >> in.texShift);
  in.textureHeight = Between(rng, 1, 65535);
  if (Between(rng, 0, 3) == 0) in.textureWidth = 65535 >> in.texShift;
  if (Between(rng, 0, 3) == 0) in.textureHeight = Between(rng, 1, 200);
  in.tiltDegrees = Between(rng, 0, 2) == 0 ? kTilts[Between(rng, 0, 4)]
                                           : Uniform(rng, -90, 90);
  in.turnDegrees = Between(rng, 0, 2) == 0 ? kTurns[Between(rng, 0, 4)]
                                           : Uniform(rng, -180, 180);
  in.gradientMin = std::uint8_t(Between(rng, 0, 255));
  in.gradientMax = std::uint8_t(Between(rng, 0, 255));
  in.shadingMin = std::uint8_t(Between(rng, 0, 255));
  in.shadingMax = std::uint8_t(Between(rng, 0, 255));
  return in;
}
}  // namespace

TEST(GlobeTablePaths, EveryPathEqualsThePlainRuleOnAMillionRandomSamples) {
  for (const FastPath& path : PathsOfThisCpu()) {
    std::mt19937 rng(20240611);
    std::size_t samples = 0;
    // The degenerate windows first: single pixels, single rows and columns,
    // seen from the poles and beyond the usual angles.
    for (auto [w, h, tilt, turn] :
         {std::tuple{1, 1, 0.0, 0.0}, std::tuple{1, 9, 90.0, 0.0},
          std::tuple{9, 1, -90.0, 180.0}, std::tuple{2, 2, 45.0, -180.0},
          std::tuple{3, 5, 135.0, 720.0}, std::tuple{64, 64, -90.0, 33.0}}) {
      GlobeTableInputs in = Inputs(1, tilt, turn);
      in.width = w;
      in.height = h;
      ASSERT_TRUE(PathEqualsReference(path, in, samples));
    }
    while (samples < 1000000)
      ASSERT_TRUE(PathEqualsReference(path, RandomInputs(rng), samples));
  }
}

TEST(GlobeTablePaths, FewSamplesNeedTheLibmPath) {
  for (const FastPath& path : PathsOfThisCpu()) {
    for (std::int32_t textureWidth : {360, 65535}) {
      GlobeTableInputs in = Inputs(400, 30, 10);
      in.textureWidth = textureWidth;
      in.texShift = 0;
      std::vector<GlobeEntry> table(400 * 400);
      const GlobeRaySetup setup = MakeGlobeRaySetup(in);
      std::size_t exact = 0, samples = 0;
      for (std::int32_t i = 0; i < 400; ++i)
        exact += path.row(setup, i, 400, table.data() + i * 400);
      for (const GlobeEntry& e : table)
        samples += (e.front.alpha != 0) + (e.back.alpha != 0);
      EXPECT_LT(double(exact), 0.01 * double(samples))
          << path.name << " " << textureWidth;
    }
  }
}

namespace {
// The double `steps` representable values away from x.
double Step(double x, int steps) {
  for (; steps > 0; --steps) x = std::nextafter(x, 2.0);
  for (; steps < 0; ++steps) x = std::nextafter(x, -2.0);
  return x;
}

struct TexelInputs {
  std::vector<double> ct, r0n, r1n;
  void Add(double c, double r0, double r1) {
    ct.push_back(c);
    r0n.push_back(r0);
    r1n.push_back(r1);
  }
};

// Normals whose angles lie on, or at growing distances from, the angles
// where u or v changes (and some between them), with a few ulps of jitter on
// top.
TexelInputs NearTexelBoundaries(std::int32_t u, std::int32_t th) {
  static const double kOffsets[] = {0,     1e-15,  -1e-15, 1e-13,  -1e-13,
                                    3e-12, -3e-12, 1e-11,  -1e-11, 1e-9};
  const double pi = std::acos(-1.0);
  std::vector<double> thetas, phis;
  for (int a = 0; a <= 8; ++a) {
    thetas.push_back(pi * std::round(th * a / 8.0) / th);
    thetas.push_back(pi * (a + 0.5) / 9);
  }
  for (int b = 0; b <= 12; ++b) {
    phis.push_back(2 * pi * std::round(u * b / 12.0) / u);
    phis.push_back(2 * pi * (b + 0.5) / 13);
  }
  TexelInputs in;
  for (double theta : thetas)
    for (double phi : phis)
      for (double dt : kOffsets)
        for (double dp : kOffsets) {
          const double st = std::sin(theta + dt);
          const double ct = std::cos(theta + dt);
          const double cp = std::cos(phi + dp), sp = std::sin(phi + dp);
          for (int jitter = -1; jitter <= 1; ++jitter)
            in.Add(Step(ct, jitter), Step(cp * st, -jitter), sp * st);
        }
  // Where the rule clamps or divides by nothing: the poles, |cos| beyond 1,
  // a zero or an undefined quotient.
  for (double c : {1.0, -1.0, Step(1, 1), Step(-1, -1), Step(1, -1), 0.0})
    for (double r : {0.0, -0.0, 1e-300, 0.5, -1.0, 2.0}) in.Add(c, r, r - 0.25);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  in.Add(nan, 0.5, 0.5);
  in.Add(0.5, nan, 0.5);
  in.Add(0.5, 0.5, nan);
  return in;
}
}  // namespace

// The margins are what keeps the series honest: a decided texel must be the
// libm one even where the angle sits on the edge between two texels.
TEST(GlobeTablePaths, DecidedTexelsEqualLibmsAtTheTruncationBoundaries) {
  for (const FastPath& path : PathsOfThisCpu()) {
    for (auto [u, th] : {std::pair{5760, 180}, std::pair{65535, 65535},
                         std::pair{7, 3}, std::pair{1, 1}}) {
      GlobeTableInputs in = Inputs(8);
      in.textureWidth = u;
      in.textureHeight = th;
      in.texShift = 0;
      const GlobeRaySetup setup = MakeGlobeRaySetup(in);
      const TexelInputs normals = NearTexelBoundaries(u, th);
      const std::size_t n = normals.ct.size();
      std::vector<GlobeTexel> texels(n);
      path.texels(setup, normals.ct.data(), normals.r0n.data(),
                  normals.r1n.data(), n, texels.data());
      std::size_t decided = 0;
      for (std::size_t k = 0; k < n; ++k) {
        if (!texels[k].approximated) continue;
        ++decided;
        std::int32_t eu, ev;
        ExactGlobeTexel(setup, normals.ct[k], normals.r0n[k], normals.r1n[k],
                        eu, ev);
        ASSERT_EQ(texels[k].u, eu) << path.name << " " << u << " " << k;
        ASSERT_EQ(texels[k].v, ev) << path.name << " " << th << " " << k;
      }
      // Away from the boundaries and the poles the series decides: a good
      // part of these samples lie far enough from them.
      EXPECT_GT(decided, n / 8) << path.name << " " << u;
    }
  }
}

TEST(GlobeTableSeries, AcosStaysWithinTheBoundTheMarginsUse) {
  if (std::numeric_limits<long double>::digits <= 53)
    GTEST_SKIP() << "no wider type to measure against";
  long double worst = 0;
  auto measure = [&](double x) {
    const long double error =
        std::fabs((long double)ApproxGlobeAcos(x) - std::acos((long double)x));
    if (error > worst) worst = error;
  };
  for (int k = -200000; k <= 200000; ++k) measure(k / 200000.0);
  for (double edge : {-1.0, -0.5, 0.5, 1.0})
    for (int steps = -64; steps <= 64; ++steps) {
      const double x = Step(edge, steps);
      if (std::fabs(x) <= 1) measure(x);
    }
  EXPECT_LE(worst, (long double)kGlobeAcosError);
}
