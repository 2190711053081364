// The clipped span fill shared by the triangle and polygon fills.
#pragma once

#include <cstdint>

#include "pixels/blend.h"
#include "pixels/canvas.h"

// Blends `color` made opaque over columns left..right of image row `row`,
// clipped to the canvas, with the colour's own alpha byte as coverage.
inline void BlendClippedSpan(CCanvas& canvas, std::int32_t left,
                             std::int32_t right, std::int32_t row,
                             std::uint32_t color) {
  if (row < 0 || row >= canvas.Height()) return;
  if (left < 0)
    left = 0;
  else if (left >= canvas.Width())
    return;
  if (right < 0) return;
  if (right >= canvas.Width()) right = canvas.Width() - 1;
  if (right < left) return;
  std::uint32_t* pixels = canvas.Row(row);
  BlendSpan(color >> 24, pixels + left, pixels + right, color | 0xFF000000u);
}
