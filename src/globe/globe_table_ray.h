// The projection table's per-pixel rule, the plain way: a ray per pixel
// meets the sphere, and each hit's texel comes from two acos and one sin of
// the C library. This is the reference every faster build must match bit for
// bit, and the exact path those builds fall back to for single samples.
#pragma once

#include <cstdint>

#include "globe/globe_table.h"

// Everything a pixel's ray needs that does not change from pixel to pixel.
struct GlobeRaySetup {
  double r0[3], r1[3], r2[3];  // rows of the inverse orientation
  double light[3];
  double cx, cy, f;
  double centreZ;      // the sphere's centre is (0, 0, centreZ)
  double qc;           // |C|^2 - D^2
  std::int32_t u, th;  // U = tw << texShift; texture height
  int gradientSpan, shadingSpan;
  int gradientMax, shadingMax;
};

GlobeRaySetup MakeGlobeRaySetup(const GlobeTableInputs& in);

// The double to int32 conversion of the rule: truncation, saturating, NaN 0.
inline std::int32_t TruncateToInt32(double v) {
  if (v > -2147483648.0 && v < 2147483648.0)
    return static_cast<std::int32_t>(v);
  return v != v ? 0 : v > 0 ? INT32_MAX : INT32_MIN;
}

// Opacity and darkening from the truncated products n.z * gradient span and
// (n . light) * shading span.
inline std::uint8_t GlobeAlpha(const GlobeRaySetup& s, int ka) {
  return std::uint8_t(ka < 0 ? s.gradientMax + ka : s.gradientMax - ka);
}
inline std::uint8_t GlobeShade(const GlobeRaySetup& s, int ks) {
  return std::uint8_t(ks < 0 ? s.shadingMax : s.shadingMax - ks);
}

// Texture column and row of a surface normal given by its dot products with
// the orientation's rows: ct = r2 . n, r0n = r0 . n, r1n = r1 . n.
void ExactGlobeTexel(const GlobeRaySetup& s, double ct, double r0n, double r1n,
                     std::int32_t& u, std::int32_t& v);

// One view of the surface along direction d at ray parameter t.
void CastGlobeSampleExact(const GlobeRaySetup& s, const double d[3], double t,
                          GlobeSample& out);

// The ray through column j of array row i.
void CastGlobeEntryExact(const GlobeRaySetup& s, std::int32_t i, std::int32_t j,
                         GlobeEntry& out);

// The columns [first, last) of array row i whose rays may meet the sphere
// (discriminant not negative); every other column of the row misses.
struct GlobeColumnSpan {
  std::int32_t first = 0, last = 0;
};
GlobeColumnSpan GlobeHitColumns(const GlobeRaySetup& s, std::int32_t i,
                                std::int32_t width);
