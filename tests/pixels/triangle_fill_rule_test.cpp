// The flat fill against its pixel rule, written out here in closed form:
// where the fill steps each edge row by row with an error accumulator, the
// rule below says directly, for any row, which column an edge has reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>

#include "pixels/canvas.h"
#include "pixels/triangle_fill.h"

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
  return -FloorDiv(-a, b);
}

// An edge from `top` to `bottom` as the rule sees it: columns and rows
// truncated, extents in 1/256 pixel, truncated.
struct RuleEdge {
  RuleEdge(const Point2D& top, const Point2D& bottom) {
    x0 = std::int32_t(top.x);
    x1 = std::int32_t(bottom.x);
    const double dx = bottom.x - top.x, dy = bottom.y - top.y;
    const std::int64_t signedDx = std::int32_t(dx * 256);
    step = signedDx < 0 ? -1 : 1;
    extentX = signedDx < 0 ? -signedDx : signedDx;
    extentY = std::int32_t(dy * 256);
    shallow = extentY < extentX;
    // How far (in 1/256 pixel, scaled by the other extent) the edge runs
    // before its first step: across the rest of its first row when shallow,
    // to the next column boundary in its direction when steep. Written as
    // the same floating-point expressions as the fill's, so that both
    // truncate alike.
    const std::int32_t y0 = std::int32_t(top.y);
    if (shallow)
      lead = std::int32_t((1 - top.y + y0) * 256 * step * dx);
    else
      lead = std::int32_t(step > 0 ? (1 - top.x + x0) * 256 * dy
                                   : (top.x - x0) * 256 * dy);
  }

  // Columns stepped once `rows` rows are done. A shallow edge steps every
  // column it runs through, but never past its end column; a steep edge
  // steps once for each column boundary it has strictly crossed.
  std::int64_t Steps(std::int64_t rows) const {
    if (rows <= 0) return 0;
    const std::int64_t endSteps = x1 > x0 ? x1 - x0 : x0 - x1;
    if (shallow) {
      if (extentY == 0) return endSteps;
      return std::min(FloorDiv(lead + (rows - 1) * extentX, extentY), endSteps);
    }
    const std::int64_t run = rows * extentX;
    return run > lead && extentY > 0 ? CeilDiv(run - lead, extentY) : 0;
  }
  std::int64_t ColumnAfter(std::int64_t rows) const {
    return x0 + step * Steps(rows);
  }
  // Whether a shallow edge's row k takes its stepping branch: it reaches a
  // new column, or it has already stopped at its end column.
  bool Advances(std::int64_t k) const {
    if (extentY == 0) return true;
    return FloorDiv(lead + k * extentX, extentY) > Steps(k);
  }

  // An edge enters row k at ColumnAfter(k) and leaves it at
  // ColumnAfter(k + 1). On the left a steep edge starts the span one column
  // before where it leaves, a shallow one running left where it leaves, and
  // a shallow one running right where it enters, one column further when it
  // steps in that row.
  std::int64_t LeftEnd(std::int64_t k) const {
    const std::int64_t before = ColumnAfter(k), after = ColumnAfter(k + 1);
    if (!shallow) return after - 1;
    if (step < 0) return after;
    return Advances(k) ? before + 1 : before;
  }
  // On the right a steep edge ends the span two columns before where it
  // leaves, a shallow one running left one column before where it leaves,
  // and a shallow one running right where it enters, one column sooner
  // when it does not step in that row.
  std::int64_t RightEnd(std::int64_t k) const {
    const std::int64_t before = ColumnAfter(k), after = ColumnAfter(k + 1);
    if (!shallow) return after - 2;
    if (step < 0) return after - 1;
    return Advances(k) ? before : before - 1;
  }

  std::int32_t x0, x1;
  std::int64_t extentX, extentY, lead;
  int step;
  bool shallow;
};

struct RowSpan {
  std::int64_t first, last;  // empty when last < first
};

// The span of image row y by the rule, before clipping; rows outside
// firstRow..lastRow are not drawn.
class RuleTriangle {
 public:
  // The vertices in order of y.
  RuleTriangle(Point2D top, Point2D middle, Point2D bottom)
      : top(top),
        middle(middle),
        bottom(bottom),
        topRow(std::int32_t(top.y)),
        middleRow(std::int32_t(middle.y)),
        bottomRow(std::int32_t(bottom.y)) {}

  std::int32_t FirstRow() const { return topRow; }
  // The bottom vertex's row is drawn only when the middle vertex shares it.
  std::int32_t LastRow() const {
    return middleRow == bottomRow ? bottomRow : bottomRow - 1;
  }

