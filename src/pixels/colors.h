// Conversions between the system's colour value (0x00BBGGRR, red in the low
// byte) and the canvas's pixel word (0xAARRGGBB).
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

constexpr std::uint32_t ColorToPixelAlpha(COLORREF color, std::uint8_t alpha) {
  const std::uint32_t r = color & 0xFF;
  const std::uint32_t g = (color >> 8) & 0xFF;
  const std::uint32_t b = (color >> 16) & 0xFF;
  return std::uint32_t{alpha} << 24 | r << 16 | g << 8 | b;
}

constexpr std::uint32_t ColorToPixel(COLORREF color) {
  return ColorToPixelAlpha(color, 0xFF);
}

// Lightens each channel by 127, saturating at 255; the top byte is 0.
constexpr COLORREF HighlightColor(COLORREF color) {
  COLORREF result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::uint32_t lifted = ((color >> shift) & 0xFF) + 127;
    result |= (lifted > 255 ? 255 : lifted) << shift;
  }
  return result;
}

// The embossed shadow rim is black whatever the face colour.
constexpr COLORREF ShadowColor(COLORREF /*color*/) { return 0; }
