// One frame of the globe from its projection table: two table samples, at
// most two texel reads and three integer blends per pixel, no floating point
// and no allocation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "globe/globe_table.h"

class CCanvas;

struct GlobeLook {
  std::int32_t rotation = 0;  // hundredths of a degree, 0..35999
  bool shading = true;
  bool gradient = false;
  bool viewBack = false;
};

struct GlobeTexture {
  const std::uint32_t* pixels = nullptr;  // bottom row first
  std::int32_t width = 0, height = 0;
  int texShift = 0;
};

// The offset the spin adds to every sample's u.
std::uint32_t SpinOffset(std::int32_t rotation, const GlobeTexture& texture);

// Writes canvas pixels 0 .. entries - 1 (array order) from the table; the
// canvas must hold at least that many pixels. DrawGlobeReference, reading
// the look's switches per pixel, is the reference; DrawGlobe takes the
// fastest path with the same pixels.
void DrawGlobeReference(const GlobeEntry* table, std::size_t entries,
                        const GlobeTexture& texture, const GlobeLook& look,
                        std::uint32_t* pixels);
void DrawGlobe(const GlobeEntry* table, std::size_t entries,
               const GlobeTexture& texture, const GlobeLook& look,
               std::uint32_t* pixels);
// Eight pixels a step with AVX2, for CPUs that have it (the plain path on
// other architectures).
void DrawGlobeAvx2(const GlobeEntry* table, std::size_t entries,
                   const GlobeTexture& texture, const GlobeLook& look,
                   std::uint32_t* pixels);
// The plain path with the look's switches fixed at compile time: what the
// program runs where AVX2 is missing or turned off.
void DrawGlobePlain(const GlobeEntry* table, std::size_t entries,
                    const GlobeTexture& texture, const GlobeLook& look,
                    std::uint32_t* pixels);
