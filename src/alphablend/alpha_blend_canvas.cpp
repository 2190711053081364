#include "alphablend/alpha_blend_canvas.h"

#include <algorithm>
#include <cstring>

#include "alphablend/alpha_functions.h"
#include "alphablend/canvas.h"

#ifdef _WIN32

bool AlphaBlendCanvas(CCanvas& dst, int x, int y, int w, int h,
                      const CCanvas& src, int sx, int sy, int sw, int sh,
                      BLENDFUNCTION blend) {
  if (!pfnGdiAlphaBlend || !dst.dc || !src.dc) return false;
  return pfnGdiAlphaBlend(dst.dc, x, y, w, h, src.dc, sx, sy, sw, sh, blend) !=
         0;
}

#else

bool AlphaBlendCanvas(CCanvas& dst, int x, int y, int w, int h,
                      const CCanvas& src, int sx, int sy, int sw, int sh,
                      BLENDFUNCTION blend) {
  if (!pfnGdiAlphaBlend) return false;
  return pfnGdiAlphaBlend(dst, x, y, w, h, src, sx, sy, sw, sh, blend);
}

namespace {

// x / 255 rounded to nearest, for 0 <= x <= 255 * 255, without a division.
constexpr std::uint32_t DivideBy255(std::uint32_t x) {
  return (x + 128 + ((x + 128) >> 8)) >> 8;
}
static_assert(DivideBy255(0) == 0 && DivideBy255(127) == 0 &&
              DivideBy255(128) == 1 && DivideBy255(65025) == 255 &&
              DivideBy255(382) == 1 && DivideBy255(383) == 2);

std::uint32_t ScaleByConstant(std::uint32_t pixel, std::uint32_t constant) {
  if (constant == 255) return pixel;
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8)
    result |= DivideBy255(((pixel >> shift) & 0xFF) * constant) << shift;
  return result;
}

// Premultiplied source over destination: d = s + d * (255 - s.alpha) / 255.
std::uint32_t Over(std::uint32_t src, std::uint32_t dst) {
  const std::uint32_t keep = 255 - (src >> 24);
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF;
    const std::uint32_t d = (dst >> shift) & 0xFF;
    result |= std::min<std::uint32_t>(255, s + DivideBy255(d * keep)) << shift;
  }
  return result;
}

// Constant alpha only: d = (s * c + d * (255 - c)) / 255.
std::uint32_t Mix(std::uint32_t src, std::uint32_t dst, std::uint32_t c) {
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t s = (src >> shift) & 0xFF;
    const std::uint32_t d = (dst >> shift) & 0xFF;
    result |= DivideBy255(s * c + d * (255 - c)) << shift;
  }
  return result;
}

// Whether four source pixels are all transparent black; most of a layer of
// dial characters is, and those pixels change nothing.
bool FourClear(const std::uint32_t* p) {
  std::uint64_t a, b;
  std::memcpy(&a, p, 8);
  std::memcpy(&b, p + 2, 8);
  return (a | b) == 0;
}

// The unstretched per-pixel blend, the case of every frame.
void BlendRowsOver(CCanvas& dst, int left, int top, int right, int bottom,
                   const CCanvas& src, int dx, int dy, std::uint32_t constant) {
  const int width = right - left;
  for (int row = top; row < bottom; ++row) {
    const std::uint32_t* from = src.Row(row + dy) + (left + dx);
    std::uint32_t* to = dst.Row(row) + left;
    int i = 0;
    while (i < width) {
      if (i + 4 <= width && FourClear(from + i)) {
        i += 4;
        continue;
      }
      if (from[i] != 0) to[i] = Over(ScaleByConstant(from[i], constant), to[i]);
      ++i;
    }
  }
}

bool SourceRectInside(const CCanvas& src, int sx, int sy, int sw, int sh) {
  return sx >= 0 && sy >= 0 && sw > 0 && sh > 0 && sw <= src.width - sx &&
         sh <= src.height - sy;
}

}  // namespace

bool SoftwareAlphaBlend(CCanvas& dst, int x, int y, int w, int h,
                        const CCanvas& src, int sx, int sy, int sw, int sh,
                        BLENDFUNCTION blend) {
  if (dst.IsEmpty() || src.IsEmpty() || w <= 0 || h <= 0) return false;
  if (blend.BlendOp != AC_SRC_OVER) return false;
  if (!SourceRectInside(src, sx, sy, sw, sh)) return false;

  const bool perPixel = (blend.AlphaFormat & AC_SRC_ALPHA) != 0;
  const std::uint32_t constant = blend.SourceConstantAlpha;
  const int top = std::max(y, 0);
  const int bottom =
      int(std::min<std::int64_t>(std::int64_t{y} + h, dst.height));
  const int left = std::max(x, 0);
  const int right = int(std::min<std::int64_t>(std::int64_t{x} + w, dst.width));
  if (perPixel && sw == w && sh == h) {
    BlendRowsOver(dst, left, top, right, bottom, src, sx - x, sy - y, constant);
    return true;
  }
  for (int row = top; row < bottom; ++row) {
    // Nearest source pixel when the rectangles differ in size.
    const int srcRow = sy + int(std::int64_t(row - y) * sh / h);
    const std::uint32_t* from = src.Row(srcRow);
    std::uint32_t* to = dst.Row(row);
    for (int col = left; col < right; ++col) {
      const std::uint32_t s = from[sx + int(std::int64_t(col - x) * sw / w)];
      if (!perPixel) {
        to[col] = Mix(s, to[col], constant);
      } else if (s != 0) {
        to[col] = Over(ScaleByConstant(s, constant), to[col]);
      }
    }
  }
  return true;
}

#endif
