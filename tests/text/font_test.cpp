#include <gtest/gtest.h>

#include <climits>
#include <vector>

#ifndef _WIN32
#include <fontconfig/fontconfig.h>
#endif

#include "pixels/canvas.h"
#include "text/font_request.h"
#include "text/gdi_objects.h"
#include "text/text.h"

namespace {

#ifndef _WIN32
constexpr UINT BS_SOLID = 0;
constexpr UINT BS_NULL = 1;
constexpr UINT BS_PATTERN = 3;
#endif

std::int32_t HeightOf(const CRegion& region) {
  const RECT bounds = region.Bounds();
  return bounds.bottom - bounds.top;
}

// Makes every font creation fail for as long as it lives: the system has no
// room for another font object (Windows), or no fonts at all (fontconfig).
class NoFontsAvailable {
 public:
  NoFontsAvailable() {
#ifdef _WIN32
    // The process's GDI object quota: 10000 on Windows, the handle table
    // size under wine.
    const LOGFONTW filler = FontRequest(u"", -10);
    for (int i = 0; i < 200000; ++i) {
      HFONT font = CreateFontIndirectW(&filler);
      if (!font) {
        active_ = true;
        break;
      }
      fillers_.push_back(font);
    }
#else
    saved_ = FcConfigReference(nullptr);
    empty_ = FcConfigCreate();
    active_ = saved_ && empty_ && FcConfigSetCurrent(empty_);
#endif
  }
  ~NoFontsAvailable() {
#ifdef _WIN32
    for (HFONT font : fillers_) DeleteObject(font);
#else
    if (saved_) {
      FcConfigSetCurrent(saved_);
      FcConfigDestroy(saved_);
    }
    if (empty_) FcConfigDestroy(empty_);
#endif
  }
  NoFontsAvailable(const NoFontsAvailable&) = delete;
  NoFontsAvailable& operator=(const NoFontsAvailable&) = delete;
  bool active() const { return active_; }

 private:
  bool active_ = false;
#ifdef _WIN32
  std::vector<HFONT> fillers_;
#else
  FcConfig* saved_ = nullptr;
  FcConfig* empty_ = nullptr;
#endif
};

TEST(CFontTest, DescribesTheFontItMadeAndKeepsItAfterRelease) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -24, 900)));
  ASSERT_NE(font.handle, nullptr);
  LOGFONTW described;
  font.GetLogFont(described);
  EXPECT_EQ(described.lfHeight, -24);
  EXPECT_EQ(described.lfEscapement, 900);
  EXPECT_EQ(described.lfWeight, FW_NORMAL);
  EXPECT_EQ(FaceNameOf(described), kFullFace);

  font.DeleteHandle();
  EXPECT_EQ(font.handle, nullptr);
  LOGFONTW after;
  font.GetLogFont(after);
  EXPECT_TRUE(SameDescription(after, described));
  EXPECT_TRUE(MakeTextRegion(font, u"I", 50, 50).IsEmpty());

  // The description is a request the system takes back as it is.
  ASSERT_TRUE(font.CreateFromLogFont(after));
  LOGFONTW again;
  font.GetLogFont(again);
  EXPECT_EQ(again.lfHeight, -24);
  EXPECT_EQ(FaceNameOf(again), kFullFace);
}

TEST(CFontTest, CreateDefaultReplacesTheHeldFont) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -40)));
  const FontHandle previous = font.handle;
  ASSERT_TRUE(font.CreateDefault());
  ASSERT_NE(font.handle, nullptr);
#ifdef _WIN32
  LOGFONTW probe;
  EXPECT_EQ(GetObjectW(previous, sizeof probe, &probe), 0) << "not deleted";
#else
  (void)previous;  // the sanitizer build catches a leaked or doubly freed font
#endif
  LOGFONTW described;
  font.GetLogFont(described);
  EXPECT_EQ(described.lfHeight, -11);
  EXPECT_FALSE(FaceNameOf(described).empty());
  const CRegion letter = MakeTextRegion(font, u"I", 20, 20);
  EXPECT_GE(HeightOf(letter), 6);
  EXPECT_LE(HeightOf(letter), 11);

  ASSERT_TRUE(font.CreateDefault());  // a stock font replaced by itself
  EXPECT_FALSE(MakeTextRegion(font, u"I", 20, 20).IsEmpty());
}

