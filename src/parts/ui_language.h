// The language of the interface: the menu, the About box, the tips and the
// dialogs' titles come in Japanese and in English. The user's interface
// language decides; [Option] Language=ja|en in the settings file overrides
// it.
#pragma once

#include <string_view>

enum class UiLanguage { kJapanese, kEnglish };

// "ja" or "en" (any case, blanks around allowed) from the settings file
// wins; anything else leaves the system's choice.
UiLanguage ChooseUiLanguage(std::u16string_view setting,
                            bool systemPrefersJapanese);

// Whether a POSIX locale asks for Japanese messages, with the usual order of
// precedence: LC_ALL, then LC_MESSAGES, then LANG (the first one set and not
// empty decides; "ja", "ja_JP.UTF-8", "ja_JP@..." are Japanese).
bool PosixLocaleIsJapanese(std::string_view lcAll, std::string_view lcMessages,
                           std::string_view lang);

// A text in both languages, picked by the language in use.
struct UiText {
  std::u16string_view japanese;
  std::u16string_view english;
  std::u16string_view In(UiLanguage language) const {
    return language == UiLanguage::kJapanese ? japanese : english;
  }
};
