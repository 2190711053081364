#include "pixels/polygon_fill.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "pixels/canvas.h"
#include "support/canvas_probe.h"
#include "support/scan_recorder.h"

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00;
constexpr std::uint32_t kClearBlue = 0x000000FF;

// Which of the two edge colours a pixel leans to: A (red), B (green) or
// neither.
char Leaning(std::uint32_t p) {
  const std::uint32_t red = (p >> 16) & 0xFF, green = (p >> 8) & 0xFF;
  return red > green ? 'A' : green > red ? 'B' : '-';
}

class PolygonFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.Resize(80, 40);
    canvas.Clear();
  }
  // Edge colours A red and B green.
  void Fill(const std::vector<Point2D>& p, std::uint32_t interior) {
    FillPolygon(canvas, p.data(), int(p.size()), kRed, kGreen, interior);
  }
  // The colours of the first and last drawn pixel of row y.
  std::string EdgeColors(int y) {
    const auto [first, last] = DrawnColumns(canvas, y);
    return {Leaning(canvas.GetPixel(first, y)),
            Leaning(canvas.GetPixel(last, y))};
  }
  CCanvas canvas;
};

}  // namespace

TEST_F(PolygonFillTest, PointsOnOneRowDrawNothing) {
  Fill({{2, 3.1}, {10, 3.5}, {10, 3.9}, {2, 3.2}}, 0xFFFFFFFF);
  Fill({{2, 3}, {10, 3}}, 0xFFFFFFFF);
  EXPECT_EQ(CountDrawn(canvas), 0);
}

TEST_F(PolygonFillTest, RectangleHasTwoEdgePixelsPerSideAndNoBottomRow) {
  ScanRecorder r;
  r.Scan(canvas, {{5, 5}, {15, 5}, {15, 12}, {5, 12}});
  EXPECT_EQ(r.SpanRows(), Range(5, 11));
  for (const RecordedSpan& s : r.spans) {
    EXPECT_EQ(s.left, 7) << "row " << s.row;
    EXPECT_EQ(s.right, 13) << "row " << s.row;
  }
  std::map<int, std::vector<RecordedPlot>> byRow;
  for (const RecordedPlot& p : r.plots) byRow[p.row].push_back(p);
  ASSERT_EQ(byRow.size(), 7u);
  for (const auto& [row, plots] : byRow) {
    // Steep left edge: own column (even code) and the next one inward (odd);
    // steep right edge likewise, toward the left. Both sides lie on column
    // boundaries: column 5 is wholly inside (coverage 1) and the gradient
    // beside it is already the interior (fraction 1); column 15 is wholly
    // outside (coverage 0), so the edge colour shows in column 14 (fraction
    // 0).
    const std::vector<RecordedPlot> expected = {{row, 5, 0, 1, 1},
                                                {row, 6, 1, 1, 1},
                                                {row, 14, 5, 0, 1},
                                                {row, 15, 4, 0, 1}};
    EXPECT_EQ(plots, expected) << "row " << row;
  }
}

TEST_F(PolygonFillTest, EdgeColorFollowsTheDirectionTheEdgeFaces) {
  // Steep sides: the left one in colour A, the right one in B, in either
  // drawing direction.
  const std::vector<Point2D> clockwise = {{10, 2}, {30, 2}, {34, 30}, {6, 30}};
  const std::vector<Point2D> counter(clockwise.rbegin(), clockwise.rend());
  for (const auto* shape : {&clockwise, &counter}) {
    canvas.Clear();
    Fill(*shape, kClearBlue);
    for (int y = 3; y < 29; ++y) EXPECT_EQ(EdgeColors(y), "AB") << y;
  }
  // Shallow sides sloping down to the right: B on the left edge, A on the
  // right edge.
  canvas.Clear();
  Fill({{2, 2}, {40, 2}, {68, 8}, {30, 8}}, kClearBlue);
  for (int y = 3; y < 7; ++y) EXPECT_EQ(EdgeColors(y), "BA") << y;
}

