// The globe frame in AVX2, eight pixels per step: the table's fields and the
// texels are gathered, every blend runs on 16-bit channel lanes with a
// coverage per pixel. Bit for bit the same pixels as the plain path.
#include "globe/globe_draw.h"
#include "platform/simd.h"

#if ONDRAVA_HAS_X86_SIMD
#include <immintrin.h>

#include <cstdint>

namespace {

// Each pixel's coverage (0..255 in its 32-bit lane) in both 16-bit halves.
ONDRAVA_TARGET_AVX2 inline __m256i Spread(__m256i coverage) {
  return _mm256_or_si256(coverage, _mm256_slli_epi32(coverage, 16));
}

// (src * a + dst * (255 - a)) >> 8 on every channel, a per pixel.
ONDRAVA_TARGET_AVX2 inline __m256i Blend(__m256i a, __m256i dst, __m256i src) {
  const __m256i low = _mm256_set1_epi32(0x00FF00FF);
  const __m256i a16 = Spread(a);
  const __m256i inv16 = _mm256_sub_epi16(_mm256_set1_epi16(255), a16);
  const __m256i rb =
      _mm256_add_epi16(_mm256_mullo_epi16(_mm256_and_si256(src, low), a16),
                       _mm256_mullo_epi16(_mm256_and_si256(dst, low), inv16));
  const __m256i ag = _mm256_add_epi16(
      _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(src, 8), low), a16),
      _mm256_mullo_epi16(_mm256_and_si256(_mm256_srli_epi32(dst, 8), low),
                         inv16));
  return _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi32(rb, 8), low),
                         _mm256_andnot_si256(low, ag));
}

// Byte masks selecting the alpha bytes of eight consecutive entries (96
// bytes, three registers): bytes 4 (front) and, for the far side, 10 of each.
ONDRAVA_TARGET_AVX2 inline void AlphaMasks(bool viewBack, __m256i masks[3]) {
  alignas(32) std::uint8_t bytes[96] = {};
  for (int e = 0; e < 8; ++e) {
    bytes[12 * e + 4] = 0xFF;
    if (viewBack) bytes[12 * e + 10] = 0xFF;
  }
  for (int i = 0; i < 3; ++i)
    masks[i] =
        _mm256_load_si256(reinterpret_cast<const __m256i*>(bytes + 32 * i));
}

// Whether all eight entries from `entry` have no sample to show.
ONDRAVA_TARGET_AVX2 inline bool AllEmpty(const GlobeEntry* entry,
                                         const __m256i masks[3]) {
  const auto* p = reinterpret_cast<const __m256i*>(entry);
  const __m256i any = _mm256_or_si256(
      _mm256_and_si256(_mm256_loadu_si256(p), masks[0]),
      _mm256_or_si256(_mm256_and_si256(_mm256_loadu_si256(p + 1), masks[1]),
                      _mm256_and_si256(_mm256_loadu_si256(p + 2), masks[2])));
  return _mm256_testz_si256(any, any);
}

struct Samples {
  __m256i u, v, alpha, shade;
};

ONDRAVA_TARGET_AVX2 inline __m256i Texels(const Samples& s,
                                          const GlobeTexture& t,
                                          std::uint32_t offset, bool shading,
                                          bool gradient) {
  const __m256i width = _mm256_set1_epi32(t.width);
  __m256i column = _mm256_srli_epi32(
      _mm256_add_epi32(s.u, _mm256_set1_epi32(int(offset))), t.texShift);
  const __m256i over =
      _mm256_cmpgt_epi32(column, _mm256_sub_epi32(width, _mm256_set1_epi32(1)));
  column = _mm256_sub_epi32(column, _mm256_and_si256(over, width));
  const __m256i index =
      _mm256_add_epi32(_mm256_mullo_epi32(s.v, width), column);
  // Lanes without a sample read texel 0, which always exists, and are
  // cleared afterwards.
  const __m256i present = _mm256_cmpgt_epi32(s.alpha, _mm256_setzero_si256());
  __m256i x = _mm256_and_si256(
      present, _mm256_i32gather_epi32(reinterpret_cast<const int*>(t.pixels),
                                      _mm256_and_si256(index, present), 4));
  const __m256i alphaByte = _mm256_set1_epi32(int(0xFF000000u));
  if (shading) x = Blend(s.shade, x, _mm256_and_si256(x, alphaByte));
  if (gradient) {
    const __m256i faded = _mm256_slli_epi32(
        _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_srli_epi32(x, 24), s.alpha),
                          8),
        24);
    x = _mm256_or_si256(_mm256_andnot_si256(alphaByte, x), faded);
  }
  return x;
}
}  // namespace

ONDRAVA_TARGET_AVX2 void DrawGlobeAvx2(const GlobeEntry* table,
                                       std::size_t entries,
                                       const GlobeTexture& texture,
                                       const GlobeLook& look,
                                       std::uint32_t* pixels) {
  const std::uint32_t offset = SpinOffset(look.rotation, texture);
  const __m256i stride = _mm256_setr_epi32(0, 12, 24, 36, 48, 60, 72, 84);
  const __m256i byte = _mm256_set1_epi32(0xFF),
                half = _mm256_set1_epi32(0xFFFF);
  const __m256i zero = _mm256_setzero_si256();
  __m256i masks[3];
  AlphaMasks(look.viewBack, masks);
  std::size_t k = 0;
  for (; k + 8 <= entries; k += 8) {
    __m256i* out = reinterpret_cast<__m256i*>(pixels + k);
    if (AllEmpty(table + k, masks)) {
      _mm256_storeu_si256(out, zero);
      continue;
    }
    const int* base = reinterpret_cast<const int*>(table + k);
    // Words of an entry: front u | v << 16; front alpha | shade << 8 |
    // back u << 16; back v | alpha << 16 | shade << 24.
    const __m256i w1 = _mm256_i32gather_epi32(base + 1, stride, 1);
    const __m256i w2 = _mm256_i32gather_epi32(base + 2, stride, 1);
    const __m256i frontAlpha = _mm256_and_si256(w1, byte);
    const __m256i backAlpha = _mm256_and_si256(_mm256_srli_epi32(w2, 16), byte);
    const __m256i w0 = _mm256_i32gather_epi32(base, stride, 1);
    const Samples front{_mm256_and_si256(w0, half), _mm256_srli_epi32(w0, 16),
                        frontAlpha,
                        _mm256_and_si256(_mm256_srli_epi32(w1, 8), byte)};
    const __m256i f =
        Texels(front, texture, offset, look.shading, look.gradient);
    __m256i p = zero;
    if (look.viewBack) {
      const Samples back{_mm256_srli_epi32(w1, 16), _mm256_and_si256(w2, half),
                         backAlpha, _mm256_srli_epi32(w2, 24)};
      p = Texels(back, texture, offset, look.shading, look.gradient);
    }
    _mm256_storeu_si256(out, Blend(_mm256_srli_epi32(f, 24), p, f));
  }
  DrawGlobeReference(table + k, entries - k, texture, look, pixels + k);
}

#else

void DrawGlobeAvx2(const GlobeEntry* table, std::size_t entries,
                   const GlobeTexture& texture, const GlobeLook& look,
                   std::uint32_t* pixels) {
  DrawGlobeReference(table, entries, texture, look, pixels);
}

#endif
