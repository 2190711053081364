#include "regions/three_dim_rgn.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "pixels/canvas.h"
#include "support/canvas_probe.h"
#include "support/rect_compare.h"

namespace {
CRegion Rect(LONG left, LONG top, LONG right, LONG bottom) {
  return CRegion::FromRect(RECT{left, top, right, bottom});
}

// Whether each data buffer describes exactly its region's rectangles, read
// back the way a fill reads them.
::testing::AssertionResult DataMatchesRegions(const ThreeDimRgn& rgn) {
  const struct {
    const char* name;
    const CRegion& region;
    const unsigned char* data;
    std::int32_t bytes;
  } parts[] = {
      {"highlight", rgn.hrgnHighlight, rgn.pHighlightData.get(),
       rgn.cbHighlightData},
      {"shadow", rgn.hrgnShadow, rgn.pShadowData.get(), rgn.cbShadowData},
      {"face", rgn.hrgnFace, rgn.pFaceData.get(), rgn.cbFaceData},
  };
  for (const auto& part : parts) {
    std::uint32_t count = 0;
    if (part.data) std::memcpy(&count, part.data + 8, sizeof count);
    const bool fits = part.data && part.bytes >= 32 &&
                      (std::size_t(part.bytes) - 32) / sizeof(RECT) >= count;
    std::vector<RECT> rects(fits ? count : 0);
    if (!rects.empty())
      std::memcpy(rects.data(), part.data + 32, rects.size() * sizeof(RECT));
    if (!fits || rects != part.region.Rects())
      return ::testing::AssertionFailure() << part.name << " data is stale";
  }
  return ::testing::AssertionSuccess();
}

// One blend at coverage a over a cleared pixel: every channel times a / 256.
std::uint32_t OverClear(COLORREF color, std::uint32_t a) {
  return (255 * a >> 8) << 24 | (GetRValue(color) * a >> 8) << 16 |
         (GetGValue(color) * a >> 8) << 8 | (GetBValue(color) * a >> 8);
}

class ThreeDimRgnTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitThreeDimRgn(rgn);
    canvas.Resize(16, 16);
    canvas.Clear();
  }
  void TearDown() override {
    FreeThreeDimRgn(rgn);
    SetThreeDimRgnAllocator(nullptr);
  }
  // Fills `r` into the cleared canvas; how many pixels it drew.
  int Drawn(const ThreeDimRgn& r) {
    canvas.Clear();
    FillThreeDimRgn(r, canvas);
    return CountDrawn(canvas);
  }
  ThreeDimRgn rgn;
  CCanvas canvas;
};
}  // namespace

TEST_F(ThreeDimRgnTest, StartsAsThePixelAtTheOriginAndAfterFreeDrawsNothing) {
  EXPECT_EQ(rgn.hrgnHighlight, Rect(0, 0, 1, 1));
  EXPECT_EQ(rgn.hrgnShadow, Rect(0, 0, 1, 1));
  EXPECT_EQ(rgn.hrgnFace, Rect(0, 0, 1, 1));
  EXPECT_EQ(rgn.cbFaceData, 48);
  EXPECT_TRUE(DataMatchesRegions(rgn));

  rgn.alpha = 128;
  EXPECT_EQ(Drawn(rgn), 1);
  EXPECT_EQ(canvas.GetPixel(0, 0) >> 24, 221u);  // 127, then 190, then 221

  FreeThreeDimRgn(rgn);
  FreeThreeDimRgn(rgn);
  EXPECT_EQ(rgn.pHighlightData, nullptr);
  EXPECT_EQ(rgn.cbShadowData, 0);
  EXPECT_TRUE(rgn.hrgnHighlight.IsEmpty() && rgn.hrgnShadow.IsEmpty() &&
              rgn.hrgnFace.IsEmpty());
  EXPECT_EQ(Drawn(rgn), 0);

  // A freed record takes a new shape with new buffers.
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(2, 2, 4, 4)));
  EXPECT_TRUE(DataMatchesRegions(rgn));
  EXPECT_EQ(Drawn(rgn), 4 + 3);
}

