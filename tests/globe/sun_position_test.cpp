// The Sun against published almanac values; the thousands of instants
// against an ephemeris are compare_sun_with_ephem.py's.
#include "globe/sun_position.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
SYSTEMTIME Utc(int y, int mo, int d, int h = 0, int mi = 0, int s = 0,
               int ms = 0) {
  return {WORD(y), WORD(mo), 0, WORD(d), WORD(h), WORD(mi), WORD(s), WORD(ms)};
}

SolarCoordinates SunAt(const SYSTEMTIME& utc) {
  return SolarCoordinatesAt(DaysSinceJ2000(utc));
}

double WrappedDifference(double a, double b) {
  return std::remainder(a - b, 360.0);
}
}  // namespace

TEST(SunPosition, DaysCountFromJ2000ToTheMillisecond) {
  EXPECT_EQ(DaysSinceJ2000(Utc(2000, 1, 1, 12)), 0.0);
  EXPECT_EQ(DaysSinceJ2000(Utc(1950, 1, 1)), 2433282.5 - 2451545.0);
  EXPECT_EQ(DaysSinceJ2000(Utc(2100, 3, 1)), 2488128.5 - 2451545.0)
      << "2100 is no leap year";
  EXPECT_EQ(DaysSinceJ2000(Utc(2024, 3, 1)) - DaysSinceJ2000(Utc(2024, 2, 28)),
            2.0)
      << "2024 is one";
  EXPECT_NEAR(DaysSinceJ2000(Utc(2000, 1, 1, 12, 0, 0, 1)), 1 / 86400000.0,
              1e-12);
}

TEST(SunPosition, SolsticeAndEquinoxDeclinations) {
  // The June solstice of 2024 was at 20:51 UTC on the 20th, the March
  // equinox at 03:06 UTC on the 20th.
  EXPECT_NEAR(SunAt(Utc(2024, 6, 20, 20, 51)).declination, 23.44, 0.005);
  EXPECT_NEAR(SunAt(Utc(2024, 3, 20, 3, 6)).declination, 0.0, 0.005);
  // The solstice is the year's largest declination.
  for (int days : {-3, -1, 1, 3}) {
    const double around = SunAt(Utc(2024, 6, 20 + days, 20, 51)).declination;
    EXPECT_LT(around, SunAt(Utc(2024, 6, 20, 20, 51)).declination) << days;
  }
  EXPECT_NEAR(SunAt(Utc(2024, 12, 21, 9, 20)).declination, -23.44, 0.005);
}

TEST(SunPosition, EquationOfTimeReachesItsExtremes) {
  double highest = -100, lowest = 100;
  for (int day = 1; day <= 10; ++day)
    highest = std::max(highest, SunAt(Utc(2024, 11, day, 12)).equationOfTime);
  for (int day = 5; day <= 18; ++day)
    lowest = std::min(lowest, SunAt(Utc(2024, 2, day, 12)).equationOfTime);
  EXPECT_NEAR(highest, 16.4, 0.1) << "minutes, early November";
  EXPECT_NEAR(lowest, -14.2, 0.1) << "minutes, mid-February";
  EXPECT_NEAR(SunAt(Utc(2024, 4, 15, 12)).equationOfTime, 0, 0.5)
      << "crosses zero in mid-April";
}

TEST(SunPosition, SubsolarLongitudeFollowsApparentSolarTime) {
  // The Sun stands over the meridian where apparent noon is: 15 degrees
  // west per hour after 12:00 UTC, corrected by the equation of time.
  for (const SYSTEMTIME& t :
       {Utc(1951, 7, 4, 6, 30), Utc(2024, 3, 20, 12), Utc(2024, 11, 3, 23, 59),
        Utc(2099, 12, 31, 17, 15, 30)}) {
    const SubsolarPoint p = SubsolarPointAt(t);
    const double hours = t.wHour + t.wMinute / 60.0 + t.wSecond / 3600.0;
    const double expected = -15 * (hours - 12) - SunAt(t).equationOfTime / 4;
    EXPECT_NEAR(WrappedDifference(p.longitude, expected), 0, 0.01);
    EXPECT_DOUBLE_EQ(p.latitude, SunAt(t).declination);
  }
}

TEST(SunPosition, TheSubsolarPointMovesWestAQuarterDegreeAMinute) {
  const SubsolarPoint a = SubsolarPointAt(Utc(2030, 5, 5, 23, 59));
  const SubsolarPoint b = SubsolarPointAt(Utc(2030, 5, 6, 0, 0));
  EXPECT_NEAR(WrappedDifference(b.longitude, a.longitude), -0.25, 0.001);
  EXPECT_NEAR(b.latitude - a.latitude, 0, 0.001);
}

TEST(SunPosition, CoordinatesStayInTheirRanges) {
  for (int year = 1950; year <= 2100; year += 7)
    for (int month = 1; month <= 12; month += 5)
      for (int hour = 0; hour < 24; hour += 5) {
        const SYSTEMTIME t = Utc(year, month, 28, hour, 13);
        const SubsolarPoint p = SubsolarPointAt(t);
        EXPECT_GE(p.longitude, -180);
        EXPECT_LT(p.longitude, 180);
        EXPECT_LE(std::fabs(p.latitude), 23.45);
        const SolarCoordinates c = SunAt(t);
        EXPECT_GE(c.rightAscension, 0);
        EXPECT_LT(c.rightAscension, 360);
        EXPECT_GE(c.siderealTime, 0);
        EXPECT_LT(c.siderealTime, 360);
      }
}
