// What a toolkit reports, turned into what the frame parts read: device
// pixels, the font dialog's choice, radio items, the
// portable settings path and the fixed time of the test seam.
#include <gtest/gtest.h>

#include "app/device_pixels.h"
#include "app/fixed_time.h"
#include "app/font_choice.h"
#include "app/menu_choices.h"
#include "app/program_folder.h"
#include "parts/command_ids.h"

namespace {
LOGFONTW FontNamed(std::u16string_view face) {
  LOGFONTW font{};
  std::copy(face.begin(), face.end(), font.lfFaceName);
  return font;
}

// The face name up to its terminator (WCHAR is wchar_t on Windows).
std::u16string Face(const LOGFONTW& font) {
  std::u16string face;
  for (int i = 0; i < LF_FACESIZE && font.lfFaceName[i]; ++i)
    face.push_back(char16_t(font.lfFaceName[i]));
  return face;
}
}  // namespace

TEST(ToolkitBridge, FramesAreDrawnAtDevicePixels) {
  const RECT r = DeviceClientRect(128, 100, 1.5);
  EXPECT_EQ(r.right, 192);
  EXPECT_EQ(r.bottom, 150);
  EXPECT_EQ(DeviceClientRect(128, 128, 0).right, 128) << "a broken ratio is 1";
  EXPECT_EQ(DeviceClientRect(128, 128, -2).right, 128);
  const POINT p = ToDevicePixel(127.9, 10.5, 2);
  EXPECT_EQ(p.x, 255);
  EXPECT_EQ(p.y, 21);
  EXPECT_EQ(ToDevicePixel(-0.5, 0, 1).x, -1) << "left of the window stays out";
  EXPECT_EQ(DevicePixelsPerInch(96, 2), 192);
  EXPECT_EQ(DevicePixelsPerInch(0, 1), 96);
}

TEST(ToolkitBridge, TheFontDialogOpensWithTheFaceWeightItalicAndSize) {
  LOGFONTW font = FontNamed(u"IPAGothic");
  font.lfWeight = FW_BOLD;
  font.lfItalic = 1;
  const FontChoice shown = FontChoiceFromLogFont(font, 125);
  EXPECT_EQ(shown.family, u"IPAGothic");
  EXPECT_EQ(shown.weight, FW_BOLD);
  EXPECT_TRUE(shown.italic);
  EXPECT_EQ(shown.pointSizeTenths, 125);
  font.lfWeight = 0;  // FW_DONTCARE
  EXPECT_EQ(FontChoiceFromLogFont(font, 100).weight, FW_NORMAL);
}

TEST(ToolkitBridge, TheFontDialogsChoiceBecomesTheLogFontAndTheSize) {
  LOGFONTW font = FontNamed(u"Old Face With A Long Name");
  int tenths = 0;
  ApplyFontChoice({u"DejaVu Sans", 600, true, 240}, 96, font, tenths);
  EXPECT_EQ(Face(font), u"DejaVu Sans")
      << "the rest of the old name is cleared";
  EXPECT_EQ(font.lfWeight, 600);
  EXPECT_EQ(font.lfItalic, 1);
  EXPECT_EQ(font.lfHeight, -32) << "24 points at 96 pixels per inch";
  EXPECT_EQ(tenths, 240);
  ApplyFontChoice({u"X", 5000, false, -3}, 120, font, tenths);
  EXPECT_EQ(font.lfWeight, 1000);
  EXPECT_EQ(font.lfItalic, 0);
  EXPECT_EQ(tenths, 1);
}

TEST(ToolkitBridge, ALongFamilyIsCutWithoutSplittingASurrogatePair) {
  std::u16string family(30, u'a');
  family += u"\U0001F600";  // units 31 and 32
  LOGFONTW font{};
  int tenths = 0;
  ApplyFontChoice({family, 400, false, 100}, 96, font, tenths);
  EXPECT_EQ(Face(font), std::u16string(30, u'a'));
  family = std::u16string(40, u'b');
  ApplyFontChoice({family, 400, false, 100}, 96, font, tenths);
  EXPECT_EQ(Face(font).size(), 31u);
}

TEST(ToolkitBridge, PointSizesRoundToTenths) {
  EXPECT_EQ(PointSizeTenths(10.04), 100);
  EXPECT_EQ(PointSizeTenths(10.06), 101);
  EXPECT_EQ(PointSizeTenths(0), 1);
  EXPECT_EQ(PointSizeTenths(-4), 1);
  EXPECT_EQ(PointSizeTenths(1e12), 16384);
}

TEST(ToolkitBridge, OnlyTheAngleAndSpeedItemsAreRadioItems) {
  EXPECT_TRUE(IsOneOfManyCommand(IDM_TILT_FIRST));
  EXPECT_TRUE(IsOneOfManyCommand(IDM_TILT_LAST));
  EXPECT_TRUE(IsOneOfManyCommand(IDM_SPEED_FIRST));
  EXPECT_TRUE(IsOneOfManyCommand(IDM_SPEED_CUSTOM));
  EXPECT_FALSE(IsOneOfManyCommand(IDM_FAR_SIDE));
  EXPECT_FALSE(IsOneOfManyCommand(IDM_CLICK_THROUGH));
}

TEST(ToolkitBridge, ThePortableCopyIsOndravaIniBesideTheProgram) {
  EXPECT_EQ(SettingsPathInProgramFolder(u"/opt/ondrava/bin/ondrava"),
            u"/opt/ondrava/bin/Ondrava.ini");
  EXPECT_EQ(SettingsPathInProgramFolder(u"/ondrava"), u"/Ondrava.ini");
  EXPECT_EQ(SettingsPathInProgramFolder(u"ondrava"), u"");
  EXPECT_EQ(SettingsPathInProgramFolder(u""), u"");
}

TEST(ToolkitBridge, TheFixedTimeIsReadWithItsWeekday) {
  const auto t = ParseFixedTime("2028-02-29T23:59:58.125");
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(t->wYear, 2028);
  EXPECT_EQ(t->wMonth, 2);
  EXPECT_EQ(t->wDay, 29);
  EXPECT_EQ(t->wDayOfWeek, 2) << "a Tuesday";
  EXPECT_EQ(t->wHour, 23);
  EXPECT_EQ(t->wMinute, 59);
  EXPECT_EQ(t->wSecond, 58);
  EXPECT_EQ(t->wMilliseconds, 125);
  const auto plain = ParseFixedTime("2026-01-01 10:08:30");
  ASSERT_TRUE(plain.has_value());
  EXPECT_EQ(plain->wDayOfWeek, 4) << "a Thursday";
  EXPECT_EQ(plain->wMilliseconds, 0);
}

TEST(ToolkitBridge, AFixedTimeThatDoesNotExistIsNoTime) {
  for (const char* bad :
       {"", "2026-01-01", "2027-02-29T00:00:00", "2026-13-01T00:00:00",
        "2026-01-01T24:00:00", "2026-01-01T-1:00:00", "2026-01-01T10:08:30.5",
        "2026-01-01T10:08:30x", "1600-01-01T00:00:00", "2026/01/01T00:00:00"})
    EXPECT_FALSE(ParseFixedTime(bad).has_value()) << bad;
}
