#include "globe/globe_draw.h"

#include "pixels/blend.h"
#include "platform/cpu_features.h"

std::uint32_t SpinOffset(std::int32_t rotation, const GlobeTexture& texture) {
  const std::int64_t u = std::int64_t{texture.width} << texture.texShift;
  return std::uint32_t(std::int64_t{rotation} * u / 36000);
}

namespace {
// The texel a sample sees, darkened and faded as the look asks.
inline std::uint32_t Texel(const GlobeSample& s, std::uint32_t offset,
                           const GlobeTexture& t, const GlobeLook& look) {
  std::uint32_t column = (std::uint32_t(s.u) + offset) >> t.texShift;
  if (column >= std::uint32_t(t.width)) column -= std::uint32_t(t.width);
  std::uint32_t texel =
      t.pixels[std::size_t(s.v) * std::size_t(t.width) + column];
  if (look.shading) texel = BlendValue(s.shade, texel, texel & 0xFF000000u);
  if (look.gradient)
    texel = (texel & 0x00FFFFFFu) | (((texel >> 24) * s.alpha) >> 8) << 24;
  return texel;
}
}  // namespace

void DrawGlobeReference(const GlobeEntry* table, std::size_t entries,
                        const GlobeTexture& texture, const GlobeLook& look,
                        std::uint32_t* pixels) {
  const std::uint32_t offset = SpinOffset(look.rotation, texture);
  for (std::size_t k = 0; k < entries; ++k) {
    const GlobeEntry& e = table[k];
    const std::uint32_t front =
        e.front.alpha ? Texel(e.front, offset, texture, look) : 0u;
    const std::uint32_t back = look.viewBack && e.back.alpha
                                   ? Texel(e.back, offset, texture, look)
                                   : 0u;
    pixels[k] = BlendValue(front >> 24, back, front);
  }
}

namespace {
// The same arithmetic as the plain path, with the look's switches fixed at
// compile time so that the loop over a row has no decisions but the
// samples' own.
template <bool kShading, bool kGradient, bool kViewBack>
void DrawRun(const GlobeEntry* table, std::size_t entries,
             const GlobeTexture& t, std::uint32_t offset,
             std::uint32_t* pixels) {
  const std::uint32_t width = std::uint32_t(t.width);
  const std::uint32_t* texels = t.pixels;
  const int shift = t.texShift;
  auto texel = [&](const GlobeSample& s) {
    std::uint32_t column = (std::uint32_t(s.u) + offset) >> shift;
    column -= column >= width ? width : 0;
    std::uint32_t x = texels[std::size_t(s.v) * width + column];
    if constexpr (kShading) x = BlendValue(s.shade, x, x & 0xFF000000u);
    if constexpr (kGradient)
      x = (x & 0x00FFFFFFu) | (((x >> 24) * s.alpha) >> 8) << 24;
    return x;
  };
  for (std::size_t k = 0; k < entries; ++k) {
    const GlobeEntry& e = table[k];
    if ((e.front.alpha | (kViewBack ? e.back.alpha : 0)) == 0) {
      pixels[k] = 0;
      continue;
    }
    const std::uint32_t front = e.front.alpha ? texel(e.front) : 0u;
    std::uint32_t back = 0;
    if constexpr (kViewBack) back = e.back.alpha ? texel(e.back) : 0u;
    pixels[k] = BlendValue(front >> 24, back, front);
  }
}

using RunFn = void (*)(const GlobeEntry*, std::size_t, const GlobeTexture&,
                       std::uint32_t, std::uint32_t*);

RunFn RunFor(const GlobeLook& look) {
  static constexpr RunFn kRuns[8] = {
      DrawRun<false, false, false>, DrawRun<false, false, true>,
      DrawRun<false, true, false>,  DrawRun<false, true, true>,
      DrawRun<true, false, false>,  DrawRun<true, false, true>,
      DrawRun<true, true, false>,   DrawRun<true, true, true>};
  return kRuns[(look.shading ? 4 : 0) | (look.gradient ? 2 : 0) |
               (look.viewBack ? 1 : 0)];
}
}  // namespace

void DrawGlobePlain(const GlobeEntry* table, std::size_t entries,
                    const GlobeTexture& texture, const GlobeLook& look,
                    std::uint32_t* pixels) {
  RunFor(look)(table, entries, texture, SpinOffset(look.rotation, texture),
               pixels);
}

namespace {
using DrawGlobeFn = void (*)(const GlobeEntry*, std::size_t,
                             const GlobeTexture&, const GlobeLook&,
                             std::uint32_t*);
const DrawGlobeFn drawGlobe =
    ChoosePath<DrawGlobeFn>(DrawGlobePlain, nullptr, DrawGlobeAvx2);
}  // namespace

void DrawGlobe(const GlobeEntry* table, std::size_t entries,
               const GlobeTexture& texture, const GlobeLook& look,
               std::uint32_t* pixels) {
  drawGlobe(table, entries, texture, look, pixels);
}
