// The bytes of a UTF-16 settings file as an editor would save it.
#pragma once

#include <string>
#include <string_view>

// `text` in UTF-16, little-endian unless asked otherwise, its byte-order mark
// first.
inline std::string Utf16File(std::u16string_view text, bool bigEndian = false) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t c : text) {
    const char low = static_cast<char>(c & 0xFF);
    const char high = static_cast<char>(c >> 8);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}
