#include "earthfrm/globe_table.h"

#include <cmath>

#include "cmnutils/vector_math.h"

namespace {
constexpr double kPi = PI;
constexpr double kTwoPi = TWO_PI;

// TruncToInt32, inlined into the per-pixel loop: the same results.
inline std::int32_t Truncate(double v) {
  if (v > -2147483648.0 && v < 2147483648.0)
    return static_cast<std::int32_t>(v);
  return v != v ? 0 : v > 0 ? INT32_MAX : INT32_MIN;
}

// Everything a pixel's ray needs that does not change from pixel to pixel.
struct Setup {
  double r0[3], r1[3], r2[3];  // rows of the inverse orientation
  double light[3];
  double cx, cy, f;
  double centreZ;      // the sphere's centre is (0, 0, centreZ)
  double qc;           // |C|^2 - D^2
  std::int32_t u, th;  // U = tw << texShift; texture height
  int gradientSpan, shadingSpan;
  int gradientMax, shadingMax;
};

Setup MakeSetup(const GlobeTableInputs& in) {
  Setup s{};
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
  s.u = in.textureWidth << in.texShift;
  s.th = in.textureHeight;
  s.gradientSpan = int(in.gradientMax) - int(in.gradientMin);
  s.shadingSpan = int(in.shadingMax) - int(in.shadingMin);
  s.gradientMax = in.gradientMax;
  s.shadingMax = in.shadingMax;
  return s;
}

double Dot(const double a[3], const double b[3]) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// One view of the surface at ray parameter t (at least 1e-9).
void Sample(const Setup& s, const double d[3], double t, GlobeSample& out) {
  const double p[3] = {t * d[0], t * d[1], t * d[2] - s.centreZ};
  const double length = std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
  const double n[3] = {p[0] / length, p[1] / length, p[2] / length};

  const double ct = Dot(s.r2, n);
  const double theta = ct < -1 ? kPi : ct > 1 ? 0 : std::acos(ct);
  const double st = std::sin(theta);
  double phi = 0;
  if (st != 0) {
    const double cp = Dot(s.r0, n) / st;
    phi = cp < -1 ? kPi : cp > 1 ? 0 : std::acos(cp);
  }
  if (Dot(s.r1, n) < 0) phi = kTwoPi - phi;

  std::int32_t u = Truncate(s.u * phi / kTwoPi);
  u = u <= 0 ? 0 : u >= s.u ? s.u - 1 : u;
  std::int32_t v = s.th - Truncate(s.th * theta / kPi);
  v = v <= 0 ? 0 : v >= s.th ? s.th - 1 : v;
  out.u = std::uint16_t(u);
  out.v = std::uint16_t(v);

  const int ka = Truncate(n[2] * s.gradientSpan);  // N . V with V = (0, 0, 1)
  out.alpha = std::uint8_t(ka < 0 ? s.gradientMax + ka : s.gradientMax - ka);
  const int ks = Truncate(Dot(n, s.light) * s.shadingSpan);
  out.shade = std::uint8_t(ks < 0 ? s.shadingMax : s.shadingMax - ks);
}

// The ray through column j of array row i.
void Entry(const Setup& s, std::int32_t i, std::int32_t j, GlobeEntry& out) {
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
  if (t1 < 1e-9)
    out.front.alpha = 0;
  else
    Sample(s, d, t1, out.front);
  if (t2 < 1e-9)
    out.back.alpha = 0;
  else
    Sample(s, d, t2, out.back);
}

// Whether any ray of array row i can meet the sphere: the row's nearest
// point to the centre line is its middle column.
bool RowMissesSphere(const Setup& s, std::int32_t i) {
  const double y = s.cy - i;
  // With x = 0 the discriminant is largest; if even that is negative, every
  // ray of the row misses. Computed as the per-pixel rule would, so that the
  // shortcut decides exactly as the rule does.
  const double qa = y * y + s.f * s.f;
  const double qb = -s.f * s.centreZ;
  return qb * qb - qa * s.qc < 0;
}
}  // namespace

void BuildGlobeTableReference(const GlobeTableInputs& in, GlobeEntry* table) {
  const Setup s = MakeSetup(in);
  for (std::int32_t i = 0; i < in.height; ++i)
    for (std::int32_t j = 0; j < in.width; ++j)
      Entry(s, i, j, table[std::size_t(i) * in.width + j]);
}

bool BuildGlobeTable(const GlobeTableInputs& in, GlobeEntry* table,
                     std::atomic<std::size_t>& fillLevel,
                     const std::atomic<bool>& stop) {
  const Setup s = MakeSetup(in);
  const std::size_t width = std::size_t(in.width);
  for (std::int32_t i = 0; i < in.height; ++i) {
    GlobeEntry* row = table + std::size_t(i) * width;
    if (RowMissesSphere(s, i)) {
      for (std::size_t j = 0; j < width; ++j)
        row[j].front.alpha = row[j].back.alpha = 0;
    } else {
      for (std::int32_t j = 0; j < in.width; ++j) Entry(s, i, j, row[j]);
    }
    fillLevel.store((std::size_t(i) + 1) * width, std::memory_order_release);
    if (stop.load(std::memory_order_acquire)) return false;
  }
  return true;
}
