#include "app/tray_tip.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/dialog_texts.h"
#include "app/startup_text.h"

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

TEST(DialogTexts, TheTextureFiltersOfBothProgramsNameTheSameKinds) {
  const std::u16string windows = WindowsFileFilter(UiLanguage::kJapanese);
  using namespace std::string_view_literals;
  const std::u16string_view pictures =
      u"画像ファイル(*.bmp;*.png;*.jpg;*.jpeg)\0*.bmp;*.png;*.jpg;*.jpeg\0"sv;
  EXPECT_EQ(windows.substr(0, pictures.size()), pictures);
  EXPECT_NE(windows.find(u"ビットマップファイル(*.bmp)\0*.bmp\0"sv),
            std::u16string::npos);
  EXPECT_EQ(windows.back(), u'\0');
  EXPECT_EQ(windows[windows.size() - 2], u'\0') << "the list ends in two NULs";
  EXPECT_EQ(QtFileFilter(UiLanguage::kEnglish).substr(0, 40),
            u"Pictures (*.bmp *.png *.jpg *.jpeg);;Bit");
  // One Qt entry per Windows entry (two NUL-ended strings each).
  const std::u16string qt = QtFileFilter(UiLanguage::kJapanese);
  std::size_t entries = 1, pos = 0;
  while ((pos = qt.find(u";;", pos)) != std::u16string::npos) ++entries, ++pos;
  EXPECT_EQ(std::count(windows.begin(), windows.end(), u'\0'),
            std::ptrdiff_t(2 * entries + 1));
}
