#include "qt/program_texts.h"

#include "app/startup_text.h"
#include "app/tray_tip.h"
#include "ondrava_version.h"

std::u16string ProgramVersion() {
  const std::string_view text = ONDRAVA_VERSION_TEXT;
  return std::u16string(text.begin(), text.end());
}

std::u16string AboutVersionLine() {
  return std::u16string(kProductName) + u" Version " + ProgramVersion();
}

std::u16string TrayTip() {
  return BuildTipText(kProductName, ProgramVersion(), kLegalNotice);
}

std::u16string TrayTipAfterFailedSave(UiLanguage language,
                                      std::u16string_view path) {
  return TrayTip() + u"\n" + std::u16string(SaveFailedNotice(language)) +
         u": " + std::u16string(path);
}
