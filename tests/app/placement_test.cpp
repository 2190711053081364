#include "app/placement.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "support/rect_compare.h"

namespace {
const std::vector<MonitorArea> kTwoMonitors = {
    {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}},
    {{1920, 0, 3200, 1024}, {1920, 0, 3200, 1024}},
};
}  // namespace

TEST(Placement, SavedSizeIsSquaredWithItsLargerSide) {
  EXPECT_EQ(SavedWindowRect(0, 0, 128, 128), (RECT{0, 0, 128, 128}));
  EXPECT_EQ(SavedWindowRect(10, 20, 200, 150), (RECT{10, 20, 210, 220}));
  EXPECT_EQ(SavedWindowRect(-50, 5, 150, 200), (RECT{-50, 5, 150, 205}));
}

TEST(Placement, BrokenSizesGiveTheMinimumOrMaximumSquare) {
  EXPECT_EQ(SavedWindowRect(0, 0, 0, 0), (RECT{0, 0, 64, 64}));
  EXPECT_EQ(SavedWindowRect(0, 0, -300, 10), (RECT{0, 0, 64, 64}));
  EXPECT_EQ(SavedWindowRect(0, 0, 63, 20), (RECT{0, 0, 64, 64}));
  const RECT huge = SavedWindowRect(INT_MAX, INT_MIN, INT_MAX, 5);
  EXPECT_EQ(huge.right - huge.left, 16384);
  EXPECT_GT(huge.right, huge.left);  // no overflow
}

TEST(Placement, PartlyVisibleWindowStaysWhereItWas) {
  const RECT partly{-100, 500, 28, 628};  // dragged off the left edge
  EXPECT_EQ(KeepOnSomeMonitor(partly, kTwoMonitors), partly);
  const RECT onSecond{3100, 900, 3300, 1100};
  EXPECT_EQ(KeepOnSomeMonitor(onSecond, kTwoMonitors), onSecond);
}

TEST(Placement, LostWindowMovesIntoTheNearestWorkArea) {
  // Its monitor to the right of the second one was removed.
  EXPECT_EQ(KeepOnSomeMonitor({4000, 300, 4128, 428}, kTwoMonitors),
            (RECT{3072, 300, 3200, 428}));
  // Below the first monitor: onto its work area, above the taskbar.
  EXPECT_EQ(KeepOnSomeMonitor({100, 1500, 228, 1628}, kTwoMonitors),
            (RECT{100, 912, 228, 1040}));
  // Larger than the work area: its top-left corner goes to the area's.
  EXPECT_EQ(KeepOnSomeMonitor({-5000, -5000, 0, 0}, kTwoMonitors),
            (RECT{0, 0, 5000, 5000}));
  EXPECT_EQ(KeepOnSomeMonitor({5, 5, 9, 9}, {}), (RECT{5, 5, 9, 9}));
}
