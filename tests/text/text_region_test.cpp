#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "pixels/canvas.h"
#include "text/font_request.h"
#include "text/gdi_objects.h"
#include "text/text.h"

namespace {

#ifndef _WIN32
constexpr UINT TA_BASELINE = 24;
#endif

std::unique_ptr<CFont> MakeFont(std::u16string_view face, LONG height,
                                LONG escapement = 0) {
  auto font = std::make_unique<CFont>();
  EXPECT_TRUE(font->CreateFromLogFont(FontRequest(face, height, escapement)));
  return font;
}

std::int32_t Width(const RECT& r) { return r.right - r.left; }
std::int32_t Height(const RECT& r) { return r.bottom - r.top; }

TEST(TextRegionTest, CapitalIHangsCentredBelowTheReferencePoint) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -24)));
  const CRegion region =
      MakeTextRegion(font, u"I", 100, 100, TA_CENTER | TA_TOP);
  const RECT b = region.Bounds();
  // A cap height of 0.6 to 0.8 em, starting under the cell's internal leading.
  EXPECT_GE(Height(b), 15);
  EXPECT_LE(Height(b), 19);
  EXPECT_GT(b.top, 100);
  EXPECT_LE(b.top, 108);
  EXPECT_NEAR(b.left + b.right, 200, 3);
  EXPECT_GE(Width(b), 1);
  EXPECT_LE(Width(b), 6);

  // Moving the reference point moves the outline and nothing else.
  CRegion moved = MakeTextRegion(font, u"I", 37, -5, TA_CENTER | TA_TOP);
  moved.Offset(63, 105);
  EXPECT_TRUE(moved == region);
}

TEST(TextRegionTest, AlignmentPlacesTheReferencePoint) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -24)));
  CCanvas none;
  const LONG advance = CCanvasPainter(none).MeasureText(font, u"IIIH").cx;
  const RECT left =
      MakeTextRegion(font, u"IIIH", 100, 100, TA_LEFT | TA_TOP).Bounds();
  const RECT centre =
      MakeTextRegion(font, u"IIIH", 100, 100, TA_CENTER | TA_TOP).Bounds();
  const RECT base =
      MakeTextRegion(font, u"IIIH", 100, 100, TA_LEFT | TA_BASELINE).Bounds();
  EXPECT_GE(left.left, 100);
  EXPECT_LE(left.left, 104);
  EXPECT_LE(left.right, 100 + advance + 1);
  EXPECT_NEAR(left.left - centre.left, advance / 2, 1);
  EXPECT_EQ(centre.top, left.top);
  // On the baseline the capitals stand above the reference point.
  EXPECT_GE(base.bottom, 99);
  EXPECT_LE(base.bottom, 101);
  EXPECT_EQ(Height(base), Height(left));
}

TEST(TextRegionTest, EscapementTurnsTheTextCounterClockwise) {
  // "III" at the point (100, 100), turned by `escapement` tenths of a degree.
  const auto turned = [](LONG escapement) {
    return MakeTextRegion(*MakeFont(kFullFace, -24, escapement), u"III", 100,
                          100, TA_LEFT | TA_TOP);
  };
  const CRegion flat = turned(0);
  const CRegion runsDown = turned(2700);  // 3 o'clock on the dial
  const CRegion runsUp = turned(900);

  // Turned by 270 degrees the text runs downward with its top to the right,
  // so it hangs to the left of the reference point.
  const RECT d = runsDown.Bounds();
  EXPECT_GT(Height(d), Width(d));
  EXPECT_LE(d.right, 101);
  EXPECT_GE(d.top, 99);
  EXPECT_GE(d.bottom, 112);
  // Turned by 90 degrees it runs upward, to the right of the point.
  const RECT u = runsUp.Bounds();
  EXPECT_GT(Height(u), Width(u));
  EXPECT_GE(u.left, 99);
  EXPECT_LE(u.bottom, 101);
  EXPECT_LE(u.top, 88);
  // A quarter turn keeps the shape: same extent, nearly the same area.
  const RECT f = flat.Bounds();
  EXPECT_NEAR(Height(d), Width(f), 1);
  EXPECT_NEAR(Width(d), Height(f), 1);
  EXPECT_NEAR(double(runsDown.Area()), double(flat.Area()),
              0.1 * double(flat.Area()));
}

TEST(TextRegionTest, CountersAreHoles) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -48)));
  const CRegion o = MakeTextRegion(font, u"O", 100, 100);
  const RECT b = o.Bounds();
  const std::int32_t cx = (b.left + b.right) / 2;
  const std::int32_t cy = (b.top + b.bottom) / 2;
  EXPECT_FALSE(o.Contains(cx, cy));
  EXPECT_TRUE(o.Contains(cx, b.top + 1));
  EXPECT_TRUE(o.Contains(cx, b.bottom - 2));
  EXPECT_TRUE(o.Contains(b.left + 1, cy));
  EXPECT_TRUE(o.Contains(b.right - 2, cy));
}

TEST(TextRegionTest, EmptyAndBrokenStrings) {
  const auto font = MakeFont(kFullFace, -24);
  EXPECT_TRUE(MakeTextRegion(*font, u"", 100, 100).IsEmpty());
  const RECT plain = MakeTextRegion(*font, u"AB", 100, 100, TA_LEFT).Bounds();
  // An unpaired surrogate shows as some box between the letters, never
  // swallowing them.
  const std::u16string broken{u'A', char16_t(0xD800), u'B'};
  const RECT b = MakeTextRegion(*font, broken, 100, 100, TA_LEFT).Bounds();
  EXPECT_EQ(b.left, plain.left);
  EXPECT_GE(Width(b), Width(plain));
  const std::u16string trailing{u'A', char16_t(0xDC00)};
  EXPECT_FALSE(MakeTextRegion(*font, trailing, 100, 100).IsEmpty());
#ifndef _WIN32
  // At the far corner of the coordinate space what does not fit is dropped.
  // (GDI's own coordinates end long before, at 2^27.)
  const RECT corner =
      MakeTextRegion(*font, u"AB", INT32_MAX - 5, INT32_MIN + 5).Bounds();
  EXPECT_GE(corner.left, INT32_MAX - 40);
  EXPECT_GE(corner.top, INT32_MIN + 5);
  EXPECT_LT(corner.top, INT32_MIN + 30);
#endif
}

}  // namespace
