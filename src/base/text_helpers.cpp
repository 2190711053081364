#include "base/text_helpers.h"

namespace {

char16_t AsciiUpper(char16_t c) {
  return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

std::size_t FindLastOf(std::u16string_view characters,
                       std::u16string_view text) {
  for (std::size_t i = text.size(); i > 1; --i) {
    if (characters.find(text[i - 1]) != std::u16string_view::npos) return i - 1;
  }
  return 0;
}

void ChangeExtension(std::u16string& path, std::u16string_view ext) {
  // Stopping at separators too keeps "C:\dir.v2\clock" from losing its
  // file name to the directory's dot.
  const std::size_t mark = FindLastOf(u".:\\/", path);
  if (mark > 0 && path[mark] == u'.') {
    path.resize(mark + 1);
  } else {
    path += u'.';
  }
  path += ext;
}

bool ParseBool(std::u16string_view text) {
  constexpr std::u16string_view kTrue = u"TRUE";
  if (text.size() < kTrue.size()) return false;
  for (std::size_t i = 0; i < kTrue.size(); ++i) {
    if (AsciiUpper(text[i]) != kTrue[i]) return false;
  }
  return true;
}

std::u16string_view FormatBool(int value) {
  return (value & 0xFF) != 0 ? u"True" : u"False";
}
