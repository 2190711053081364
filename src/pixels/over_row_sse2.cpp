// The per-pixel alpha blend in SSE2, four pixels per step, each channel in a
// 16-bit lane. Groups of four transparent source pixels, most of a layer of
// dial characters, are skipped whole.
#include "pixels/over_row.h"
#include "platform/simd.h"

#if ONDRAVA_HAS_X86_SIMD
#include <emmintrin.h>

namespace {
// x / 255 rounded, per 16-bit lane holding at most 255 * 255.
ONDRAVA_TARGET_SSE2 inline __m128i DivideBy255(__m128i x) {
  const __m128i t = _mm_add_epi16(x, _mm_set1_epi16(128));
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_srli_epi16(t, 8)), 8);
}

// Each pixel's value of `word` (0..255, one per 32-bit lane) in all four of
// its 16-bit channel lanes, for the low two and the high two pixels.
ONDRAVA_TARGET_SSE2 inline void SpreadPerPixel(__m128i word, __m128i& low,
                                               __m128i& high) {
  const __m128i both = _mm_or_si128(word, _mm_slli_epi32(word, 16));
  low = _mm_unpacklo_epi32(both, both);
  high = _mm_unpackhi_epi32(both, both);
}

ONDRAVA_TARGET_SSE2 inline __m128i ScaleByConstant(__m128i s,
                                                   __m128i constant) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo =
      DivideBy255(_mm_mullo_epi16(_mm_unpacklo_epi8(s, zero), constant));
  const __m128i hi =
      DivideBy255(_mm_mullo_epi16(_mm_unpackhi_epi8(s, zero), constant));
  return _mm_packus_epi16(lo, hi);
}

ONDRAVA_TARGET_SSE2 inline __m128i OverFour(__m128i s, __m128i d) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i keep =
      _mm_sub_epi32(_mm_set1_epi32(255), _mm_srli_epi32(s, 24));
  __m128i keepLow, keepHigh;
  SpreadPerPixel(keep, keepLow, keepHigh);
  const __m128i lo =
      DivideBy255(_mm_mullo_epi16(_mm_unpacklo_epi8(d, zero), keepLow));
  const __m128i hi =
      DivideBy255(_mm_mullo_epi16(_mm_unpackhi_epi8(d, zero), keepHigh));
  return _mm_adds_epu8(s, _mm_packus_epi16(lo, hi));
}
}  // namespace

ONDRAVA_TARGET_SSE2 void OverRowSse2(const std::uint32_t* src,
                                     std::uint32_t* dst, int count,
                                     std::uint32_t constant) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i scale = _mm_set1_epi16(static_cast<short>(constant));
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    // Eight clear pixels at a time while the row is empty.
    if (i + 8 <= count) {
      const __m128i* p = reinterpret_cast<const __m128i*>(src + i);
      const __m128i any =
          _mm_or_si128(_mm_loadu_si128(p), _mm_loadu_si128(p + 1));
      if (_mm_movemask_epi8(_mm_cmpeq_epi32(any, zero)) == 0xFFFF) {
        i += 4;  // and four more with the loop's own step
        continue;
      }
    }
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i));
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(s, zero)) == 0xFFFF) continue;
    if (constant != 255) s = ScaleByConstant(s, scale);
    __m128i* to = reinterpret_cast<__m128i*>(dst + i);
    const __m128i d = _mm_loadu_si128(to);
    // A source pixel that is 0 leaves its destination pixel as it was.
    const __m128i clear = _mm_cmpeq_epi32(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + i)), zero);
    const __m128i blended = OverFour(s, d);
    _mm_storeu_si128(to, _mm_or_si128(_mm_and_si128(clear, d),
                                      _mm_andnot_si128(clear, blended)));
  }
  OverRowPlain(src + i, dst + i, count - i, constant);
}

#else

void OverRowSse2(const std::uint32_t* src, std::uint32_t* dst, int count,
                 std::uint32_t constant) {
  OverRowPlain(src, dst, count, constant);
}

#endif
