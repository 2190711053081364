#include "app/startup_text.h"

#include <gtest/gtest.h>

TEST(StartupText, ArgumentsFollowTheProgramName) {
  EXPECT_EQ(ArgumentsAfterProgramName(u"Ondrava.exe"), u"");
  EXPECT_EQ(ArgumentsAfterProgramName(u"Ondrava.exe  \t D:\\cfg\\clock.ini"),
            u"D:\\cfg\\clock.ini");
  EXPECT_EQ(ArgumentsAfterProgramName(
                u"\"C:\\Program Files\\Ondrava.exe\" \"E:\\my cfg.ini\" "),
            u"\"E:\\my cfg.ini\" ");
  EXPECT_EQ(ArgumentsAfterProgramName(u"\"C:\\unterminated x"), u"");
}

TEST(StartupText, SettingsPathLosesEnclosingQuotesAndTrailingBlanks) {
  EXPECT_EQ(SettingsPathFromArguments(u"D:\\cfg\\clock.ini"),
            u"D:\\cfg\\clock.ini");
  EXPECT_EQ(SettingsPathFromArguments(u"\"E:\\my cfg.ini\" \t"),
            u"E:\\my cfg.ini");
  EXPECT_EQ(SettingsPathFromArguments(u"D:\\a b.ini  "), u"D:\\a b.ini");
  EXPECT_EQ(SettingsPathFromArguments(u"   "), u"");
  EXPECT_EQ(SettingsPathFromArguments(u"\""), u"\"");  // a lone quote is kept
}

TEST(StartupText, SettingsFileSitsBesideTheExecutable) {
  EXPECT_EQ(SettingsPathBesideExecutable(u"C:\\Tools\\Ondrava.exe"),
            u"C:\\Tools\\Ondrava.ini");
  EXPECT_EQ(SettingsPathBesideExecutable(u"C:\\v1.2\\Ondrava"),
            u"C:\\v1.2\\Ondrava.ini");
  EXPECT_EQ(SettingsPathBesideExecutable(u""), u"");
}

TEST(StartupText, TipTextFitsTheTipField) {
  EXPECT_EQ(BuildTipText(u"Ondrava", u"1.0.0.1", u"(C) 2026"),
            u"Ondrava Ver. 1.0.0.1 (C) 2026");
  const std::u16string longNotice(200, u'x');
  const std::u16string tip = BuildTipText(u"Ondrava", u"1.0.0.1", longNotice);
  EXPECT_EQ(tip.size(), kTipCapacity - 1);
  EXPECT_EQ(tip.substr(0, 21), u"Ondrava Ver. 1.0.0.1 ");
  // A surrogate pair straddling the cut is dropped whole.
  std::u16string notice(41, u'x');
  notice += u"\U0001F30D";
  EXPECT_EQ(BuildTipText(u"Ondrava", u"1.0.0.1", notice).size(), 62u);
}