TEST(CFontTest, RejectedRequestKeepsTheFontAndItsDescription) {
  CFont font;
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, -24)));
  const FontHandle held = font.handle;
  LOGFONTW before;
  font.GetLogFont(before);
  {
    NoFontsAvailable none;
    if (!none.active())
      GTEST_SKIP() << "font creation cannot be made to fail here";
    EXPECT_FALSE(font.CreateFromLogFont(FontRequest(u"DejaVu Sans", -12)));
  }
  EXPECT_EQ(font.handle, held);
  LOGFONTW after;
  font.GetLogFont(after);
  EXPECT_TRUE(SameDescription(after, before));
  EXPECT_FALSE(MakeTextRegion(font, u"I", 50, 50).IsEmpty());
}

TEST(CFontTest, OddRequestsStillGiveAUsableFont) {
  CFont font;
  // A face name that fills the field with no terminator.
  LOGFONTW unterminated = FontRequest(u"", -20);
  for (WCHAR& c : unterminated.lfFaceName) c = WCHAR(u'A');
  ASSERT_TRUE(font.CreateFromLogFont(unterminated));
  EXPECT_FALSE(MakeTextRegion(font, u"I", 50, 50).IsEmpty());

  // A face nobody has: the system's closest match stands in.
  ASSERT_TRUE(
      font.CreateFromLogFont(FontRequest(u"No Such Face Ondrava", -20)));
  EXPECT_GE(HeightOf(MakeTextRegion(font, u"I", 50, 50)), 10);

  // Height 0: some sensible default size.
  ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, 0)));
  EXPECT_GE(HeightOf(MakeTextRegion(font, u"I", 50, 50)), 5);
  EXPECT_LE(HeightOf(MakeTextRegion(font, u"I", 50, 50)), 40);

  // Absurd heights are accepted but never give absurd outlines.
  for (LONG height : {LONG(INT_MIN), LONG(100000), LONG(INT_MAX)}) {
    SCOPED_TRACE(height);
    ASSERT_TRUE(font.CreateFromLogFont(FontRequest(kFullFace, height)));
    EXPECT_LE(HeightOf(MakeTextRegion(font, u"I", 0, 0)), 2048);
  }
}

TEST(CFontTest, PositiveHeightIsTheCellAndNegativeTheCharacter) {
  CCanvas canvas;  // measuring needs no pixels
  CCanvasPainter painter(canvas);
  CFont cell;
  ASSERT_TRUE(cell.CreateFromLogFont(FontRequest(kFullFace, 30)));
  EXPECT_NEAR(painter.MeasureText(cell, u"I").cy, 30, 1);
  CFont character;
  ASSERT_TRUE(character.CreateFromLogFont(FontRequest(kFullFace, -30)));
  EXPECT_GT(painter.MeasureText(character, u"I").cy, 31);
  EXPECT_GT(HeightOf(MakeTextRegion(character, u"I", 0, 0)),
            HeightOf(MakeTextRegion(cell, u"I", 0, 0)));
}

TEST(CBrushTest, DescribesWhatItMadeAndKeepsItOnRejection) {
  CBrush brush;
  ASSERT_TRUE(brush.CreateFromLogBrush(LOGBRUSH{BS_SOLID, RGB(1, 2, 3), 7}));
  EXPECT_EQ(brush.logBrush.lbStyle, BS_SOLID);
  EXPECT_EQ(brush.logBrush.lbColor, RGB(1, 2, 3));
  ASSERT_NE(brush.handle, nullptr);

  ASSERT_TRUE(brush.CreateFromLogBrush(LOGBRUSH{BS_NULL, RGB(9, 9, 9), 3}));
  EXPECT_EQ(brush.logBrush.lbStyle, BS_NULL);
  EXPECT_EQ(brush.logBrush.lbColor, 0u);
  EXPECT_EQ(brush.logBrush.lbHatch, 0u);

  // A pattern brush without a bitmap cannot be made.
  const BrushHandle held = brush.handle;
  EXPECT_FALSE(brush.CreateFromLogBrush(LOGBRUSH{BS_PATTERN, 0, 0}));
  EXPECT_EQ(brush.handle, held);
  EXPECT_EQ(brush.logBrush.lbStyle, BS_NULL);

  brush.DeleteHandle();
  EXPECT_EQ(brush.handle, nullptr);
  EXPECT_EQ(brush.logBrush.lbStyle, BS_NULL);
}

}  // namespace
