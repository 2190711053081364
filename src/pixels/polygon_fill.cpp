#include "pixels/polygon_fill.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <memory>
#include <new>

#include "pixels/blend.h"
#include "pixels/canvas.h"
#include "pixels/span_clip.h"

namespace {

struct VertexRow {
  std::int32_t x;
  std::int32_t y;
};

// The vertex table, the edge table and the active list, all sized for
// `count` entries and kept side by side in one block. Hands have four points,
// so small polygons use a block on the stack and a frame allocates nothing;
// larger ones take one heap block, released on every way out.
class CPolygonScratch {
 public:
  explicit CPolygonScratch(int count) {
    if (count > kInlinePoints) {
      heap.reset(new (std::nothrow) Entry[std::size_t(count)]);
      entries = heap.get();
    }
  }

  bool IsValid() const { return entries != nullptr; }
  VertexRow& Vertex(int i) { return entries[i].vertex; }
  ScanEdge& Edge(int i) { return entries[i].edge; }
  ScanEdge*& Active(int i) { return entries[i].active; }

 private:
  static constexpr int kInlinePoints = 8;
  struct Entry {
    VertexRow vertex;
    ScanEdge edge;
    ScanEdge* active;
  };

  Entry inlineEntries[kInlinePoints];
  std::unique_ptr<Entry[]> heap;
  Entry* entries = inlineEntries;
};

// Edge plots for one row; rows above the canvas are stepped without plots.
// The plot callable is a template parameter so that the fill's own pixel
// function is inlined into the edge walk.
template <class Edge>
struct RowPlotter {
  const Edge& edge;
  std::int32_t row;
  bool visible;

