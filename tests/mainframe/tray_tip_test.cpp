#include "mainframe/tray_tip.h"

#include <gtest/gtest.h>

#include "mainframe/startup_text.h"

TEST(SaveFailedTip, NamesTheProductInTheInterfaceLanguage) {
  EXPECT_EQ(SaveFailedTipText(u"Ondrava", UiLanguage::kJapanese),
            u"Ondrava: 設定を保存できません");
  EXPECT_EQ(SaveFailedTipText(u"Ondrava", UiLanguage::kEnglish),
            u"Ondrava: settings could not be saved");
}

TEST(SaveFailedTip, FitsTheTipFieldWithoutHalfACharacter) {
  const std::u16string longName(100, u'n');
  EXPECT_EQ(SaveFailedTipText(longName, UiLanguage::kEnglish),
            longName.substr(0, kTipCapacity - 1));
  // A surrogate pair straddling the cut is dropped whole.
  std::u16string name(kTipCapacity - 2, u'n');
  name += u"\U0001F30D";
  const std::u16string tip = SaveFailedTipText(name, UiLanguage::kJapanese);
  EXPECT_EQ(tip, name.substr(0, kTipCapacity - 2));
}
