#include "app/window_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/rect_compare.h"

namespace {
// A point at normalised radius r and angle (degrees, 0 = right, positive =
// below) from the centre of a 200 x 200 window at (100, 50).
int HitAt(double r, double degrees) {
  const RECT window{100, 50, 300, 250};
  const double a = degrees * 3.14159265358979323846 / 180;
  return HitTest(window, 200 + int(std::lround(r * 100 * std::cos(a))),
                 150 + int(std::lround(r * 100 * std::sin(a))));
}

RECT Sized(int edge, RECT r) {
  EXPECT_TRUE(OnSizing(edge, r));
  return r;
}
}  // namespace

TEST(HitTest, CentreMovesRingIsClientRimSizes) {
  EXPECT_EQ(HitAt(0, 0), HTCAPTION);
  EXPECT_EQ(HitAt(0.19, 123), HTCAPTION);
  EXPECT_EQ(HitAt(0.21, 0), HTCLIENT);
  EXPECT_EQ(HitAt(0.5, 200), HTCLIENT);
  EXPECT_EQ(HitAt(0.79, 300), HTCLIENT);
  EXPECT_EQ(HitAt(0.9, 0), HTRIGHT);
  EXPECT_EQ(HitAt(0.9, 45), HTBOTTOMRIGHT);
  // The corner of the square outside the inscribed circle is rim too.
  EXPECT_EQ(HitTest(RECT{100, 50, 300, 250}, 101, 51), HTTOPLEFT);
}

TEST(HitTest, RimIsCutIntoEightSectorsCentredOnSidesAndCorners) {
  struct {
    double degrees;
    int code;
  } const sectors[] = {
      {0, HTRIGHT},        {21, HTRIGHT},       {24, HTBOTTOMRIGHT},
      {66, HTBOTTOMRIGHT}, {69, HTBOTTOM},      {111, HTBOTTOM},
      {114, HTBOTTOMLEFT}, {156, HTBOTTOMLEFT}, {159, HTLEFT},
      {180, HTLEFT},       {-159, HTLEFT},      {-156, HTTOPLEFT},
      {-114, HTTOPLEFT},   {-111, HTTOP},       {-69, HTTOP},
      {-66, HTTOPRIGHT},   {-24, HTTOPRIGHT},   {-21, HTRIGHT},
  };
  for (const auto& s : sectors)
    EXPECT_EQ(HitAt(0.95, s.degrees), s.code) << s.degrees << " degrees";
}

TEST(HitTest, DegenerateWindowIsAllCentre) {
  EXPECT_EQ(HitTest(RECT{10, 10, 11, 11}, 10, 10), HTCAPTION);
  EXPECT_EQ(HitTest(RECT{10, 10, 10, 10}, 500, -3), HTCAPTION);
}

TEST(OnSizing, SidesKeepTheWindowSquareAndCentred) {
  // The right edge of a 200 x 200 window dragged to 260: 30 up and 30 down.
  EXPECT_EQ(Sized(WMSZ_RIGHT, {0, 0, 260, 200}), (RECT{0, -30, 260, 230}));
  // To 251: half of 51 truncates to 25, one pixel short of square.
  EXPECT_EQ(Sized(WMSZ_RIGHT, {0, 0, 251, 200}), (RECT{0, -25, 251, 225}));
  EXPECT_EQ(Sized(WMSZ_LEFT, {-40, 0, 200, 200}), (RECT{-40, -20, 200, 220}));
  EXPECT_EQ(Sized(WMSZ_BOTTOM, {0, 0, 200, 220}), (RECT{-10, 0, 210, 220}));
  EXPECT_EQ(Sized(WMSZ_TOP, {0, -20, 200, 200}), (RECT{-10, -20, 210, 200}));
}

