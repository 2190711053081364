// The polygon scan converter's edge pixels with their coverage fractions,
// and rows where more than one pair of edges is active.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "pixels/canvas.h"
#include "pixels/polygon_fill.h"
#include "support/scan_recorder.h"

namespace {

ScanRecorder Sorted(ScanRecorder r) {
  std::sort(r.plots.begin(), r.plots.end());
  std::sort(r.spans.begin(), r.spans.end());
  return r;
}

// Both lists at once, for comparing two scans.
auto Records(const ScanRecorder& r) { return std::tie(r.plots, r.spans); }

class PolygonCoverage : public ::testing::Test {
 protected:
  void SetUp() override { canvas.Resize(100, 40); }

  ScanRecorder Scan(const std::vector<Point2D>& points) {
    ScanRecorder r;
    r.Scan(canvas, points);
    return Sorted(r);
  }

  CCanvas canvas;
};

// `count` plots of one code at consecutive columns from `first` going
// `direction`, their fractions in quarters from `quarter` on by
// `quarterStep`.
void AddRun(std::vector<RecordedPlot>& plots, int row, int first, int direction,
            int count, int code, int quarter, int quarterStep) {
  for (int i = 0; i < count; ++i)
    plots.push_back(
        {row, first + direction * i, code, quarter + quarterStep * i, 4});
}

// Only the records of rows first..last.
ScanRecorder Rows(const ScanRecorder& r, int first, int last) {
  ScanRecorder out;
  for (const RecordedPlot& p : r.plots)
    if (p.row >= first && p.row <= last) out.plots.push_back(p);
  for (const RecordedSpan& s : r.spans)
    if (s.row >= first && s.row <= last) out.spans.push_back(s);
  return Sorted(out);
}

ScanRecorder Merged(ScanRecorder a, const ScanRecorder& b) {
  a.plots.insert(a.plots.end(), b.plots.begin(), b.plots.end());
  a.spans.insert(a.spans.end(), b.spans.begin(), b.spans.end());
  return Sorted(a);
}

}  // namespace

// Both slanted sides run 40 columns over 10 rows from pixel corners: every
// row each side passes exactly four columns, so within a row the coverage of
// successive columns steps by a quarter (the walk's error term goes down by
// dy256 = dx256 / 4 per column). Row r starts with the left side at column
// 4r and the right side at 40 + 4r.
//
// Left side, running right (codes 8, 9): the four columns it enters,
// 4r+1..4r+4, are covered 1/4, 2/4, 3/4, 4/4; then a gradient over the next
// four columns, the ones it will enter in the row below, 1/4..4/4 of the way
// to the interior, stopping at the side's last column 40. The span starts
// after the gradient.
//
// Right side, running right (codes 12, 13): the columns it enters,
// 41+4r..44+4r, are covered 3/4 down to 0; the gradient runs back from its
// start column 40+4r, 0/4 up to 4/4 (five columns, the last fully interior),
// never onto the side's first column 40. The span ends before the gradient.
TEST_F(PolygonCoverage, SidesRunningRightStepByQuarters) {
  ScanRecorder expected;
  for (int row = 0; row < 10; ++row) {
    const int left = 4 * row, right = 40 + 4 * row;
    AddRun(expected.plots, row, left + 1, +1, 4, 8, 1, 1);
    const int pastRun = std::min(4, 40 - (left + 4));
    AddRun(expected.plots, row, left + 5, +1, pastRun, 9, 1, 1);
    const int backFromStart = std::min(5, right - 40);
    AddRun(expected.plots, row, right, -1, backFromStart, 13, 0, 1);
    AddRun(expected.plots, row, right + 1, +1, 4, 12, 3, -1);
    expected.spans.push_back(
        {row, left + 4 + pastRun + 1, right - backFromStart});
  }
  EXPECT_EQ(Records(Scan({{0, 0}, {40, 0}, {80, 10}, {40, 10}})),
            Records(Sorted(expected)));
}

// The mirror image: row r starts with the left side at column 40 - 4r and
// the right side at 80 - 4r.
//
// Left side, running left (codes 10, 11): the columns it enters,
// 39-4r..36-4r, are covered 3/4 down to 0; the gradient runs from its start
// column 40-4r inward, 0/4 up to 3/4 (four columns, stopping short of the
// interior), and never from the side's first column 40.
//
// Right side, running left (codes 14, 15): the columns it enters,
// 79-4r..76-4r, are covered 1/4 up to 4/4; the gradient goes on over the
// next four columns 1/4..4/4, stopping at the side's last column 40.
TEST_F(PolygonCoverage, SidesRunningLeftStepByQuarters) {
  ScanRecorder expected;
  for (int row = 0; row < 10; ++row) {
    const int left = 40 - 4 * row, right = 80 - 4 * row;
    const int backFromStart = row == 0 ? 0 : 4;
    AddRun(expected.plots, row, left, +1, backFromStart, 11, 0, 1);
    AddRun(expected.plots, row, left - 1, -1, 4, 10, 3, -1);
    AddRun(expected.plots, row, right - 1, -1, 4, 14, 1, 1);
    const int pastRun = std::min(4, right - 4 - 40);
    AddRun(expected.plots, row, right - 5, -1, pastRun, 15, 1, 1);
    expected.spans.push_back(
        {row, left + backFromStart, right - 4 - pastRun - 1});
  }
  EXPECT_EQ(Records(Scan({{40, 0}, {80, 0}, {40, 10}, {0, 10}})),
            Records(Sorted(expected)));
}

