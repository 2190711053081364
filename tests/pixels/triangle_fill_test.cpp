#include "pixels/triangle_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <vector>

#include "pixels/canvas.h"
#include "support/canvas_probe.h"

namespace {
class TriangleFillTest : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas.Resize(40, 30);
    canvas.Clear();
  }
  void Fill(Point2D a, Point2D b, Point2D c, std::uint32_t color = 0xFFFFFFFF) {
    FillTriangle(canvas, a, b, c, color);
  }
  CCanvas canvas;
};
}  // namespace

TEST_F(TriangleFillTest, DrawsFromTheTopRowToTheRowAboveTheBottomVertex) {
  Fill({5, 0}, {20, 5}, {8, 10.0});
  EXPECT_EQ(DrawnRows(canvas), Range(0, 9));
}

TEST_F(TriangleFillTest, DrawsTheBottomRowWhenMiddleAndBottomShareIt) {
  Fill({5, 0}, {20, 10.2}, {8, 10.7});
  EXPECT_EQ(DrawnRows(canvas), Range(0, 10));
}

TEST_F(TriangleFillTest, ThreeVerticesOnOneRowDrawThatRow) {
  Fill({3, 4.2}, {12, 4.5}, {20, 4.9});
  EXPECT_EQ(DrawnRows(canvas), std::vector<int>{4});
}

TEST_F(TriangleFillTest, VertexOrderDoesNotChangeThePixels) {
  const Point2D p[3] = {{5, 2}, {30, 12.5}, {11, 25.3}};
  const int orders[][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2},
                           {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
  std::vector<std::uint32_t> first;  // the pixels of the first order
  for (const auto& o : orders) {
    canvas.Clear();
    Fill(p[o[0]], p[o[1]], p[o[2]]);
    const std::vector<std::uint32_t> drawn(canvas.Pixels(),
                                           canvas.Pixels() + 40 * 30);
    if (first.empty()) first = drawn;
    EXPECT_EQ(drawn, first) << o[0] << o[1] << o[2];
  }
}

TEST_F(TriangleFillTest, ClipsOnAllFourSides) {
  Fill({20, -15}, {-30, 50}, {70, 45});  // covers the canvas and more
  EXPECT_EQ(DrawnRows(canvas), Range(0, 29));
  EXPECT_EQ(DrawnColumns(canvas, 29), std::make_pair(0, 39));

  canvas.Clear();
  Fill({-10, 2}, {6, 2}, {6, 12});  // partly left of the canvas
  const auto cols = DrawnColumns(canvas, 3);
  EXPECT_EQ(cols.first, 0);
  EXPECT_LE(cols.second, 6);

  canvas.Clear();
  Fill({-50, -50}, {-40, -50}, {-45, -20});  // wholly above and left
  Fill({100, 5}, {120, 5}, {110, 20});       // wholly right
  Fill({5, 40}, {20, 40}, {10, 60});         // wholly below
  EXPECT_EQ(CountDrawn(canvas), 0);
}

TEST_F(TriangleFillTest, OneColorAndOneCoveragePerTriangle) {
  std::fill_n(canvas.Pixels(), 40 * 30, 0x80402010u);
  // Alpha 0: only the loss of one.
  Fill({0, 0}, {39, 0}, {0, 29.5}, 0x00FFFFFF);
  EXPECT_EQ(canvas.GetPixel(1, 1), 0x7F3F1F0Fu);
  EXPECT_EQ(canvas.GetPixel(39, 29), 0x80402010u);  // not covered

  canvas.Clear();
  Fill({0, 0}, {39, 0}, {0, 29.5}, 0xFF204080);
  EXPECT_EQ(canvas.GetPixel(1, 1), 0xFE1F3F7Fu);
}

// Edges are compared by slope to tell left from right; with triangles a few
// hundred pixels tall the products leave 32 bits and must not wrap.
TEST_F(TriangleFillTest, LargeTrianglesAreFilledCompletely) {
  canvas.Resize(1024, 1024);
  canvas.Clear();
  Fill({10, 10}, {1000, 900}, {10, 1000});
  const auto row500 = DrawnColumns(canvas, 500);
  EXPECT_LE(row500.first, 10);
  EXPECT_GE(row500.second, 540);
  EXPECT_EQ(DrawnRows(canvas), Range(10, 999));
}

TEST_F(TriangleFillTest, BrokenCoordinatesDrawNothing) {
  canvas.Resize(16, 16);
  canvas.Clear();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Fill({nan, 1}, {10, 2}, {5, 12});
  Fill({1, 1}, {1e12, 2}, {5, 12});
  Fill({1, -1e300}, {10, 2}, {5, 12});
  Fill({1, 1}, {10, 2}, {5, nan});
  EXPECT_EQ(CountDrawn(canvas), 0);

  CCanvas empty;
  FillTriangle(empty, {1, 1}, {10, 2}, {5, 12}, 0xFFFFFFFF);  // touches nothing
}

// The scan hands its callback only rows inside the canvas, though the
// triangle reaches far above and below it.
TEST_F(TriangleFillTest, ScanHandsOverOnlyTheCanvasRows) {
  canvas.Resize(16, 8);
  std::vector<int> rows;
  const Point2D tall[3] = {{2, -20.5}, {14, -3}, {8, 30}};
  ScanTriangle(
      canvas, tall, &rows,
      [](CCanvas&, std::int32_t, std::int32_t, std::int32_t row, void* seen) {
        static_cast<std::vector<int>*>(seen)->push_back(row);
      });
  EXPECT_EQ(rows, Range(0, 7));
}
