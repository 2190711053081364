// The fast rows' texel decision: u and v from a normal by series instead of
// libm, and the proof of when the series' texel is the per-pixel rule's.
// Written once for any lane type, like globe_table_rows.h, which includes it
// and says what a path provides.
//
// What is exact and what is not. The ray, the discriminant, the normal, the
// dot products, alpha and shade are the per-pixel rule's own IEEE operations
// in the rule's order: correctly rounded, so identical in any lane. (The
// table's sources build with -ffp-contract=off and no path targets FMA, so
// nothing is fused.) Only the angles are approximated, and a sample keeps an
// approximated texel only when the bound below proves that the rule's
// truncations give the same integers.
//
// The error bound. u = 2^-53 is the unit roundoff.
//  (L) We assume the C library's acos and sin are within eL = 2^-40 of the
//      true functions. glibc aims at a few ulp and lists its known worst
//      cases, all in single digits (below 2^-47 for results up to pi); the
//      factor of 100 and more left covers any library we may link, even x87
//      fsin, which loses relative accuracy near pi but little absolute.
//  (A) ApproxAcos is within eA = 2^-41 of acos on [-1, 1]: the arcsine
//      series, truncated after z^33 at z <= 1/2, leaves at most
//      c17 z^35 / (1 - z^2) < 1.6e-13, doubled by the half-angle reduction,
//      plus under 1e-14 of rounding (all its terms are positive). A
//      static_assert below recomputes the truncation part from the
//      coefficients; a test measures the whole against long double.
//  theta: |theta' - theta_libm| <= eA + eL. Our x = theta' (th / pi) and
//      the rule's th theta / pi are each within two roundings of the exact
//      products, so they differ by at most (th / pi) (eA + eL) + 2^-50 x.
//      When x is farther than that from both integers around it, the rule
//      truncates its x to the same v.
//  sin theta: s' = sqrt((1 - ct)(1 + ct)) is within 3u relative of the true
//      sqrt(1 - ct^2), and the rule's sin(acos(ct)) within 2 eL of it (sin
//      is 1-Lipschitz), so they differ by at most ds = 3 eL + 2^-50 s'.
//      Samples with s' < 2^-24 (the poles, ct = +-1) go the libm way; above
//      it the rule's sine is at least s' - ds > 0 and never takes the
//      st == 0 branch.
//  cos phi: the quotients r0n / s differ by at most
//      dc = |cp'| ds / (s' - ds) + 2^-49 (the pad covers both roundings).
//      With w = 1/2 for |cp'| <= 1/2, else w = sqrt((1 - |cp'|) / 2) (the
//      reduced argument ApproxAcos computes anyway), 2 dc <= w^2 keeps the
//      rule's quotient inside (-1, 1), so it is not clamped, and bounds
//      |acos'| = 1/sqrt(1 - x^2) by 1/w on the whole interval. So
//      |phi' - phi_libm| <= eA + eL + dc / w, plus 2^-48 for the roundings
//      of 2 pi - phi. u = U phi / 2 pi is decided like v; the tests on
//      dc / w are multiplied through by w (s' - ds), which is positive, to
//      spare two divisions.
// Every margin is itself computed with a handful of roundings, each a
// relative error near u; the constants above exceed what the proof needs by
// at least a third, and the scales are rounded up by 2^-40, which absorbs
// them.
#pragma once

#ifndef ONDRAVA_LANES_TARGET
#error "a path defines ONDRAVA_LANES_TARGET and its lane type first"
#endif

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "base/vector_math.h"
#include "globe/globe_table_fast.h"
#include "globe/globe_table_ray.h"

