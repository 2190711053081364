// One row of the per-pixel alpha blend: premultiplied source pixels, scaled
// by a constant alpha, over destination pixels. The plain path is the
// reference; the SSE2 path gives the same pixels bit for bit.
#pragma once

#include <cstdint>

// d = s' + round(d * (255 - s'.alpha) / 255), with s' = round(s * constant /
// 255) on every channel (s' = s when constant is 255), saturating at 255.
void OverRowPlain(const std::uint32_t* src, std::uint32_t* dst, int count,
                  std::uint32_t constant);
void OverRowSse2(const std::uint32_t* src, std::uint32_t* dst, int count,
                 std::uint32_t constant);
// The widest path this CPU has.
void OverRow(const std::uint32_t* src, std::uint32_t* dst, int count,
             std::uint32_t constant);
