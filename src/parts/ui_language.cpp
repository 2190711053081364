#include "parts/ui_language.h"

namespace {
template <class Char>
std::basic_string_view<Char> Trimmed(std::basic_string_view<Char> text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? c + 32 : c; }
}  // namespace

UiLanguage ChooseUiLanguage(std::u16string_view setting,
                            bool systemPrefersJapanese) {
  const std::u16string_view name = Trimmed(setting);
  if (name.size() == 2) {
    const char16_t a = Lower(name[0]), b = Lower(name[1]);
    if (a == u'j' && b == u'a') return UiLanguage::kJapanese;
    if (a == u'e' && b == u'n') return UiLanguage::kEnglish;
  }
  return systemPrefersJapanese ? UiLanguage::kJapanese : UiLanguage::kEnglish;
}

bool PosixLocaleIsJapanese(std::string_view lcAll, std::string_view lcMessages,
                           std::string_view lang) {
  std::string_view locale = !lcAll.empty()        ? lcAll
                            : !lcMessages.empty() ? lcMessages
                                                  : lang;
  if (locale.substr(0, 2) != "ja") return false;
  return locale.size() == 2 || locale[2] == '_' || locale[2] == '.' ||
         locale[2] == '@';
}