namespace {
constexpr double kHalfPi = kPi / 2;

// The arcsine's Taylor coefficients: asin z = sum c_k z^(2k+1), with
// c_0 = 1 and c_k = c_(k-1) (2k - 1)^2 / (2k (2k + 1)).
constexpr int kSeriesTerms = 16;
struct SeriesCoefficients {
  double c[kSeriesTerms + 2] = {};
};
constexpr SeriesCoefficients MakeAsinSeries() {
  SeriesCoefficients s;
  s.c[0] = 1;
  for (int k = 1; k <= kSeriesTerms + 1; ++k)
    s.c[k] = s.c[k - 1] * double(2 * k - 1) * double(2 * k - 1) /
             (double(2 * k) * double(2 * k + 1));
  return s;
}
constexpr SeriesCoefficients kAsin = MakeAsinSeries();

// The first term left out, at the largest reduced argument (1/2), over
// 1 - z^2 for the rest of the decreasing tail; doubled for acos.
constexpr double SeriesTruncation() {
  double z = 1;
  for (int k = 0; k < 2 * kSeriesTerms + 3; ++k) z *= 0.5;
  return 2 * kAsin.c[kSeriesTerms + 1] * z / 0.75;
}
constexpr double kLibmError = 0x1p-40;
constexpr double kAcosError = 0x1p-41;
static_assert(SeriesTruncation() + 0x1p-46 <= kAcosError,
              "the series is too short for its error bound");

constexpr double kMinSin = 0x1p-24;
constexpr double kSinSpread = 3 * kLibmError;
constexpr double kSinSpreadPerUnit = 0x1p-50;
constexpr double kQuotientPad = 0x1p-49;
constexpr double kThetaError = kAcosError + kLibmError;
constexpr double kPhiError = kAcosError + kLibmError + 0x1p-48;
constexpr double kScaledRounding = 0x1p-50;

// U and the texture height, their scales per radian, and the same scales
// rounded up for the margins. The series path takes tables whose texel
// indices are small enough for the margins' arithmetic; other tables go the
// libm way.
struct TexelScales {
  double u = 0, th = 0;
  double uPerRadian = 0, thPerRadian = 0;
  double uMarginScale = 0, thMarginScale = 0;
  bool usable = false;
};
inline TexelScales ScalesFor(const GlobeRaySetup& s) {
  TexelScales k;
  k.u = s.u;
  k.th = s.th;
  k.uPerRadian = k.u / kTwoPi;
  k.thPerRadian = k.th / kPi;
  k.uMarginScale = k.uPerRadian * (1 + 0x1p-40);
  k.thMarginScale = k.thPerRadian * (1 + 0x1p-40);
  k.usable = s.u >= 1 && s.u <= (1 << 20) && s.th >= 1 && s.th <= (1 << 20);
  return k;
}

template <class L>
struct AcosLanes {
  typename L::Real angle;
  typename L::Real root;  // sqrt((1 - |x|) / 2): NaN beyond +-1
};

// One level of Estrin's scheme: the first n / 2 terms become the pairs of
// the n, and the next level works on those with the power squared. The
// levels are templates so that every loop has a constant trip count, which
// the compiler unrolls at every optimisation level.
template <class L, int N>
ONDRAVA_LANES_TARGET inline void FoldTerms(typename L::Real* terms,
                                           typename L::Real power) {
  if constexpr (N > 1) {
#pragma GCC unroll 8
    for (int k = 0; k < N / 2; ++k)
      terms[k] = terms[2 * k] + terms[2 * k + 1] * power;
    FoldTerms<L, N / 2>(terms, power * power);
  }
}

// acos x: pi/2 - asin x for |x| <= 1/2, else 2 asin sqrt((1 - |x|) / 2),
// mirrored about pi/2 for negative x. The series runs by Estrin's scheme
// (pairs, then pairs of pairs): four dependent steps instead of sixteen.
template <class L>
ONDRAVA_LANES_TARGET inline AcosLanes<L> ApproxAcos(typename L::Real x) {
  using Real = typename L::Real;
  static_assert((kSeriesTerms & (kSeriesTerms - 1)) == 0);
  const Real a = L::Abs(x);
  const Real root = L::Sqrt((1.0 - a) * 0.5);
  const typename L::Mask middle = a <= 0.5;
  const Real z = L::Select(middle, x, root);
  const Real w = z * z;
  Real terms[kSeriesTerms];
#pragma GCC unroll 16
  for (int k = 0; k < kSeriesTerms; ++k) terms[k] = L::Set(kAsin.c[k + 1]);
  FoldTerms<L, kSeriesTerms>(terms, w);
  const Real asin = z + z * w * terms[0];
  const Real twice = asin + asin;
  const Real outer = L::Select(x > 0.0, twice, kPi - twice);
  return {L::Select(middle, kHalfPi - asin, outer), root};
}

template <class L>
struct TexelLanes {
  typename L::Real u, v;
  typename L::Mask approximated;
};

// The rule's u and v from ct = r2 . n, r0n = r0 . n and r1n = r1 . n, where
// the error bound above decides them.
template <class L>
ONDRAVA_LANES_TARGET inline __attribute__((always_inline)) TexelLanes<L>
ApproxTexels(const TexelScales& k, typename L::Real ct, typename L::Real r0n,
             typename L::Real r1n) {
  using Real = typename L::Real;
  using Mask = typename L::Mask;
  const AcosLanes<L> theta = ApproxAcos<L>(ct);
  const Real st = L::Sqrt((1.0 - ct) * (1.0 + ct));
  const Real spread = kSinSpread + st * kSinSpreadPerUnit;
  const Real low = st - spread;
  const Real cp = r0n / st;
  const AcosLanes<L> phi = ApproxAcos<L>(cp);
  const Real a = L::Abs(cp);
  const Real w = L::Select(a <= 0.5, L::Set(0.5), phi.root);
  // dc (s' - ds), and the tests on dc / w multiplied through by w (s' - ds).
  const Real quotientSpread = a * spread + low * kQuotientPad;
  const Real wLow = w * low;

  const Real turn = L::Select(r1n < 0.0, kTwoPi - phi.angle, phi.angle);
  const Real y = turn * k.uPerRadian;
  const Real x = theta.angle * k.thPerRadian;
  const Real uWhole = L::Trunc(y), vWhole = L::Trunc(x);
  const Real yFixed = kPhiError * k.uMarginScale + y * kScaledRounding;
  const Real yBelow = (y - uWhole) - yFixed;
  const Real yAbove = ((uWhole + 1.0) - y) - yFixed;
  const Real yQuotient = quotientSpread * k.uMarginScale;
  const Real xMargin = kThetaError * k.thMarginScale + x * kScaledRounding;
  const Mask decided = (ct >= -1.0) & (ct <= 1.0) & (st >= kMinSin) &
                       (quotientSpread + quotientSpread <= w * wLow) &
                       (yBelow * wLow > yQuotient) &
                       (yAbove * wLow > yQuotient) & (x - vWhole > xMargin) &
                       ((vWhole + 1.0) - x > xMargin);

  const Real zero = L::Set(0.0);
  const Real u = L::Select(uWhole <= 0.0, zero,
                           L::Select(uWhole >= k.u, L::Set(k.u - 1), uWhole));
  const Real v0 = k.th - vWhole;
  const Real v =
      L::Select(v0 <= 0.0, zero, L::Select(v0 >= k.th, L::Set(k.th - 1), v0));
  return {u, v, decided};
}

// The decision alone over arrays of dot products: what the tests probe.
template <class L>
ONDRAVA_LANES_TARGET void ApproxTexelRun(const GlobeRaySetup& s,
                                         const double* ct, const double* r0n,
                                         const double* r1n, std::size_t count,
                                         GlobeTexel* out) {
  const TexelScales k = ScalesFor(s);
  for (std::size_t at = 0; at < count; at += L::kWidth) {
    const int n = int(std::min<std::size_t>(L::kWidth, count - at));
    alignas(32) double c[L::kWidth] = {}, r0[L::kWidth] = {},
                       r1[L::kWidth] = {};
    std::copy(ct + at, ct + at + n, c);
    std::copy(r0n + at, r0n + at + n, r0);
    std::copy(r1n + at, r1n + at + n, r1);
    const TexelLanes<L> t =
        ApproxTexels<L>(k, L::Load(c), L::Load(r0), L::Load(r1));
    alignas(32) double us[L::kWidth], vs[L::kWidth];
    L::Store(t.u, us);
    L::Store(t.v, vs);
    const unsigned decided = k.usable ? L::Bits(t.approximated) : 0u;
    for (int lane = 0; lane < n; ++lane) {
      GlobeTexel& texel = out[at + lane];
      texel.approximated = decided >> lane & 1u;
      texel.u = texel.approximated ? std::int32_t(us[lane]) : 0;
      texel.v = texel.approximated ? std::int32_t(vs[lane]) : 0;
    }
  }
}
}  // namespace
