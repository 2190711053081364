#include "regions/region.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "support/rect_compare.h"

namespace {
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

using Rects = std::vector<RECT>;

// Non-empty rectangles in bands sorted by top, one height per band, spans in
// order with gaps between them, bands apart or touching, and no two touching
// bands with the same spans.
::testing::AssertionResult IsCanonical(const CRegion& region) {
  auto fail = [&](const char* what) {
    return ::testing::AssertionFailure()
           << what << " in " << ::testing::PrintToString(region.Rects());
  };
  std::vector<Rects> bands;
  for (const RECT& r : region.Rects()) {
    if (r.left >= r.right || r.top >= r.bottom) return fail("an empty rect");
    if (bands.empty() || r.top != bands.back()[0].top) {
      bands.push_back({r});
      continue;
    }
    const RECT& p = bands.back().back();
    if (r.bottom != p.bottom) return fail("a ragged band");
    if (r.left <= p.right) return fail("touching or unsorted spans");
    bands.back().push_back(r);
  }
  auto sameSpan = [](const RECT& a, const RECT& b) {
    return a.left == b.left && a.right == b.right;
  };
  for (std::size_t i = 1; i < bands.size(); ++i) {
    const Rects &above = bands[i - 1], &band = bands[i];
    if (band[0].top < above[0].bottom) return fail("overlapping bands");
    if (band[0].top == above[0].bottom &&
        std::equal(band.begin(), band.end(), above.begin(), above.end(),
                   sameSpan))
      return fail("uncoalesced bands");
  }
  return ::testing::AssertionSuccess();
}

// The brute-force model: a pixel predicate, evaluated over a box that holds
// every region the random test makes.
constexpr int kBoxMin = -24, kBoxMax = 40;

bool InAny(const Rects& rects, int x, int y) {
  for (const RECT& r : rects)
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return true;
  return false;
}

// Membership, bounds, and the area (which catches pixels beyond the box).
template <class Model>
::testing::AssertionResult Matches(const CRegion& region, Model inside) {
  std::int64_t count = 0;
  RECT bounds{kBoxMax, kBoxMax, kBoxMin, kBoxMin};
  for (int y = kBoxMin; y < kBoxMax; ++y)
    for (int x = kBoxMin; x < kBoxMax; ++x) {
      const bool in = inside(x, y);
      if (region.Contains(x, y) != in)
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") differs in "
               << ::testing::PrintToString(region.Rects());
      if (!in) continue;
      ++count;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y),
                std::max<LONG>(bounds.right, x + 1),
                std::max<LONG>(bounds.bottom, y + 1)};
    }
  if (count == 0) bounds = {0, 0, 0, 0};
  if (region.Area() != count || !(region.Bounds() == bounds))
    return ::testing::AssertionFailure()
           << "area " << region.Area() << " for " << count << " pixels, or "
           << ::testing::PrintToString(region.Bounds()) << " for "
           << ::testing::PrintToString(bounds);
  return ::testing::AssertionSuccess();
}

// The model's pixels, one run per pixel, row by row.
template <class Model>
CRegion PixelByPixel(Model inside) {
  std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>> rows;
  for (int y = kBoxMin; y < kBoxMax; ++y) {
    rows.emplace_back();
    for (int x = kBoxMin; x < kBoxMax; ++x)
      if (inside(x, y)) rows.back().push_back({x, x + 1});
  }
  return CRegion::FromRowRuns(kBoxMin, rows);
}

// Small coordinates, so that rectangles overlap, touch and share edges
// often; now and then an empty or inverted one.
Rects RandomRects(std::mt19937& rng) {
  std::uniform_int_distribution<int> count(0, 9), coord(-6, 22), size(-1, 9);
  Rects rects(count(rng));
  for (RECT& r : rects) {
    r.left = coord(rng);
    r.top = coord(rng);
    r.right = r.left + size(rng);
    r.bottom = r.top + size(rng);
  }
  return rects;
}
}  // namespace

