#include "app/dpi_change.h"

#include <gtest/gtest.h>

#include <climits>

#include "support/rect_compare.h"

TEST(DpiChange, TheSuggestionIsKeptSquareWithItsLargerSide) {
  EXPECT_EQ(RectForDpiChange({100, 50, 350, 300}), (RECT{100, 50, 350, 300}));
  // Scaling rounded the two sides apart.
  EXPECT_EQ(RectForDpiChange({100, 50, 351, 300}), (RECT{100, 50, 351, 301}));
  EXPECT_EQ(RectForDpiChange({-40, -30, 160, 171}), (RECT{-40, -30, 161, 171}));
}

TEST(DpiChange, BrokenSuggestionsGiveAUsableWindow) {
  EXPECT_EQ(RectForDpiChange({10, 20, 40, 30}), (RECT{10, 20, 74, 84}))
      << "at least the smallest side";
  EXPECT_EQ(RectForDpiChange({10, 20, 0, 0}), (RECT{10, 20, 74, 84}))
      << "inverted";
  const RECT huge = RectForDpiChange({INT_MIN, INT_MIN, INT_MAX, INT_MAX});
  EXPECT_EQ(huge.right - huge.left, 16384);
  EXPECT_EQ(huge.bottom - huge.top, 16384);
}