// Steep sides: 10 columns over 40 rows from pixel corners, so each side
// steps one column every four rows and its error term falls by a quarter of
// dy256 a row. Coverage and gradient fractions follow that quarter cycle.
//
// Running right (codes 0, 1 on the left, 4, 5 on the right), sides from
// (10, 0) and (30, 0): the walk reaches column c = x0 + k / 4 in row k (the
// step comes at the start of rows 4, 8, ...: strictly below the boundary).
// The left side covers its column (3 - k % 4) / 4 and the gradient beside it
// inward takes the same fraction; the span starts two columns in. The right
// side plots its column and the one before with (1 + k % 4) / 4, and the
// span ends two columns short.
//
// Running left (codes 2, 3 and 6, 7), sides from (20, 0) and (40, 0): the
// first step comes at once, so c = x0 - 1 - k / 4. The left side plots its
// column and the next with (1 + k % 4) / 4; the right side its column and
// the one before with (3 - k % 4) / 4.
TEST_F(PolygonCoverage, SteepSidesStepAColumnEveryFourRows) {
  ScanRecorder right, left;
  for (int k = 0; k < 40; ++k) {
    const int down = 3 - k % 4, up = 1 + k % 4;
    // Each side plots two neighbouring columns, left one first.
    const auto pair = [&](ScanRecorder& expected, int column, int code,
                          int nextCode, int quarters) {
      expected.plots.push_back({k, column, code, quarters, 4});
      expected.plots.push_back({k, column + 1, nextCode, quarters, 4});
    };
    int l = 10 + k / 4, r = 30 + k / 4;
    pair(right, l, 0, 1, down);
    pair(right, r - 1, 5, 4, up);
    right.spans.push_back({k, l + 2, r - 2});

    l = 19 - k / 4, r = 39 - k / 4;
    pair(left, l, 2, 3, up);
    pair(left, r - 1, 7, 6, down);
    left.spans.push_back({k, l + 2, r - 2});
  }
  EXPECT_EQ(Records(Scan({{10, 0}, {30, 0}, {40, 40}, {20, 40}})),
            Records(Sorted(right)));
  EXPECT_EQ(Records(Scan({{20, 0}, {40, 0}, {30, 40}, {10, 40}})),
            Records(Sorted(left)));
}

// A V: above the notch's tip two pairs of edges are active in every row.
// Each edge is walked on its own, so those rows must hold exactly what the
// V's two arms give when drawn apart (each arm's outer side ends at the
// notch's row with the same slope: the same walk, scaled), and the rows
// below exactly what the triangle of the two outer sides gives.
TEST_F(PolygonCoverage, TwoActivePairsDrawLikeTheShapesTheySplitInto) {
  const ScanRecorder v =
      Scan({{0, 0}, {10, 0}, {20, 15}, {30, 0}, {40, 0}, {20, 30}});
  const ScanRecorder leftArm = Scan({{0, 0}, {10, 0}, {20, 15}, {10, 15}});
  const ScanRecorder rightArm = Scan({{30, 0}, {40, 0}, {30, 15}, {20, 15}});
  const ScanRecorder outer = Scan({{0, 0}, {40, 0}, {20, 30}});

  const ScanRecorder upper = Rows(v, 0, 14);
  EXPECT_EQ(Records(upper), Records(Merged(leftArm, rightArm)));
  EXPECT_EQ(upper.spans.size(), 2u * 15) << "two spans a row";

  const ScanRecorder lower = Rows(v, 15, 40);
  EXPECT_EQ(Records(lower), Records(Rows(outer, 15, 40)));
  EXPECT_EQ(lower.spans.size(), 15u);
}