TEST(Region, SetOperationsAndOffsetMatchAPixelModelOnRandomRegions) {
  std::mt19937 rng(20240611);
  std::uniform_int_distribution<int> shift(-9, 9);
  for (int round = 0; round < 400; ++round) {
    SCOPED_TRACE(round);
    const Rects rectsA = RandomRects(rng), rectsB = RandomRects(rng);
    const CRegion a = CRegion::FromRects(rectsA);
    const CRegion b = CRegion::FromRects(rectsB);
    auto inA = [&](int x, int y) { return InAny(rectsA, x, y); };
    auto inB = [&](int x, int y) { return InAny(rectsB, x, y); };
    ASSERT_TRUE(IsCanonical(a));
    ASSERT_TRUE(Matches(a, inA));
    // One set of pixels has one canonical form, however it was built.
    EXPECT_EQ(PixelByPixel(inA), a);

    const struct {
      RegionOp op;
      bool (*keep)(bool, bool);
    } ops[] = {
        {RegionOp::kAnd, [](bool p, bool q) { return p && q; }},
        {RegionOp::kOr, [](bool p, bool q) { return p || q; }},
        {RegionOp::kXor, [](bool p, bool q) { return p != q; }},
        {RegionOp::kDiff, [](bool p, bool q) { return p && !q; }},
    };
    for (const auto& [op, keep] : ops) {
      SCOPED_TRACE(int(op));
      auto model = [&](int x, int y) { return keep(inA(x, y), inB(x, y)); };
      const CRegion result = CRegion::Combine(a, b, op);
      EXPECT_TRUE(IsCanonical(result));
      EXPECT_TRUE(Matches(result, model));
      EXPECT_EQ(result, PixelByPixel(model));
    }

    const int dx = shift(rng), dy = shift(rng);
    CRegion moved = a;
    moved.Offset(dx, dy);
    EXPECT_TRUE(IsCanonical(moved));
    EXPECT_TRUE(
        Matches(moved, [&](int x, int y) { return inA(x - dx, y - dy); }));
  }
}

TEST(Region, BuildsTheCanonicalFormFromRectanglesInAnyShape) {
  EXPECT_TRUE(CRegion::FromRect({5, 5, 5, 9}).IsEmpty());
  EXPECT_TRUE(CRegion::FromRects({{5, 9, 8, 2}, {3, 3, 3, 3}}).IsEmpty());

  // Already banded: touching spans merge, equal touching bands fold.
  EXPECT_EQ(
      CRegion::FromRects({{0, 0, 2, 1}, {2, 0, 5, 1}, {0, 1, 5, 3}}).Rects(),
      (Rects{{0, 0, 5, 3}}));
  // One height but out of order or overlapping: not a band as it stands.
  EXPECT_EQ(CRegion::FromRects({{5, 0, 8, 1}, {0, 0, 2, 1}}).Rects(),
            (Rects{{0, 0, 2, 1}, {5, 0, 8, 1}}));
  EXPECT_EQ(
      CRegion::FromRects({{0, 0, 6, 1}, {2, 0, 4, 1}, {5, 0, 9, 1}}).Rects(),
      (Rects{{0, 0, 9, 1}}));

  // Row runs: equal rows fold, touching runs merge, an empty row splits,
  // untidy runs count as their union, and rows past the range are dropped.
  EXPECT_EQ(
      CRegion::FromRowRuns(10, {{{0, 4}},
                                {{0, 2}, {2, 4}},
                                {{1, 4}},
                                {},
                                {{8, 12}, {0, 3}, {2, 5}, {6, 3}}})
          .Rects(),
      (Rects{{0, 10, 4, 12}, {1, 12, 4, 13}, {0, 14, 5, 15}, {8, 14, 12, 15}}));
  EXPECT_EQ(
      CRegion::FromRowRuns(kMax - 2, {{{0, 1}}, {{0, 1}}, {{0, 1}}}).Rects(),
      (Rects{{0, kMax - 2, 1, kMax}}));
}

