#include "alphablend/blend.h"

void BlendSpanScalar(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                     std::uint32_t src) {
  a &= 0xFF;
  for (std::uint32_t* p = first; p <= last; ++p) *p = BlendValue(a, *p, src);
}

namespace {
using SpanBlendFn = void (*)(std::uint32_t, std::uint32_t*, std::uint32_t*,
                             std::uint32_t);

// The widest path this CPU runs; all of them give the same pixels.
SpanBlendFn ChooseSpanBlend() {
#if defined(__x86_64__) || defined(__i386__)
  __builtin_cpu_init();  // we run before main, from a static initialiser
#endif
  if (CpuHasAvx2()) return BlendSpanAvx2;
  if (CpuHasSse2()) return BlendSpanSse2;
  return BlendSpanScalar;
}

const SpanBlendFn spanBlend = ChooseSpanBlend();
}  // namespace

void BlendSpan(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
               std::uint32_t src) {
  // Most spans of text and thin triangles are a few pixels long: setting up
  // the SIMD registers would cost more than it saves.
  if (last - first < 8) {
    BlendSpanScalar(a, first, last, src);
    return;
  }
  spanBlend(a, first, last, src);
}
