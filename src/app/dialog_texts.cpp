#include "app/dialog_texts.h"

namespace {
std::u16string Patterns(const FileKind& kind, char16_t separator) {
  std::u16string text;
  for (std::u16string_view pattern : kind.patterns) {
    if (pattern.empty()) break;
    if (!text.empty()) text += separator;
    text += pattern;
  }
  return text;
}

// Japanese names take the patterns without a blank, English ones after one.
std::u16string Label(const FileKind& kind, UiLanguage language,
                     char16_t separator) {
  std::u16string label(kind.name.In(language));
  if (language == UiLanguage::kEnglish) label += u' ';
  return label + u"(" + Patterns(kind, separator) + u")";
}
}  // namespace

std::u16string WindowsFileFilter(UiLanguage language) {
  std::u16string filter;
  for (const FileKind& kind : kTextureFileKinds) {
    filter += Label(kind, language, u';');
    filter += u'\0';
    filter += Patterns(kind, u';');
    filter += u'\0';
  }
  filter += u'\0';
  return filter;
}

std::u16string QtFileFilter(UiLanguage language) {
  std::u16string filter;
  for (const FileKind& kind : kTextureFileKinds) {
    if (!filter.empty()) filter += u";;";
    filter += Label(kind, language, u' ');
  }
  return filter;
}