  RowSpan Span(std::int32_t y) const {
    const RuleEdge upper(top, middle), lower(middle, bottom),
        whole(top, bottom);
    const std::int64_t k = y - topRow;
    if (y < middleRow) {
      // Above the middle vertex the edge of smaller slope (dx / dy) is left.
      const bool upperLeft = upper.step * upper.extentX * whole.extentY <
                             whole.step * whole.extentX * upper.extentY;
      return upperLeft ? RowSpan{upper.LeftEnd(k), whole.RightEnd(k)}
                       : RowSpan{whole.LeftEnd(k), upper.RightEnd(k)};
    }
    // Below it the long edge is left when the column it has reached lies
    // left of the middle vertex's column.
    const std::int64_t kLower = y - middleRow;
    const bool wholeLeft =
        whole.ColumnAfter(middleRow - topRow) < std::int32_t(middle.x);
    return wholeLeft ? RowSpan{whole.LeftEnd(k), lower.RightEnd(kLower)}
                     : RowSpan{lower.LeftEnd(kLower), whole.RightEnd(k)};
  }

 private:
  Point2D top, middle, bottom;
  std::int32_t topRow, middleRow, bottomRow;
};

// Whether every row of the canvas holds exactly the rule's span.
bool DrawnAsTheRuleSays(const CCanvas& canvas, const RuleTriangle& rule) {
  for (int y = 0; y < canvas.Height(); ++y) {
    RowSpan want{0, -1};
    if (y >= rule.FirstRow() && y <= rule.LastRow()) want = rule.Span(y);
    want.first = std::max<std::int64_t>(want.first, 0);
    want.last = std::min<std::int64_t>(want.last, canvas.Width() - 1);
    const std::uint32_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.Width(); ++x)
      if ((row[x] != 0) != (x >= want.first && x <= want.last)) return false;
  }
  return true;
}

// The rule leaves open in which order vertices of equal y are taken (the
// fill has a fixed order of its own): any order sorted by y will do.
bool DrawnAsTheRuleSays(const CCanvas& canvas, const Point2D (&p)[3]) {
  int order[3] = {0, 1, 2};
  do {
    const Point2D& a = p[order[0]];
    const Point2D& b = p[order[1]];
    const Point2D& c = p[order[2]];
    if (a.y <= b.y && b.y <= c.y &&
        DrawnAsTheRuleSays(canvas, RuleTriangle(a, b, c)))
      return true;
  } while (std::next_permutation(order, order + 3));
  return false;
}

// Vertices on a grid of 1/steps pixel, from the raw generator so that
// every platform draws the same triangles. With a power of two for steps
// every product the walk starts from is exact, so x87 and SSE arithmetic
// truncate alike.
Point2D RandomPoint(std::mt19937& random, double originX, double originY,
                    int size, int steps) {
  const auto coordinate = [&](double origin) {
    return origin + double(random() % std::uint32_t(size * steps)) / steps;
  };
  const double x = coordinate(originX);
  return {x, coordinate(originY)};
}

}  // namespace

// Triangles of every size and slope, from a few hundred pixels to slivers,
// many of them reaching over the canvas's edges: the rows, both ends of
// every span and the clipping. On the quarter-pixel grid edges often meet
// row and column boundaries exactly, where the walk's comparisons decide.
TEST(TriangleFillRule, RandomTrianglesCoverExactlyTheRulesPixels) {
  struct Batch {
    int size, canvasWidth, canvasHeight, steps;
  };
  std::mt19937 random(20240611);
  for (const Batch& batch :
       {Batch{300, 320, 240, 1024}, Batch{120, 128, 96, 1024},
        Batch{24, 32, 32, 1024}, Batch{5, 8, 8, 1024}, Batch{24, 32, 32, 4},
        Batch{5, 8, 8, 4}}) {
    CCanvas canvas;
    canvas.Resize(batch.canvasWidth, batch.canvasHeight);
    for (int i = 0; i < 250; ++i) {
      const double ox = double(random() % batch.canvasWidth) - batch.size / 2.0;
      const double oy =
          double(random() % batch.canvasHeight) - batch.size / 2.0;
      Point2D p[3];
      for (Point2D& v : p)
        v = RandomPoint(random, ox, oy, batch.size, batch.steps);
      canvas.Clear();
      FillTriangle(canvas, p[0], p[1], p[2], 0xFFFFFFFF);
      ASSERT_TRUE(DrawnAsTheRuleSays(canvas, p))
          << "size " << batch.size << " triangle (" << p[0].x << ", " << p[0].y
          << ") (" << p[1].x << ", " << p[1].y << ") (" << p[2].x << ", "
          << p[2].y << ")";
    }
  }
}
