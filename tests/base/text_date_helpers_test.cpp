#include <gtest/gtest.h>

#include <string>

#include "base/date_helpers.h"
#include "base/text_helpers.h"

namespace {

std::u16string WithExtension(std::u16string path) {
  ChangeExtension(path, u"ini");
  return path;
}

TEST(TextHelpers, FindLastOfNeverReportsTheFirstCharacter) {
  EXPECT_EQ(3u, FindLastOf(u".:", u"a.b.c"));
  EXPECT_EQ(0u, FindLastOf(u".", u".abc"));
  EXPECT_EQ(0u, FindLastOf(u".", u""));
}

TEST(TextHelpers, ChangeExtensionReplacesOnlyTheFileNamesExtension) {
  EXPECT_EQ(u"C:\\Apps\\clock.ini", WithExtension(u"C:\\Apps\\clock.exe"));
  EXPECT_EQ(u"a.b.ini", WithExtension(u"a.b.c"));
  EXPECT_EQ(u"clock.ini", WithExtension(u"clock."));
  // Without an extension of its own the file name gets one appended.
  EXPECT_EQ(u"C:\\v1.2\\clock.ini", WithExtension(u"C:\\v1.2\\clock"));
  EXPECT_EQ(u"/opt/v1.2/clock.ini", WithExtension(u"/opt/v1.2/clock"));
  EXPECT_EQ(u"C:clock.ini", WithExtension(u"C:clock"));
  EXPECT_EQ(u".rc.ini", WithExtension(u".rc"));
}

TEST(TextHelpers, BooleansReadByTheirFirstFourLetters) {
  for (auto text : {u"true", u"True", u"tRuEx", u"TRUEX"}) {
    EXPECT_TRUE(ParseBool(text));
  }
  for (auto text : {u"", u"TRU", u"yes", u" TRUE", u"False"}) {
    EXPECT_FALSE(ParseBool(text));
  }
  EXPECT_EQ(u"True", FormatBool(-1));
  EXPECT_EQ(u"False", FormatBool(0));
  EXPECT_EQ(u"False", FormatBool(0x100));  // only the low byte counts
  EXPECT_TRUE(ParseBool(FormatBool(1)));
}

TEST(DateHelpers, LeapYearsAndMonthLengthsFollowTheGregorianRule) {
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_TRUE(IsLeapYear(2004));
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_FALSE(IsLeapYear(2023));
  for (int year : {2023, 2024, 2100}) {
    int days = 0;
    for (int month = 1; month <= 12; ++month) days += DaysInMonth(year, month);
    EXPECT_EQ(IsLeapYear(year) ? 366 : 365, days) << year;
  }
  EXPECT_EQ(29, DaysInMonth(2024, 2));
  EXPECT_EQ(28, DaysInMonth(2100, 2));
  EXPECT_EQ(30, DaysInMonth(2023, 4));
  EXPECT_EQ(0, DaysInMonth(2023, 0));
  EXPECT_EQ(0, DaysInMonth(2023, 13));
}

}  // namespace
