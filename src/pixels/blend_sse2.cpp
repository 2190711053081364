// The span blend in SSE2: four pixels per step, each channel in a 16-bit lane,
// bit for bit the same as the plain path.
#include "pixels/blend.h"
#include "platform/simd.h"

#if ONDRAVA_HAS_X86_SIMD
#include <emmintrin.h>

namespace {
// Four pixels at once. Each 16-bit lane holds one channel: the low bytes (blue
// and red) are masked in place, the high bytes (green and alpha) shifted down,
// so no byte shuffles are needed. src * a + dst * (255 - a) is at most
// 255 * 255: no lane overflows, and the result is bit for bit the plain one.
struct Sse2Blender {
  __m128i lowMask, highMask, inverse, srcLow, srcHigh;

  ONDRAVA_TARGET_SSE2
  Sse2Blender(std::uint32_t a, std::uint32_t src) {
    lowMask = _mm_set1_epi16(0x00FF);
    highMask = _mm_set1_epi16(static_cast<short>(0xFF00));
    const __m128i coverage = _mm_set1_epi16(static_cast<short>(a));
    inverse = _mm_set1_epi16(static_cast<short>(255 - a));
    const __m128i s = _mm_set1_epi32(static_cast<int>(src));
    srcLow = _mm_mullo_epi16(_mm_and_si128(s, lowMask), coverage);
    srcHigh = _mm_mullo_epi16(_mm_srli_epi16(s, 8), coverage);
  }

  ONDRAVA_TARGET_SSE2 __m128i Blend(__m128i dst) const {
    __m128i low = _mm_and_si128(dst, lowMask);
    __m128i high = _mm_srli_epi16(dst, 8);
    low = _mm_add_epi16(_mm_mullo_epi16(low, inverse), srcLow);
    high = _mm_add_epi16(_mm_mullo_epi16(high, inverse), srcHigh);
    return _mm_or_si128(_mm_srli_epi16(low, 8), _mm_and_si128(high, highMask));
  }
};
}  // namespace

ONDRAVA_TARGET_SSE2 void BlendSpanSse2(std::uint32_t a, std::uint32_t* first,
                                       std::uint32_t* last, std::uint32_t src) {
  if (last < first) return;
  a &= 0xFF;
  const Sse2Blender blender(a, src);
  std::uint32_t* p = first;
  std::size_t remaining = std::size_t(last - first) + 1;
  for (; remaining >= 16; remaining -= 16, p += 16) {
    __m128i* v = reinterpret_cast<__m128i*>(p);
    const __m128i d0 = _mm_loadu_si128(v);
    const __m128i d1 = _mm_loadu_si128(v + 1);
    const __m128i d2 = _mm_loadu_si128(v + 2);
    const __m128i d3 = _mm_loadu_si128(v + 3);
    _mm_storeu_si128(v, blender.Blend(d0));
    _mm_storeu_si128(v + 1, blender.Blend(d1));
    _mm_storeu_si128(v + 2, blender.Blend(d2));
    _mm_storeu_si128(v + 3, blender.Blend(d3));
  }
  for (; remaining >= 4; remaining -= 4, p += 4) {
    __m128i* v = reinterpret_cast<__m128i*>(p);
    _mm_storeu_si128(v, blender.Blend(_mm_loadu_si128(v)));
  }
  for (; remaining > 0; --remaining, ++p) *p = BlendValue(a, *p, src);
}

#else  // no SSE2 on this architecture: the reference path serves

void BlendSpanSse2(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                   std::uint32_t src) {
  BlendSpanPlain(a, first, last, src);
}

#endif
