// The span blend in AVX2: the SSE2 arithmetic on eight pixels per register,
// for CPUs that have it. Bit for bit the same as the plain path.
#include "pixels/blend.h"
#include "platform/simd.h"

#if ONDRAVA_HAS_X86_SIMD
#include <immintrin.h>

namespace {
struct Avx2Blender {
  __m256i lowMask, highMask, inverse, srcLow, srcHigh;

  ONDRAVA_TARGET_AVX2
  Avx2Blender(std::uint32_t a, std::uint32_t src) {
    lowMask = _mm256_set1_epi16(0x00FF);
    highMask = _mm256_set1_epi16(static_cast<short>(0xFF00));
    const __m256i coverage = _mm256_set1_epi16(static_cast<short>(a));
    inverse = _mm256_set1_epi16(static_cast<short>(255 - a));
    const __m256i s = _mm256_set1_epi32(static_cast<int>(src));
    srcLow = _mm256_mullo_epi16(_mm256_and_si256(s, lowMask), coverage);
    srcHigh = _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), coverage);
  }

  ONDRAVA_TARGET_AVX2 __m256i Blend(__m256i dst) const {
    __m256i low = _mm256_and_si256(dst, lowMask);
    __m256i high = _mm256_srli_epi16(dst, 8);
    low = _mm256_add_epi16(_mm256_mullo_epi16(low, inverse), srcLow);
    high = _mm256_add_epi16(_mm256_mullo_epi16(high, inverse), srcHigh);
    return _mm256_or_si256(_mm256_srli_epi16(low, 8),
                           _mm256_and_si256(high, highMask));
  }
};
}  // namespace

ONDRAVA_TARGET_AVX2 void BlendSpanAvx2(std::uint32_t a, std::uint32_t* first,
                                       std::uint32_t* last, std::uint32_t src) {
  if (last < first) return;
  a &= 0xFF;
  const Avx2Blender blender(a, src);
  std::uint32_t* p = first;
  std::size_t remaining = std::size_t(last - first) + 1;
  for (; remaining >= 16; remaining -= 16, p += 16) {
    __m256i* v = reinterpret_cast<__m256i*>(p);
    const __m256i d0 = _mm256_loadu_si256(v);
    const __m256i d1 = _mm256_loadu_si256(v + 1);
    _mm256_storeu_si256(v, blender.Blend(d0));
    _mm256_storeu_si256(v + 1, blender.Blend(d1));
  }
  if (remaining >= 8) {
    __m256i* v = reinterpret_cast<__m256i*>(p);
    _mm256_storeu_si256(v, blender.Blend(_mm256_loadu_si256(v)));
    remaining -= 8;
    p += 8;
  }
  for (; remaining > 0; --remaining, ++p) *p = BlendValue(a, *p, src);
}

#else

void BlendSpanAvx2(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                   std::uint32_t src) {
  BlendSpanPlain(a, first, last, src);
}

#endif
