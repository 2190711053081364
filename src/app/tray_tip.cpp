#include "app/tray_tip.h"

#include "app/startup_text.h"

namespace {
bool IsLeadingSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
}  // namespace

std::u16string_view SaveFailedNotice(UiLanguage language) {
  return UiText{u"設定を保存できません", u"settings could not be saved"}.In(
      language);
}

std::u16string SaveFailedTipText(std::u16string_view productName,
                                 UiLanguage language) {
  std::u16string tip(productName);
  tip.append(u": ").append(SaveFailedNotice(language));
  if (tip.size() > kTipCapacity - 1) {
    tip.resize(kTipCapacity - 1);
    if (IsLeadingSurrogate(tip.back())) tip.pop_back();
  }
  return tip;
}