// Two bands that cross like an X, as one polygon: (0, 0)-(30, 30) and
// (10, 0)-(40, 30) one way, (30, 0)-(0, 30) and (40, 0)-(10, 30) the other.
// Until they meet the rows are those of the two bands apart; where they
// overlap, even-odd leaves the overlap empty, which needs the pairs formed
// anew from the four edges' order once edges of different pairs cross.
TEST_F(PolygonCoverage, PairsAreFormedAnewWhereTwoBandsCross) {
  const std::vector<Point2D> outline = {{0, 0},  {30, 30}, {40, 30}, {10, 0},
                                        {30, 0}, {0, 30},  {10, 30}, {40, 0}};
  const ScanRecorder x = Scan(outline);
  const ScanRecorder apart =
      Merged(Scan({{0, 0}, {10, 0}, {40, 30}, {30, 30}}),
             Scan({{30, 0}, {40, 0}, {10, 30}, {0, 30}}));
  EXPECT_EQ(Records(Rows(x, 0, 5)), Records(Rows(apart, 0, 5)));
  // Row 12: the bands overlap from about column 18 to 22.
  const ScanRecorder row12 = Rows(x, 12, 12);
  for (const RecordedSpan& s : row12.spans)
    EXPECT_FALSE(s.left <= 20 && 20 <= s.right) << s.left << ".." << s.right;
  for (const RecordedPlot& p : row12.plots) EXPECT_NE(p.column, 20);
  EXPECT_EQ(row12.spans.size(), 2u);
}

// Rows above the canvas are walked but not handed over, and the walk stops
// at the canvas's last row.
TEST_F(PolygonCoverage, HandsOverOnlyTheCanvasRows) {
  const ScanRecorder r = Scan({{10, -5.5}, {30, -5.5}, {34, 60}, {6, 60}});
  ASSERT_FALSE(r.plots.empty());
  EXPECT_EQ(r.plots.front().row, 0);
  EXPECT_EQ(r.plots.back().row, canvas.Height() - 1);
  EXPECT_EQ(r.spans.front().row, 0);
  EXPECT_EQ(r.spans.back().row, canvas.Height() - 1);
  EXPECT_EQ(r.spans.size(), std::size_t(canvas.Height()));
}

// First rows that start part-way down. Sides running two columns a row from
// half-way down row 0 reach their first column boundary exactly at the
// row's end: that column counts as entered in row 0 (left: code 8, fully
// covered; right: code 12, not at all). Sides running four columns a row
// from 7/8 of the way down enter no column in row 0: the left one only
// fades in over the four columns of row 1 (code 9, 1/8 to 7/8, the middles
// of its next run), and the right one ends the span a column before its
// start.
TEST_F(PolygonCoverage, FirstRowsStartingPartWayDown) {
  const auto firstRow = [&](const std::vector<Point2D>& shape) {
    return Rows(Scan(shape), 0, 0);
  };
  const ScanRecorder half =
      firstRow({{0, 0.5}, {40, 0.5}, {60, 10.5}, {20, 10.5}});
  EXPECT_EQ(half.plots, (std::vector<RecordedPlot>{{0, 1, 8, 1, 1},
                                                   {0, 2, 9, 1, 2},
                                                   {0, 3, 9, 1, 1},
                                                   {0, 41, 12, 0, 1}}));
  EXPECT_EQ(half.spans, (std::vector<RecordedSpan>{{0, 4, 40}}));

  const ScanRecorder late =
      firstRow({{0, 0.875}, {40, 0.875}, {80, 10.875}, {40, 10.875}});
  EXPECT_EQ(
      late.plots,
      (std::vector<RecordedPlot>{
          {0, 1, 9, 1, 8}, {0, 2, 9, 3, 8}, {0, 3, 9, 5, 8}, {0, 4, 9, 7, 8}}));
  EXPECT_EQ(late.spans, (std::vector<RecordedSpan>{{0, 5, 39}}));
}

// Bands begin at every vertex row, whatever order the points come in. Two
// sides leaving one vertex sort left and right from its own row on: a
// peak's sides running apart are steep sides running left (codes 2, 3) and
// right (4, 5); sides both running right give the same rows in either
// order. A kite's right side turns at its vertex (35, 10), so that by row
// 19 it is back at x = 35 - 0.75 * 9 = 28.25 instead of going on to its
// first side's end column 35.
TEST_F(PolygonCoverage, BandsStartAtEveryVertexRow) {
  const std::vector<Point2D> apart = {{20, 0}, {35, 30}, {5, 30}};
  const std::vector<Point2D> leaning = {{20, 0}, {40, 30}, {25, 30}};
  for (const auto& peak : {apart, leaning}) {
    const ScanRecorder r = Scan(peak);
    EXPECT_EQ(Records(r),
              Records(Scan(std::vector<Point2D>(peak.rbegin(), peak.rend()))));
    EXPECT_EQ(r.spans.size(), 30u);
  }
  for (const RecordedPlot& p : Rows(Scan(apart), 0, 0).plots)
    EXPECT_TRUE(p.code >= 2 && p.code <= 5) << "code " << p.code;

  const ScanRecorder kite = Scan({{20, 0}, {35, 10}, {20, 30}, {5, 20}});
  EXPECT_EQ(kite.spans.size(), 30u);
  const ScanRecorder row19 = Rows(kite, 19, 19);
  ASSERT_EQ(row19.spans.size(), 1u);
  EXPECT_LE(row19.spans[0].right, 29);
  EXPECT_LE(row19.plots.back().column, 29);
}
