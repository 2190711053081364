// Every dial character shows, whatever face the dial asks for: a character
// the face lacks is drawn with a face that has it, at the dial's size,
// never as the face's empty box.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "text/font_request.h"
#include "text/gdi_objects.h"
#include "text/text.h"

namespace {

// Latin, Greek and Cyrillic only: of the dial's characters it has the black
// circle alone. Wine installs it; natively it is one more fontconfig face.
constexpr std::u16string_view kLackingFace = u"Liberation Sans";
constexpr LONG kHeight = -48;

// The sixteen character sets of the dial (parts/clock/dial_characters.cpp),
// each as its twelve entries separated by blanks.
const char16_t* const kDialSets[] = {
    u"I II III IV V VI VII VIII IX X XI XII",
    u"Ⅰ Ⅱ Ⅲ Ⅳ Ⅴ Ⅵ Ⅶ Ⅷ Ⅸ Ⅹ Ⅺ Ⅻ",
    u"i ii iii iv v vi vii viii ix x xi xii",
    u"ⅰ ⅱ ⅲ ⅳ ⅴ ⅵ ⅶ ⅷ ⅸ ⅹ ⅺ ⅻ",
    u"1 2 3 4 5 6 7 8 9 10 11 12",
    u"１ ２ ３ ４ ５ ６ ７ ８ ９ 10 11 12",
    u"１ ２ ３ ４ ５ ６ ７ ８ ９ １０ １１ １２",
    u"① ② ③ ④ ⑤ ⑥ ⑦ ⑧ ⑨ ⑩ ⑪ ⑫",
    // Halfwidth (U+FF65) and katakana (U+30FB) middle dots, black circles.
    u"\uFF65 \uFF65 \uFF65 \uFF65 \uFF65 \uFF65 \uFF65 \uFF65 \uFF65 \uFF65 "
    u"\uFF65 \uFF65",
    u"\uFF65 \uFF65 \u30FB \uFF65 \uFF65 \u30FB \uFF65 \uFF65 \u30FB \uFF65 "
    u"\uFF65 \u30FB",
    u"\u30FB \u30FB \u30FB \u30FB \u30FB \u30FB \u30FB \u30FB \u30FB \u30FB "
    u"\u30FB \u30FB",
    u"\u30FB \u30FB \u25CF \u30FB \u30FB \u25CF \u30FB \u30FB \u25CF \u30FB "
    u"\u30FB \u25CF",
    u"\u25CF \u25CF \u25CF \u25CF \u25CF \u25CF \u25CF \u25CF \u25CF \u25CF "
    u"\u25CF \u25CF",
    u"一 二 三 四 五 六 七 八 九 十 十一 十二",
    u"壱 弐 参 四 五 六 七 八 九 拾 拾壱 拾弐",
    u"子 丑 寅 卯 辰 巳 午 未 申 酉 戌 亥",
};

std::vector<std::u16string> Entries(std::u16string_view set) {
  std::vector<std::u16string> entries;
  for (std::size_t start = 0; start <= set.size();) {
    std::size_t blank = set.find(u' ', start);
    if (blank == std::u16string_view::npos) blank = set.size();
    entries.emplace_back(set.substr(start, blank - start));
    start = blank + 1;
  }
  return entries;
}

std::unique_ptr<CFont> MakeFont(std::u16string_view face) {
  auto font = std::make_unique<CFont>();
  EXPECT_TRUE(font->CreateFromLogFont(FontRequest(face, kHeight)));
  return font;
}

std::int32_t HeightOf(const CRegion& region) {
  const RECT b = region.Bounds();
  return b.bottom - b.top;
}

#ifdef _WIN32
// Whether the face itself (not a fallback) has a glyph for `c`.
bool FaceHas(const CFont& font, char16_t c) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font.handle);
  WORD index = 0;
  const wchar_t unit = wchar_t(c);
  GetGlyphIndicesW(dc, &unit, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return index != 0xFFFF;
}
#endif

}  // namespace

TEST(DialFallback, EveryCharacterOfEverySetIsDrawnAtTheDialsSize) {
  const auto lacking = MakeFont(kLackingFace);
  const auto having = MakeFont(kFullFace);
#ifdef _WIN32
  // Without this the test would prove nothing.
  ASSERT_FALSE(FaceHas(*lacking, u'Ⅰ'));
  ASSERT_FALSE(FaceHas(*lacking, u'壱'));
#endif
  // No face has U+FFFF: the region of the lacking face's empty box.
  const CRegion box = MakeTextRegion(*lacking, u"\uFFFF", 100, 100);
  for (int set = 0; set < 16; ++set) {
    for (const std::u16string& entry : Entries(kDialSets[set])) {
      SCOPED_TRACE(testing::Message() << "set " << set << " entry "
                                      << testing::PrintToString(entry));
      ASSERT_FALSE(entry.empty());
      for (char16_t c : entry) {
        const CRegion drawn =
            MakeTextRegion(*lacking, std::u16string(1, c), 100, 100);
        EXPECT_FALSE(drawn.IsEmpty());
        EXPECT_FALSE(drawn == box) << "the empty box";
      }
      // The whole entry as the dial draws it, near the size the face that
      // has every character gives it (the lacking face's own circle is
      // smaller): never a stand-in of some default size.
      const std::int32_t drawn =
          HeightOf(MakeTextRegion(*lacking, entry, 100, 100));
      const std::int32_t expected =
          HeightOf(MakeTextRegion(*having, entry, 100, 100));
      EXPECT_GE(drawn, expected / 2) << "against " << expected;
      EXPECT_LE(drawn, expected * 3 / 2 + 3) << "against " << expected;
    }
  }
}

TEST(DialFallback, CharactersFromTwoFacesStayInOneLine) {
  const auto lacking = MakeFont(kLackingFace);
  // "1" from the chosen face, "一" from a fallback: side by side, centred
  // on the reference point, sharing the text's top.
  const RECT both = MakeTextRegion(*lacking, u"1一", 200, 100).Bounds();
  const RECT digit =
      MakeTextRegion(*lacking, u"1", 200, 100, TA_LEFT | TA_TOP).Bounds();
  const RECT kanji =
      MakeTextRegion(*lacking, u"一", 200, 100, TA_LEFT | TA_TOP).Bounds();
  EXPECT_LT(both.left, 200);
  EXPECT_GT(both.right, 200);
  EXPECT_NEAR((both.left + both.right) / 2, 200, 4);
  EXPECT_GE(both.right - both.left,
            (digit.right - digit.left) + (kanji.right - kanji.left));
  EXPECT_GT(both.top, 100);
  EXPECT_LT(both.bottom, 100 - kHeight + 8);
}
