// Records what the polygon scan converter hands to its two callbacks.
#pragma once

#include <cstdint>
#include <tuple>
#include <vector>

#include "pixels/polygon_fill.h"

struct RecordedPlot {
  int row, column, code;
  std::int32_t numerator, denominator;

  // Plots are equal when they fall on the same pixel with the same code and
  // the same coverage fraction, however it is scaled.
  bool operator==(const RecordedPlot& o) const {
    return row == o.row && column == o.column && code == o.code &&
           (denominator == 0) == (o.denominator == 0) &&
           std::int64_t{numerator} * o.denominator ==
               std::int64_t{o.numerator} * denominator;
  }
  bool operator<(const RecordedPlot& o) const {
    return std::tie(row, column, code) < std::tie(o.row, o.column, o.code);
  }
};

struct RecordedSpan {
  int row, left, right;
  bool operator==(const RecordedSpan& o) const {
    return row == o.row && left == o.left && right == o.right;
  }
  bool operator<(const RecordedSpan& o) const {
    return std::tie(row, left, right) < std::tie(o.row, o.left, o.right);
  }
};

struct ScanRecorder {
  std::vector<RecordedPlot> plots;
  std::vector<RecordedSpan> spans;

  static void OnEdge(CCanvas&, std::int32_t column, std::int32_t row, int code,
                     std::int32_t numerator, std::int32_t denominator,
                     void* self) {
    static_cast<ScanRecorder*>(self)->plots.push_back(
        {row, column, code, numerator, denominator});
  }
  static void OnSpan(CCanvas&, std::int32_t left, std::int32_t right,
                     std::int32_t row, void* self) {
    static_cast<ScanRecorder*>(self)->spans.push_back({row, left, right});
  }
  void Scan(CCanvas& canvas, const std::vector<Point2D>& points) {
    ScanPolygon(canvas, points.data(), int(points.size()), OnEdge, OnSpan,
                this);
  }
  std::vector<int> SpanRows() const {
    std::vector<int> rows;
    for (const RecordedSpan& s : spans) rows.push_back(s.row);
    return rows;
  }
};
