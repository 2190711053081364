// Glyph outlines as straight edges in screen space, and their even-odd scan
// conversion into a region.
#pragma once

#include <ft2build.h>
#include FT_OUTLINE_H

#include <cstdint>
#include <vector>

#include "regions/region.h"

struct Edge {
  double x0, y0, x1, y1;
};

// Maps an outline's 26.6 point (gx, gy), y up, to screen space, y down:
// x = xx * gx + xy * gy + dx, y = yx * gx + yy * gy + dy.
struct OutlineTransform {
  double xx, xy, dx;
  double yx, yy, dy;
};

// Appends the outline's closed contours as edges, curves flattened to within
// `tolerance` pixels.
void AppendOutlineEdges(const FT_Outline& outline,
                        const OutlineTransform& transform, double tolerance,
                        std::vector<Edge>& edges);

// The pixels whose centres lie inside the edges under the even-odd rule,
// moved by (offsetX, offsetY); whatever falls outside the 32-bit coordinate
// range is dropped.
CRegion ScanEvenOdd(const std::vector<Edge>& edges, std::int64_t offsetX,
                    std::int64_t offsetY);
