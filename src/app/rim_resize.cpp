#include "app/rim_resize.h"

#include "app/window_geometry.h"

RimEdges EdgesForHitTest(int hitTest) { return HitAreaOf(hitTest).edges; }

int SizingEdgeOfChange(const RECT& before, const RECT& after) {
  const bool wider = (after.right - after.left) != (before.right - before.left);
  const bool taller =
      (after.bottom - after.top) != (before.bottom - before.top);
  // -1, 0, +1: the left or top side moved, none, the right or bottom one.
  const int h = !wider ? 0 : after.left != before.left ? -1 : 1;
  const int v = !taller ? 0 : after.top != before.top ? -1 : 1;
  static constexpr int kEdges[3][3] = {
      {WMSZ_TOPLEFT, WMSZ_LEFT, WMSZ_BOTTOMLEFT},
      {WMSZ_TOP, 0, WMSZ_BOTTOM},
      {WMSZ_TOPRIGHT, WMSZ_RIGHT, WMSZ_BOTTOMRIGHT}};
  return kEdges[h + 1][v + 1];
}

RECT SquaredAfterResize(const RECT& before, const RECT& after) {
  RECT squared = after;
  if (const int edge = SizingEdgeOfChange(before, after))
    OnSizing(edge, squared);
  return squared;
}
