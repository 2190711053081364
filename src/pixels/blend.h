// Pixel and span blends: the rule every translucent drawing operation uses.
//
// With coverage a (0..255), each of the four channels, alpha included, becomes
//   new = (src * a + dst * (255 - a)) >> 8
// The divisor is 256, not 255: a channel of 255 blended at coverage 255 comes
// out as 254, and coverage 0 still takes one off every non-zero channel.
#pragma once

#include <cstdint>

// The blend of one pixel value, as a value. Two channels are computed per
// 32-bit word, each in a 16-bit lane: a lane's sum is at most 255 * 255, so
// lanes never carry into each other and the result is exact per channel.
constexpr std::uint32_t BlendValue(std::uint32_t a, std::uint32_t dst,
                                   std::uint32_t src) {
  const std::uint32_t inverse = 255 - a;
  const std::uint32_t blueRed =
      (((src & 0x00FF00FFu) * a + (dst & 0x00FF00FFu) * inverse) >> 8) &
      0x00FF00FFu;
  const std::uint32_t greenAlpha =
      (((src >> 8) & 0x00FF00FFu) * a + ((dst >> 8) & 0x00FF00FFu) * inverse) &
      0xFF00FF00u;
  return blueRed | greenAlpha;
}

inline void BlendPixel(std::uint32_t a, std::uint32_t* dst, std::uint32_t src) {
  *dst = BlendValue(a & 0xFF, *dst, src);
}

// Blends src into every pixel from first to last inclusive (one row); nothing
// happens when last lies before first. Takes the widest SIMD path the CPU has.
void BlendSpan(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
               std::uint32_t src);

// The plain reference path, one pixel at a time, and the SIMD paths; each
// SIMD path must give the same pixels bit for bit. Call a SIMD path only where
// CpuSupports says the processor has its instructions (on other
// architectures they are the plain path).
void BlendSpanPlain(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                    std::uint32_t src);
void BlendSpanSse2(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                   std::uint32_t src);
void BlendSpanAvx2(std::uint32_t a, std::uint32_t* first, std::uint32_t* last,
                   std::uint32_t src);