TEST(Region, CutsOffWhatAnOffsetMovesOutOfTheCoordinateRange) {
  CRegion region = CRegion::FromRect({kMax - 10, kMin + 3, kMax, kMin + 10});
  region.Offset(4, -5);
  EXPECT_EQ(region.Rects(), (Rects{{kMax - 6, kMin, kMax, kMin + 5}}));
  CRegion right = region, up = region;
  right.Offset(kMax, 0);
  EXPECT_TRUE(right.IsEmpty());
  up.Offset(0, kMin);
  EXPECT_TRUE(up.IsEmpty());

  CRegion bottom = CRegion::FromRect({0, kMax - 2, 1, kMax});
  bottom.Offset(0, 1);
  EXPECT_EQ(bottom.Rects(), (Rects{{0, kMax - 1, 1, kMax}}));

  // Cutting off the span that told two bands apart folds them into one.
  CRegion bands =
      CRegion::FromRects({{0, 0, 10, 20}, {kMax - 3, 10, kMax, 20}});
  ASSERT_EQ(bands.Rects().size(), 3u);
  bands.Offset(5, 0);
  EXPECT_EQ(bands.Rects(), (Rects{{5, 0, 15, 20}}));
}

TEST(Region, HandlesTheWholeCoordinateRangeAndTheEmptyRegion) {
  const CRegion all = CRegion::FromRect({kMin, kMin, kMax, kMax});
  EXPECT_EQ(all.Area(), std::numeric_limits<std::int64_t>::max());  // saturated
  EXPECT_EQ(CRegion::FromRect({kMin, 0, kMax, 1}).Area(),
            2 * std::int64_t{kMax} + 1);
  EXPECT_TRUE(all.Contains(kMin, kMax - 1));
  EXPECT_FALSE(all.Contains(kMax, 0));

  const CRegion square = CRegion::FromRect({-1, -1, 1, 1});
  const CRegion hole = CRegion::Combine(all, square, RegionOp::kDiff);
  EXPECT_TRUE(IsCanonical(hole));
  EXPECT_FALSE(hole.Contains(0, 0));
  EXPECT_TRUE(hole.Contains(1, 0));
  EXPECT_EQ(hole.Bounds(), (RECT{kMin, kMin, kMax, kMax}));
  EXPECT_EQ(CRegion::Combine(hole, all, RegionOp::kXor), square);

  const CRegion empty;
  EXPECT_EQ(CRegion::Combine(hole, empty, RegionOp::kOr), hole);
  EXPECT_EQ(CRegion::Combine(empty, hole, RegionOp::kXor), hole);
  EXPECT_TRUE(CRegion::Combine(hole, empty, RegionOp::kAnd).IsEmpty());
  EXPECT_TRUE(CRegion::Combine(empty, hole, RegionOp::kDiff).IsEmpty());
}

TEST(Region, WritesTheSystemRegionDataLayout) {
  const CRegion region = CRegion::FromRects({{-3, 2, 4, 5}, {6, 4, 9, 7}});
  ASSERT_EQ(region.Rects().size(), 4u);
  ASSERT_EQ(region.DataSize(), 32u + 4 * 16);

  // At an odd address: the buffer need not be aligned.
  std::vector<unsigned char> buffer(1 + region.DataSize());
  ASSERT_EQ(region.WriteData(buffer.data() + 1, region.DataSize()), 96u);
  std::uint32_t header[4];
  RECT bound, rects[4];
  std::memcpy(header, buffer.data() + 1, sizeof header);
  std::memcpy(&bound, buffer.data() + 1 + 16, sizeof bound);
  std::memcpy(rects, buffer.data() + 1 + 32, sizeof rects);
  // dwSize, iType (rectangles), nCount, nRgnSize.
  EXPECT_EQ(std::vector<std::uint32_t>(header, header + 4),
            (std::vector<std::uint32_t>{32, 1, 4, 64}));
  EXPECT_EQ(bound, (RECT{-3, 2, 9, 7}));
  EXPECT_EQ(Rects(rects, rects + 4), region.Rects());

  std::vector<unsigned char> tooSmall(region.DataSize() - 1, 0xCD);
  EXPECT_EQ(region.WriteData(tooSmall.data(), tooSmall.size()), 0u);
  EXPECT_EQ(tooSmall, std::vector<unsigned char>(tooSmall.size(), 0xCD));
  EXPECT_EQ(region.WriteData(nullptr, 1000), 0u);

  // The empty region: a bare header with zero bounds.
  std::uint32_t empty[8];
  ASSERT_EQ(CRegion().WriteData(empty, sizeof empty), 32u);
  EXPECT_EQ(std::vector<std::uint32_t>(empty, empty + 8),
            (std::vector<std::uint32_t>{32, 1, 0, 0, 0, 0, 0, 0}));
}
