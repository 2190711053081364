#include "pixels/region_fill.h"

#include <algorithm>
#include <cstring>

#include "pixels/blend.h"
#include "pixels/canvas.h"
#include "pixels/colors.h"

namespace {
constexpr std::size_t kRegionHeaderBytes = 32;
constexpr std::size_t kCountOffset = 8;

struct RegionRect {
  std::int32_t left, top, right, bottom;
};

void FillClippedRect(CCanvas& canvas, const RegionRect& r, std::uint32_t color,
                     std::uint32_t alpha) {
  const std::int32_t left = std::max(r.left, 0);
  const std::int32_t right = std::min(r.right, canvas.Width());
  const std::int32_t top = std::max(r.top, 0);
  const std::int32_t bottom = std::min(r.bottom, canvas.Height());
  if (left >= right) return;
  for (std::int32_t y = top; y < bottom; ++y) {
    std::uint32_t* row = canvas.Row(y);
    BlendSpan(alpha, row + left, row + right - 1, color);
  }
}
}  // namespace

void FillRegion(CCanvas& canvas, const void* regionData, std::size_t dataBytes,
                COLORREF color, std::uint8_t alpha) {
  if (canvas.IsEmpty() || !regionData || dataBytes < kRegionHeaderBytes) return;
  const auto* bytes = static_cast<const unsigned char*>(regionData);
  std::uint32_t count = 0;
  std::memcpy(&count, bytes + kCountOffset, sizeof count);
  const std::size_t available =
      (dataBytes - kRegionHeaderBytes) / sizeof(RegionRect);
  const std::size_t rects = std::min<std::size_t>(count, available);

  const std::uint32_t pixel = ColorToPixel(color);
  for (std::size_t i = 0; i < rects; ++i) {
    RegionRect r;
    std::memcpy(&r, bytes + kRegionHeaderBytes + i * sizeof r, sizeof r);
    FillClippedRect(canvas, r, pixel, alpha);
  }
}

void PremultiplyAlpha(CCanvas& canvas) {
  if (canvas.IsEmpty()) return;
  const std::size_t n =
      std::size_t(canvas.Width()) * std::size_t(canvas.Height());
  for (std::uint32_t* p = canvas.Pixels(); p != canvas.Pixels() + n; ++p) {
    const std::uint32_t a = *p >> 24;
    const std::uint32_t r = ((*p >> 16) & 0xFF) * a >> 8;
    const std::uint32_t g = ((*p >> 8) & 0xFF) * a >> 8;
    const std::uint32_t b = (*p & 0xFF) * a >> 8;
    *p = a << 24 | r << 16 | g << 8 | b;
  }
}
