#include "parts/clock/clock_model.h"

#include <gtest/gtest.h>

#include <cmath>

#include "parts/clock/calendar_model.h"
#include "parts/clock/dial_characters.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

// A time of day on 7 December 2026.
SYSTEMTIME At(int h, int m, int s, int ms = 0) {
  return {2026, 12, 0, 7, WORD(h), WORD(m), WORD(s), WORD(ms)};
}

SYSTEMTIME Day(int year, int month, int day, int dayOfWeek) {
  return {WORD(year), WORD(month), WORD(dayOfWeek), WORD(day), 0, 0, 0, 0};
}
}  // namespace

TEST(Hover, RisesOncePerTenthUpToFortyAndFallsToZero) {
  HoverState h;
  for (int tenth = 1; tenth <= 10; ++tenth) h = StepHover(h, true, tenth);
  EXPECT_EQ(h.count, 10);
  h = StepHover(h, true, 10);  // the same tenth again: no change
  h = StepHover(h, false, 10);
  EXPECT_EQ(h.count, 10);
  for (int tenth = 11; tenth <= 60; ++tenth) h = StepHover(h, true, tenth);
  EXPECT_EQ(h.count, kHoverMax);
  EXPECT_EQ(h.stamp, 40) << "the stamp stays at the last change";
  for (int tenth = 100; tenth <= 200; ++tenth) h = StepHover(h, false, tenth);
  EXPECT_EQ(h.count, 0);
  EXPECT_EQ(TenthsSinceMidnight(At(10, 15, 42, 799)), 369427);
}

TEST(HandTime, SmoothRuleDecidesWhatTheHandsShow) {
  const SYSTEMTIME now = At(10, 15, 42, 700);
  SYSTEMTIME t = HandTime(now, false, false);
  EXPECT_EQ(t.wHour * 10000 + t.wMinute * 100 + t.wSecond, 101500);
  EXPECT_EQ(t.wMilliseconds, 0);
  EXPECT_EQ(t.wYear + t.wMonth + t.wDay + t.wDayOfWeek, 0);
  t = HandTime(now, false, true);
  EXPECT_EQ(t.wSecond, 42);
  EXPECT_EQ(t.wMilliseconds, 0);
  t = HandTime(now, true, false);
  EXPECT_EQ(t.wMilliseconds, 700);
}

TEST(HandAngles, TurnClockwiseFromTwelve) {
  const HandAngles three = AnglesOf(At(3, 0, 0));
  EXPECT_NEAR(three.hour, -kPi / 2, 1e-12);
  EXPECT_NEAR(three.minute, 0, 1e-12);
  const HandAngles halfPastSix = AnglesOf(At(6, 30, 0));
  EXPECT_NEAR(halfPastSix.hour, -13 * kPi / 12, 1e-12);
  EXPECT_NEAR(halfPastSix.minute, -kPi, 1e-12);
  for (const SYSTEMTIME& upright : {At(0, 0, 0), At(12, 0, 0)}) {
    const HandAngles a = AnglesOf(upright);
    for (double angle : {a.hour, a.minute, a.second})
      EXPECT_NEAR(std::fmod(angle, 2 * kPi), 0, 1e-9);
  }
  EXPECT_NEAR(AnglesOf(At(0, 0, 15)).second, -kPi / 2, 1e-9);
}

TEST(FaceGeometry, SizesFollowTheClientAreaAndCharacterSize) {
  const FaceGeometry g = FaceGeometryFor(144, 144, 100);
  EXPECT_DOUBLE_EQ(g.characterHeight, 24);
  EXPECT_EQ(g.fontHeight, -24);
  EXPECT_EQ(g.hourLength, 48);
  EXPECT_EQ(g.hourWidth, 9);
  EXPECT_EQ(g.minuteLength, 72);
  EXPECT_EQ(g.minuteWidth, 7);
  EXPECT_EQ(g.secondLength, 72);
  EXPECT_EQ(g.secondWidth, 3);
  EXPECT_EQ(FaceGeometryFor(200, 200, 100).fontHeight, -32);
  EXPECT_EQ(FaceGeometryFor(200, 200, 200).fontHeight, -64);
  // A narrow area: hands as wide as for the smaller side, as long as the
  // half height.
  const FaceGeometry tall = FaceGeometryFor(100, 200, 100);
  EXPECT_EQ(tall.hourWidth, 50 / 8);
  EXPECT_EQ(tall.minuteLength, 100);
}

