#include "base/vector_math.h"

#include <cmath>
#include <limits>

namespace {

Matrix4 Identity() {
  Matrix4 m;
  SetIdentity(m);
  return m;
}

Matrix4 MatrixWithRows(const Vector4& r0, const Vector4& r1, const Vector4& r2,
                       const Vector4& r3) {
  return Matrix4{{r0.x, r0.y, r0.z, r0.w,  //
                  r1.x, r1.y, r1.z, r1.w,  //
                  r2.x, r2.y, r2.z, r2.w,  //
                  r3.x, r3.y, r3.z, r3.w}};
}

void SetRow(Matrix4& m, int r, const Vector4& v) {
  m.At(r, 0) = v.x;
  m.At(r, 1) = v.y;
  m.At(r, 2) = v.z;
  m.At(r, 3) = v.w;
}

Vector4 Negated(const Vector4& v) { return Vector4{-v.x, -v.y, -v.z, -v.w}; }

}  // namespace

std::int32_t TruncToInt32(double value) {
  constexpr auto kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr auto kHighest = std::numeric_limits<std::int32_t>::max();
  if (std::isnan(value)) return 0;
  if (value <= static_cast<double>(kLowest)) return kLowest;
  if (value >= static_cast<double>(kHighest)) return kHighest;
  return static_cast<std::int32_t>(value);
}

void SetIdentity(Matrix4& m) {
  for (int i = 0; i < 16; ++i) m.m[i] = (i % 5 == 0) ? 1.0 : 0.0;
}

void CopyVec(Vector4& dst, const Vector4& src) { dst = src; }

void CopyMat(Matrix4& dst, const Matrix4& src) { dst = src; }

void MulMatVec(Vector4& dst, const Matrix4& m, const Vector4& v) {
  double r[4];
  for (int i = 0; i < 4; ++i) {
    r[i] = m.At(i, 0) * v.x + m.At(i, 1) * v.y + m.At(i, 2) * v.z +
           m.At(i, 3) * v.w;
  }
  dst = Vector4{r[0], r[1], r[2], r[3]};
}

void MulMat(Matrix4& dst, const Matrix4& a, const Matrix4& b) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      r.At(i, j) = a.At(i, 0) * b.At(0, j) + a.At(i, 1) * b.At(1, j) +
                   a.At(i, 2) * b.At(2, j) + a.At(i, 3) * b.At(3, j);
    }
  }
  dst = r;
}

void Cross(Vector4& dst, const Vector4& a, const Vector4& b) {
  dst = Vector4{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z,
                a.x * b.y - a.y * b.x, 0.0};
}

void Normalize(Vector4& dst, const Vector4& src) {
  const double length =
      std::sqrt(src.x * src.x + src.y * src.y + src.z * src.z);
  if (!(length > 0.0)) return;
  const double inverse = 1.0 / length;
  dst = Vector4{src.x * inverse, src.y * inverse, src.z * inverse, src.w};
}

void Transpose(Matrix4& dst, const Matrix4& src) {
  Matrix4 r;
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) r.At(i, j) = src.At(j, i);
  }
  dst = r;
}

void InvertRigid(Matrix4& dst, const Matrix4& m) {
  Matrix4 r = Identity();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.At(i, j) = m.At(j, i);
  }
  for (int i = 0; i < 3; ++i) {
    r.At(i, 3) = -(r.At(i, 0) * m.At(0, 3) + r.At(i, 1) * m.At(1, 3) +
                   r.At(i, 2) * m.At(2, 3));
  }
  dst = r;
}

void MulComponents(Vector4& dst, const Vector4& a, const Vector4& b) {
  dst = Vector4{a.x * b.x, a.y * b.y, a.z * b.z, a.w * b.w};
}

void ScaleVec(Vector4& dst, const Vector4& src, double s) {
  dst = Vector4{src.x * s, src.y * s, src.z * s, src.w * s};
}

void TranslateMat(Matrix4& dst, const Matrix4& src, const Vector4& v) {
  Matrix4 r = src;
  r.At(0, 3) += v.x;
  r.At(1, 3) += v.y;
  r.At(2, 3) += v.z;
  r.At(3, 3) += v.w;
  dst = r;
}

void VecToInt4(Int4& dst, const Vector4& v) {
  dst = Int4{TruncToInt32(v.x), TruncToInt32(v.y), TruncToInt32(v.z),
             TruncToInt32(v.w)};
}

void RotateX(Matrix4& dst, const Matrix4& src, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const Matrix4 rotation{{1, 0, 0, 0,   //
                          0, c, -s, 0,  //
                          0, s, c, 0,   //
                          0, 0, 0, 1}};
  MulMat(dst, rotation, src);
}

// The Y rotation turns the other way round from the X and Z ones (-s in
// row 0); callers choose their angles with this sense.
void RotateY(Matrix4& dst, const Matrix4& src, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const Matrix4 rotation{{c, 0, -s, 0,  //
                          0, 1, 0, 0,   //
                          s, 0, c, 0,   //
                          0, 0, 0, 1}};
  MulMat(dst, rotation, src);
}

