#include "text/glyph_outline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Even a glyph 2048 pixels high needs far fewer pieces per curve than this;
// the bound only guards against absurd control points.
constexpr int kMaxCurvePieces = 512;

struct Point {
  double x, y;
};

struct Flattener {
  const OutlineTransform* transform;
  double tolerance;
  std::vector<Edge>* edges;
  Point start{0, 0};
  Point current{0, 0};
  bool open = false;

  Point Map(const FT_Vector* v) const {
    const double gx = double(v->x);
    const double gy = double(v->y);
    return {transform->xx * gx + transform->xy * gy + transform->dx,
            transform->yx * gx + transform->yy * gy + transform->dy};
  }

  void LineTo(Point to) {
    if (to.y != current.y) edges->push_back({current.x, current.y, to.x, to.y});
    current = to;
  }

  void Close() {
    if (open) LineTo(start);
    open = false;
  }

  // Enough pieces that no piece strays more than the tolerance from the
  // curve: Wang's bound from the largest second difference of the control
  // points.
  int Pieces(double secondDifference, double factor) const {
    const double n =
        std::ceil(std::sqrt(factor * secondDifference / tolerance));
    if (!(n >= 1)) return 1;
    return n > kMaxCurvePieces ? kMaxCurvePieces : int(n);
  }
};

double Length(double x, double y) { return std::sqrt(x * x + y * y); }

int MoveTo(const FT_Vector* to, void* user) {
  auto& f = *static_cast<Flattener*>(user);
  f.Close();
  f.start = f.current = f.Map(to);
  f.open = true;
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  auto& f = *static_cast<Flattener*>(user);
  f.LineTo(f.Map(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto& f = *static_cast<Flattener*>(user);
  const Point p0 = f.current;
  const Point p1 = f.Map(control);
  const Point p2 = f.Map(to);
  const int n =
      f.Pieces(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y), 0.25);
  for (int i = 1; i < n; ++i) {
    const double t = double(i) / n;
    const double u = 1 - t;
    f.LineTo({u * u * p0.x + 2 * u * t * p1.x + t * t * p2.x,
              u * u * p0.y + 2 * u * t * p1.y + t * t * p2.y});
  }
  f.LineTo(p2);
  return 0;
}

int CubicTo(const FT_Vector* control1, const FT_Vector* control2,
            const FT_Vector* to, void* user) {
  auto& f = *static_cast<Flattener*>(user);
  const Point p0 = f.current;
  const Point p1 = f.Map(control1);
  const Point p2 = f.Map(control2);
  const Point p3 = f.Map(to);
  const double d =
      std::max(Length(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
               Length(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
  const int n = f.Pieces(d, 0.75);
  for (int i = 1; i < n; ++i) {
    const double t = double(i) / n;
    const double u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t,
                 e = t * t * t;
    f.LineTo({a * p0.x + b * p1.x + c * p2.x + e * p3.x,
              a * p0.y + b * p1.y + c * p2.y + e * p3.y});
  }
  f.LineTo(p3);
  return 0;
}

// The first pixel whose centre (index + 0.5) is at or after `position`; the
// clamp keeps the conversion defined for any finite input.
std::int64_t FirstCentreFrom(double position) {
  return std::int64_t(std::clamp(std::ceil(position - 0.5), -0x1p62, 0x1p62));
}

}  // namespace

void AppendOutlineEdges(const FT_Outline& outline,
                        const OutlineTransform& transform, double tolerance,
                        std::vector<Edge>& edges) {
  Flattener flattener{&transform, tolerance, &edges};
  FT_Outline_Funcs funcs{};
  funcs.move_to = MoveTo;
  funcs.line_to = LineTo;
  funcs.conic_to = ConicTo;
  funcs.cubic_to = CubicTo;
  FT_Outline copy = outline;  // decompose takes a non-const outline
  FT_Outline_Decompose(&copy, &funcs, &flattener);
  flattener.Close();
}

CRegion ScanEvenOdd(const std::vector<Edge>& edges, std::int64_t offsetX,
                    std::int64_t offsetY) {
  struct Span {
    std::int64_t first, end;  // rows [first, end)
    const Edge* edge;
  };
  std::vector<Span> spans;
  spans.reserve(edges.size());
  for (const Edge& e : edges) {
    if (!std::isfinite(e.x0) || !std::isfinite(e.y0) || !std::isfinite(e.x1) ||
        !std::isfinite(e.y1))
      continue;
    const std::int64_t first = FirstCentreFrom(std::min(e.y0, e.y1));
    const std::int64_t end = FirstCentreFrom(std::max(e.y0, e.y1));
    if (first < end) spans.push_back({first, end, &e});
  }
  if (spans.empty()) return {};
  std::sort(spans.begin(), spans.end(),
            [](const Span& a, const Span& b) { return a.first < b.first; });
  std::int64_t lastEnd = 0;
  for (const Span& s : spans) lastEnd = std::max(lastEnd, s.end);

  // Only rows that exist in the 32-bit plane, their bottoms included.
  constexpr std::int64_t kLow = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kHigh = std::numeric_limits<std::int32_t>::max();
  const std::int64_t firstRow = std::max(spans.front().first, kLow - offsetY);
  const std::int64_t endRow = std::min(lastEnd, kHigh - offsetY);
  if (firstRow >= endRow) return {};

  using Run = std::pair<std::int32_t, std::int32_t>;
  std::vector<std::vector<Run>> rows(std::size_t(endRow - firstRow));
  std::vector<const Span*> active;
  std::vector<double> crossings;
  std::size_t next = 0;
  for (std::int64_t row = firstRow; row < endRow; ++row) {
    while (next < spans.size() && spans[next].first <= row) {
      if (spans[next].end > row) active.push_back(&spans[next]);
      ++next;
    }
    std::erase_if(active, [row](const Span* s) { return s->end <= row; });
    if (active.empty()) continue;

    const double y = double(row) + 0.5;
    crossings.clear();
    for (const Span* s : active) {
      const Edge& e = *s->edge;
      crossings.push_back(e.x0 + (y - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0));
    }
    std::sort(crossings.begin(), crossings.end());

    std::vector<Run>& runs = rows[std::size_t(row - firstRow)];
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      // Pixel columns whose centres lie in [left crossing, right crossing).
      const std::int64_t left = std::clamp<std::int64_t>(
          FirstCentreFrom(crossings[i]) + offsetX, kLow, kHigh);
      const std::int64_t right = std::clamp<std::int64_t>(
          FirstCentreFrom(crossings[i + 1]) + offsetX, kLow, kHigh);
      if (left >= right) continue;
      if (!runs.empty() && runs.back().second >= left)
        runs.back().second = std::max(runs.back().second, std::int32_t(right));
      else
        runs.emplace_back(std::int32_t(left), std::int32_t(right));
    }
  }
  return CRegion::FromRowRuns(std::int32_t(firstRow + offsetY), rows);
}
