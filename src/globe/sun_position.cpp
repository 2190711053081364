#include "globe/sun_position.h"

#include <cmath>
#include <cstdint>

#include "base/angles.h"

namespace {

double Sin(double degrees) { return std::sin(degrees * kDegree); }
double Cos(double degrees) { return std::cos(degrees * kDegree); }

// An angle brought into [0, 360).
double Turn(double degrees) {
  const double a = std::fmod(degrees, 360.0);
  return a < 0 ? a + 360 : a;
}

// An angle brought into [-180, 180).
double HalfTurn(double degrees) {
  const double a = Turn(degrees + 180) - 180;
  return a >= 180 ? a - 360 : a;
}

// Days from 1970-01-01 to a Gregorian date (Hinnant's days_from_civil).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + std::int64_t(doe) - 719468;
}

// Nutation in longitude, degrees: the four largest terms, good to half a
// second of arc.
double NutationInLongitude(double t, double node) {
  const double sunLongitude = 280.4665 + 36000.7698 * t;
  const double moonLongitude = 218.3165 + 481267.8813 * t;
  return (-17.20 * Sin(node) - 1.32 * Sin(2 * sunLongitude) -
          0.23 * Sin(2 * moonLongitude) + 0.21 * Sin(2 * node)) /
         3600;
}
}  // namespace

double DaysSinceJ2000(const SYSTEMTIME& utc) {
  const std::int64_t days =
      DaysFromCivil(utc.wYear, utc.wMonth, utc.wDay) - 10957;  // 2000-01-01
  const double milliseconds =
      ((utc.wHour * 60.0 + utc.wMinute) * 60.0 + utc.wSecond) * 1000.0 +
      utc.wMilliseconds;
  return double(days) - 0.5 + milliseconds / 86400000.0;
}

SolarCoordinates SolarCoordinatesAt(double days) {
  const double t = days / 36525;  // Julian centuries
  const double meanLongitude = 280.46646 + 36000.76983 * t + 0.0003032 * t * t;
  const double meanAnomaly = 357.52911 + 35999.05029 * t - 0.0001537 * t * t;
  const double centre =
      (1.914602 - 0.004817 * t - 0.000014 * t * t) * Sin(meanAnomaly) +
      (0.019993 - 0.000101 * t) * Sin(2 * meanAnomaly) +
      0.000289 * Sin(3 * meanAnomaly);
  const double node = 125.04 - 1934.136 * t;  // the Moon's ascending node
  // Aberration (-20.5") and the main term of nutation.
  const double apparentLongitude =
      meanLongitude + centre - 0.00569 - 0.00478 * Sin(node);
  const double meanObliquity =
      23.0 +
      (26.0 + (21.448 - t * (46.8150 + t * (0.00059 - 0.001813 * t))) / 60) /
          60;
  const double obliquity = meanObliquity + 0.00256 * Cos(node);

  SolarCoordinates sun;
  sun.rightAscension = Turn(std::atan2(Cos(obliquity) * Sin(apparentLongitude),
                                       Cos(apparentLongitude)) /
                            kDegree);
  sun.declination =
      std::asin(Sin(obliquity) * Sin(apparentLongitude)) / kDegree;
  const double equinoxes = NutationInLongitude(t, node) * Cos(obliquity);
  const double meanSidereal = 280.46061837 + 360.98564736629 * days +
                              t * t * (0.000387933 - t / 38710000);
  sun.siderealTime = Turn(meanSidereal + equinoxes);
  sun.equationOfTime =
      4 * HalfTurn(meanLongitude - 0.0057183 - sun.rightAscension + equinoxes);
  return sun;
}

SubsolarPoint SubsolarPointAt(double days) {
  const SolarCoordinates sun = SolarCoordinatesAt(days);
  return {sun.declination, HalfTurn(sun.rightAscension - sun.siderealTime)};
}

SubsolarPoint SubsolarPointAt(const SYSTEMTIME& utc) {
  return SubsolarPointAt(DaysSinceJ2000(utc));
}
