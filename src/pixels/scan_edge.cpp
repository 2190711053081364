#include "pixels/scan_edge.h"

#include <cmath>

bool IsDrawableCoordinate(const Point2D& p) {
  return std::fabs(p.x) <= kMaxScanCoordinate &&
         std::fabs(p.y) <= kMaxScanCoordinate;  // false for NaN as well
}

void InitScanEdge(ScanEdge& edge, const Point2D& top, const Point2D& bottom) {
  edge.x0 = Trunc(top.x);
  edge.y0 = Trunc(top.y);
  edge.x1 = Trunc(bottom.x);
  edge.y1 = Trunc(bottom.y);

  const double dx = bottom.x - top.x;
  const double dy = bottom.y - top.y;
  edge.dx256 = Trunc(dx * 256);
  edge.xstep = 1;
  if (edge.dx256 < 0) {
    edge.xstep = -1;
    edge.dx256 = -edge.dx256;
  }
  edge.dy256 = Trunc(dy * 256);

  if (edge.IsShallow()) {
    edge.err = Trunc((1 - top.y + edge.y0) * 256 * edge.xstep * dx);
    edge.run =
        edge.dy256 == 0 ? edge.dx256 : edge.dy256 * (edge.dx256 / edge.dy256);
  } else {
    edge.err = edge.xstep > 0 ? Trunc((1 - top.x + edge.x0) * 256 * dy)
                              : Trunc((top.x - edge.x0) * 256 * dy);
    edge.run = 0;
  }
  edge.x = edge.x0;
}
