// Text as the clock face and the globe use it: a string's outline as a
// region, and measuring and drawing text into a canvas.
#pragma once

#include <string_view>

#include "platform/win32_types.h"
#include "regions/region.h"
#include "text/gdi_objects.h"

class CCanvas;

// The outline of `text` drawn with `font` at the reference point (x, y) under
// the alignment `align` (TA_CENTER | TA_TOP or TA_LEFT | TA_TOP), turned about
// the reference point by the font's escapement (tenths of a degree,
// counter-clockwise), filled with the even-odd (ALTERNATE) rule: pixel (px,
// py) is in the region when its centre is inside the outline.
CRegion MakeTextRegion(const CFont& font, std::u16string_view text,
                       std::int32_t x, std::int32_t y,
                       UINT align = TA_CENTER | TA_TOP);

// GDI-style drawing into a canvas, for the calendar panel. Windows draws with
// GDI on the canvas's memory device context; the portable build with our own
// fills and FreeType. Colour bytes are written as GDI would write them;
// callers set the alpha bytes afterwards.
class CCanvasPainter {
 public:
  explicit CCanvasPainter(CCanvas& canvas);
  ~CCanvasPainter();
  CCanvasPainter(const CCanvasPainter&) = delete;
  CCanvasPainter& operator=(const CCanvasPainter&) = delete;

  void FillRect(const RECT& rect, COLORREF color);
  // DrawEdge with BDR_RAISEDOUTER and BF_RECT: a light top and left line, a
  // dark bottom and right line.
  void DrawRaisedEdge(const RECT& rect);
  // An ellipse inscribed in `rect`, outlined with a one-pixel black pen and
  // filled with `fill`.
  void Ellipse(const RECT& rect, COLORREF fill);
  // Size of the text's cell, as GetTextExtentPoint32W gives it.
  SIZE MeasureText(const CFont& font, std::u16string_view text);
  // TA_LEFT | TA_TOP, transparent background.
  void DrawText(const CFont& font, std::int32_t x, std::int32_t y,
                std::u16string_view text, COLORREF color);

 private:
  CCanvas& canvas_;
};
