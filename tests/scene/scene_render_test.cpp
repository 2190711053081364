#include "scene/scene_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "pixels/canvas.h"

namespace {

constexpr int kSize = 64;
constexpr int kCentre = kSize / 2;

// The blend every triangle is drawn with: the colour made opaque, coverage a.
std::uint32_t Over(std::uint32_t dst, std::uint32_t rgb, std::uint32_t a) {
  const std::uint32_t src = rgb | 0xFF000000u;
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
    out |= (((s * a + d * (255 - a)) >> 8) & 0xFF) << shift;
  }
  return out;
}

std::uint32_t Grey(double level) {
  const auto byte = static_cast<std::uint32_t>(level);
  return (byte << 16) | (byte << 8) | byte;
}

const Vector4 kWhite{255, 255, 255, 127};
const Vector4 kAwayFromLight{1, 1, -1, 0};  // the default light's direction
const Vector4 kTowardLight{-1, -1, 1, 0};

// A triangle around the object's origin in the plane z, with one normal.
void AddTriangle(CGSObject& object, double z, const Vector4& material,
                 const Vector4& normal, int mode = 4) {
  object.BeginBlock(mode);
  object.Color(material.x, material.y, material.z, material.w);
  object.NormalUnit(normal.x, normal.y, normal.z);
  object.Vertex(-3, -3, z);
  object.Vertex(3, -3, z);
  object.Vertex(0, 3, z);
}

class SceneRender : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.Resize(kSize, kSize);
    canvas.Clear();
    const double a = kSize / 32.0;
    SetPerspective(projection, 2.6 * std::sqrt(2 * a * a), 1, 1, a, a, 1,
                   16777215, 1, 65536);
  }
  static CGSObject* AddObject(CGSObject& parent) {
    auto* object = new CGSObject;
    parent.PushBack(object);
    return object;
  }
  std::uint32_t RenderCentre() {
    canvas.Clear();
    RenderScene(root, canvas, projection);
    return canvas.GetPixel(kCentre, kCentre);
  }

  CCanvas canvas;
  Matrix4 projection;
  CGSRoot root;
};

TEST_F(SceneRender, SceneWithoutDrawnBlocksLeavesTheCanvasAlone) {
  AddObject(*AddObject(root));
  AddTriangle(*AddObject(root), 0, kWhite, kTowardLight, /*mode=*/1);
  for (int i = 0; i < kSize * kSize; ++i) canvas.Pixels()[i] = 0x11223344u + i;
  RenderScene(root, canvas, projection);
  for (int i = 0; i < kSize * kSize; ++i) {
    ASSERT_EQ(0x11223344u + i, canvas.Pixels()[i]);
  }
}

TEST_F(SceneRender, LightingFollowsTheNormalsAndTheRootRotation) {
  AddTriangle(*AddObject(root), 0, kWhite, kTowardLight);
  EXPECT_EQ(Over(0, Grey(255), 128), RenderCentre());  // 1.5 x 255 clamps
  EXPECT_EQ(0u, canvas.GetPixel(0, 0));

  root.DeleteAll();
  AddTriangle(*AddObject(root), 0, kWhite, kAwayFromLight);
  EXPECT_EQ(Over(0, Grey(root.ambient.x * 255), 128), RenderCentre());
  RotateZ(root.matrix, root.matrix, kPi);  // the normal meets the light at 1/3
  EXPECT_EQ(Over(0, Grey((1.0 / 3 + 0.5) * 255), 128), RenderCentre());
}

TEST_F(SceneRender, NearerTriangleIsDrawnOverTheFartherOne) {
  root.ambient = Vector4{1, 1, 1, 1};
  root.lightColor1 = Vector4{0, 0, 0, 0};
  CGSObject* object = AddObject(root);
  AddTriangle(*object, -5, Vector4{0, 255, 0, 0}, kAwayFromLight);  // near
  AddTriangle(*object, 5, Vector4{255, 0, 0, 0}, kAwayFromLight);   // far
  EXPECT_EQ(Over(Over(0, 0x0000FF, 128), 0x00FF00, 128), RenderCentre());
}

TEST_F(SceneRender, ObjectMatricesAccumulateUpToTheRoot) {
  CGSObject* group = AddObject(root);
  CGSObject* leaf = AddObject(*group);
  AddTriangle(*leaf, 0, kWhite, kAwayFromLight);
  TranslateMat(leaf->matrix, leaf->matrix, Vector4{5, 0, 0, 0});
  EXPECT_EQ(0u, RenderCentre());
  EXPECT_NE(0u, canvas.GetPixel(kCentre + 23, kCentre));
  TranslateMat(group->matrix, group->matrix, Vector4{-3, 0, 0, 0});
  TranslateMat(root.matrix, root.matrix, Vector4{-2, 0, 0, 0});
  EXPECT_NE(0u, RenderCentre());
  EXPECT_EQ(0u, canvas.GetPixel(kCentre + 23, kCentre));
}