TEST(OnSizing, CornersTakeTheLargerSideAndKeepTheOppositeCorner) {
  EXPECT_EQ(Sized(WMSZ_BOTTOMRIGHT, {0, 0, 300, 240}), (RECT{0, 0, 300, 300}));
  EXPECT_EQ(Sized(WMSZ_BOTTOMRIGHT, {0, 0, 240, 300}), (RECT{0, 0, 300, 300}));
  EXPECT_EQ(Sized(WMSZ_TOPLEFT, {0, 0, 300, 240}), (RECT{0, -60, 300, 240}));
  EXPECT_EQ(Sized(WMSZ_TOPLEFT, {0, 0, 240, 300}), (RECT{-60, 0, 240, 300}));
  EXPECT_EQ(Sized(WMSZ_TOPRIGHT, {0, 0, 240, 300}), (RECT{0, 0, 300, 300}));
  EXPECT_EQ(Sized(WMSZ_TOPRIGHT, {0, 0, 300, 240}), (RECT{0, -60, 300, 240}));
  EXPECT_EQ(Sized(WMSZ_BOTTOMLEFT, {0, 0, 240, 300}), (RECT{-60, 0, 240, 300}));
  EXPECT_EQ(Sized(WMSZ_BOTTOMLEFT, {0, 0, 300, 240}), (RECT{0, 0, 300, 300}));
}

TEST(OnSizing, NothingGoesBelowTheMinimumSide) {
  // A 100 x 100 window whose dragged edges move 90 pixels inward.
  for (int edge = WMSZ_LEFT; edge <= WMSZ_BOTTOMRIGHT; ++edge) {
    RECT r{100, 100, 200, 200};
    if (edge == WMSZ_LEFT || edge == WMSZ_TOPLEFT || edge == WMSZ_BOTTOMLEFT)
      r.left += 90;
    if (edge == WMSZ_RIGHT || edge == WMSZ_TOPRIGHT || edge == WMSZ_BOTTOMRIGHT)
      r.right -= 90;
    if (edge == WMSZ_TOP || edge == WMSZ_TOPLEFT || edge == WMSZ_TOPRIGHT)
      r.top += 90;
    if (edge == WMSZ_BOTTOM || edge == WMSZ_BOTTOMLEFT ||
        edge == WMSZ_BOTTOMRIGHT)
      r.bottom -= 90;
    r = Sized(edge, r);
    EXPECT_EQ(r.right - r.left, 64) << "edge " << edge;
    EXPECT_EQ(r.bottom - r.top, 64) << "edge " << edge;
  }
  // The corner being dragged moves; the opposite one stays.
  EXPECT_EQ(Sized(WMSZ_TOPLEFT, {190, 190, 200, 200}),
            (RECT{136, 136, 200, 200}));
  EXPECT_EQ(Sized(WMSZ_BOTTOMRIGHT, {100, 100, 110, 105}),
            (RECT{100, 100, 164, 164}));
}

TEST(WindowGeometry, CursorsAndSysCommandsFollowTheHitCode) {
  EXPECT_EQ(CursorForHitTest(HTCLIENT), 32512);
  EXPECT_EQ(CursorForHitTest(HTCAPTION), 32646);
  EXPECT_EQ(CursorForHitTest(HTTOPLEFT), CursorForHitTest(HTBOTTOMRIGHT));
  EXPECT_EQ(CursorForHitTest(HTTOPRIGHT), CursorForHitTest(HTBOTTOMLEFT));
  EXPECT_NE(CursorForHitTest(HTTOPLEFT), CursorForHitTest(HTTOPRIGHT));
  EXPECT_EQ(CursorForHitTest(0), 0);
  EXPECT_EQ(SysCommandForHitTest(HTCAPTION), 0xF012u);
  EXPECT_EQ(SysCommandForHitTest(HTBOTTOMRIGHT), 0xF008u);
  EXPECT_EQ(SysCommandForHitTest(HTLEFT), 0xF001u);
  EXPECT_EQ(SysCommandForHitTest(HTCLIENT), 0u);
}
