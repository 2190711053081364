// Integer edge walking shared by the triangle and the polygon scan converters.
#pragma once

#include <cstdint>

// A vertex in image coordinates (x right, y down).
struct Point2D {
  double x;
  double y;
};

// One edge being walked row by row. The walk keeps its column `x`; the row is
// kept by the scan converter, which computes pixel addresses only after
// clipping.
struct ScanEdge {
  std::int32_t x0, y0;  // top vertex, truncated
  std::int32_t x1, y1;  // bottom vertex, truncated
  std::int32_t dx256;   // |horizontal extent| * 256, truncated
  std::int32_t dy256;   // vertical extent * 256, truncated
  std::int32_t err;     // error accumulator of the integer line walk
  std::int32_t xstep;   // +1 when the edge runs right going down, else -1
  std::int32_t run;     // shallow edges: dy256 * (dx256 / dy256), or dx256
  std::int32_t x;       // the column the walk is at

  bool IsShallow() const { return dy256 < dx256; }
};

// Coordinates further than this from the origin are not drawn: they could
// only come from broken input, and the fixed-point walk is exact well inside
// 32 bits up to here.
constexpr double kMaxScanCoordinate = 1 << 20;
bool IsDrawableCoordinate(const Point2D& p);

// Truncation toward zero, as every float-to-integer conversion of the
// drawing code; the caller keeps the value inside the 32-bit range.
inline std::int32_t Trunc(double v) { return static_cast<std::int32_t>(v); }

void InitScanEdge(ScanEdge& edge, const Point2D& top, const Point2D& bottom);
