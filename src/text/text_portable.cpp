// Text regions and canvas painting with FreeType outlines and our own fills,
// producing what GDI produces closely enough for the dial and the calendar.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "pixels/canvas.h"
#include "pixels/colors.h"
#include "text/glyph_outline.h"
#include "text/portable_font.h"
#include "text/text.h"

namespace {

constexpr UINT kAlignRight = 2;
constexpr UINT kAlignCenter = 6;
constexpr UINT kAlignBottom = 8;
constexpr UINT kAlignBaseline = 24;

// Flattening error well under a pixel, so that the scan conversion at pixel
// centres sees the true outline.
constexpr double kCurveTolerance = 0.05;

// The classic three-dimensional element colours DrawEdge uses.
constexpr COLORREF kEdgeLight = RGB(227, 227, 227);
constexpr COLORREF kEdgeDark = RGB(105, 105, 105);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// GDI writes the colour bytes of a 32-bit surface and leaves the alpha byte
// 0; callers that want it opaque set it themselves.
std::uint32_t GdiPixel(COLORREF color) { return ColorToPixelAlpha(color, 0); }

// [first, end) clipped to [0, limit).
bool Clip(std::int64_t& first, std::int64_t& end, std::int32_t limit) {
  first = std::max<std::int64_t>(first, 0);
  end = std::min<std::int64_t>(end, limit);
  return first < end;
}

void FillSpan(CCanvas& canvas, std::int64_t left, std::int64_t right,
              std::int64_t row, std::uint32_t pixel) {
  if (row < 0 || row >= canvas.Height() || !Clip(left, right, canvas.Width()))
    return;
  std::fill(canvas.Row(std::int32_t(row)) + left,
            canvas.Row(std::int32_t(row)) + right, pixel);
}

void FillBox(CCanvas& canvas, std::int64_t left, std::int64_t top,
             std::int64_t right, std::int64_t bottom, std::uint32_t pixel) {
  if (!Clip(top, bottom, canvas.Height())) return;
  for (std::int64_t row = top; row < bottom; ++row)
    FillSpan(canvas, left, right, row, pixel);
}

std::uint32_t BlendChannel(std::uint32_t under, std::uint32_t over,
                           std::uint32_t coverage) {
  return (under * (255 - coverage) + over * coverage + 127) / 255;
}

// A coverage-weighted mix of `color` over the pixel's colour bytes.
std::uint32_t Cover(std::uint32_t pixel, std::uint32_t color,
                    std::uint32_t coverage) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8)
    out |=
        BlendChannel((pixel >> shift) & 0xFF, (color >> shift) & 0xFF, coverage)
        << shift;
  return out;
}

}  // namespace

CRegion MakeTextRegion(const CFont& font, std::u16string_view text,
                       std::int32_t x, std::int32_t y, UINT align) {
  if (!font.handle || text.empty()) return {};
  PortableFont& realized = *font.handle;
  const TextLayout layout = LayOutText(realized, text);

  // Where the pen starts relative to the reference point, before turning.
  double startX = 0;
  if ((align & kAlignCenter) == kAlignCenter)
    startX = -double(layout.advance / 2);
  else if ((align & kAlignCenter) == kAlignRight)
    startX = -double(layout.advance);
  double baseline = realized.ascent;  // TA_TOP
  if ((align & kAlignBaseline) == kAlignBaseline)
    baseline = 0;
  else if ((align & kAlignBaseline) == kAlignBottom)
    baseline = -double(realized.descent);

  // Counter-clockwise as seen on the screen, whose y axis points down.
  const double angle =
      double(realized.escapement) / 10.0 * std::numbers::pi / 180.0;
  const double c = std::cos(angle);
  const double s = std::sin(angle);

  std::vector<Edge> edges;
  for (const PlacedGlyph& placed : layout.glyphs) {
    FT_GlyphSlot slot = LoadGlyphOutline(realized, placed.glyph, false);
    if (!slot) continue;
    // Text space: u to the right along the baseline, v down; outline units
    // are 1/64 pixel with y up.
    const double u0 = startX + double(placed.penX);
    const OutlineTransform transform{c / 64,  -s / 64, c * u0 + s * baseline,
                                     -s / 64, -c / 64, -s * u0 + c * baseline};
    AppendOutlineEdges(slot->outline, transform, kCurveTolerance, edges);
  }
  return ScanEvenOdd(edges, x, y);
}

CCanvasPainter::CCanvasPainter(CCanvas& canvas) : canvas_(canvas) {}

CCanvasPainter::~CCanvasPainter() = default;

void CCanvasPainter::FillRect(const RECT& rect, COLORREF color) {
  if (canvas_.IsEmpty()) return;
  // GDI also fills a rectangle whose corners come swapped; the excluded
  // edge is then the one on the left or top.
  auto ordered = [](std::int64_t from, std::int64_t to) {
    return from <= to ? std::pair{from, to} : std::pair{to + 1, from + 1};
  };
  const auto [left, right] = ordered(rect.left, rect.right);
  const auto [top, bottom] = ordered(rect.top, rect.bottom);
  FillBox(canvas_, left, top, right, bottom, GdiPixel(color));
}

