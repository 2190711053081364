#include "globe/globe_table_bands.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {
std::vector<std::pair<int, int>> ClaimAll(CGlobeTableBands& bands) {
  std::vector<std::pair<int, int>> claimed;
  std::int32_t first = -1, last = -1;
  while (bands.Claim(first, last)) claimed.emplace_back(first, last);
  return claimed;
}

using Claims = std::vector<std::pair<int, int>>;
}  // namespace

TEST(CGlobeTableBands, RowsAreClaimedInOrderInBandsOfTheGivenHeight) {
  CGlobeTableBands bands;
  ASSERT_TRUE(bands.Reset(10, 3, 4));
  EXPECT_EQ(bands.BandCount(), 3);
  EXPECT_EQ(ClaimAll(bands), (Claims{{0, 4}, {4, 8}, {8, 10}}));

  ASSERT_TRUE(bands.Reset(8, 3, 4));  // a whole number of bands
  EXPECT_EQ(ClaimAll(bands), (Claims{{0, 4}, {4, 8}}));

  ASSERT_TRUE(bands.Reset(1, 1, 16));
  EXPECT_EQ(ClaimAll(bands), (Claims{{0, 1}}));

  // No rows is no bands; a band is at least a row high.
  ASSERT_TRUE(bands.Reset(-3, 5, 4));
  EXPECT_EQ(bands.BandCount(), 0);
  EXPECT_TRUE(ClaimAll(bands).empty());
  ASSERT_TRUE(bands.Reset(3, 5, 0));
  EXPECT_EQ(ClaimAll(bands), (Claims{{0, 1}, {1, 2}, {2, 3}}));
}

// Rows finish in any order across bands; only the unbroken stretch from the
// start is published, and exactly one call reports the table complete.
TEST(CGlobeTableBands, OnlyTheUnbrokenStretchFromTheStartIsPublished) {
  CGlobeTableBands bands;
  ASSERT_TRUE(bands.Reset(6, 2, 2));  // bands: rows 0-1, 2-3, 4-5
  ASSERT_EQ(ClaimAll(bands).size(), 3u);
  EXPECT_FALSE(bands.FinishRow(2));
  EXPECT_FALSE(bands.FinishRow(4));
  EXPECT_FALSE(bands.FinishRow(5));
  EXPECT_EQ(bands.Filled(), 0u);
  EXPECT_FALSE(bands.FinishRow(0));
  EXPECT_EQ(bands.Filled(), 1u * 2);
  EXPECT_FALSE(bands.FinishRow(1));
  EXPECT_EQ(bands.Filled(), 3u * 2);  // band 1's first row was done already
  EXPECT_TRUE(bands.FinishRow(3));
  EXPECT_EQ(bands.Filled(), 6u * 2);
  EXPECT_FALSE(bands.FinishRow(5)) << "the completion is reported once";

  // Reset starts over: nothing of an earlier table counts as finished,
  // even where its bookkeeping's memory is handed out again.
  ASSERT_TRUE(bands.Reset(64, 1, 1));
  ClaimAll(bands);
  for (std::int32_t row = 63; row >= 0; --row) bands.FinishRow(row);
  ASSERT_EQ(bands.Filled(), 64u);
  ASSERT_TRUE(bands.Reset(64, 1, 1));
  ASSERT_TRUE(bands.Reset(64, 1, 1));
  EXPECT_EQ(bands.Filled(), 0u);
  EXPECT_EQ(ClaimAll(bands).front(), std::make_pair(0, 1));
  EXPECT_FALSE(bands.FinishRow(0));
  EXPECT_FALSE(bands.FinishRow(1));
  EXPECT_EQ(bands.Filled(), 2u);

  // Rows without entries publish nothing and divide by nothing.
  ASSERT_TRUE(bands.Reset(4, 0, 2));
  for (std::int32_t row = 0; row < 4; ++row) bands.FinishRow(row);
  EXPECT_EQ(bands.Filled(), 0u);
}
