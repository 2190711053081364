#include "base/utf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

constexpr char32_t kFffd = kReplacementCharacter;

// `n` replacement characters.
std::u32string Fffd(std::size_t n) { return std::u32string(n, kFffd); }

std::u32string DecodeUtf8(std::string_view bytes) {
  std::u32string out;
  for (std::size_t pos = 0; pos < bytes.size();) out += NextUtf8(bytes, pos);
  return out;
}

TEST(Utf, EveryScalarValueRoundTripsThroughBothEncodings) {
  for (char32_t c = 0; c <= 0x10FFFF; ++c) {
    if (IsSurrogate(c)) continue;
    std::string utf8;
    AppendUtf8(utf8, c);
    const std::size_t length = c < 0x80      ? 1
                               : c < 0x800   ? 2
                               : c < 0x10000 ? 3
                                             : 4;
    ASSERT_EQ(length, utf8.size()) << std::hex << std::uint32_t{c};
    std::size_t pos = 0;
    ASSERT_EQ(c, NextUtf8(utf8, pos)) << std::hex << std::uint32_t{c};
    ASSERT_EQ(length, pos);

    std::u16string utf16;
    AppendUtf16(utf16, c);
    ASSERT_EQ(c < 0x10000 ? 1u : 2u, utf16.size());
    pos = 0;
    ASSERT_EQ(c, NextUtf16(utf16, pos)) << std::hex << std::uint32_t{c};
    ASSERT_EQ(utf16.size(), pos);
  }
}

TEST(Utf, BoundariesOfEachSequenceLength) {
  EXPECT_EQ(U"\u0080\u07FF\u0800\uD7FF\uE000\uFFFF\U00010000\U0010FFFF",
            DecodeUtf8("\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80"
                       "\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"));
  const std::u16string globe = u"\U0001F30D";
  ASSERT_EQ(2u, globe.size());
  EXPECT_EQ("\xF0\x9F\x8C\x8D", Utf16ToUtf8(globe));
  EXPECT_EQ(globe, Utf8ToUtf16("\xF0\x9F\x8C\x8D"));
  EXPECT_EQ(U"a\U0001F30Dz", Utf16ToUtf32(u"a\U0001F30Dz"));
}

TEST(Utf, EachMaximalInvalidSubpartBecomesOneReplacement) {
  const struct {
    const char* name;
    std::string_view bytes;
    std::u32string expected;
  } cases[] = {
      {"lone continuation bytes", "\x80\xBF", Fffd(2)},
      {"bytes that never lead", "\xC0\xC1\xF5\xFF", Fffd(4)},
      {"overlong two bytes", "\xC0\xAF", Fffd(2)},
      {"overlong three bytes", "\xE0\x80\xAF", Fffd(3)},
      {"overlong four bytes", "\xF0\x80\x80\xAF", Fffd(4)},
      {"surrogate in UTF-8", "\xED\xA0\x80", Fffd(3)},
      {"above U+10FFFF", "\xF4\x90\x80\x80", Fffd(4)},
      {"old five-byte form", "\xF8\x88\x80\x80\x80", Fffd(5)},
      {"cut short by the end", "a\xF0\x9F\x8C", {U'a', kFffd}},
      {"cut short by ASCII", "\xE1\x80z", {kFffd, U'z'}},
      {"cut short by a new lead", "\xE2\x82\xC3\xA4", {kFffd, U'\u00e4'}},
      // The example of the Unicode standard, section 3.9.
      {"mixed",
       "\x61\xF1\x80\x80\xE1\x80\xC2\x62\x80\x63\x80\xBF\x64",
       {U'a', kFffd, kFffd, kFffd, U'b', kFffd, U'c', kFffd, kFffd, U'd'}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, DecodeUtf8(c.bytes)) << c.name;
  }
}

TEST(Utf, UnpairedSurrogatesBecomeReplacementsAtEitherEnd) {
  EXPECT_EQ(
      "\xEF\xBF\xBD"
      "ab\xEF\xBF\xBD",
      Utf16ToUtf8(u"\xDC00"
                  u"ab\xD800"));
  // Reversed, doubled and lone halves; a pair right after stays a pair.
  EXPECT_EQ((std::u32string{kFffd, kFffd, kFffd, U'\U00010000'}),
            Utf16ToUtf32(u"\xDC00\xD800\xD800\xD800\xDC00"));
  EXPECT_EQ(u"\uFFFD", Utf8ToUtf16(Utf16ToUtf8(u"\xDBFF")));
  std::string utf8;
  AppendUtf8(utf8, 0xD800);
  AppendUtf8(utf8, 0x110000);
  EXPECT_EQ("\xEF\xBF\xBD\xEF\xBF\xBD", utf8);
  std::u16string utf16;
  AppendUtf16(utf16, 0xDFFF);
  EXPECT_EQ(u"\uFFFD", utf16);
}

TEST(Utf, WellFormedUtf16HasNoUnpairedSurrogate) {
  EXPECT_TRUE(IsWellFormedUtf16(u""));
  EXPECT_TRUE(IsWellFormedUtf16(u"\uFFFD \U0010FFFF"));
  EXPECT_FALSE(IsWellFormedUtf16(u"a\xD800"));
  EXPECT_FALSE(IsWellFormedUtf16(u"\xDC00z"));
}

}  // namespace

TEST(Utf, ACutNeverSplitsASurrogatePair) {
  const std::u16string text = u"ab\U0001F600c";  // a, b, high, low, c
  EXPECT_EQ(Utf16CutLength(text, 10), 5u) << "short enough: all of it";
  EXPECT_EQ(Utf16CutLength(text, 4), 4u) << "the pair whole";
  EXPECT_EQ(Utf16CutLength(text, 3), 2u) << "the high half goes with the cut";
  EXPECT_EQ(Utf16CutLength(text, 2), 2u);
  EXPECT_EQ(Utf16CutLength(text, 0), 0u);
  EXPECT_EQ(Utf16CutLength(u"\xD800", 1), 1u) << "no cut, nothing dropped";
}