void CCanvasPainter::DrawRaisedEdge(const RECT& rect) {
  if (canvas_.IsEmpty() || rect.right <= rect.left || rect.bottom <= rect.top)
    return;
  const std::int64_t l = rect.left, t = rect.top, r = rect.right,
                     b = rect.bottom;
  // Light top and left lines first; the dark ones are drawn over them, so the
  // top-right and bottom-left corners come out dark, as DrawEdge leaves them.
  FillBox(canvas_, l, t, r, t + 1, GdiPixel(kEdgeLight));
  FillBox(canvas_, l, t, l + 1, b, GdiPixel(kEdgeLight));
  FillBox(canvas_, l, b - 1, r, b, GdiPixel(kEdgeDark));
  FillBox(canvas_, r - 1, t, r, b, GdiPixel(kEdgeDark));
}

void CCanvasPainter::Ellipse(const RECT& rect, COLORREF fill) {
  if (canvas_.IsEmpty()) return;
  // GDI accepts the corners in either order.
  const double left = std::min(rect.left, rect.right);
  const double right = std::max(rect.left, rect.right);
  const double top = std::min(rect.top, rect.bottom);
  const double bottom = std::max(rect.top, rect.bottom);
  if (right <= left || bottom <= top) return;
  const double cx = (left + right) / 2;
  const double cy = (top + bottom) / 2;
  const double rx = (right - left) / 2;
  const double ry = (bottom - top) / 2;
  auto inside = [&](std::int64_t px, std::int64_t py) {
    const double dx = (double(px) + 0.5 - cx) / rx;
    const double dy = (double(py) + 0.5 - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
  };

  std::int64_t x0 = std::int64_t(left), x1 = std::int64_t(right);
  std::int64_t y0 = std::int64_t(top), y1 = std::int64_t(bottom);
  if (!Clip(x0, x1, canvas_.Width()) || !Clip(y0, y1, canvas_.Height())) return;
  const std::uint32_t outline = GdiPixel(kBlack);
  const std::uint32_t interior = GdiPixel(fill);
  for (std::int64_t py = y0; py < y1; ++py) {
    std::uint32_t* row = canvas_.Row(std::int32_t(py));
    for (std::int64_t px = x0; px < x1; ++px) {
      if (!inside(px, py)) continue;
      // The pen is the ring of inside pixels that touch the outside.
      const bool edge = !inside(px - 1, py) || !inside(px + 1, py) ||
                        !inside(px, py - 1) || !inside(px, py + 1);
      row[px] = edge ? outline : interior;
    }
  }
}

SIZE CCanvasPainter::MeasureText(const CFont& font, std::u16string_view text) {
  // GDI gives an empty string no height either.
  if (!font.handle || text.empty()) return {0, 0};
  const TextLayout layout = LayOutText(*font.handle, text);
  const std::int64_t width =
      std::min<std::int64_t>(layout.advance, std::numeric_limits<LONG>::max());
  return {LONG(width), LONG(font.handle->ascent + font.handle->descent)};
}

// The calendar never turns its text, so the escapement is not applied here.
void CCanvasPainter::DrawText(const CFont& font, std::int32_t x, std::int32_t y,
                              std::u16string_view text, COLORREF color) {
  if (canvas_.IsEmpty() || !font.handle || text.empty()) return;
  PortableFont& realized = *font.handle;
  const TextLayout layout = LayOutText(realized, text);
  const std::uint32_t ink = GdiPixel(color);
  const std::int64_t baseline = std::int64_t(y) + realized.ascent;

  for (const PlacedGlyph& placed : layout.glyphs) {
    const std::int64_t penX = std::int64_t(x) + placed.penX;
    if (penX >= canvas_.Width()) break;
    FT_GlyphSlot slot = LoadGlyphOutline(realized, placed.glyph, true);
    if (!slot || FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) continue;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY || !bitmap.buffer) continue;

    const std::int64_t left = penX + slot->bitmap_left;
    const std::int64_t top = baseline - slot->bitmap_top;
    std::int64_t x0 = left, x1 = left + bitmap.width;
    std::int64_t y0 = top, y1 = top + bitmap.rows;
    if (!Clip(x0, x1, canvas_.Width()) || !Clip(y0, y1, canvas_.Height()))
      continue;
    const std::int64_t pitch = bitmap.pitch;
    const unsigned char* firstRow =
        pitch >= 0 ? bitmap.buffer
                   : bitmap.buffer + (std::int64_t(bitmap.rows) - 1) * -pitch;
    for (std::int64_t py = y0; py < y1; ++py) {
      const unsigned char* coverage = firstRow + (py - top) * pitch;
      std::uint32_t* row = canvas_.Row(std::int32_t(py));
      for (std::int64_t px = x0; px < x1; ++px) {
        const std::uint32_t a = coverage[px - left];
        if (a != 0) row[px] = Cover(row[px], ink, a);
      }
    }
  }
}