TEST_F(PolygonFillTest, TransparentInteriorLeavesOnlyTheEdges) {
  Fill({{5, 5}, {15, 5}, {15, 12}, {5, 12}}, kClearBlue);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 80; ++x)
      if (canvas.GetPixel(x, y) != 0) {
        EXPECT_TRUE((x >= 5 && x <= 6) || (x >= 14 && x <= 15))
            << x << "," << y;
        EXPECT_TRUE(y >= 5 && y <= 11) << x << "," << y;
      }
  EXPECT_EQ(canvas.GetPixel(5, 8), 0xFEFE0000u);  // full-coverage left pixel
}

TEST_F(PolygonFillTest, BowTieIsFilledEvenOddAndReSortedWhereEdgesCross) {
  ScanRecorder r;
  r.Scan(canvas, {{0, 0}, {20, 0}, {0, 20}, {20, 20}});
  std::map<int, RecordedSpan> byRow;
  for (const RecordedSpan& s : r.spans) byRow[s.row] = s;
  EXPECT_EQ(byRow.begin()->first, 0);
  EXPECT_EQ(byRow.rbegin()->first, 19);
  // Below the crossing the edges swap sides; without re-sorting the spans
  // there would run backwards and draw nothing.
  for (int y : {3, 6, 14, 17}) {
    ASSERT_TRUE(byRow.count(y)) << y;
    const RecordedSpan& s = byRow[y];
    const int half = std::abs(10 - y);
    // Inside the shape, less the two edge pixels on either side.
    EXPECT_GE(s.left, 10 - half) << y;
    EXPECT_LE(s.right, 10 + half) << y;
    EXPECT_GE(s.right - s.left, 2 * half - 6) << y;
  }
}

TEST_F(PolygonFillTest, StopsAtTheCanvasBottomAndSkipsRowsAbove) {
  Fill({{2, -20}, {10, -20}, {10, 100}, {2, 100}}, 0xFFFFFFFF);
  EXPECT_EQ(DrawnRows(canvas), Range(0, 39));
}

TEST_F(PolygonFillTest, ManyPointsAreFilledAsOneShape) {
  std::vector<Point2D> ring;
  for (int i = 0; i < 20; ++i) {
    const double t = i * 2 * 3.14159265358979 / 20;
    ring.push_back({40 + 15 * std::cos(t), 20 + 15 * std::sin(t)});
  }
  Fill(ring, 0xFF0000FF);
  EXPECT_EQ(canvas.GetPixel(40, 20), 0xFE0000FEu);  // interior, opaque blue
  const auto rows = DrawnRows(canvas);
  EXPECT_EQ(rows.front(), 5);
  EXPECT_EQ(rows.back(), 34);
}

TEST_F(PolygonFillTest, BadInputDrawsNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Fill({{2, 2}}, 0xFFFFFFFF);
  Fill({{2, 2}, {nan, 9}, {9, 9}}, 0xFFFFFFFF);
  Fill({{nan, 2}, {9, 9}, {2, 9}}, 0xFFFFFFFF);
  Fill({{2, 2}, {9, 9}, {-1e30, 9}}, 0xFFFFFFFF);
  FillPolygon(canvas, nullptr, 4, kRed, kGreen, 0xFFFFFFFF);
  EXPECT_EQ(CountDrawn(canvas), 0);
  // Two points are a polygon too: its two edges lie on one another, so only
  // their edge pixels show.
  Fill({{2, 2}, {9, 30}}, 0xFFFFFFFF);
  EXPECT_EQ(DrawnRows(canvas), Range(2, 29));
}

TEST_F(PolygonFillTest, EdgeCoverageOutsideItsRangeIsClamped) {
  PolygonColors colors{0xFFFFFFFF, 0xFFFFFFFF, 0};
  PlotEdgePixel(canvas, 1, 1, 0, 900, 100, &colors);  // more than full
  PlotEdgePixel(canvas, 2, 1, 0, -50, 100, &colors);  // less than none
  PlotEdgePixel(canvas, 3, 1, 0, 5, 0, &colors);      // no denominator
  PlotEdgePixel(canvas, 80, 1, 0, 5, 5, &colors);     // outside the canvas
  EXPECT_EQ(canvas.GetPixel(1, 1), 0xFEFEFEFEu);
  EXPECT_EQ(canvas.GetPixel(2, 1), 0u);
  EXPECT_EQ(canvas.GetPixel(3, 1), 0xFEFEFEFEu);
}