  void operator()(std::int32_t column, int code, std::int32_t numerator,
                  std::int32_t denominator) const {
    if (visible) edge(column, row, code, numerator, denominator);
  }
};

// The common first half of a steep edge's row: returns u, sets v.
std::int32_t StepSteep(ScanEdge& e, std::int32_t& v) {
  std::int32_t u = e.x;
  if (e.err < e.dx256) {
    e.err += e.dy256;
    e.x += e.xstep;
  } else {
    u -= e.xstep;
  }
  e.err -= e.dx256;
  v = e.x + e.xstep;
  return u;
}

// Walks a shallow edge's run in this row, plotting each column it enters
// with `code`. Leaves u adjusted when the run is empty.
template <class Plot>
void WalkShallowRun(ScanEdge& e, std::int32_t& u, const Plot& plot, int code,
                    bool coverageFromEnd) {
  if (e.err < e.dy256) {
    u -= e.xstep;
    return;
  }
  do {
    if (e.x == e.x1) break;
    e.err -= e.dy256;
    e.x += e.xstep;
    plot(e.x, code, coverageFromEnd ? e.dx256 - e.err : e.err, e.dx256);
  } while (e.err >= e.dy256);
}

// Columns behind the row's start, fading toward the edge's origin.
template <class Plot>
void PlotBackFromStart(ScanEdge& e, std::int32_t& u, const Plot& plot, int code,
                       bool inclusive) {
  std::int32_t n = e.err - e.run;
  while ((inclusive ? e.dx256 >= n : e.dx256 > n) && u != e.x0) {
    plot(u, code, n, e.dx256);
    n += e.dy256;
    u -= e.xstep;
  }
}

// Columns past the row's run, toward the edge's end; v ends on the last one.
template <class Plot>
void PlotPastRun(ScanEdge& e, std::int32_t& v, const Plot& plot, int code) {
  v = e.x;
  std::int32_t n = e.err + e.dx256;
  while (e.dy256 <= n && v != e.x1) {
    n -= e.dy256;
    v += e.xstep;
    plot(v, code, e.dx256 - n, e.dx256);
  }
}

template <class Plot>
std::int32_t StepLeftEdge(ScanEdge& e, const Plot& plot) {
  std::int32_t u = e.x;
  std::int32_t v;
  if (!e.IsShallow()) {
    u = StepSteep(e, v);
    if (e.xstep > 0) {
      plot(e.x, 0, e.err, e.dy256);
      plot(v, 1, e.err, e.dy256);
      v += e.xstep;
    } else {
      plot(u, 3, e.dy256 - e.err, e.dy256);
      plot(e.x, 2, e.dy256 - e.err, e.dy256);
      u -= e.xstep;
    }
  } else if (e.xstep < 0) {
    PlotBackFromStart(e, u, plot, 11, false);
    WalkShallowRun(e, u, plot, 10, false);
    v = e.x + e.xstep;
    e.err += e.dx256;
  } else {
    WalkShallowRun(e, u, plot, 8, true);
    PlotPastRun(e, v, plot, 9);
    v += e.xstep;
    e.err += e.dx256;
  }
  return e.xstep > 0 ? v : u;
}

template <class Plot>
std::int32_t StepRightEdge(ScanEdge& e, const Plot& plot) {
  std::int32_t u = e.x;
  std::int32_t v;
  if (!e.IsShallow()) {
    u = StepSteep(e, v);
    if (e.xstep > 0) {
      plot(u, 5, e.dy256 - e.err, e.dy256);
      plot(e.x, 4, e.dy256 - e.err, e.dy256);
      u -= e.xstep;
    } else {
      plot(e.x, 6, e.err, e.dy256);
      plot(v, 7, e.err, e.dy256);
      v += e.xstep;
    }
  } else if (e.xstep < 0) {
    WalkShallowRun(e, u, plot, 14, true);
    PlotPastRun(e, v, plot, 15);
    v += e.xstep;
    e.err += e.dx256;
  } else {
    PlotBackFromStart(e, u, plot, 13, true);
    WalkShallowRun(e, u, plot, 12, false);
    v = e.x + e.xstep;
    e.err += e.dx256;
  }
  return e.xstep > 0 ? u : v;
}

void BuildVertexTable(CPolygonScratch& s, const Point2D* points, int count) {
  for (int i = 0; i < count; ++i) {
    int pos = 0;
    while (pos < i && !(s.Vertex(pos).y >= points[i].y)) ++pos;
    for (int k = i; k > pos; --k) s.Vertex(k) = s.Vertex(k - 1);
    s.Vertex(pos) = {Trunc(points[i].x), Trunc(points[i].y)};
  }
}

int BuildEdgeTable(CPolygonScratch& s, const Point2D* points, int count) {
  int edgeCount = 0;
  for (int i = 0; i < count; ++i) {
    const Point2D& p = points[i];
    const Point2D& q = points[(i + 1) % count];
    if (p.y == q.y) continue;
    int pos = 0;
    while (pos < edgeCount && !(s.Edge(pos).y0 >= p.y)) ++pos;
    for (int k = edgeCount; k > pos; --k) s.Edge(k) = s.Edge(k - 1);
    if (p.y < q.y)
      InitScanEdge(s.Edge(pos), p, q);
    else
      InitScanEdge(s.Edge(pos), q, p);
    ++edgeCount;
  }
  return edgeCount;
}

// The edges crossing row `start`, sorted by column, ties by signed extent;
// a new edge goes before an equal one.
int BuildActiveList(CPolygonScratch& s, int edgeCount, std::int32_t start) {
  int activeCount = 0;
  for (int i = 0; i < edgeCount; ++i) {
    ScanEdge* e = &s.Edge(i);
    if (!(e->y0 <= start && start < e->y1)) continue;
    const std::int64_t slope = std::int64_t{e->xstep} * e->dx256;
    int pos = 0;
    for (; pos < activeCount; ++pos) {
      const ScanEdge* a = s.Active(pos);
      if (a->x > e->x ||
          (a->x == e->x && std::int64_t{a->xstep} * a->dx256 >= slope))
        break;
    }
    for (int k = activeCount; k > pos; --k) s.Active(k) = s.Active(k - 1);
    s.Active(pos) = e;
    ++activeCount;
  }
  return activeCount;
}

// Draws rows start..end of one band; returns the last row drawn, which is
// earlier than `end` when edges cross and the active list must be re-sorted,
// or INT_MAX when the canvas bottom was reached.
template <class Edge, class Span>
std::int32_t ScanBand(CCanvas& canvas, CPolygonScratch& s, int activeCount,
                      std::int32_t start, std::int32_t end, const Edge& edge,
                      const Span& span) {
  for (std::int32_t y = start; y <= end; ++y) {
    if (y >= canvas.Height()) return INT_MAX;
    const RowPlotter<Edge> plot{edge, y, y >= 0};
    bool crossed = false;
    std::int32_t previousRight = 0;
    for (int k = 0; k + 1 < activeCount; k += 2) {
      ScanEdge& left = *s.Active(k);
      ScanEdge& right = *s.Active(k + 1);
      const std::int32_t l = StepLeftEdge(left, plot);
      const std::int32_t r = StepRightEdge(right, plot);
      if (y >= 0) span(l, r, y);
      if (left.x >= right.x || (k > 0 && left.x <= previousRight))
        crossed = true;
      previousRight = right.x;
    }
    // Every pair of the row is stepped before the band is cut, so that no
    // edge falls a row behind.
    if (crossed) return y;
  }
  return end;
}

template <class Edge, class Span>
void ScanPolygonWith(CCanvas& canvas, const Point2D* points, int count,
                     const Edge& edge, const Span& span) {
  if (!points || count < 2 || canvas.IsEmpty()) return;
  for (int i = 0; i < count; ++i)
    if (!IsDrawableCoordinate(points[i])) return;

  CPolygonScratch scratch(count);
  if (!scratch.IsValid()) return;
  BuildVertexTable(scratch, points, count);
  const int edgeCount = BuildEdgeTable(scratch, points, count);

  std::int32_t start = scratch.Vertex(0).y;
  int cursor = 1;
  for (;;) {
    while (cursor < count && scratch.Vertex(cursor).y - 1 < start) ++cursor;
    if (cursor >= count) return;
    const std::int32_t end = scratch.Vertex(cursor).y - 1;
    const int activeCount = BuildActiveList(scratch, edgeCount, start);
    const std::int32_t last =
        ScanBand(canvas, scratch, activeCount, start, end, edge, span);
    if (last == INT_MAX) return;
    start = last + 1;
  }
}

}  // namespace