TEST_F(ThreeDimRgnTest, SplitsAShapeIntoHighlightShadowAndFace) {
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(5, 5, 6, 6)));
  EXPECT_EQ(rgn.hrgnHighlight, Rect(5, 5, 6, 6));
  EXPECT_EQ(rgn.hrgnShadow, Rect(6, 6, 7, 7));
  EXPECT_TRUE(rgn.hrgnFace.IsEmpty());
  EXPECT_TRUE(DataMatchesRegions(rgn));

  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(0, 0, 10, 10)));
  EXPECT_EQ(rgn.hrgnFace, Rect(1, 1, 10, 10));
  EXPECT_EQ(rgn.hrgnHighlight.Area(), 19);
  EXPECT_EQ(rgn.hrgnHighlight,
            CRegion::FromRects({{0, 0, 10, 1}, {0, 0, 1, 10}}));
  EXPECT_EQ(rgn.hrgnShadow.Area(), 19);
  EXPECT_EQ(rgn.hrgnShadow,
            CRegion::FromRects({{10, 1, 11, 11}, {1, 10, 10, 11}}));
  EXPECT_TRUE(DataMatchesRegions(rgn));

  // Any shape: classified by its upper-left diagonal neighbour.
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> coord(0, 20), size(1, 8);
  for (int round = 0; round < 100; ++round) {
    std::vector<RECT> rects(4);
    for (RECT& r : rects) {
      r.left = coord(rng);
      r.top = coord(rng);
      r.right = r.left + size(rng);
      r.bottom = r.top + size(rng);
    }
    const CRegion shape = CRegion::FromRects(rects);
    ASSERT_TRUE(SetThreeDimRgnShape(rgn, shape));
    ASSERT_TRUE(DataMatchesRegions(rgn));
    for (int y = -2; y < 32; ++y)
      for (int x = -2; x < 32; ++x) {
        const bool in = shape.Contains(x, y);
        const bool diagonal = shape.Contains(x - 1, y - 1);
        ASSERT_EQ(rgn.hrgnHighlight.Contains(x, y), in && !diagonal);
        ASSERT_EQ(rgn.hrgnShadow.Contains(x, y), !in && diagonal);
        ASSERT_EQ(rgn.hrgnFace.Contains(x, y), in && diagonal);
      }
  }
}

TEST_F(ThreeDimRgnTest, FillBlendsEachPixelOnceInItsPartsColor) {
  SetThreeDimRgnColor(rgn, RGB(200, 100, 0));
  EXPECT_EQ(rgn.crFace, RGB(200, 100, 0));
  EXPECT_EQ(rgn.crHighlight, RGB(255, 227, 127));
  EXPECT_EQ(rgn.crShadow, RGB(0, 0, 0));

  rgn.alpha = 128;
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(2, 2, 8, 8)));
  EXPECT_EQ(Drawn(rgn), 36 + 11);
  EXPECT_EQ(canvas.GetPixel(2, 2), OverClear(RGB(255, 227, 127), 128));
  EXPECT_EQ(canvas.GetPixel(7, 2), OverClear(RGB(255, 227, 127), 128));
  EXPECT_EQ(canvas.GetPixel(3, 3), OverClear(RGB(200, 100, 0), 128));
  EXPECT_EQ(canvas.GetPixel(7, 7), OverClear(RGB(200, 100, 0), 128));
  EXPECT_EQ(canvas.GetPixel(8, 3), OverClear(RGB(0, 0, 0), 128));
  EXPECT_EQ(canvas.GetPixel(8, 8), OverClear(RGB(0, 0, 0), 128));
}

TEST_F(ThreeDimRgnTest, FillsOnlyThePartOfTheShapeInsideTheCanvas) {
  SetThreeDimRgnColor(rgn, RGB(0, 0, 255));
  rgn.alpha = 255;
  canvas.Resize(8, 8);

  // Over the top-left corner: the corner pixel is face, since its diagonal
  // neighbour is inside the shape, off the canvas.
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(-3, -3, 4, 4)));
  EXPECT_EQ(Drawn(rgn), 16 + 5 + 4);
  EXPECT_EQ(canvas.GetPixel(0, 0), OverClear(RGB(0, 0, 255), 255));

  // Over the bottom-right corner: the shadow falls off the canvas.
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(5, 5, 12, 12)));
  EXPECT_EQ(Drawn(rgn), 3 * 3);
  EXPECT_EQ(DrawnRows(canvas), Range(5, 7));
  for (int y = 5; y < 8; ++y)
    EXPECT_EQ(DrawnColumns(canvas, y), std::make_pair(5, 7));
}

