// Text through GDI: outlines by way of a path, drawing on the canvas's own
// memory device context. UTF-16 strings cross into GDI as wchar_t here.
#include <climits>
#include <cmath>
#include <cstring>
#include <numbers>
#include <vector>

#include "pixels/canvas.h"
#include "platform/wide_text_win32.h"
#include "text/font_fallback_win32.h"
#include "text/text.h"

namespace {

int Count(std::u16string_view text) {
  return text.size() > std::size_t(INT_MAX) ? INT_MAX : int(text.size());
}

CRegion RegionFromHandle(HRGN rgn) {
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return {};
  // DWORD storage keeps the header and the rectangles aligned.
  std::vector<DWORD> storage((size + sizeof(DWORD) - 1) / sizeof(DWORD));
  auto* data = reinterpret_cast<RGNDATA*>(storage.data());
  if (GetRegionData(rgn, size, data) == 0) return {};
  const std::size_t available = (size - data->rdh.dwSize) / sizeof(RECT);
  const std::size_t count =
      data->rdh.nCount < available ? data->rdh.nCount : available;
  std::vector<RECT> rects(count);
  if (count)
    std::memcpy(rects.data(),
                reinterpret_cast<const char*>(data) + data->rdh.dwSize,
                count * sizeof(RECT));
  return CRegion::FromRects(rects);
}

// Selects an object for the lifetime of the scope and puts the previous one
// back.
class CSelection {
 public:
  CSelection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~CSelection() {
    if (ok()) SelectObject(dc_, previous_);
  }
  CSelection(const CSelection&) = delete;
  CSelection& operator=(const CSelection&) = delete;
  bool ok() const { return previous_ && previous_ != HGDI_ERROR; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// One run, placed exactly as a plain TextOutW would place it.
void OutlineRun(HDC dc, const FontRun& run, std::int32_t x, std::int32_t y,
                UINT align) {
  CSelection selected(dc, run.font);
  if (!selected.ok()) return;
  SetTextAlign(dc, align);
  TextOutW(dc, x, y, WideData(run.text), Count(run.text));
}

// Several runs in a row: their advances add up along the baseline, which
// the escapement turns, so the string is placed as a whole by the first
// run's metrics and each run continues at the current position.
void OutlineRuns(HDC dc, const std::vector<FontRun>& runs, std::int32_t x,
                 std::int32_t y, UINT align, LONG escapement) {
  double total = 0;
  for (const FontRun& run : runs) {
    CSelection selected(dc, run.font);
    SIZE extent{};
    if (selected.ok() &&
        GetTextExtentPoint32W(dc, WideData(run.text), Count(run.text), &extent))
      total += extent.cx;
  }
  TEXTMETRICW metrics{};
  {
    CSelection selected(dc, runs.front().font);
    if (selected.ok()) GetTextMetricsW(dc, &metrics);
  }
  const double angle = escapement * std::numbers::pi / 1800;
  const double alongX = std::cos(angle), alongY = -std::sin(angle);
  const double downX = std::sin(angle), downY = std::cos(angle);
  double down = metrics.tmAscent;  // TA_TOP
  if ((align & TA_BASELINE) == TA_BASELINE)
    down = 0;
  else if (align & TA_BOTTOM)
    down = -metrics.tmDescent;
  double back = 0;  // TA_LEFT
  if ((align & TA_CENTER) == TA_CENTER)
    back = total / 2;
  else if (align & TA_RIGHT)
    back = total;
  MoveToEx(dc, int(std::lround(x + down * downX - back * alongX)),
           int(std::lround(y + down * downY - back * alongY)), nullptr);
  SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_UPDATECP);
  for (const FontRun& run : runs) {
    CSelection selected(dc, run.font);
    if (selected.ok()) TextOutW(dc, 0, 0, WideData(run.text), Count(run.text));
  }
}

}  // namespace

CRegion MakeTextRegion(const CFont& font, std::u16string_view text,
                       std::int32_t x, std::int32_t y, UINT align) {
  if (!font.handle || text.empty()) return {};
  HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) return {};
  CRegion result;
  {
    CFallbackFonts fonts(dc, font.handle, font.logFont);
    const std::vector<FontRun> runs = fonts.Runs(text);
    SetBkMode(dc, TRANSPARENT);
    SetPolyFillMode(dc, ALTERNATE);
    if (BeginPath(dc)) {
      if (runs.size() == 1)
        OutlineRun(dc, runs.front(), x, y, align);
      else
        OutlineRuns(dc, runs, x, y, align, font.logFont.lfEscapement);
      if (EndPath(dc)) {
        if (HRGN rgn = PathToRegion(dc)) {
          result = RegionFromHandle(rgn);
          DeleteObject(rgn);
        }
      } else {
        AbortPath(dc);
      }
    }
  }
  DeleteDC(dc);
  return result;
}

CCanvasPainter::CCanvasPainter(CCanvas& canvas) : canvas_(canvas) {}

CCanvasPainter::~CCanvasPainter() = default;

void CCanvasPainter::FillRect(const RECT& rect, COLORREF color) {
  if (canvas_.IsEmpty() || !canvas_.Dc()) return;
  HBRUSH brush = CreateSolidBrush(color);
  if (!brush) return;
  ::FillRect(canvas_.Dc(), &rect, brush);
  DeleteObject(brush);
  GdiFlush();
}

void CCanvasPainter::DrawRaisedEdge(const RECT& rect) {
  if (canvas_.IsEmpty() || !canvas_.Dc()) return;
  RECT edge = rect;
  DrawEdge(canvas_.Dc(), &edge, BDR_RAISEDOUTER, BF_RECT);
  GdiFlush();
}

void CCanvasPainter::Ellipse(const RECT& rect, COLORREF fill) {
  if (canvas_.IsEmpty() || !canvas_.Dc()) return;
  HBRUSH brush = CreateSolidBrush(fill);
  if (!brush) return;
  {
    CSelection pen(canvas_.Dc(), GetStockObject(BLACK_PEN));
    CSelection selected(canvas_.Dc(), brush);
    if (selected.ok())
      ::Ellipse(canvas_.Dc(), rect.left, rect.top, rect.right, rect.bottom);
  }
  DeleteObject(brush);
  GdiFlush();
}

SIZE CCanvasPainter::MeasureText(const CFont& font, std::u16string_view text) {
  SIZE size{0, 0};
  if (!font.handle) return size;
  // Measuring needs no pixels, so an empty canvas borrows a context.
  HDC dc = canvas_.Dc() ? canvas_.Dc() : CreateCompatibleDC(nullptr);
  if (!dc) return size;
  {
    CSelection selected(dc, font.handle);
    if (selected.ok() &&
        !GetTextExtentPoint32W(dc, WideData(text), Count(text), &size))
      size = {0, 0};
  }
  if (dc != canvas_.Dc()) DeleteDC(dc);
  return size;
}

void CCanvasPainter::DrawText(const CFont& font, std::int32_t x, std::int32_t y,
                              std::u16string_view text, COLORREF color) {
  if (canvas_.IsEmpty() || !canvas_.Dc() || !font.handle || text.empty())
    return;
  HDC dc = canvas_.Dc();
  CSelection selected(dc, font.handle);
  if (!selected.ok()) return;
  const COLORREF oldColor = SetTextColor(dc, color);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP);
  TextOutW(dc, x, y, WideData(text), Count(text));
  if (oldAlign != GDI_ERROR) SetTextAlign(dc, oldAlign);
  if (oldMode) SetBkMode(dc, oldMode);
  if (oldColor != CLR_INVALID) SetTextColor(dc, oldColor);
  GdiFlush();
}
