#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>

#include "pixels/canvas.h"
#include "pixels/colors.h"
#include "text/font_request.h"
#include "text/gdi_objects.h"
#include "text/text.h"

namespace {

constexpr std::uint32_t kBackground = 0x11223344;
constexpr std::uint32_t kColorBytes = 0x00FFFFFF;

// The painter writes colour bytes only; what it does to the alpha byte is
// the system's business.
std::uint32_t ColorAt(const CCanvas& canvas, int x, int y) {
  return canvas.GetPixel(x, y) & kColorBytes;
}

std::uint32_t Rgb(COLORREF color) { return ColorToPixel(color) & kColorBytes; }

#ifdef _WIN32
COLORREF LightEdge() { return GetSysColor(COLOR_3DLIGHT); }
COLORREF DarkEdge() { return GetSysColor(COLOR_3DDKSHADOW); }
#else
COLORREF LightEdge() { return RGB(227, 227, 227); }
COLORREF DarkEdge() { return RGB(105, 105, 105); }
#endif

bool Inside(int x, int y, const RECT& r) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

class CanvasPainterTest : public ::testing::Test {
 protected:
  // A painter on a w x h canvas, every pixel kBackground.
  CCanvasPainter& PainterOn(int w, int h) {
    canvas.Resize(w, h);
    std::fill_n(canvas.Pixels(), w * h, kBackground);
    return painter.emplace(canvas);
  }
  CFont font;  // made by the tests that draw text; outlives the painter
  CCanvas canvas;
  std::optional<CCanvasPainter> painter;
};

TEST_F(CanvasPainterTest, FillRectWritesTheColorClipped) {
  CCanvasPainter& painter = PainterOn(20, 10);
  const RECT box{2, 3, 8, 6};
  painter.FillRect(box, RGB(10, 20, 30));
  painter.FillRect(RECT{-5, -5, 3, 2}, RGB(200, 0, 100));  // over the corner
  // Corners swapped: filled all the same, with the excluded edges swapped too.
  painter.FillRect(RECT{15, 8, 12, 4}, RGB(1, 2, 3));
  painter.FillRect(RECT{16, 1, 16, 9}, RGB(4, 5, 6));  // no width
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      if (Inside(x, y, box)) {
        EXPECT_EQ(ColorAt(canvas, x, y), 0x0A141Eu);
      } else if (Inside(x, y, RECT{13, 5, 16, 9})) {
        EXPECT_EQ(ColorAt(canvas, x, y), Rgb(RGB(1, 2, 3)));
      } else if (x < 3 && y < 2) {
        EXPECT_EQ(ColorAt(canvas, x, y), Rgb(RGB(200, 0, 100)));
      } else {
        EXPECT_EQ(canvas.GetPixel(x, y), kBackground);
      }
    }
}

TEST_F(CanvasPainterTest, RaisedEdgeIsLightAboveAndLeftDarkBelowAndRight) {
  CCanvasPainter& painter = PainterOn(24, 12);
  const RECT r{10, 2, 20, 8};
  painter.DrawRaisedEdge(r);
  const std::uint32_t light = Rgb(LightEdge());
  const std::uint32_t dark = Rgb(DarkEdge());
  for (int x = 10; x <= 18; ++x) EXPECT_EQ(ColorAt(canvas, x, 2), light) << x;
  for (int y = 2; y <= 6; ++y) EXPECT_EQ(ColorAt(canvas, 10, y), light) << y;
  for (int x = 10; x <= 19; ++x) EXPECT_EQ(ColorAt(canvas, x, 7), dark) << x;
  for (int y = 2; y <= 7; ++y) EXPECT_EQ(ColorAt(canvas, 19, y), dark) << y;
  // The pixels changed: a one-pixel frame, interior untouched.
  EXPECT_EQ(24 * 12 - std::count(canvas.Pixels(), canvas.Pixels() + 24 * 12,
                                 kBackground),
            2 * 10 + 2 * 4);
}

