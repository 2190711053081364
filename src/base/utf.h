// UTF-8, UTF-16 and code points, with one rule for text that is not valid:
// an unpaired surrogate, or each maximal invalid subpart of a UTF-8 sequence
// (the Unicode / WHATWG "substitution of maximal subparts" practice), becomes
// U+FFFD. Overlong forms, surrogates encoded in UTF-8 and values above
// U+10FFFF are invalid UTF-8. So every reader of foreign text in the program
// sees the same characters in the same broken bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char32_t c);
bool IsLowSurrogate(char32_t c);
bool IsSurrogate(char32_t c);
// A code point that may be encoded: at most U+10FFFF and not a surrogate.
bool IsScalarValue(char32_t c);

// The code point whose encoding starts at `pos` (which must be before the
// end), or U+FFFD for an invalid sequence; `pos` moves past what was read: a
// whole character, or one maximal invalid subpart.
char32_t NextUtf8(std::string_view text, std::size_t& pos);
// Likewise for UTF-16: a surrogate pair or one unit, an unpaired surrogate
// giving U+FFFD.
char32_t NextUtf16(std::u16string_view text, std::size_t& pos);

// Append the encoding of `c`; anything but a scalar value as U+FFFD.
void AppendUtf8(std::string& out, char32_t c);
void AppendUtf16(std::u16string& out, char32_t c);

// How many units of `text` to keep to cut it to at most `maxUnits` without
// splitting a surrogate pair: a high surrogate left last by the cut goes too.
std::size_t Utf16CutLength(std::u16string_view text, std::size_t maxUnits);

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
std::u32string Utf16ToUtf32(std::u16string_view text);

// No unpaired surrogate: the text has an exact UTF-8 form.
bool IsWellFormedUtf16(std::u16string_view text);
