#include "globe/globe_table_ray.h"

#include <algorithm>
#include <cmath>

#include "base/vector_math.h"

namespace {

double Dot(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A shift past 16 bits or a negative one has no meaning for a 16-bit u; the
// clamp keeps such input from being undefined.
std::int32_t FixedPointWidth(const GlobeTableInputs& in) {
  const int shift = std::clamp(in.texShift, 0, 16);
  const std::int64_t wide = std::int64_t{in.textureWidth} << shift;
  return std::int32_t(std::clamp<std::int64_t>(wide, INT32_MIN, INT32_MAX));
}

// The discriminant of the ray through (x, y, f), as every caller computes it.
double Discriminant(const GlobeRaySetup& s, double x, double y) {
  const double qa = x * x + y * y + s.f * s.f;
  const double qb = -s.f * s.centreZ;
  return qb * qb - qa * s.qc;
}
}  // namespace

GlobeRaySetup MakeGlobeRaySetup(const GlobeTableInputs& in) {
  GlobeRaySetup s{};
  Matrix4 m;
  SetIdentity(m);
  RotateX(m, m, (in.tiltDegrees + 90) * kPi / 180);
  RotateY(m, m, in.turnDegrees * kPi / 180);
  InvertRigid(m, m);
  for (int c = 0; c < 3; ++c) {
    s.r0[c] = m.m[c];
    s.r1[c] = m.m[4 + c];
    s.r2[c] = m.m[8 + c];
  }
  const double k = 1 / std::sqrt(3.0);
  s.light[0] = s.light[1] = s.light[2] = -k;
  s.cx = in.width / 2;
  s.cy = in.height / 2;
  const double d =
      std::sqrt(double(in.width) * in.width + double(in.height) * in.height);
  s.f = 4 * d;
  s.centreZ = 18 * d;
  s.qc = s.centreZ * s.centreZ - d * d;
  s.u = FixedPointWidth(in);
  s.th = in.textureHeight;
  s.gradientSpan = int(in.gradientMax) - int(in.gradientMin);
  s.shadingSpan = int(in.shadingMax) - int(in.shadingMin);
  s.gradientMax = in.gradientMax;
  s.shadingMax = in.shadingMax;
  return s;
}

void ExactGlobeTexel(const GlobeRaySetup& s, double ct, double r0n, double r1n,
                     std::int32_t& u, std::int32_t& v) {
  const double theta = ct < -1 ? kPi : ct > 1 ? 0 : std::acos(ct);
  const double st = std::sin(theta);
  double phi = 0;
  if (st != 0) {
    const double cp = r0n / st;
    phi = cp < -1 ? kPi : cp > 1 ? 0 : std::acos(cp);
  }
  if (r1n < 0) phi = kTwoPi - phi;

  u = TruncateToInt32(s.u * phi / kTwoPi);
  u = u <= 0 ? 0 : u >= s.u ? s.u - 1 : u;
  v = s.th - TruncateToInt32(s.th * theta / kPi);
  v = v <= 0 ? 0 : v >= s.th ? s.th - 1 : v;
}

void CastGlobeSampleExact(const GlobeRaySetup& s, const double d[3], double t,
                          GlobeSample& out) {
  const double p[3] = {t * d[0], t * d[1], t * d[2] - s.centreZ};
  const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
  const double n[3] = {p[0] / length, p[1] / length, p[2] / length};

  std::int32_t u, v;
  ExactGlobeTexel(s, Dot(s.r2, n), Dot(s.r0, n), Dot(s.r1, n), u, v);
  out.u = std::uint16_t(u);
  out.v = std::uint16_t(v);
  // N . V with V = (0, 0, 1)
  out.alpha = GlobeAlpha(s, TruncateToInt32(n[2] * s.gradientSpan));
  out.shade = GlobeShade(s, TruncateToInt32(Dot(n, s.light) * s.shadingSpan));
}

void CastGlobeEntryExact(const GlobeRaySetup& s, std::int32_t i, std::int32_t j,
                         GlobeEntry& out) {
  const double d[3] = {j - s.cx, s.cy - i, s.f};
  const double qa = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
  const double qb = -d[2] * s.centreZ;  // d . (-C)
  const double disc = qb * qb - qa * s.qc;
  double t1 = 0, t2 = 0;
  if (disc > 0) {
    const double root = std::sqrt(disc);
    t1 = (-qb - root) / qa;
    t2 = (-qb + root) / qa;
  } else if (disc == 0 && qa != 0) {
    t1 = -qb / qa;
  }
  // A miss writes a whole empty sample, so that no byte of the table is left
  // from before.
  if (t1 < 1e-9)
    out.front = GlobeSample{};
  else
    CastGlobeSampleExact(s, d, t1, out.front);
  if (t2 < 1e-9)
    out.back = GlobeSample{};
  else
    CastGlobeSampleExact(s, d, t2, out.back);
}

GlobeColumnSpan GlobeHitColumns(const GlobeRaySetup& s, std::int32_t i,
                                std::int32_t width) {
  // Rounding is monotonic, so the discriminant, computed as the per-pixel
  // rule computes it, never grows with |x|: the columns that may hit are one
  // run around the centre column, and its ends can be searched for.
  const double y = s.cy - i;
  auto hits = [&](std::int32_t j) { return Discriminant(s, j - s.cx, y) >= 0; };
  const std::int32_t centre = std::int32_t(s.cx);
  if (width <= 0 || !hits(centre)) return {};
  std::int32_t lo = 0, hi = centre;
  while (lo < hi) {
    const std::int32_t mid = lo + (hi - lo) / 2;
    if (hits(mid))
      hi = mid;
    else
      lo = mid + 1;
  }
  GlobeColumnSpan span{lo, 0};
  lo = centre;
  hi = width - 1;
  while (lo < hi) {
    const std::int32_t mid = hi - (hi - lo) / 2;
    if (hits(mid))
      lo = mid;
    else
      hi = mid - 1;
  }
  span.last = lo + 1;
  return span;
}
