#include "pixels/alpha_blend_canvas.h"

#include <algorithm>
#include <cstring>

#include "pixels/alpha_functions.h"
#include "pixels/canvas.h"
#include "pixels/over_row.h"

#ifdef _WIN32

bool AlphaBlendCanvas(CCanvas& dst, int x, int y, int w, int h,
                      const CCanvas& src, int sx, int sy, int sw, int sh,
                      BLENDFUNCTION blend) {
  if (!pfnGdiAlphaBlend || !dst.Dc() || !src.Dc()) return false;
  return pfnGdiAlphaBlend(dst.Dc(), x, y, w, h, src.Dc(), sx, sy, sw, sh,
                          blend) != 0;
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

// The unstretched per-pixel blend, the case of every frame.
void BlendRowsOver(CCanvas& dst, int left, int top, int right, int bottom,
                   const CCanvas& src, int dx, int dy, std::uint32_t constant) {
  for (int row = top; row < bottom; ++row)
    OverRow(src.Row(row + dy) + (left + dx), dst.Row(row) + left, right - left,
            constant);
}

bool SourceRectInside(const CCanvas& src, int sx, int sy, int sw, int sh) {
  return sx >= 0 && sy >= 0 && sw > 0 && sh > 0 && sw <= src.Width() - sx &&
         sh <= src.Height() - sy;
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
      int(std::min<std::int64_t>(std::int64_t{y} + h, dst.Height()));
  const int left = std::max(x, 0);
  const int right =
      int(std::min<std::int64_t>(std::int64_t{x} + w, dst.Width()));
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
      } else {
        OverRowPlain(&s, &to[col], 1, constant);
      }
    }
  }
  return true;
}

#endif
