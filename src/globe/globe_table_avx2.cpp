// The fast table rows four samples at a time with AVX2 (and no FMA: every
// product and sum is rounded on its own, as the per-pixel rule rounds it).
#include "globe/globe_table_fast.h"
#include "platform/simd.h"

#if ONDRAVA_HAS_X86_SIMD
#include <immintrin.h>

#include <cstdint>

namespace {
struct Quad {
  __m256d v;
};
struct QuadMask {
  __m256d m;
};

ONDRAVA_TARGET_AVX2 inline Quad Wide(double x) { return {_mm256_set1_pd(x)}; }

#define ONDRAVA_QUAD_ARITHMETIC(op, intrinsic)                    \
  ONDRAVA_TARGET_AVX2 inline Quad operator op(Quad a, Quad b) {   \
    return {intrinsic(a.v, b.v)};                                 \
  }                                                               \
  ONDRAVA_TARGET_AVX2 inline Quad operator op(Quad a, double b) { \
    return {intrinsic(a.v, _mm256_set1_pd(b))};                   \
  }                                                               \
  ONDRAVA_TARGET_AVX2 inline Quad operator op(double a, Quad b) { \
    return {intrinsic(_mm256_set1_pd(a), b.v)};                   \
  }
ONDRAVA_QUAD_ARITHMETIC(+, _mm256_add_pd)
ONDRAVA_QUAD_ARITHMETIC(-, _mm256_sub_pd)
ONDRAVA_QUAD_ARITHMETIC(*, _mm256_mul_pd)
ONDRAVA_QUAD_ARITHMETIC(/, _mm256_div_pd)
#undef ONDRAVA_QUAD_ARITHMETIC

// Ordered predicates: false where either side is NaN, as in C++.
#define ONDRAVA_QUAD_COMPARISON(op, predicate)                        \
  ONDRAVA_TARGET_AVX2 inline QuadMask operator op(Quad a, Quad b) {   \
    return {_mm256_cmp_pd(a.v, b.v, predicate)};                      \
  }                                                                   \
  ONDRAVA_TARGET_AVX2 inline QuadMask operator op(Quad a, double b) { \
    return {_mm256_cmp_pd(a.v, _mm256_set1_pd(b), predicate)};        \
  }
ONDRAVA_QUAD_COMPARISON(<, _CMP_LT_OQ)
ONDRAVA_QUAD_COMPARISON(<=, _CMP_LE_OQ)
ONDRAVA_QUAD_COMPARISON(>, _CMP_GT_OQ)
ONDRAVA_QUAD_COMPARISON(>=, _CMP_GE_OQ)
ONDRAVA_QUAD_COMPARISON(==, _CMP_EQ_OQ)
ONDRAVA_QUAD_COMPARISON(!=, _CMP_NEQ_UQ)
#undef ONDRAVA_QUAD_COMPARISON

ONDRAVA_TARGET_AVX2 inline QuadMask operator&(QuadMask a, QuadMask b) {
  return {_mm256_and_pd(a.m, b.m)};
}
ONDRAVA_TARGET_AVX2 inline QuadMask operator|(QuadMask a, QuadMask b) {
  return {_mm256_or_pd(a.m, b.m)};
}
ONDRAVA_TARGET_AVX2 inline QuadMask operator!(QuadMask a) {
  return {_mm256_xor_pd(a.m, _mm256_castsi256_pd(_mm256_set1_epi64x(-1)))};
}

struct Avx2Lanes {
  using Real = Quad;
  using Mask = QuadMask;
  static constexpr int kWidth = 4;
  ONDRAVA_TARGET_AVX2 static Real Set(double x) { return Wide(x); }
  ONDRAVA_TARGET_AVX2 static Real Columns(std::int32_t j) {
    return {_mm256_add_pd(_mm256_set1_pd(j), _mm256_setr_pd(0, 1, 2, 3))};
  }
  // Unaligned moves, which cost nothing on aligned data: 64-bit Windows
  // aligns stacks to 16 bytes only.
  ONDRAVA_TARGET_AVX2 static Real Load(const double* from) {
    return {_mm256_loadu_pd(from)};
  }
  ONDRAVA_TARGET_AVX2 static void Store(Real x, double* to) {
    _mm256_storeu_pd(to, x.v);
  }
  ONDRAVA_TARGET_AVX2 static Real Sqrt(Real x) { return {_mm256_sqrt_pd(x.v)}; }
  ONDRAVA_TARGET_AVX2 static Real Abs(Real x) {
    return {_mm256_andnot_pd(_mm256_set1_pd(-0.0), x.v)};
  }
  ONDRAVA_TARGET_AVX2 static Real Trunc(Real x) {
    return {_mm256_round_pd(x.v, _MM_FROUND_TO_ZERO | _MM_FROUND_NO_EXC)};
  }
  ONDRAVA_TARGET_AVX2 static Real Select(Mask m, Real a, Real b) {
    return {_mm256_blendv_pd(b.v, a.v, m.m)};
  }
  ONDRAVA_TARGET_AVX2 static unsigned Bits(Mask m) {
    return unsigned(_mm256_movemask_pd(m.m));
  }
};
}  // namespace

#define ONDRAVA_LANES_TARGET ONDRAVA_TARGET_AVX2
#include "globe/globe_table_rows.h"

ONDRAVA_TARGET_AVX2 std::size_t CastGlobeRowAvx2(const GlobeRaySetup& s,
                                                 std::int32_t i,
                                                 std::int32_t width,
                                                 GlobeEntry* row) {
  return CastRow<Avx2Lanes>(s, i, width, row);
}

ONDRAVA_TARGET_AVX2 void ApproxGlobeTexelsAvx2(
    const GlobeRaySetup& s, const double* ct, const double* r0n,
    const double* r1n, std::size_t count, GlobeTexel* out) {
  ApproxTexelRun<Avx2Lanes>(s, ct, r0n, r1n, count, out);
}

#else

std::size_t CastGlobeRowAvx2(const GlobeRaySetup& s, std::int32_t i,
                             std::int32_t width, GlobeEntry* row) {
  return CastGlobeRowPlain(s, i, width, row);
}

void ApproxGlobeTexelsAvx2(const GlobeRaySetup& s, const double* ct,
                           const double* r0n, const double* r1n,
                           std::size_t count, GlobeTexel* out) {
  ApproxGlobeTexelsPlain(s, ct, r0n, r1n, count, out);
}

#endif
