// Anti-aliased polygon fill: a translucent interior with edge pixels drawn in
// one of two colours chosen by the direction the edge faces.
#pragma once

#include <cstdint>

#include "pixels/triangle_fill.h"

struct PolygonColors {
  std::uint32_t edgeA;
  std::uint32_t edgeB;
  std::uint32_t interior;
};

// Called for each edge pixel of a drawn row: its column (not yet clipped), the
// row, a case code 0..15 and the coverage fraction numerator / denominator.
using EdgeCallback = void (*)(CCanvas& canvas, std::int32_t column,
                              std::int32_t row, int code,
                              std::int32_t numerator, std::int32_t denominator,
                              void* context);

// Even-odd scan conversion of a closed polygon of `count` points (at least 2;
// fewer draws nothing).
void ScanPolygon(CCanvas& canvas, const Point2D* points, int count,
                 EdgeCallback edge, SpanCallback span, void* context);

// Which edge colour a case code uses: A (true) or B (false).
bool UsesEdgeColorA(int code);

void PlotEdgePixel(CCanvas& canvas, std::int32_t column, std::int32_t row,
                   int code, std::int32_t numerator, std::int32_t denominator,
                   void* context);
void FillPolygonSpan(CCanvas& canvas, std::int32_t left, std::int32_t right,
                     std::int32_t row, void* context);

void FillPolygon(CCanvas& canvas, const Point2D* points, int count,
                 std::uint32_t edgeA, std::uint32_t edgeB,
                 std::uint32_t interior);
