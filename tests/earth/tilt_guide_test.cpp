#include "parts/earth/tilt_guide.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "pixels/canvas.h"
#include "support/canvas_probe.h"

namespace {

// "%6.1f" pads to six characters: a space less for every digit more.
TEST(TiltGuide, ReadOutIsTheLatitudesSizeToATenthInSixPlaces) {
  EXPECT_EQ(TiltReadout(90), u"  90.0\u00B0");
  EXPECT_EQ(TiltReadout(0), u"   0.0\u00B0");
  EXPECT_EQ(TiltReadout(-30), u"  30.0\u00B0") << "south reads as its size";
  EXPECT_EQ(TiltReadout(-7.25), u"   7.2\u00B0");
}

struct Vertex {
  double x, y, z, nx, ny, nz;
};

std::vector<std::vector<Vertex>> Strips(const CCylinder& cylinder) {
  std::vector<std::vector<Vertex>> strips;
  for (CChainNode* node = cylinder.blocks.First(); node != nullptr;
       node = cylinder.blocks.Next(node)) {
    const auto& block = *static_cast<const CBlockData*>(node);
    EXPECT_EQ(block.mode & 7, 4) << "drawn as a strip";
    std::vector<Vertex>& strip = strips.emplace_back();
    for (int i = 0; i < block.count; ++i) {
      const Vector4& p = block.positions[i];
      const Vector4& n = block.normals[i];
      strip.push_back({p.x, p.y, p.z, n.x, n.y, n.z});
    }
  }
  return strips;
}

double TriangleArea(const Vertex& a, const Vertex& b, const Vertex& c) {
  return std::fabs((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y)) / 2;
}

// 24 segments: each disc is a zigzag strip over 25 points of its rim (23
// triangles), the side one over 24 quads, both rims at every segment
// boundary and the seam twice (50 points, 48 triangles): 94 in all.
TEST(TiltGuide, CylinderIsTwoDiscsAndASideOfNinetyFourTriangles) {
  CTiltGuide guide;
  const CCylinder& cylinder = *guide.guideCylinder;
  const double r = cylinder.radius, half = cylinder.height / 2;
  const auto strips = Strips(cylinder);
  ASSERT_EQ(strips.size(), 3u);
  ASSERT_EQ(strips[0].size(), 25u);
  ASSERT_EQ(strips[1].size(), 50u);
  ASSERT_EQ(strips[2].size(), 25u);

  // The zigzag reaches 13 rim points 30° apart on one side of the x axis
  // and 12 between them on the other, so the discs' triangles tile the
  // 25-gon with 23 gaps of 15° and 2 of 7.5° around the rim.
  const double pi = std::acos(-1.0);
  const double polygon =
      r * r / 2 * (23 * std::sin(pi / 12) + 2 * std::sin(pi / 24));
  for (int disc : {0, 2}) {
    const double z = disc == 0 ? -half : half;
    double area = 0;
    for (std::size_t i = 0; i < strips[disc].size(); ++i) {
      const Vertex& v = strips[disc][i];
      EXPECT_NEAR(std::hypot(v.x, v.y), r, 1e-9);
      EXPECT_EQ(v.z, z);
      EXPECT_EQ(v.nz, z < 0 ? -1 : 1) << "facing out of the cylinder";
      if (i >= 2)
        area += TriangleArea(strips[disc][i - 2], strips[disc][i - 1], v);
    }
    EXPECT_NEAR(area, polygon, 1e-9) << "no gap and no overlap";
  }
  for (std::size_t i = 0; i < strips[1].size(); ++i) {
    const Vertex& v = strips[1][i];
    EXPECT_NEAR(std::hypot(v.x, v.y), r, 1e-9);
    EXPECT_EQ(v.z, i % 2 == 0 ? -half : half) << "bottom and top in turn";
    EXPECT_NEAR(v.nx * r, v.x, 1e-9) << "normals point away from the axis";
    EXPECT_NEAR(v.ny * r, v.y, 1e-9);
    EXPECT_EQ(v.nz, 0);
  }
  // Every triangle reaches the frame's list.
  guide.Create();
  guide.Layout(64, 64);
  CCanvas canvas;
  canvas.Resize(64, 64);
  guide.Draw(canvas, 30, 0, 0, 96);
  EXPECT_EQ(guide.guideScene->triangleList.triangleCount, 94);
  guide.Destroy();
}

// Seen down its axis (the pole's view) the cylinder is a disc in the
// middle of the view, whose size follows the view: the camera's focal
// length grows with the diagonal, so 1.5 times the size draws it 1.5 times
// as wide.
TEST(TiltGuide, LayoutAfterAResizeCentresAndScalesTheCylinder) {
  CTiltGuide guide;
  guide.Create();
  const auto drawnDisc = [&](int width, int height) {
    guide.Layout(width, height);
    CCanvas canvas;
    canvas.Resize(width, height);
    canvas.Clear();
    guide.Draw(canvas, 90, 0, 0, 24);  // a small read-out, out of the way
    const auto across = DrawnColumns(canvas, height / 2);
    int top = -1, bottom = -1;  // drawn rows of the middle column
    for (int y = 0; y < height; ++y)
      if (canvas.GetPixel(width / 2, y) != 0) {
        if (top < 0) top = y;
        bottom = y;
      }
    // The flat fill's spans end up to two columns left of their edges.
    EXPECT_NEAR(across.first + across.second, width - 1 - 3, 3)
        << "centred across";
    EXPECT_GE(top, 0) << "drawn down the middle";
    EXPECT_NEAR(top + bottom, height - 1, 3) << "centred down";
    return across.second - across.first;
  };
  const int small = drawnDisc(160, 120);
  const int large = drawnDisc(240, 180);
  EXPECT_GT(small, 20);
  EXPECT_NEAR(double(large) / small, 1.5, 0.1);
  guide.Destroy();
}

}  // namespace
