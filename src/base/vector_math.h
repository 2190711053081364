// Four-component vectors and 4 x 4 matrices of doubles for the scene library
// and the globe.
//
// Matrices are row-major, element (r, c) at index 4r + c, and act on column
// vectors: (M v)_i = sum_j M(i, j) v_j, so translations live in column 3.
// Angles are radians.
//
// Every operation writes its result through its first argument and reads all
// of its inputs first, so the output may be the very object passed as input.
// Nothing here allocates or fails.
#pragma once

#include <cstdint>

#include "base/angles.h"

struct alignas(16) Vector4 {
  double x, y, z, w;
};

struct alignas(16) Matrix4 {
  double m[16];

  double& At(int row, int column) { return m[4 * row + column]; }
  double At(int row, int column) const { return m[4 * row + column]; }
};

// A vector truncated toward zero.
struct Int4 {
  std::int32_t x, y, z, w;
};

// Truncation toward zero that stays defined for every double: values beyond
// the 32-bit range clamp to its ends and NaN becomes 0.
std::int32_t TruncToInt32(double value);

void SetIdentity(Matrix4& m);
void CopyVec(Vector4& dst, const Vector4& src);
void CopyMat(Matrix4& dst, const Matrix4& src);

void MulMatVec(Vector4& dst, const Matrix4& m, const Vector4& v);
void MulMat(Matrix4& dst, const Matrix4& a, const Matrix4& b);
// dst.xyz = a.xyz x b.xyz, dst.w = 0.
void Cross(Vector4& dst, const Vector4& a, const Vector4& b);
// Scales x, y, z to unit length and keeps w. A vector without a usable
// length (zero or NaN) leaves dst untouched, so callers can pre-load dst
// with a fallback.
void Normalize(Vector4& dst, const Vector4& src);
void Transpose(Matrix4& dst, const Matrix4& src);
// Inverse of [R t; 0 1] for a rotation R; row 3 of m is not read.
void InvertRigid(Matrix4& dst, const Matrix4& m);
void MulComponents(Vector4& dst, const Vector4& a, const Vector4& b);
void ScaleVec(Vector4& dst, const Vector4& src, double s);
// dst = src with v added to column 3, all four rows.
void TranslateMat(Matrix4& dst, const Matrix4& src, const Vector4& v);
void VecToInt4(Int4& dst, const Vector4& v);

// dst = R(angle) x src: successive calls apply the later rotation last.
void RotateX(Matrix4& dst, const Matrix4& src, double angle);
void RotateY(Matrix4& dst, const Matrix4& src, double angle);
void RotateZ(Matrix4& dst, const Matrix4& src, double angle);

// The upper 3 x 3 of m in an otherwise identity matrix.
void LinearPart(Matrix4& dst, const Matrix4& m);
// Column 3 of m (all four rows) in an otherwise identity matrix.
void TranslationPart(Matrix4& dst, const Matrix4& m);

// Component-wise; anything not >= low (NaN included) becomes low.
void ClampVec(Vector4& dst, const Vector4& src, double low, double high);

// View matrix for an eye looking along `direction` (not at a target point);
// the view looks along +z.
void LookAt(Matrix4& dst, const Vector4& eye, const Vector4& direction,
            const Vector4& up);

// Rows 0-2: the reversed, normalised light directions; row 3: (0, 0, 0, 1).
// A light of zero length keeps a zero row and so adds nothing.
void LightDirections(Matrix4& dst, const Vector4& l1, const Vector4& l2,
                     const Vector4& l3);
void ColumnsToMatrix(Matrix4& dst, const Vector4& c0, const Vector4& c1,
                     const Vector4& c2, const Vector4& c3);

// Lit colour of a vertex, each component 0-255. `light` comes from
// LightDirections (in object space), `colours` from ColumnsToMatrix with the
// three light colours and the ambient colour; the normal's w weighs the
// ambient term.
void ShadeVertex(Int4& dst, const Matrix4& light, const Matrix4& colors,
                 const Vector4& normal, const Vector4& material);

// Perspective projection with a depth mapping: a view-space point at depth z
// lands at x' = scaleX * focal * x / z + centreX, likewise y, and gets the
// depth depthNear at z = nearZ and depthFar at z = farZ.
void SetPerspective(Matrix4& dst, double focal, double scaleX, double scaleY,
                    double centreX, double centreY, double depthFar,
                    double depthNear, double nearZ, double farZ);

// Projects `point`, divides x, y, z by w and returns 1 / w. x and y come out
// multiplied by 16 (the projection works in units of 16 pixels); with
// keepDepth the depth and w are kept as they are, otherwise they are
// multiplied by 16 too.
double ProjectPoint(Int4& dst, const Matrix4& m, const Vector4& point,
                    bool keepDepth);
