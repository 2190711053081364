// Flat translucent triangles: one colour, one coverage per triangle.
#pragma once

#include <cstdint>

#include "pixels/scan_edge.h"

class CCanvas;

// Called for each drawn row with the span's columns (left, right, inclusive,
// not yet clipped) and the row; rows are always inside the canvas.
using SpanCallback = void (*)(CCanvas& canvas, std::int32_t left,
                              std::int32_t right, std::int32_t row,
                              void* context);

void ScanTriangle(CCanvas& canvas, const Point2D vertices[3], void* context,
                  SpanCallback span);

// Span callback of FillTriangle: clips to the canvas and blends the context's
// ARGB colour made opaque, with the colour's own alpha as coverage.
void FillTriangleSpan(CCanvas& canvas, std::int32_t left, std::int32_t right,
                      std::int32_t row, void* context);

// `color` is 0xAARRGGBB; its alpha byte is the coverage.
void FillTriangle(CCanvas& canvas, const Point2D& a, const Point2D& b,
                  const Point2D& c, std::uint32_t color);
