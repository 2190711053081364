// Which way up and which way round the globe is drawn, and which way it
// turns: north up and tilted toward the viewer by the viewing latitude, east
// on the right, and the surface following the pointer when dragged.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

#include "globe/globe_draw.h"
#include "globe/globe_motion.h"
#include "globe/globe_table.h"

namespace {

constexpr int kSide = 128;
constexpr int kCentre = kSide / 2;
constexpr int kMapWidth = 64, kMapHeight = 32;

// A map whose every texel names itself: red holds its column and green its
// row (rows counted from the bottom, the south), four steps apart so that
// the blend's rounding cannot move one onto the next.
std::vector<std::uint32_t> SelfNamingMap() {
  std::vector<std::uint32_t> texels;
  for (std::uint32_t row = 0; row < kMapHeight; ++row)
    for (std::uint32_t column = 0; column < kMapWidth; ++column)
      texels.push_back(0xFF000000u | (4 * column + 3) << 16 |
                       (4 * row + 3) << 8);
  return texels;
}

struct Texel {
  int column, row;
};

class GlobeView {
 public:
  explicit GlobeView(double tilt, std::int32_t rotation = 0)
      : table(std::size_t(kSide) * kSide), pixels(table.size()) {
    GlobeTableInputs in;
    in.width = in.height = kSide;
    in.textureWidth = kMapWidth;
    in.textureHeight = kMapHeight;
    in.texShift = 2;
    in.tiltDegrees = tilt;
    BuildGlobeTableReference(in, table.data());
    Turn(rotation);
  }

  void Turn(std::int32_t rotation) {
    const GlobeTexture texture{map.data(), kMapWidth, kMapHeight, 2};
    const GlobeLook plain{rotation, false, false, false};
    DrawGlobeReference(table.data(), table.size(), texture, plain,
                       pixels.data());
  }

  // The texel seen `up` pixels above and `right` pixels right of the
  // disc's centre (array rows run from the window's bottom).
  Texel Seen(int right, int up) const {
    const std::uint32_t p =
        pixels[std::size_t(kCentre + up) * kSide + kCentre + right];
    EXPECT_NE(p, 0u) << "on the disc";
    return {int((p >> 16) & 0xFF) / 4, int((p >> 8) & 0xFF) / 4};
  }

 private:
  const std::vector<std::uint32_t> map = SelfNamingMap();
  std::vector<GlobeEntry> table;
  std::vector<std::uint32_t> pixels;
};

// How many columns `to` lies east of `from`, the short way round (negative
// for west).
int ColumnsEast(int from, int to) {
  const int d = ((to - from) % kMapWidth + kMapWidth) % kMapWidth;
  return d > kMapWidth / 2 ? d - kMapWidth : d;
}

}  // namespace

// Seen from the equator and from 30° north: north up, east on the right,
// and the latitude at the centre that of the view (each texture row is
// 180 / 32 = 5.625 degrees).
TEST(GlobeOrientation, NorthIsUpEastIsRightAndTheCentreIsTheViewingLatitude) {
  for (double tilt : {0.0, 30.0}) {
    SCOPED_TRACE(tilt);
    const GlobeView view(tilt);
    const Texel centre = view.Seen(0, 0);
    EXPECT_GT(view.Seen(0, 20).row, centre.row) << "north above";
    EXPECT_LT(view.Seen(0, -20).row, centre.row) << "south below";
    EXPECT_GT(ColumnsEast(centre.column, view.Seen(20, 0).column), 0)
        << "east to the right";
    EXPECT_LT(ColumnsEast(centre.column, view.Seen(-20, 0).column), 0)
        << "west to the left";
    // Left and right of the centre lie on the same parallel.
    EXPECT_EQ(view.Seen(20, 0).row, view.Seen(-20, 0).row);
  }
  // 30° of latitude are 30 / 5.625 = 5.3 rows: north of the equator's row
  // when seen from the north, south of it when seen from the south.
  const int equator = GlobeView(0).Seen(0, 0).row;
  EXPECT_NEAR(GlobeView(30).Seen(0, 0).row - equator, 5.3, 1);
  EXPECT_NEAR(GlobeView(-30).Seen(0, 0).row - equator, -5.3, 1);
}

// Tilted toward the viewer by 30°, the north pole lies on the disc's upper
// half (at sin 60° of the radius) and the south pole behind the globe.
TEST(GlobeOrientation, FromThirtyNorthTheNorthPoleIsInViewAboveTheCentre) {
  const GlobeView view(30);
  int poleRows = 0;
  for (int up = -38; up <= 38; ++up) {
    const int row = view.Seen(0, up).row;
    EXPECT_NE(row, 0) << "no south pole at " << up;
    if (row == kMapHeight - 1) {
      ++poleRows;
      EXPECT_GT(up, 20) << "the pole's rows lie high up";
    }
  }
  EXPECT_GT(poleRows, 0);
}

// A spin drag to the right lowers the angle, and the surface follows the
// pointer: what was under it is still under it. The time of day turns the
// globe through the same angle, which the frame adds to every sample's
// column: a quarter turn later the centre shows the texture a quarter round
// further east.
TEST(GlobeOrientation, TheSurfaceFollowsADragAndTimeAddsToTheColumns) {
  constexpr std::int64_t kNoon = 12 * 3600 * 1000;
  constexpr double kSpeed = 60;  // hundredths of a degree per 100 ms
  const std::int32_t before = RotationAt(kNoon, kSpeed, 100, 0);
  GlobeView view(0, before);
  const Texel grabbed = view.Seen(-15, 0);

  // Drag from 15 pixels left of the centre to the centre.
  const std::int32_t dragged = SpinDragRotation(before, kCentre - 15, kCentre);
  const std::int32_t offset = OffsetFor(dragged, kNoon, kSpeed, 100);
  view.Turn(RotationAt(kNoon, kSpeed, 100, offset));
  const Texel under = view.Seen(0, 0);
  // 15 degrees of longitude are 2.7 columns; near the centre a pixel spans
  // about 0.7 degrees, so the point under the pointer may be a column off.
  EXPECT_LE(std::abs(ColumnsEast(grabbed.column, under.column)), 1);
  EXPECT_EQ(under.row, grabbed.row);

  // A hundredth of a degree short of a whole turn the offset is still short
  // of the whole texture: 35999 * 256 / 36000 = 255.99, cut to 255.
  const GlobeTexture map{nullptr, kMapWidth, kMapHeight, 2};
  EXPECT_EQ(SpinOffset(35999, map), 255u);

  // One turn a minute: 15 s later a quarter turn, 16 of 64 columns.
  view.Turn(RotationAt(kNoon + 15000, kSpeed, 100, 0));
  EXPECT_EQ(ColumnsEast(GlobeView(0, before).Seen(0, 0).column,
                        view.Seen(0, 0).column),
            kMapWidth / 4);
}