TEST(DialPlacement, CharactersHangInsideTheRimUprightOrTurned) {
  const FaceGeometry g = FaceGeometryFor(144, 144, 100);
  EXPECT_EQ(DialEscapement(2), 2700);  // three o'clock, turned
  EXPECT_EQ(DialEscapement(11), 0);
  EXPECT_EQ(DialEscapement(0), 3300);
  // sin(2 pi) and cos(pi / 2) are a hair away from zero, and whether that
  // hair survives truncation depends on the precision the CPU computes in:
  // those coordinates may be one lower. Twelve hangs at the top turned or
  // upright (on the circle of radius cx - E/2 = 60 around (72, 72 - 12)).
  for (bool turned : {true, false}) {
    const POINT twelve = DialReferencePoint(g, 11, turned);
    EXPECT_NEAR(twelve.x, 71.5, 0.5) << "turned " << turned;
    EXPECT_EQ(twelve.y, -1) << "turned " << turned;
  }
  const POINT threeTurned = DialReferencePoint(g, 2, true);
  EXPECT_EQ(threeTurned.x, 144);
  EXPECT_NEAR(threeTurned.y, 70.5, 0.5);
  const POINT six = DialReferencePoint(g, 5, false);
  EXPECT_EQ(six.y, 119);
}

TEST(DialCharacters, SetsAreComplete) {
  EXPECT_EQ(std::u16string(kDialCharacters[15][0]), u"\u5B50");  // 子 at one
  EXPECT_EQ(std::u16string(kDialCharacters[15][11]),
            u"\u4EA5");  // 亥 at twelve
  EXPECT_EQ(std::u16string(kDialCharacters[0][3]), u"IV");
  for (const auto& set : kDialCharacters)
    for (const char16_t* text : set) EXPECT_TRUE(text && text[0]);
  EXPECT_EQ(DialCharacterSetInRange(16), 0);
  EXPECT_EQ(DialCharacterSetInRange(-1), 15);
  EXPECT_EQ(DialCharacterSetInRange(-2147483648LL), 0);
  EXPECT_EQ(DialCharacterSetInRange(7), 7);
}

TEST(Calendar, FadesInOverEightTenthsAfterOneSecond) {
  const int expected[] = {0, 32, 64, 96, 128, 160, 192, 224, 255, 255};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(CalendarAlpha(10 + i), expected[i]);
  EXPECT_EQ(CalendarAlpha(40), 255);
  EXPECT_FALSE(CalendarShown(9));
  EXPECT_TRUE(CalendarShown(10));
  EXPECT_TRUE(CalendarShown(40));
}

TEST(Calendar, FirstDayLandsInItsWeekdayColumn) {
  // 1 March 2026 was a Sunday: 1 goes top-left.
  EXPECT_EQ(FirstWeekday(Day(2026, 3, 18, 3)), 0);
  EXPECT_EQ(DayInCell(0, 0, 0), 1);
  // 1 August 2026 was a Saturday: 1 top-right, and the 31-day month needs
  // all six rows, ending with 30 and 31.
  const int first = FirstWeekday(Day(2026, 8, 7, 5));
  EXPECT_EQ(first, 6);
  EXPECT_EQ(DayInCell(first, 0, 6), 1);
  EXPECT_EQ(DayInCell(first, 5, 0), 30);
  EXPECT_EQ(DayInCell(first, 5, 1), 31);
  EXPECT_EQ(CalendarTitle(Day(2002, 12, 6, 5)), u"2002/12/6");
}
