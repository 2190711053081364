#include "earthfrm/globe_table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

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

// The fast build skips rows that miss the sphere; every entry that means
// anything must equal the plain per-pixel rule's.
TEST(GlobeTable, FastBuildEqualsThePlainRuleOnAGridOfSizesAndAngles) {
  for (int side : {17, 64, 129, 200}) {
    for (double tilt : {-90.0, -37.5, 0.0, 30.0, 90.0}) {
      for (double turn : {-180.0, 0.0, 77.0}) {
        GlobeTableInputs in = Inputs(side, tilt, turn);
        in.width = side;
        in.height = side * 3 / 4 + 1;
        const auto fast = Build(in);
        std::vector<GlobeEntry> plain(fast.size(), GlobeEntry{});
        BuildGlobeTableReference(in, plain.data());
        for (std::size_t k = 0; k < fast.size(); ++k) {
          for (int s = 0; s < 2; ++s) {
            const GlobeSample& a = s ? fast[k].back : fast[k].front;
            const GlobeSample& b = s ? plain[k].back : plain[k].front;
            ASSERT_EQ(a.alpha, b.alpha)
                << side << " " << tilt << " " << turn << " " << k;
            if (a.alpha) {
              ASSERT_EQ(0, std::memcmp(&a, &b, sizeof a)) << k;
            }
          }
        }
      }
    }
  }
}