TEST_F(ThreeDimRgnTest, BuffersOnlyGrow) {
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(0, 0, 10, 10)));
  // Where each buffer starts and ends.
  auto buffers = [&] {
    return std::vector<const void*>{
        rgn.pHighlightData.get(),
        rgn.pShadowData.get(),
        rgn.pFaceData.get(),
        rgn.pHighlightData.get() + rgn.cbHighlightData,
        rgn.pShadowData.get() + rgn.cbShadowData,
        rgn.pFaceData.get() + rgn.cbFaceData};
  };
  const auto first = buffers();
  const std::int32_t highlightBytes = rgn.cbHighlightData;
  EXPECT_EQ(highlightBytes, 32 + 2 * 16);

  // The same size, then smaller: the same buffers, of the same sizes.
  for (const CRegion& shape : {Rect(40, 3, 47, 9), Rect(5, 5, 6, 6)}) {
    ASSERT_TRUE(SetThreeDimRgnShape(rgn, shape));
    EXPECT_EQ(buffers(), first);
    EXPECT_TRUE(DataMatchesRegions(rgn));
  }

  // A longer list gets a buffer of exactly its size.
  ASSERT_TRUE(SetThreeDimRgnShape(
      rgn, CRegion::Combine(Rect(0, 0, 20, 20), Rect(5, 5, 15, 15),
                            RegionOp::kDiff)));
  EXPECT_GT(rgn.cbHighlightData, highlightBytes);
  EXPECT_EQ(std::size_t(rgn.cbHighlightData), rgn.hrgnHighlight.DataSize());
  EXPECT_TRUE(DataMatchesRegions(rgn));
}

TEST_F(ThreeDimRgnTest, KeepsThePreviousShapeWhenABufferCannotBeHad) {
  SetThreeDimRgnColor(rgn, RGB(255, 255, 255));
  rgn.alpha = 255;
  ASSERT_TRUE(SetThreeDimRgnShape(rgn, Rect(1, 1, 3, 3)));
  const CRegion highlight = rgn.hrgnHighlight, face = rgn.hrgnFace;

  SetThreeDimRgnAllocator(
      [](std::size_t) -> unsigned char* { return nullptr; });
  EXPECT_FALSE(SetThreeDimRgnShape(
      rgn,
      CRegion::Combine(Rect(0, 0, 8, 8), Rect(2, 2, 6, 6), RegionOp::kDiff)));
  EXPECT_EQ(rgn.hrgnHighlight, highlight);
  EXPECT_EQ(rgn.hrgnFace, face);
  EXPECT_TRUE(DataMatchesRegions(rgn));
  EXPECT_EQ(Drawn(rgn), 4 + 3);

  // A shape whose lists fit the buffers already there needs no memory.
  EXPECT_TRUE(SetThreeDimRgnShape(rgn, Rect(4, 4, 5, 5)));
  EXPECT_EQ(rgn.hrgnShadow, Rect(5, 5, 6, 6));
  EXPECT_TRUE(DataMatchesRegions(rgn));

  // A record initialised without memory, new or one that had a shape, has
  // empty parts and draws nothing.
  ThreeDimRgn starved;
  InitThreeDimRgn(starved);
  InitThreeDimRgn(rgn);
  for (ThreeDimRgn* r : {&starved, &rgn}) {
    r->alpha = 255;
    EXPECT_EQ(r->pFaceData, nullptr);
    EXPECT_EQ(r->cbFaceData, 0);
    EXPECT_TRUE(r->hrgnFace.IsEmpty());
    EXPECT_EQ(Drawn(*r), 0);
  }
}
