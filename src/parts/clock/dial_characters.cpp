#include "parts/clock/dial_characters.h"

// Written with escapes so that every character is unambiguous in review.
const char16_t* const kDialCharacters[kDialCharacterSets][kHours] = {
    // Latin capital letters.
    {u"I", u"II", u"III", u"IV", u"V", u"VI", u"VII", u"VIII", u"IX", u"X",
     u"XI", u"XII"},
    // Roman numeral characters.
    {u"\u2160", u"\u2161", u"\u2162", u"\u2163", u"\u2164", u"\u2165",
     u"\u2166", u"\u2167", u"\u2168", u"\u2169", u"\u216A", u"\u216B"},
    // Latin small letters.
    {u"i", u"ii", u"iii", u"iv", u"v", u"vi", u"vii", u"viii", u"ix", u"x",
     u"xi", u"xii"},
    // Small Roman numeral characters.
    {u"\u2170", u"\u2171", u"\u2172", u"\u2173", u"\u2174", u"\u2175",
     u"\u2176", u"\u2177", u"\u2178", u"\u2179", u"\u217A", u"\u217B"},
    // ASCII digits.
    {u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"11", u"12"},
    // Fullwidth digits to nine, then ASCII.
    {u"\uFF11", u"\uFF12", u"\uFF13", u"\uFF14", u"\uFF15", u"\uFF16",
     u"\uFF17", u"\uFF18", u"\uFF19", u"10", u"11", u"12"},
    // Fullwidth digits throughout.
    {u"\uFF11", u"\uFF12", u"\uFF13", u"\uFF14", u"\uFF15", u"\uFF16",
     u"\uFF17", u"\uFF18", u"\uFF19", u"\uFF11\uFF10", u"\uFF11\uFF11",
     u"\uFF11\uFF12"},
    // Circled digits.
    {u"\u2460", u"\u2461", u"\u2462", u"\u2463", u"\u2464", u"\u2465",
     u"\u2466", u"\u2467", u"\u2468", u"\u2469", u"\u246A", u"\u246B"},
    // Halfwidth katakana middle dots.
    {u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65",
     u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65", u"\uFF65"},
    // Katakana middle dots at the quarters, halfwidth ones between.
    {u"\uFF65", u"\uFF65", u"\u30FB", u"\uFF65", u"\uFF65", u"\u30FB",
     u"\uFF65", u"\uFF65", u"\u30FB", u"\uFF65", u"\uFF65", u"\u30FB"},
    // Katakana middle dots.
    {u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB",
     u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB", u"\u30FB"},
    // Black circles at the quarters, katakana middle dots between.
    {u"\u30FB", u"\u30FB", u"\u25CF", u"\u30FB", u"\u30FB", u"\u25CF",
     u"\u30FB", u"\u30FB", u"\u25CF", u"\u30FB", u"\u30FB", u"\u25CF"},
    // Black circles.
    {u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF",
     u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF", u"\u25CF"},
    // Kanji numerals.
    {u"\u4E00", u"\u4E8C", u"\u4E09", u"\u56DB", u"\u4E94", u"\u516D",
     u"\u4E03", u"\u516B", u"\u4E5D", u"\u5341", u"\u5341\u4E00",
     u"\u5341\u4E8C"},
    // Formal kanji numerals.
    {u"\u58F1", u"\u5F10", u"\u53C2", u"\u56DB", u"\u4E94", u"\u516D",
     u"\u4E03", u"\u516B", u"\u4E5D", u"\u62FE", u"\u62FE\u58F1",
     u"\u62FE\u5F10"},
    // The twelve earthly branches.
    {u"\u5B50", u"\u4E11", u"\u5BC5", u"\u536F", u"\u8FB0", u"\u5DF3",
     u"\u5348", u"\u672A", u"\u7533", u"\u9149", u"\u620C", u"\u4EA5"},
};

int DialCharacterSetInRange(long long index) {
  const long long wrapped = index % kDialCharacterSets;
  return int(wrapped < 0 ? wrapped + kDialCharacterSets : wrapped);
}
