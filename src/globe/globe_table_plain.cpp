// The fast table rows one sample at a time, in plain C++: the path for CPUs
// without AVX2, and the same series, margins and fallback as the wide path.
#include <cmath>
#include <cstdint>

#include "globe/globe_table_fast.h"

namespace {
struct PlainLanes {
  using Real = double;
  using Mask = bool;
  static constexpr int kWidth = 1;
  static Real Set(double x) { return x; }
  static Real Columns(std::int32_t j) { return j; }
  static Real Load(const double* from) { return *from; }
  static void Store(Real x, double* to) { *to = x; }
  static Real Sqrt(Real x) { return std::sqrt(x); }
  static Real Abs(Real x) { return std::fabs(x); }
  // Toward zero, without a library call and without converting values an
  // int32 cannot hold (NaN stays NaN).
  static Real Trunc(Real x) {
    return x > -0x1p31 && x < 0x1p31 ? double(std::int32_t(x)) : x;
  }
  static Real Select(Mask m, Real a, Real b) { return m ? a : b; }
  static unsigned Bits(Mask m) { return m ? 1u : 0u; }
};
}  // namespace

#define ONDRAVA_LANES_TARGET
#include "globe/globe_table_rows.h"

std::size_t CastGlobeRowPlain(const GlobeRaySetup& s, std::int32_t i,
                              std::int32_t width, GlobeEntry* row) {
  return CastRow<PlainLanes>(s, i, width, row);
}

void ApproxGlobeTexelsPlain(const GlobeRaySetup& s, const double* ct,
                            const double* r0n, const double* r1n,
                            std::size_t count, GlobeTexel* out) {
  ApproxTexelRun<PlainLanes>(s, ct, r0n, r1n, count, out);
}

double ApproxGlobeAcos(double x) { return ApproxAcos<PlainLanes>(x).angle; }

const double kGlobeAcosError = kAcosError;