void ScanPolygon(CCanvas& canvas, const Point2D* points, int count,
                 EdgeCallback edge, SpanCallback span, void* context) {
  ScanPolygonWith(
      canvas, points, count,
      [&](std::int32_t column, std::int32_t row, int code, std::int32_t n,
          std::int32_t d) { edge(canvas, column, row, code, n, d, context); },
      [&](std::int32_t left, std::int32_t right, std::int32_t row) {
        span(canvas, left, right, row, context);
      });
}

bool UsesEdgeColorA(int code) {
  const bool bit3 = code & 8, bit2 = code & 4, bit1 = code & 2;
  return bit3 ? bit2 != bit1 : !bit2;
}

namespace {
// numerator * scale / denominator, kept inside 0..scale; an empty
// denominator counts as full coverage.
std::uint32_t Fraction(std::int32_t numerator, std::int32_t denominator,
                       std::uint32_t scale) {
  if (denominator <= 0) return scale;
  const std::int64_t value = std::int64_t{numerator} * scale / denominator;
  return std::uint32_t(std::clamp<std::int64_t>(value, 0, scale));
}
}  // namespace

void PlotEdgePixel(CCanvas& canvas, std::int32_t column, std::int32_t row,
                   int code, std::int32_t numerator, std::int32_t denominator,
                   void* context) {
  if (column < 0 || column >= canvas.Width() || row < 0 ||
      row >= canvas.Height())
    return;
  const auto& colors = *static_cast<const PolygonColors*>(context);
  std::uint32_t color = UsesEdgeColorA(code) ? colors.edgeA : colors.edgeB;
  std::uint32_t coverage;
  if (code & 1) {
    // Gradient pixels fade from the edge colour toward the interior.
    color = BlendValue(Fraction(numerator, denominator, 255), color,
                       colors.interior);
    coverage = color >> 24;
  } else {
    coverage = Fraction(numerator, denominator, color >> 24);
  }
  BlendPixel(coverage, canvas.Row(row) + column, color | 0xFF000000u);
}

void FillPolygonSpan(CCanvas& canvas, std::int32_t left, std::int32_t right,
                     std::int32_t row, void* context) {
  BlendClippedSpan(canvas, left, right, row,
                   static_cast<const PolygonColors*>(context)->interior);
}

void FillPolygon(CCanvas& canvas, const Point2D* points, int count,
                 std::uint32_t edgeA, std::uint32_t edgeB,
                 std::uint32_t interior) {
  PolygonColors colors{edgeA, edgeB, interior};
  ScanPolygonWith(
      canvas, points, count,
      [&](std::int32_t column, std::int32_t row, int code, std::int32_t n,
          std::int32_t d) {
        PlotEdgePixel(canvas, column, row, code, n, d, &colors);
      },
      [&](std::int32_t left, std::int32_t right, std::int32_t row) {
        FillPolygonSpan(canvas, left, right, row, &colors);
      });
}
