#include "app/tray_tip.h"

#include "app/startup_text.h"
#include "base/utf.h"

std::u16string_view SaveFailedNotice(UiLanguage language) {
  return UiText{u"設定を保存できません", u"settings could not be saved"}.In(
      language);
}

std::u16string SaveFailedTipText(std::u16string_view productName,
                                 UiLanguage language) {
  std::u16string tip(productName);
  tip.append(u": ").append(SaveFailedNotice(language));
  tip.resize(Utf16CutLength(tip, kTipCapacity - 1));
  return tip;
}
