#include "pixels/triangle_fill.h"

#include <cstdint>
#include <utility>

#include "pixels/blend.h"
#include "pixels/canvas.h"
#include "pixels/span_clip.h"

namespace {

struct Ordered {
  const Point2D* top;
  const Point2D* middle;
  const Point2D* bottom;
};

// Sorts by y with exactly these comparisons, so that ties resolve the same
// way every time.
Ordered OrderByY(const Point2D v[3]) {
  const double y0 = v[0].y, y1 = v[1].y, y2 = v[2].y;
  if (y0 < y1) {
    if (y1 < y2) return {&v[0], &v[1], &v[2]};
    if (y0 < y2) return {&v[0], &v[2], &v[1]};
    return {&v[2], &v[0], &v[1]};
  }
  if (y1 > y2) return {&v[2], &v[1], &v[0]};
  if (y0 > y2) return {&v[1], &v[2], &v[0]};
  return {&v[1], &v[0], &v[2]};
}

// One row of a triangle edge; returns the span column this edge gives.
std::int32_t StepTriangleEdge(ScanEdge& e, bool isLeft) {
  std::int32_t u = e.x;
  std::int32_t v;
  if (e.IsShallow()) {
    if (e.err < e.dy256) {
      u -= e.xstep;
    } else {
      do {
        if (e.x == e.x1) break;
        e.err -= e.dy256;
        e.x += e.xstep;
      } while (e.err >= e.dy256);
    }
    v = e.x;
    e.err += e.dx256;
    if (isLeft)
      u += e.xstep;
    else
      v += e.xstep;
  } else {
    if (e.err < e.dx256) {
      e.err += e.dy256;
      e.x += e.xstep;
    } else {
      u -= e.xstep;
    }
    e.err -= e.dx256;
    v = e.x + e.xstep;
    if (!isLeft) {
      if (e.xstep > 0)
        u -= e.xstep;
      else
        v += e.xstep;
    }
  }
  return e.xstep > 0 ? u : v;
}

// Which of two edges from the top vertex lies further left, compared by
// slope; the products need 64 bits once a triangle is a few hundred pixels.
bool IsLeftOf(const ScanEdge& a, const ScanEdge& b) {
  return std::int64_t{a.dx256} * a.xstep * b.dy256 <
         std::int64_t{b.dx256} * b.xstep * a.dy256;
}

}  // namespace

void ScanTriangle(CCanvas& canvas, const Point2D vertices[3], void* context,
                  SpanCallback span) {
  for (int i = 0; i < 3; ++i)
    if (!IsDrawableCoordinate(vertices[i])) return;

  const Ordered o = OrderByY(vertices);
  ScanEdge edges[3];
  InitScanEdge(edges[0], *o.top, *o.middle);
  InitScanEdge(edges[1], *o.top, *o.bottom);
  InitScanEdge(edges[2], *o.middle, *o.bottom);

  ScanEdge* left = &edges[1];
  ScanEdge* right = &edges[0];
  if (IsLeftOf(edges[0], edges[1])) std::swap(left, right);

  std::int32_t switchRow = edges[0].y1;
  for (std::int32_t y = edges[0].y0; y < canvas.Height(); ++y) {
    if (y >= switchRow) {
      if (left == &edges[2] || right == &edges[2]) break;
      if (edges[1].x < edges[2].x) {
        left = &edges[1];
        right = &edges[2];
      } else {
        left = &edges[2];
        right = &edges[1];
      }
      switchRow = edges[1].y1;
    }
    const std::int32_t l = StepTriangleEdge(*left, true);
    const std::int32_t r = StepTriangleEdge(*right, false);
    if (y >= 0) span(canvas, l, r, y, context);
  }
}

void FillTriangleSpan(CCanvas& canvas, std::int32_t left, std::int32_t right,
                      std::int32_t row, void* context) {
  BlendClippedSpan(canvas, left, right, row,
                   *static_cast<const std::uint32_t*>(context));
}

void FillTriangle(CCanvas& canvas, const Point2D& a, const Point2D& b,
                  const Point2D& c, std::uint32_t color) {
  if (canvas.IsEmpty()) return;
  const Point2D vertices[3] = {a, b, c};
  ScanTriangle(canvas, vertices, &color, FillTriangleSpan);
}
