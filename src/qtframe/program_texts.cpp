#include "qtframe/program_texts.h"

#include "mainframe/startup_text.h"
#include "ondrava_version.h"

std::u16string ProgramVersion() {
  const std::string_view text = ONDRAVA_VERSION_TEXT;
  return std::u16string(text.begin(), text.end());
}

std::u16string AboutVersionLine() {
  return std::u16string(kProductName) + u" Version " + ProgramVersion();
}

std::u16string_view AboutTitle(UiLanguage language) {
  return UiText{u"バージョン情報", u"About Ondrava"}.In(language);
}

std::u16string TrayTip() {
  return BuildTipText(kProductName, ProgramVersion(), kLegalNotice);
}

std::u16string TrayTipAfterFailedSave(UiLanguage language,
                                      std::u16string_view path) {
  return TrayTip() + u"\n" +
         std::u16string(UiText{u"設定を保存できませんでした: ",
                               u"The settings could not be saved: "}
                            .In(language)) +
         std::u16string(path);
}

std::u16string_view TextureDialogTitle(UiLanguage language) {
  return UiText{u"テクスチャファイルを開く", u"Open Texture File"}.In(language);
}

std::u16string_view TextureDialogFilter(UiLanguage language) {
  return UiText{u"ビットマップファイル (*.bmp)", u"Bitmap Files (*.bmp)"}.In(
      language);
}
