#include "base/utf.h"

namespace {

// What a UTF-8 lead byte announces: the sequence length and the range its
// second byte must fall in. The narrowed second-byte ranges are what rule out
// overlong forms (E0, F0), encoded surrogates (ED) and values above U+10FFFF
// (F4) without decoding first.
struct Utf8Lead {
  std::size_t length = 0;  // 0: the byte cannot start a sequence
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
};

Utf8Lead LeadOf(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return {2};
  if (lead == 0xE0) return {3, 0xA0, 0xBF};
  if (lead == 0xED) return {3, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF) return {3};
  if (lead == 0xF0) return {4, 0x90, 0xBF};
  if (lead == 0xF4) return {4, 0x80, 0x8F};
  if (lead >= 0xF1 && lead <= 0xF3) return {4};
  return {};
}

}  // namespace

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }
bool IsScalarValue(char32_t c) { return c <= 0x10FFFF && !IsSurrogate(c); }

char32_t NextUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  const Utf8Lead expected = LeadOf(lead);
  if (expected.length == 0) {
    ++pos;
    return kReplacementCharacter;
  }
  char32_t c = lead & (0x7F >> expected.length);
  std::size_t used = 1;
  for (; used < expected.length && pos + used < text.size(); ++used) {
    const auto next = static_cast<unsigned char>(text[pos + used]);
    const unsigned char low = used == 1 ? expected.low : 0x80;
    const unsigned char high = used == 1 ? expected.high : 0xBF;
    if (next < low || next > high) break;
    c = (c << 6) | (next & 0x3F);
  }
  pos += used;
  return used == expected.length ? c : kReplacementCharacter;
}

char32_t NextUtf16(std::u16string_view text, std::size_t& pos) {
  const char16_t unit = text[pos++];
  if (!IsSurrogate(unit)) return unit;
  if (IsHighSurrogate(unit) && pos < text.size() && IsLowSurrogate(text[pos])) {
    const char16_t low = text[pos++];
    return 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (low - 0xDC00);
  }
  return kReplacementCharacter;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (!IsScalarValue(c)) c = kReplacementCharacter;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (!IsScalarValue(c)) c = kReplacementCharacter;
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    AppendUtf8(out, NextUtf16(text, pos));
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    AppendUtf16(out, NextUtf8(text, pos));
  }
  return out;
}

std::u32string Utf16ToUtf32(std::u16string_view text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    out += NextUtf16(text, pos);
  }
  return out;
}

bool IsWellFormedUtf16(std::u16string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const bool surrogate = IsSurrogate(text[pos]);
    if (NextUtf16(text, pos) == kReplacementCharacter && surrogate) {
      return false;
    }
  }
  return true;
}

std::size_t Utf16CutLength(std::u16string_view text, std::size_t maxUnits) {
  if (text.size() <= maxUnits) return text.size();
  std::size_t length = maxUnits;
  if (length > 0 && IsHighSurrogate(text[length - 1])) --length;
  return length;
}
