#include "settings/settings_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <utility>

#include "support/memory_settings.h"

namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST(SettingValues, IntegersFollowTheCRuntimeRuleAndSaturate) {
  EXPECT_EQ(-42, ParseSettingInt(u"  -42abc"));
  EXPECT_EQ(7, ParseSettingInt(u"\t+7"));
  EXPECT_EQ(9, ParseSettingInt(u"\n\v\f\r 9"));  // the C locale's blanks
  EXPECT_EQ(12, ParseSettingInt(u"12 34"));
  EXPECT_EQ(0, ParseSettingInt(u"0x10"));
  for (auto text : {u"", u"abc", u"-", u"- 5", u"\u0663"}) {
    EXPECT_EQ(0, ParseSettingInt(text));
  }
  EXPECT_EQ(kMax, ParseSettingInt(u"2147483647"));
  EXPECT_EQ(kMin, ParseSettingInt(u"-2147483648"));
  EXPECT_EQ(kMin + 1, ParseSettingInt(u"-2147483647"));
  EXPECT_EQ(kMax, ParseSettingInt(u"2147483648"));
  EXPECT_EQ(kMin, ParseSettingInt(u"-2147483649"));
  EXPECT_EQ(kMax, ParseSettingInt(u"99999999999"));
  EXPECT_EQ(kMax, ParseSettingInt(std::u16string(3000, u'9')));

  EXPECT_EQ(u"-2147483648", FormatSettingInt(kMin));
  EXPECT_EQ(u"0", FormatSettingInt(0));
  for (std::int32_t value : {kMin, -1, 128, kMax}) {
    EXPECT_EQ(value, ParseSettingInt(FormatSettingInt(value)));
  }
}

TEST(SettingValues, DoublesReadTheLongestNumberInFront) {
  EXPECT_EQ(-25.0, ParseSettingDouble(u"  -0.25e2x"));
  EXPECT_EQ(0.5, ParseSettingDouble(u".5"));
  EXPECT_EQ(5.0, ParseSettingDouble(u"5."));
  EXPECT_EQ(1.0, ParseSettingDouble(u"1e"));  // an exponent needs a digit
  EXPECT_EQ(1.0, ParseSettingDouble(u"1e+"));
  EXPECT_EQ(1.0, ParseSettingDouble(u"1,5"));  // never the locale's comma
  EXPECT_EQ(5142.86, ParseSettingDouble(u"5142.86"));
  EXPECT_EQ(12.34, ParseSettingDouble(u"12.34"));
  EXPECT_EQ(12.0, ParseSettingDouble(std::u16string_view(u"1234", 2)));
  EXPECT_EQ(1.2345678901234568e29,
            ParseSettingDouble(u"123456789012345678901234567890"));
  for (auto text : {u"", u".", u"e5", u"-e5", u"abc", u"nan", u"inf"}) {
    EXPECT_EQ(0.0, ParseSettingDouble(text));
  }
  const double kInfinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(kInfinity, ParseSettingDouble(u"1e400"));
  EXPECT_EQ(-std::numeric_limits<double>::infinity(),
            ParseSettingDouble(u"-0.001e99999999999"));
  EXPECT_EQ(0.0, ParseSettingDouble(u"1e-400"));
  EXPECT_EQ(0.0, ParseSettingDouble(std::u16string(400, u' ') + u"1e-350"));
  EXPECT_TRUE(std::signbit(ParseSettingDouble(u"-1e-400")));
  EXPECT_EQ(0.0, ParseSettingDouble(u"0e999999"));
  EXPECT_EQ(1.5e12, ParseSettingDouble(u"1.5e12"));
  // Out of range either way: the first significant digit's place decides,
  // wherever the point and the exponent put it.
  const std::u16string zeros(400, u'0');
  EXPECT_EQ(0.0, ParseSettingDouble(zeros + u"1e-400"));
  EXPECT_EQ(kInfinity, ParseSettingDouble(zeros + u".1e401"));
  EXPECT_EQ(kInfinity, ParseSettingDouble(u"1" + zeros + zeros + u"e-400"));
}

TEST(SettingValues, DoublesFormatLikePrintfG) {
  EXPECT_EQ(u"5142.86", FormatSettingDouble(36000.0 / 7));
  EXPECT_EQ(u"60", FormatSettingDouble(60));
  EXPECT_EQ(u"-0.5", FormatSettingDouble(-0.5));
  EXPECT_EQ(u"1e+20", FormatSettingDouble(1e20));
  // printf itself is the reference for where "%g" switches notation.
  for (double value :
       {0.0, 1e-5, 0.0001, 123456.0, 999999.5, 1234567.0, -2.5e-300, 1.0 / 3}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%g", value);
    EXPECT_EQ(
        std::u16string(expected,
                       expected + std::char_traits<char>::length(expected)),
        FormatSettingDouble(value));
  }
  EXPECT_NEAR(36000.0 / 7, ParseSettingDouble(FormatSettingDouble(36000.0 / 7)),
              0.005);
}

TEST(SettingValues, TypedReadsTellMissingKeysFromBadValues) {
  MemorySettings store;
  store.values = {{{u"S", u"Empty"}, u""},      {{u"S", u"Text"}, u"abc"},
                  {{u"S", u"Num"}, u"  -3x"},   {{u"S", u"true"}, u"true"},
                  {{u"S", u"TRUEX"}, u"TRUEX"}, {{u"S", u"one"}, u"1"},
                  {{u"S", u"yes"}, u"yes"},     {{u"S", u"Tru"}, u"Tru"}};
  // Missing keys give the fallback exactly, not a "%g" rounding of it.
  EXPECT_EQ(36000.0 / 7, ReadDouble(store, u"S", u"Missing", 36000.0 / 7));
  EXPECT_EQ(kMin, ReadInt(store, u"S", u"Missing", kMin));
  EXPECT_TRUE(ReadBool(store, u"S", u"Missing", true));
  // Present but not a number reads as 0, as the C runtime would.
  EXPECT_EQ(0, ReadInt(store, u"S", u"Empty", 128));
  EXPECT_EQ(0, ReadInt(store, u"S", u"Text", 128));
  EXPECT_EQ(0.0, ReadDouble(store, u"S", u"Empty", 2.5));
  EXPECT_EQ(-3, ReadInt(store, u"S", u"Num", 0));
  EXPECT_EQ(-3.0, ReadDouble(store, u"S", u"Num", 0));

  EXPECT_TRUE(ReadBool(store, u"S", u"true", false));
  EXPECT_TRUE(ReadBool(store, u"S", u"TRUEX", false));
  for (auto key : {u"one", u"yes", u"Tru", u"Empty"}) {
    EXPECT_FALSE(ReadBool(store, u"S", key, true));
  }

  WriteBool(store, u"S", u"On", true);
  WriteBool(store, u"S", u"Off", false);
  WriteInt(store, u"S", u"Int", -5);
  WriteDouble(store, u"S", u"Double", 36000.0 / 7);
  EXPECT_EQ(u"True", store.ReadString(u"S", u"On", u""));
  EXPECT_EQ(u"False", store.ReadString(u"S", u"Off", u""));
  EXPECT_EQ(u"-5", store.ReadString(u"S", u"Int", u""));
  EXPECT_EQ(u"5142.86", store.ReadString(u"S", u"Double", u""));
}

}  // namespace