void RotateZ(Matrix4& dst, const Matrix4& src, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  const Matrix4 rotation{{c, -s, 0, 0,  //
                          s, c, 0, 0,   //
                          0, 0, 1, 0,   //
                          0, 0, 0, 1}};
  MulMat(dst, rotation, src);
}

void LinearPart(Matrix4& dst, const Matrix4& m) {
  Matrix4 r = Identity();
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) r.At(i, j) = m.At(i, j);
  }
  dst = r;
}

void TranslationPart(Matrix4& dst, const Matrix4& m) {
  Matrix4 r = Identity();
  for (int i = 0; i < 4; ++i) r.At(i, 3) = m.At(i, 3);
  dst = r;
}

void ClampVec(Vector4& dst, const Vector4& src, double low, double high) {
  auto clamp = [low, high](double c) {
    if (!(c >= low)) return low;
    return c > high ? high : c;
  };
  dst = Vector4{clamp(src.x), clamp(src.y), clamp(src.z), clamp(src.w)};
}

void LookAt(Matrix4& dst, const Vector4& eye, const Vector4& direction,
            const Vector4& up) {
  // Built as the camera's own placement (axes as columns, eye as
  // translation), then inverted. A degenerate up or direction leaves the
  // identity's axis in place rather than producing NaNs.
  Vector4 side{1, 0, 0, 0};
  Vector4 sideSource;
  Cross(sideSource, up, direction);
  Normalize(side, sideSource);
  Vector4 forward{0, 0, 1, 0};
  Normalize(forward, direction);
  Vector4 upright;
  Cross(upright, forward, side);

  Matrix4 placement =
      MatrixWithRows(side, upright, forward, Vector4{0, 0, 0, 1});
  Transpose(placement, placement);
  TranslateMat(placement, placement, eye);
  InvertRigid(dst, placement);
}

void LightDirections(Matrix4& dst, const Vector4& l1, const Vector4& l2,
                     const Vector4& l3) {
  Matrix4 r{};
  const Vector4* lights[3] = {&l1, &l2, &l3};
  for (int i = 0; i < 3; ++i) {
    Vector4 row{0, 0, 0, 0};
    Normalize(row, Negated(*lights[i]));
    SetRow(r, i, row);
  }
  SetRow(r, 3, Vector4{0, 0, 0, 1});
  dst = r;
}

void ColumnsToMatrix(Matrix4& dst, const Vector4& c0, const Vector4& c1,
                     const Vector4& c2, const Vector4& c3) {
  Matrix4 r = MatrixWithRows(c0, c1, c2, c3);
  Transpose(dst, r);
}

void ShadeVertex(Int4& dst, const Matrix4& light, const Matrix4& colors,
                 const Vector4& normal, const Vector4& material) {
  Vector4 t;
  MulMatVec(t, light, normal);
  ClampVec(t, t, 0.0, 1.0);
  MulMatVec(t, colors, t);
  MulComponents(t, t, material);
  ClampVec(t, t, 0.0, 255.0);
  VecToInt4(dst, t);
}

void SetPerspective(Matrix4& dst, double focal, double scaleX, double scaleY,
                    double centreX, double centreY, double depthFar,
                    double depthNear, double nearZ, double farZ) {
  const double span = farZ - nearZ;
  // After the division by z the depth is depthAtInfinity + depthPerInverseZ /
  // z.
  const double depthAtInfinity = (-depthNear * nearZ + depthFar * farZ) / span;
  const double depthPerInverseZ = farZ * nearZ * (depthNear - depthFar) / span;
  const Matrix4 perspective{{focal, 0, 0, 0,  //
                             0, focal, 0, 0,  //
                             0, 0, 0, 1,      //
                             0, 0, 1, 0}};
  const Matrix4 screen{{scaleX, 0, 0, centreX,                    //
                        0, scaleY, 0, centreY,                    //
                        0, 0, depthPerInverseZ, depthAtInfinity,  //
                        0, 0, 0, 1}};
  MulMat(dst, screen, perspective);
}

double ProjectPoint(Int4& dst, const Matrix4& m, const Vector4& point,
                    bool keepDepth) {
  constexpr double kSubpixels = 16.0;
  Vector4 t;
  MulMatVec(t, m, point);
  const double reciprocal = 1.0 / t.w;
  t.x *= reciprocal;
  t.y *= reciprocal;
  t.z *= reciprocal;
  const double depthFactor = keepDepth ? 1.0 : kSubpixels;
  dst = Int4{TruncToInt32(kSubpixels * t.x), TruncToInt32(kSubpixels * t.y),
             TruncToInt32(depthFactor * t.z), TruncToInt32(depthFactor * t.w)};
  return reciprocal;
}
