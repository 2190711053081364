#include "pixels/region_fill.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "pixels/canvas.h"
#include "support/canvas_probe.h"

namespace {
// Region data in the system's layout: 32-byte header, count at byte 8.
std::vector<unsigned char> RegionData(const std::vector<RECT>& rects,
                                      std::uint32_t count) {
  std::vector<unsigned char> data(32 + rects.size() * sizeof(RECT));
  const std::uint32_t header[3] = {32, 1, count};
  std::memcpy(data.data(), header, sizeof header);
  if (!rects.empty())
    std::memcpy(data.data() + 32, rects.data(), rects.size() * sizeof(RECT));
  return data;
}
}  // namespace

TEST(FillRegion, ClipsRectanglesToTheCanvasOnAllFourSides) {
  CCanvas canvas;
  canvas.Resize(6, 4);
  canvas.Clear();
  const auto data = RegionData({{-10, -10, 100, 100}}, 1);
  FillRegion(canvas, data.data(), data.size(), RGB(255, 0, 0), 255);
  EXPECT_EQ(CountDrawn(canvas), 24);
  // Red made opaque, blended at 255 over transparent black.
  EXPECT_EQ(canvas.GetPixel(5, 3), 0xFEFE0000u);
}

TEST(FillRegion, FillsRightAndBottomExclusive) {
  CCanvas canvas;
  canvas.Resize(8, 8);
  canvas.Clear();
  const auto data = RegionData({{2, 3, 5, 4}, {7, 7, 9, 9}}, 2);
  FillRegion(canvas, data.data(), data.size(), RGB(0, 0, 255), 128);
  EXPECT_EQ(DrawnRows(canvas), (std::vector<int>{3, 7}));
  EXPECT_EQ(DrawnColumns(canvas, 3), std::make_pair(2, 4));
  EXPECT_EQ(DrawnColumns(canvas, 7), std::make_pair(7, 7));
  EXPECT_EQ(canvas.GetPixel(2, 3), 0x7F00007Fu);
}

TEST(FillRegion, DrawsNothingForAnEmptyOrTruncatedRegion) {
  CCanvas canvas;
  canvas.Resize(4, 4);
  canvas.Clear();
  const auto empty = RegionData({}, 0);
  FillRegion(canvas, empty.data(), empty.size(), RGB(255, 255, 255), 255);
  EXPECT_EQ(CountDrawn(canvas), 0);

  // A header that claims more rectangles than the data holds: only the
  // rectangles that are really there are read.
  const auto lying = RegionData({{0, 0, 1, 1}}, 1000000);
  FillRegion(canvas, lying.data(), lying.size(), RGB(255, 255, 255), 255);
  EXPECT_EQ(CountDrawn(canvas), 1);

  FillRegion(canvas, lying.data(), 16, RGB(255, 255, 255), 255);  // no header
  EXPECT_EQ(CountDrawn(canvas), 1);
}

// The header's count (at byte 8) says how many rectangles there are, even
// when the data would hold more; the byte size given says how far reading
// may go, even when memory beyond it would hold more.
TEST(FillRegion, ReadsTheCountAndNoFurtherThanTheGivenBytes) {
  CCanvas canvas;
  canvas.Resize(8, 1);
  // Four rectangles one pixel wide at columns 0..3, placed 16 bytes into a
  // larger block whose bytes before the header are all ones.
  const auto rects =
      RegionData({{0, 0, 1, 1}, {1, 0, 2, 1}, {2, 0, 3, 1}, {3, 0, 4, 1}}, 2);
  std::vector<unsigned char> block(16 + rects.size(), 0xFF);
  std::memcpy(block.data() + 16, rects.data(), rects.size());
  const unsigned char* data = block.data() + 16;
  const auto drawnAfter = [&](std::size_t bytes) {
    canvas.Clear();
    FillRegion(canvas, data, bytes, RGB(255, 255, 255), 255);
    return DrawnColumns(canvas, 0);
  };
  EXPECT_EQ(drawnAfter(rects.size()), std::make_pair(0, 1)) << "count 2";

  std::uint32_t three = 3;
  std::memcpy(block.data() + 16 + 8, &three, sizeof three);
  EXPECT_EQ(drawnAfter(rects.size()), std::make_pair(0, 2)) << "count 3";
  // Two rectangles' worth of bytes and a half: the third is not read.
  EXPECT_EQ(drawnAfter(32 + 2 * 16 + 8), std::make_pair(0, 1));
}

TEST(PremultiplyAlpha, ScalesColorByAlphaOverTwoHundredFiftySix) {
  CCanvas canvas;
  canvas.Resize(3, 1);
  canvas.SetPixel(0, 0, 0xFFFFFFFF);
  canvas.SetPixel(1, 0, 0x00FFFFFF);
  canvas.SetPixel(2, 0, 0x80FF8040);
  PremultiplyAlpha(canvas);
  EXPECT_EQ(canvas.GetPixel(0, 0), 0xFFFEFEFEu);  // 255 * 255 >> 8 = 254
  EXPECT_EQ(canvas.GetPixel(1, 0), 0u);           // transparent black
  EXPECT_EQ(canvas.GetPixel(2, 0), 0x807F4020u);

  // Every pixel of a canvas of several rows, each channel on its own:
  // 0xC0, 0x40, 0x20 at alpha 0x80 halve to 0x60, 0x20, 0x10.
  canvas.Resize(3, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x) canvas.SetPixel(x, y, 0x80C04020);
  PremultiplyAlpha(canvas);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(canvas.GetPixel(x, y), 0x80602010u) << x << "," << y;
}
