#include "pixels/over_row.h"

#include "pixels/blend.h"
#include "platform/cpu_features.h"

namespace {
// x / 255 rounded to nearest, two 8-bit results per word (one per 16-bit
// lane), for lanes holding at most 255 * 255. No division needed.
constexpr std::uint32_t DivideLanesBy255(std::uint32_t x) {
  const std::uint32_t t = x + 0x00800080u;
  return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
}

// Lane-wise a + b for two 8-bit values per 16-bit lane, saturating at 255.
constexpr std::uint32_t AddLanesSaturated(std::uint32_t a, std::uint32_t b) {
  const std::uint32_t sum = a + b;  // at most 510 per lane
  const std::uint32_t overflow = (sum >> 8) & 0x00010001u;
  return (sum | (overflow * 0xFF)) & 0x00FF00FFu;
}

constexpr std::uint32_t ScaleByConstant(std::uint32_t p, std::uint32_t c) {
  if (c == 255) return p;
  return DivideLanesBy255((p & 0x00FF00FFu) * c) |
         (DivideLanesBy255(((p >> 8) & 0x00FF00FFu) * c) << 8);
}

constexpr std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
  const std::uint32_t keep = 255 - (src >> 24);
  const std::uint32_t blueRed = AddLanesSaturated(
      src & 0x00FF00FFu, DivideLanesBy255((dst & 0x00FF00FFu) * keep));
  const std::uint32_t greenAlpha =
      AddLanesSaturated((src >> 8) & 0x00FF00FFu,
                        DivideLanesBy255(((dst >> 8) & 0x00FF00FFu) * keep));
  return blueRed | (greenAlpha << 8);
}
static_assert(Over(0x80402010u, 0xFF0000FFu) == 0xFF40208Fu);
static_assert(Over(0xFF112233u, 0x12345678u) == 0xFF112233u);
static_assert(Over(0x10FF0000u, 0xFFFF0000u) == 0xFFFF0000u, "saturates");
static_assert(ScaleByConstant(0xFFFFFFFFu, 128) == 0x80808080u);
}  // namespace

void OverRowPlain(const std::uint32_t* src, std::uint32_t* dst, int count,
                  std::uint32_t constant) {
  for (int i = 0; i < count; ++i)
    if (src[i] != 0) dst[i] = Over(ScaleByConstant(src[i], constant), dst[i]);
}

namespace {
using OverRowFn = void (*)(const std::uint32_t*, std::uint32_t*, int,
                           std::uint32_t);
const OverRowFn overRow =
    ChoosePath<OverRowFn>(OverRowPlain, OverRowSse2, nullptr);
}  // namespace

void OverRow(const std::uint32_t* src, std::uint32_t* dst, int count,
             std::uint32_t constant) {
  overRow(src, dst, count, constant);
}
