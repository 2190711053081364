#include "globe/globe_texture.h"

#include <cmath>

#include "pixels/canvas.h"
#include "pixels/region_fill.h"

TextureLimits TextureLimitsFor(std::int32_t width, std::int32_t height) {
  TextureLimits t{65536, 0};
  if (width < 1 || height < 1 || width > 65536 || height > 65536) return t;
  const std::uint32_t w = std::uint32_t(width - 1),
                      h = std::uint32_t(height - 1);
  while (t.limit >= 4096 && (std::uint32_t(t.limit) & w) == 0 &&
         (std::uint32_t(t.limit) & h) == 0) {
    ++t.texShift;
    t.limit >>= 1;
  }
  t.limit <<= 1;
  --t.texShift;
  return t;
}

std::uint8_t KeyAlpha(std::uint32_t pixel, const ColorKey& key) {
  const double dr = double((pixel >> 16) & 0xFF) - GetRValue(key.color);
  const double dg = double((pixel >> 8) & 0xFF) - GetGValue(key.color);
  const double db = double(pixel & 0xFF) - GetBValue(key.color);
  const double distance = std::sqrt(dr * dr + dg * dg + db * db);
  // A range of 0 splits texels into the key colour itself and everything
  // else.
  const double x =
      key.range == 0 ? (distance > 0 ? 1 : 0) : distance / key.range;
  if (x >= 1) return key.max;
  const int span = int(key.max) - int(key.min);
  return std::uint8_t(int(span * x) + key.min);
}

void ApplyColorKey(CCanvas& texture, const ColorKey& key) {
  if (texture.IsEmpty()) return;
  const std::size_t n =
      std::size_t(texture.Width()) * std::size_t(texture.Height());
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint32_t rgb = texture.Pixels()[i] & 0x00FFFFFFu;
    const std::uint32_t alpha = key.enable ? KeyAlpha(rgb, key) : 255u;
    texture.Pixels()[i] = alpha << 24 | rgb;
  }
  if (key.enable) PremultiplyAlpha(texture);
}

std::uint8_t MaskAlpha(std::uint8_t water, const ColorKey& key) {
  if (!key.enable) return 255;
  const int span = int(key.max) - int(key.min);
  return std::uint8_t(key.max - (span * water + 127) / 255);
}

void ApplyWaterMask(CCanvas& texture, const std::uint8_t* water,
                    const ColorKey& key) {
  if (texture.IsEmpty()) return;
  const std::size_t n =
      std::size_t(texture.Width()) * std::size_t(texture.Height());
  for (std::size_t i = 0; i < n; ++i)
    texture.Pixels()[i] = std::uint32_t(MaskAlpha(water[i], key)) << 24 |
                          (texture.Pixels()[i] & 0x00FFFFFFu);
  if (key.enable) PremultiplyAlpha(texture);
}
