#include "base/vector_math.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

Matrix4 Identity() {
  Matrix4 m;
  SetIdentity(m);
  return m;
}

Vector4 Apply(const Matrix4& m, const Vector4& v) {
  Vector4 r;
  MulMatVec(r, m, v);
  return r;
}

void ExpectNear(const Vector4& expected, const Vector4& actual) {
  EXPECT_NEAR(expected.x, actual.x, 1e-9);
  EXPECT_NEAR(expected.y, actual.y, 1e-9);
  EXPECT_NEAR(expected.z, actual.z, 1e-9);
  EXPECT_NEAR(expected.w, actual.w, 1e-9);
}

std::array<std::int32_t, 4> Components(const Int4& n) {
  return {n.x, n.y, n.z, n.w};
}

TEST(VectorMath, NormalizeKeepsWAndLeavesUnusableVectorsAlone) {
  Vector4 v{9, 9, 9, 9};
  Normalize(v, Vector4{3, 4, 0, 7});
  Normalize(v, Vector4{0, 0, 0, 1});
  Normalize(v, Vector4{kNaN, 1, 0, 1});
  ExpectNear(Vector4{0.6, 0.8, 0, 7}, v);
}

TEST(VectorMath, RotationsTurnTheirOwnWayAndLaterOnesApplyLast) {
  Matrix4 m;
  RotateZ(m, Identity(), kPi / 2);
  ExpectNear(Vector4{0, 1, 0, 0}, Apply(m, Vector4{1, 0, 0, 0}));
  RotateY(m, Identity(), kPi / 2);
  ExpectNear(Vector4{0, 0, 1, 0}, Apply(m, Vector4{1, 0, 0, 0}));
  RotateX(m, Identity(), kPi / 2);
  ExpectNear(Vector4{0, 0, 1, 0}, Apply(m, Vector4{0, 1, 0, 0}));
  RotateZ(m, m, kPi / 2);  // x: unmoved by X, then turned to y by Z
  ExpectNear(Vector4{0, 1, 0, 1}, Apply(m, Vector4{1, 0, 0, 1}));
}

TEST(VectorMath, ProductsAndInverseMayWriteOverTheirInputs) {
  Matrix4 motion = Identity();
  RotateX(motion, motion, 0.3);
  RotateY(motion, motion, -1.1);
  TranslateMat(motion, motion, Vector4{1, -2, 3, 0});
  const Vector4 v{4, -5, 6, 1};
  Matrix4 twice = motion;
  MulMat(twice, twice, twice);
  ExpectNear(Apply(motion, Apply(motion, v)), Apply(twice, v));
  Matrix4 inverse = motion;
  InvertRigid(inverse, inverse);
  ExpectNear(v, Apply(inverse, Apply(motion, v)));

  Vector4 u{1, 2, 3, 4};
  Cross(u, u, Vector4{0, 0, 1, 0});
  ExpectNear(Vector4{2, -1, 0, 0}, u);
}

TEST(VectorMath, LookAtPutsTheEyeAtTheOriginLookingAlongZ) {
  Matrix4 view;
  LookAt(view, Vector4{0, 0, -25, 0}, Vector4{0, 0, 1, 1}, Vector4{0, 1, 0, 1});
  ExpectNear(Vector4{0, 0, 25, 1}, Apply(view, Vector4{0, 0, 0, 1}));
  // From +x looking back: the side axis is up x direction, here +z.
  LookAt(view, Vector4{10, 0, 0, 0}, Vector4{-2, 0, 0, 0}, Vector4{0, 3, 0, 0});
  ExpectNear(Vector4{1, 2, 9, 1}, Apply(view, Vector4{1, 2, 1, 1}));
}

TEST(VectorMath, ConversionsStayDefinedForEveryDouble) {
  Vector4 clamped;
  ClampVec(clamped, Vector4{kNaN, -0.5, 0.25, 7}, 0, 1);
  ExpectNear(Vector4{0, 0, 0.25, 1}, clamped);
  Int4 n;
  VecToInt4(n, Vector4{-0.5, -1.7, 2.9, kNaN});
  EXPECT_EQ((std::array{0, -1, 2, 0}), Components(n));
  VecToInt4(n, Vector4{kInf, -kInf, 1e300, -3e9});
  EXPECT_EQ((std::array{kIntMax, kIntMin, kIntMax, kIntMin}), Components(n));
}

TEST(VectorMath, PerspectiveMapsTheDepthRangeAndScreenCentre) {
  const double cx = 256.0 / 32, cy = 128.0 / 32;
  const double focal = 2.6 * std::sqrt(cx * cx + cy * cy);
  Matrix4 projection;
  SetPerspective(projection, focal, 1, 1, cx, cy, 1, 16777215, 1, 65536);
  Int4 p;
  EXPECT_DOUBLE_EQ(1, ProjectPoint(p, projection, Vector4{0, 0, 1, 1}, true));
  EXPECT_EQ((std::array{128, 64, 16777215, 1}), Components(p));
  ProjectPoint(p, projection, Vector4{0, 0, 65536, 1}, true);
  EXPECT_EQ(1, p.z);
  ProjectPoint(p, projection, Vector4{2, -1, 4, 1}, true);
  EXPECT_EQ(std::trunc(16 * (focal * 2 / 4 + cx)), p.x);
  EXPECT_EQ(std::trunc(16 * (focal * -1 / 4 + cy)), p.y);
}

TEST(VectorMath, ProjectPointScalesDepthUnlessKeptAndSurvivesZeroW) {
  const Matrix4 m = Identity();
  Int4 p;
  EXPECT_DOUBLE_EQ(0.5, ProjectPoint(p, m, Vector4{-1, 3, 5, 2}, false));
  EXPECT_EQ((std::array{-8, 24, 40, 32}), Components(p));
  ProjectPoint(p, m, Vector4{-1.0 / 32, 0, -1, 2}, true);
  EXPECT_EQ((std::array{0, 0, 0, 2}), Components(p));  // toward zero
  ProjectPoint(p, m, Vector4{1, -1, 0, 0}, true);
  EXPECT_EQ((std::array{kIntMax, kIntMin, 0, 0}), Components(p));
}

}  // namespace
