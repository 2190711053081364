// A drag on the rim handed to the window manager: which sides move, and the
// rectangle squared after the manager sized it.
#include "app/rim_resize.h"

#include <gtest/gtest.h>

#include "app/window_geometry.h"
#include "support/rect_compare.h"

TEST(RimResize, EveryRimSectorMovesItsOwnSides) {
  const struct {
    int hit;
    bool left, top, right, bottom;
  } cases[] = {
      {HTLEFT, true, false, false, false},
      {HTRIGHT, false, false, true, false},
      {HTTOP, false, true, false, false},
      {HTBOTTOM, false, false, false, true},
      {HTTOPLEFT, true, true, false, false},
      {HTTOPRIGHT, false, true, true, false},
      {HTBOTTOMLEFT, true, false, false, true},
      {HTBOTTOMRIGHT, false, false, true, true},
  };
  for (const auto& c : cases) {
    const RimEdges e = EdgesForHitTest(c.hit);
    EXPECT_EQ(e.left, c.left) << c.hit;
    EXPECT_EQ(e.top, c.top) << c.hit;
    EXPECT_EQ(e.right, c.right) << c.hit;
    EXPECT_EQ(e.bottom, c.bottom) << c.hit;
  }
  EXPECT_FALSE(EdgesForHitTest(HTCAPTION).Any());
  EXPECT_FALSE(EdgesForHitTest(HTCLIENT).Any());
  EXPECT_FALSE(EdgesForHitTest(12345).Any());
}

TEST(RimResize, EachRimAreasSizingEdgeIsTheOneItsSidesMake) {
  // The table's edges and its WMSZ_ edge say the same: a drag that moves
  // the area's sides outward is read back as that sizing edge.
  for (int hit = HTLEFT; hit <= HTBOTTOMRIGHT; ++hit) {
    const HitArea& area = HitAreaOf(hit);
    const RECT before{100, 100, 300, 300};
    RECT after = before;
    if (area.edges.left) after.left -= 20;
    if (area.edges.top) after.top -= 20;
    if (area.edges.right) after.right += 20;
    if (area.edges.bottom) after.bottom += 20;
    EXPECT_EQ(SizingEdgeOfChange(before, after), area.sizingEdge) << hit;
    EXPECT_NE(area.pointer, PointerShape::kUnchanged) << hit;
  }
  EXPECT_EQ(HitAreaOf(12345).pointer, PointerShape::kUnchanged);
}

TEST(RimResize, TheDraggedEdgeIsTheSideThatMovedWithAChangeOfSize) {
  const RECT before{100, 100, 300, 300};
  EXPECT_EQ(SizingEdgeOfChange(before, {100, 100, 340, 300}), WMSZ_RIGHT);
  EXPECT_EQ(SizingEdgeOfChange(before, {60, 100, 300, 300}), WMSZ_LEFT);
  EXPECT_EQ(SizingEdgeOfChange(before, {100, 80, 300, 300}), WMSZ_TOP);
  EXPECT_EQ(SizingEdgeOfChange(before, {100, 100, 300, 290}), WMSZ_BOTTOM);
  EXPECT_EQ(SizingEdgeOfChange(before, {90, 90, 300, 300}), WMSZ_TOPLEFT);
  EXPECT_EQ(SizingEdgeOfChange(before, {100, 90, 310, 300}), WMSZ_TOPRIGHT);
  EXPECT_EQ(SizingEdgeOfChange(before, {90, 100, 300, 320}), WMSZ_BOTTOMLEFT);
  EXPECT_EQ(SizingEdgeOfChange(before, {100, 100, 320, 330}), WMSZ_BOTTOMRIGHT);
  // A move changes no size: no edge, however far it went.
  EXPECT_EQ(SizingEdgeOfChange(before, {150, 40, 350, 240}), 0);
  EXPECT_EQ(SizingEdgeOfChange(before, before), 0);
}

TEST(RimResize, TheManagersRectangleIsSquaredAroundTheFixedSides) {
  const RECT before{100, 100, 300, 300};
  // Corner: the larger side wins, the opposite corner stays.
  EXPECT_EQ(SquaredAfterResize(before, {100, 100, 320, 360}),
            (RECT{100, 100, 360, 360}));
  EXPECT_EQ(SquaredAfterResize(before, {40, 60, 300, 300}),
            (RECT{40, 40, 300, 300}));
  // Side: the other direction follows, centred.
  EXPECT_EQ(SquaredAfterResize(before, {100, 100, 340, 300}),
            (RECT{100, 80, 340, 320}));
  // Never below the minimum side, the fixed corner kept.
  EXPECT_EQ(SquaredAfterResize(before, {100, 100, 110, 120}),
            (RECT{100, 100, 100 + kMinimumSide, 100 + kMinimumSide}));
  // A move is the manager's business alone.
  EXPECT_EQ(SquaredAfterResize(before, {0, 0, 200, 200}),
            (RECT{0, 0, 200, 200}));
}
