#include "pixels/canvas.h"

#include <gtest/gtest.h>

#include "pixels/colors.h"
#include "pixels/drawn_tiles.h"

TEST(Canvas, StoresRowsBottomUp) {
  CCanvas canvas;
  canvas.Resize(3, 2);
  ASSERT_FALSE(canvas.IsEmpty());
  canvas.Clear();
  canvas.SetPixel(0, 0, 0x11111111);  // top-left: first word of the top row,
  canvas.SetPixel(2, 1, 0x22222222);  // which is stored second
  EXPECT_EQ(canvas.Pixels()[3], 0x11111111u);
  EXPECT_EQ(canvas.Pixels()[2], 0x22222222u);
  EXPECT_EQ(canvas.GetPixel(0, 0), 0x11111111u);
  EXPECT_EQ(canvas.GetPixel(2, 1), 0x22222222u);
  for (int i : {0, 1, 4, 5}) EXPECT_EQ(canvas.Pixels()[i], 0u) << i;
}

TEST(Canvas, HeaderDescribesA32BitBottomUpBitfieldBitmap) {
  CCanvas canvas;
  canvas.Resize(5, 7);
  EXPECT_EQ(canvas.Header().bV4Size, 108u);
  EXPECT_EQ(canvas.Header().bV4Width, 5);
  EXPECT_EQ(canvas.Header().bV4Height, 7);  // positive: bottom-up
  EXPECT_EQ(canvas.Header().bV4Planes, 1);
  EXPECT_EQ(canvas.Header().bV4BitCount, 32);
  EXPECT_EQ(canvas.Header().bV4V4Compression, DWORD{BI_BITFIELDS});
  EXPECT_EQ(canvas.Header().bV4RedMask, 0x00FF0000u);
  EXPECT_EQ(canvas.Header().bV4GreenMask, 0x0000FF00u);
  EXPECT_EQ(canvas.Header().bV4BlueMask, 0x000000FFu);
  EXPECT_EQ(canvas.Header().bV4AlphaMask, 0xFF000000u);
}

TEST(Canvas, ResizeToTheSameSizeKeepsTheContent) {
  CCanvas canvas;
  canvas.Resize(4, 4);
  canvas.Clear();
  canvas.SetPixel(1, 2, 0xCAFEBABE);
  const std::uint32_t* before = canvas.Pixels();
  canvas.Resize(4, 4);
  EXPECT_EQ(canvas.Pixels(), before);
  EXPECT_EQ(canvas.GetPixel(1, 2), 0xCAFEBABEu);

  canvas.Resize(8, 3);
  EXPECT_EQ(canvas.Width(), 8);
  EXPECT_EQ(canvas.Height(), 3);
  canvas.Clear();
  EXPECT_EQ(canvas.GetPixel(7, 2), 0u);
}

TEST(Canvas, StorageThatCannotBeMadeLeavesAnEmptyCanvasThatTouchesNothing) {
  const struct {
    int w, h;
  } bad[] = {{0, 0},           {0, 10},       {10, 0},
             {-5, 10},         {10, -5},      {CCanvas::kMaxSide + 1, 1},
             {100000, 100000}, {65536, 65536}};
  for (const auto& size : bad) {
    CCanvas canvas;
    canvas.Resize(16, 16);
    canvas.Resize(size.w, size.h);
    EXPECT_TRUE(canvas.IsEmpty()) << size.w << "x" << size.h;
    EXPECT_EQ(canvas.Width(), 0);
    EXPECT_EQ(canvas.Height(), 0);
    canvas.Clear();
    canvas.SetPixel(0, 0, 1);
    EXPECT_EQ(canvas.GetPixel(0, 0), 0u);
    // A later good size recovers.
    canvas.Resize(2, 2);
    EXPECT_FALSE(canvas.IsEmpty());
  }
}

TEST(Canvas, PixelAccessOutsideTheCanvasIsIgnored) {
  CCanvas canvas;
  canvas.Resize(2, 2);
  canvas.Clear();
  canvas.SetPixel(2, 0, 7);
  canvas.SetPixel(0, 2, 7);
  canvas.SetPixel(-1, 0, 7);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.Pixels()[i], 0u);
  EXPECT_EQ(canvas.GetPixel(0, -1), 0u);
}

TEST(Colors, ConvertSystemColorsToPixelWords) {
  constexpr COLORREF c = 0x00336699;  // R 0x99, G 0x66, B 0x33
  static_assert(ColorToPixel(c) == 0xFF996633u);
  static_assert(ColorToPixelAlpha(c, 0x80) == 0x80996633u);
  static_assert(ColorToPixelAlpha(0xFF000000u | c, 0) == 0x00996633u,
                "the top byte of a colour is ignored");
  EXPECT_EQ(HighlightColor(RGB(100, 128, 0)), RGB(227, 255, 127));
  EXPECT_EQ(HighlightColor(RGB(200, 100, 0)), RGB(255, 227, 127));
  EXPECT_EQ(HighlightColor(0xFF000000u), RGB(127, 127, 127));
  EXPECT_EQ(ShadowColor(RGB(10, 20, 30)), 0u);
}

TEST(DrawnTiles, CoverEveryDrawnPixelAndNoEmptyTile) {
  CCanvas layer;
  layer.Resize(100, 70);
  layer.Clear();
  EXPECT_TRUE(DrawnTiles(layer, 32).empty());
  const int dots[][2] = {{0, 0},   {31, 5},  {33, 5},
                         {99, 69}, {64, 40}, {70, 40}};
  for (const auto& d : dots) layer.SetPixel(d[0], d[1], 0x01000000);
  const std::vector<RECT> tiles = DrawnTiles(layer, 32);
  for (const auto& d : dots) {
    int covering = 0;
    for (const RECT& r : tiles)
      covering +=
          d[0] >= r.left && d[0] < r.right && d[1] >= r.top && d[1] < r.bottom;
    EXPECT_EQ(covering, 1) << d[0] << "," << d[1];
  }
  for (const RECT& r : tiles) {
    EXPECT_LE(r.right, 100);
    EXPECT_LE(r.bottom, 70);
  }
  // (0,0) and (31,5) share the first tile, (33,5) is in its neighbour: one
  // merged run; (64,40) and (70,40) share a tile; (99,69) is the clipped
  // corner tile.
  EXPECT_EQ(tiles.size(), 3u);
}