// The smallest box holding every drawn pixel: left, top, right, bottom.
std::array<int, 4> DrawnBox(const CCanvas& canvas) {
  std::array<int, 4> box{canvas.Width(), canvas.Height(), -1, -1};
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.GetPixel(x, y) != 0)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x),
               std::max(box[3], y)};
  return box;
}

bool BoxesNear(const std::array<int, 4>& a, const std::array<int, 4>& b) {
  for (int i = 0; i < 4; ++i)
    if (std::abs(a[i] - b[i]) > 1) return false;
  return true;
}

// A parent's matrix acts first and its child's on the result: the child's
// matrix is accumulated on the right, so a vertex goes through child x
// parent x root. A quarter turn about z in the child and a move along x in
// its parent put the triangle, turned, on the y axis: Rz(90°) (5, 0, 0) =
// (0, 5, 0). Turning first and moving after would leave it on the x axis.
TEST_F(SceneRender, AChildsMatrixActsAfterItsParents) {
  CGSObject* group = AddObject(root);
  CGSObject* leaf = AddObject(*group);
  AddTriangle(*leaf, 0, kWhite, kAwayFromLight);
  RotateZ(leaf->matrix, leaf->matrix, kPi / 2);
  TranslateMat(group->matrix, group->matrix, Vector4{5, 0, 0, 0});
  RenderCentre();
  const auto nested = DrawnBox(canvas);

  CGSRoot expected;
  CGSObject* alone = AddObject(expected);
  AddTriangle(*alone, 0, kWhite, kAwayFromLight);
  RotateZ(alone->matrix, alone->matrix, kPi / 2);
  TranslateMat(alone->matrix, alone->matrix, Vector4{0, 5, 0, 0});
  canvas.Clear();
  RenderScene(expected, canvas, projection);
  const auto turnedThenMoved = DrawnBox(canvas);

  ASSERT_LT(turnedThenMoved[0], turnedThenMoved[2]) << "drawn";
  EXPECT_TRUE(BoxesNear(nested, turnedThenMoved))
      << nested[0] << "," << nested[1] << " " << nested[2] << "," << nested[3];
  // Off the x axis by the move, so the centre of the view stays empty.
  EXPECT_EQ(0u, canvas.GetPixel(kCentre, kCentre));
}

// The view angles orbit the camera (eye, direction and up) about the
// origin. A quarter turn about y brings the eye from (0, 0, -25) to
// (25, 0, 0), looking back at the origin, so a triangle moved to (5, 0, 0)
// and turned to face along x lies on the line of sight, in the middle of
// the view; a quarter turn about x does the same for one moved to
// (0, 5, 0) and facing along y. A quarter turn about z, the line of sight,
// turns up to the side: the triangle on x leaves the horizontal through the
// centre for the vertical. A second frame with the same angles is the same
// frame.
TEST_F(SceneRender, ViewAnglesOrbitTheCameraAboutTheOrigin) {
  struct Case {
    Vector4 offset, facing, angles;  // facing: the triangle's own turn
    bool centred;
  };
  const Case cases[] = {
      {{5, 0, 0, 0}, {0, kPi / 2, 0, 0}, {0, kPi / 2, 0, 0}, true},
      {{0, 5, 0, 0}, {kPi / 2, 0, 0, 0}, {kPi / 2, 0, 0, 0}, true},
      {{5, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, kPi / 2, 0}, false}};
  for (const Case& c : cases) {
    root.DeleteAll();
    CGSObject* object = AddObject(root);
    AddTriangle(*object, 0, kWhite, kAwayFromLight);
    RotateX(object->matrix, object->matrix, c.facing.x);
    RotateY(object->matrix, object->matrix, c.facing.y);
    TranslateMat(object->matrix, object->matrix, c.offset);
    EXPECT_EQ(0u, RenderCentre()) << "off the line of sight unturned";

    root.viewAngles = c.angles;
    const std::uint32_t centre = RenderCentre();
    const auto first = DrawnBox(canvas);
    EXPECT_EQ(centre != 0, c.centred);
    if (!c.centred) {
      EXPECT_EQ(0u, canvas.GetPixel(kCentre + 23, kCentre));
      EXPECT_TRUE(canvas.GetPixel(kCentre, kCentre + 23) != 0 ||
                  canvas.GetPixel(kCentre, kCentre - 23) != 0);
    }
    RenderCentre();
    EXPECT_EQ(DrawnBox(canvas), first) << "the same angles, the same view";
    root.viewAngles = Vector4{0, 0, 0, 0};
  }
}

}  // namespace
