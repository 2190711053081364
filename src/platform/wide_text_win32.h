// The program's UTF-16 text (char16_t) as the wide strings of the Windows
// API (wchar_t) and back: the same code units on Windows, so nothing is
// converted, only seen through the other type. For files built for Windows
// only.
#pragma once

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t),
              "wide text is UTF-16 only on Windows");

// The text's terminated characters.
inline const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// The view's characters, for calls that take a length: not terminated.
inline const wchar_t* WideData(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

inline std::u16string Narrowed(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}
