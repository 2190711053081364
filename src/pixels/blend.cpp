#include "pixels/blend.h"

#include "platform/cpu_features.h"

void BlendSpanPlain(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                    std::uint32_t src) {
  a &= 0xFF;
  for (std::uint32_t* p = first; p <= last; ++p) *p = BlendValue(a, *p, src);
}

namespace {
using SpanBlendFn = void (*)(std::uint32_t, std::uint32_t*, std::uint32_t*,
                             std::uint32_t);

// The widest path this CPU runs; all of them give the same pixels.
const SpanBlendFn spanBlend =
    ChoosePath<SpanBlendFn>(BlendSpanPlain, BlendSpanSse2, BlendSpanAvx2);
}  // namespace

void BlendSpan(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
               std::uint32_t src) {
  // Most spans of text and thin triangles are a few pixels long: setting up
  // the SIMD registers would cost more than it saves.
  if (last - first < 8) {
    BlendSpanPlain(a, first, last, src);
    return;
  }
  spanBlend(a, first, last, src);
}
