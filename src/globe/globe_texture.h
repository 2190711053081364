// The globe's texture: how finely the table addresses it, and its colour key.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

class CCanvas;

struct TextureLimits {
  std::int32_t limit;  // b: the largest side a texture keeps, 4096..65536
  int texShift;        // fraction bits of the table's u, 0..4
};
// The smallest power of two at least as long as the longer side, but at
// least 4096, and the fraction bits that keep width << texShift within 16
// bits.
TextureLimits TextureLimitsFor(std::int32_t width, std::int32_t height);

struct ColorKey {
  bool enable = false;
  COLORREF color = 0xFF0000;  // pure blue
  std::uint8_t range = 192;
  std::uint8_t min = 31;
  std::uint8_t max = 255;
};

// Gives every texel its alpha: from its colour distance to the key, then
// premultiplied; or 255 everywhere, colours untouched, with the key off.
void ApplyColorKey(CCanvas& texture, const ColorKey& key);
// The alpha one texel gets from the key.
std::uint8_t KeyAlpha(std::uint32_t pixel, const ColorKey& key);

// With a water mask (the photographs) the key's switch and limits apply to
// the mask instead of a colour: water (255) gets the key's Min, land (0) its
// Max, a coast's grey levels the share between; 255 everywhere with the key
// off.
std::uint8_t MaskAlpha(std::uint8_t water, const ColorKey& key);
// ApplyColorKey by the mask, one byte a texel in the texture's layout.
void ApplyWaterMask(CCanvas& texture, const std::uint8_t* water,
                    const ColorKey& key);