TEST_F(CanvasPainterTest, EllipseIsAClosedBlackRingAroundTheFill) {
  CCanvasPainter& painter = PainterOn(18, 14);
  const RECT r{2, 2, 14, 10};
  const std::uint32_t fill = Rgb(RGB(10, 20, 30));
  painter.Ellipse(r, RGB(10, 20, 30));

  EXPECT_EQ(ColorAt(canvas, 7, 5), fill);
  EXPECT_EQ(ColorAt(canvas, 8, 6), fill);
  // The pen touches the middle of every side of the rectangle...
  for (int x : {7, 8}) {
    EXPECT_EQ(ColorAt(canvas, x, 2), 0u);
    EXPECT_EQ(ColorAt(canvas, x, 9), 0u);
  }
  for (int y : {5, 6}) {
    EXPECT_EQ(ColorAt(canvas, 2, y), 0u);
    EXPECT_EQ(ColorAt(canvas, 13, y), 0u);
  }
  // ...but not its corners.
  EXPECT_EQ(canvas.GetPixel(2, 2), kBackground);
  EXPECT_EQ(canvas.GetPixel(13, 9), kBackground);
  for (int y = 0; y < 14; ++y)
    for (int x = 0; x < 18; ++x) {
      const std::uint32_t c = ColorAt(canvas, x, y);
      if (!Inside(x, y, r)) {
        EXPECT_EQ(canvas.GetPixel(x, y), kBackground);
      }
      if (c != fill) continue;
      // Fill never touches the background: the ring is closed.
      for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        EXPECT_NE(canvas.GetPixel(x + dx, y + dy), kBackground)
            << x << "," << y;
    }
}

TEST_F(CanvasPainterTest, MeasureTextGrowsWithTheText) {
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -20)));
  CCanvasPainter& painter = PainterOn(8, 8);
  const SIZE one = painter.MeasureText(font, u"1");
  const SIZE two = painter.MeasureText(font, u"11");
  const SIZE twelve = painter.MeasureText(font, u"2002/12/6");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(two.cx, 2 * one.cx);
  EXPECT_GT(twelve.cx, two.cx);
  EXPECT_EQ(two.cy, one.cy);
  EXPECT_EQ(twelve.cy, one.cy);
  EXPECT_GE(one.cy, 20);
  EXPECT_LE(one.cy, 30);
  EXPECT_EQ(painter.MeasureText(font, u"").cx, 0);
  EXPECT_EQ(painter.MeasureText(font, u"").cy, 0);
  CFont none;
  EXPECT_EQ(painter.MeasureText(none, u"1").cx, 0);
}

TEST_F(CanvasPainterTest, DrawTextInksOnlyTheMeasuredBox) {
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -16)));
  CCanvasPainter& painter = PainterOn(60, 36);
  painter.FillRect(RECT{0, 0, 60, 36}, RGB(255, 255, 255));
  const SIZE size = painter.MeasureText(font, u"Ag\u58F1");
  painter.DrawText(font, 10, 8, u"Ag\u58F1", RGB(255, 0, 0));
  const RECT box{10, 8, 10 + size.cx + 1,
                 8 + size.cy};  // one pixel of overhang
  int inked = 0;
  int solid = 0;
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 60; ++x) {
      const std::uint32_t c = ColorAt(canvas, x, y);
      if (c == 0xFFFFFF) continue;
      SCOPED_TRACE(testing::Message() << x << "," << y << " " << std::hex << c);
      ++inked;
      EXPECT_TRUE(Inside(x, y, box));
      // Red over white: red stays full, green and blue fall together.
      EXPECT_EQ(c >> 16, 0xFFu);
      EXPECT_EQ((c >> 8) & 0xFF, c & 0xFF);
      solid += c == 0xFF0000;
    }
  EXPECT_GT(inked, 60);
  EXPECT_GT(solid, 10);
}

TEST_F(CanvasPainterTest, DrawingOffTheCanvasIsClipped) {
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -16)));
  CCanvasPainter& painter = PainterOn(12, 10);
  painter.DrawText(font, -6, -8, u"WW", RGB(0, 0, 0));
  painter.DrawText(font, INT32_MAX - 4, INT32_MIN + 2, u"WW", RGB(0, 0, 0));
  painter.Ellipse(RECT{-40, -40, 6, 6}, RGB(0, 255, 0));
  painter.Ellipse(RECT{-20000, -20000, 20000, 20000}, RGB(0, 0, 255));
  painter.DrawRaisedEdge(RECT{-3, -3, 500, 500});
  // The huge ellipse covers the whole canvas with its fill.
  EXPECT_EQ(ColorAt(canvas, 6, 5), Rgb(RGB(0, 0, 255)));
  EXPECT_EQ(ColorAt(canvas, 11, 9), Rgb(RGB(0, 0, 255)));

  CCanvas empty;
  CCanvasPainter nothing(empty);
  nothing.FillRect(RECT{0, 0, 10, 10}, RGB(1, 2, 3));
  nothing.DrawRaisedEdge(RECT{0, 0, 10, 10});
  nothing.Ellipse(RECT{0, 0, 10, 10}, RGB(1, 2, 3));
  nothing.DrawText(font, 0, 0, u"A", RGB(1, 2, 3));
  EXPECT_TRUE(empty.IsEmpty());
  EXPECT_GT(nothing.MeasureText(font, u"A").cx, 0);
}

}  // namespace
