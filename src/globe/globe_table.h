// The globe's projection table: for every pixel of the window, which texel
// of the Earth is seen on the near and on the far side of the sphere, with
// an opacity and a darkening for each. Spinning the globe is then only an
// offset into the texture when a frame is composed.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct GlobeSample {
  std::uint16_t u;     // texture column in fixed point, texShift fraction bits
  std::uint16_t v;     // texture row in pixel-array order (0 = bottom row)
  std::uint8_t alpha;  // 0: no surface here; else opacity by viewing angle
  std::uint8_t shade;  // darkening toward black, 0..255
};
#pragma pack(pop)
static_assert(sizeof(GlobeSample) == 6);

struct GlobeEntry {
  GlobeSample front;  // nearer intersection
  GlobeSample back;   // farther intersection
};
static_assert(sizeof(GlobeEntry) == 12);

// What a build reads once, at its start.
struct GlobeTableInputs {
  std::int32_t width = 0, height = 0;
  std::int32_t textureWidth = 0, textureHeight = 0;
  int texShift = 0;
  double tiltDegrees = 0;  // Angle: the latitude the globe is seen from
  double turnDegrees = 0;  // Angle2: the axis swung about the screen's vertical
  std::uint8_t gradientMin = 160, gradientMax = 255;
  std::uint8_t shadingMin = 0, shadingMax = 127;
};

// Fills `table` (width * height entries, array row 0 = the bottom row of the
// window) in array order on this thread, the fast way (globe_table_fast.h),
// publishing each finished entry through `fillLevel` (an entry count,
// release order) and returning early, after a complete row, when `stop` is
// set. Returns true when the table is complete. Every byte of a filled entry
// is written; a sample that misses the sphere is all zero bytes.
bool BuildGlobeTable(const GlobeTableInputs& in, GlobeEntry* table,
                     std::atomic<std::size_t>& fillLevel,
                     const std::atomic<bool>& stop);

// The same table the plain way, pixel by pixel with no shortcuts and the C
// library's acos and sin: the reference every fast path equals bit for bit.
void BuildGlobeTableReference(const GlobeTableInputs& in, GlobeEntry* table);
