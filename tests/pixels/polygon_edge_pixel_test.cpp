// How the polygon fill paints one edge pixel: which colour a case code
// takes, how coverage and gradient pixels are blended, and where the canvas
// ends.
#include <gtest/gtest.h>

#include <cstdint>

#include "pixels/canvas.h"
#include "pixels/polygon_fill.h"
#include "support/canvas_probe.h"

namespace {

constexpr PolygonColors kColors{0x80FF4020u, 0xFF102030u, 0x40204080u};

std::uint32_t Plotted(int code, std::int32_t numerator,
                      std::int32_t denominator, std::uint32_t under = 0) {
  CCanvas canvas;
  canvas.Resize(1, 1);
  canvas.SetPixel(0, 0, under);
  PolygonColors colors = kColors;
  PlotEdgePixel(canvas, 0, 0, code, numerator, denominator, &colors);
  return canvas.GetPixel(0, 0);
}

}  // namespace

// Colour A is the lit one, for edges whose outside faces up or left; B for
// those facing down or right. Steep edges face sideways: left sides (0-3)
// A, right sides (4-7) B. Shallow edges face mostly up or down: a left side
// running right (8, 9) has its outside below it, B; running left (10, 11)
// above it, A; a right side running right (12, 13) above it, A; running
// left (14, 15) below it, B.
TEST(PolygonEdgePixel, EdgesFacingUpOrLeftTakeColorA) {
  const bool facesUpOrLeft[16] = {true,  true,  true,  true,  false, false,
                                  false, false, false, false, true,  true,
                                  true,  true,  false, false};
  for (int code = 0; code < 16; ++code)
    EXPECT_EQ(UsesEdgeColorA(code), facesUpOrLeft[code]) << "code " << code;
}

// Even codes blend the edge colour, made opaque, at its own alpha times the
// coverage; odd codes first mix the edge colour toward the interior by the
// fraction and blend the mix at the mix's alpha. Each channel by the blend
// rule (s * a + d * (255 - a)) >> 8.
TEST(PolygonEdgePixel, CoverageAndGradientPixelsBlendByTheirFractions) {
  // Code 0, colour A 0x80FF4020 at half coverage: a = 0x80 / 2 = 64.
  // (255, 255, 0x40, 0x20) * 64 >> 8 = 0x3F, 0x3F, 0x10, 0x08.
  EXPECT_EQ(Plotted(0, 1, 2), 0x3F3F1008u);
  // Code 4 takes colour B 0xFF102030 at full coverage: a = 255.
  // (255, 0x10, 0x20, 0x30) * 255 >> 8 = 0xFE, 0x0F, 0x1F, 0x2F.
  EXPECT_EQ(Plotted(4, 7, 7), 0xFE0F1F2Fu);

  // Code 1, a quarter of the way from A to the interior 0x40204080: the
  // fraction 255 / 4 = 63, the mix (i * 63 + A * 192) >> 8 per channel:
  // alpha (0x40, 0x80) -> 111, red (0x20, 0xFF) -> 199, green (0x40, 0x40)
  // -> 63, blue (0x80, 0x20) -> 55, i.e. 0x6FC73F37, blended opaque at 111:
  // 110, 86, 27, 23.
  EXPECT_EQ(Plotted(1, 1, 4), 0x6E561B17u);
  // Code 5, all the way to the interior: the mix (i * 255) >> 8 is
  // 0x3F1F3F7F, blended at 0x3F: 0x3E, 0x07, 0x0F, 0x1F.
  EXPECT_EQ(Plotted(5, 3, 3), 0x3E070F1Fu);

  // No coverage at all still takes one off every channel beneath:
  // d * 255 >> 8. A denominator of one is a real fraction, not "full".
  EXPECT_EQ(Plotted(0, 0, 1, 0xFFFFFFFFu), 0xFEFEFEFEu);
}

// Pixels in the first and last row and column are drawn; one step outside
// draws nothing, not even into a neighbouring row's memory.
TEST(PolygonEdgePixel, DrawsUpToTheCanvasBordersAndNotBeyond) {
  CCanvas canvas;
  canvas.Resize(4, 3);
  canvas.Clear();
  PolygonColors colors = kColors;
  for (auto [x, y] : {std::pair{-1, 1}, {4, 1}, {1, -1}, {1, 3}})
    PlotEdgePixel(canvas, x, y, 0, 1, 1, &colors);
  EXPECT_EQ(CountDrawn(canvas), 0);
  for (auto [x, y] : {std::pair{0, 0}, {3, 0}, {0, 2}, {3, 2}})
    PlotEdgePixel(canvas, x, y, 0, 1, 1, &colors);
  EXPECT_EQ(CountDrawn(canvas), 4);
  EXPECT_NE(canvas.GetPixel(0, 0), 0u);
  EXPECT_NE(canvas.GetPixel(3, 2), 0u);
}
