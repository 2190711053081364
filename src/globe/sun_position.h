// Where the Sun stands for an instant in UTC, by the low-precision solar
// formulas of the astronomical almanacs (Meeus, "Astronomical Algorithms",
// chapters 12, 22, 25 and 28): good to about 0.01 degree from 1950 to 2100,
// far finer than a texel of the globe. Time is taken as UTC throughout; the
// difference to terrestrial time moves the Sun by a thousandth of a degree.
#pragma once

#include "platform/win32_types.h"

// Days since 2000-01-01 12:00 UTC (Julian day minus 2451545), exact to the
// millisecond for any Gregorian date.
double DaysSinceJ2000(const SYSTEMTIME& utc);

struct SolarCoordinates {
  double declination;     // degrees
  double rightAscension;  // degrees, 0..360
  double siderealTime;    // Greenwich apparent sidereal time, degrees 0..360
  double equationOfTime;  // apparent minus mean solar time, minutes
};

// The apparent geocentric Sun (aberration and nutation included) and the
// Earth's turn at `days` since J2000.
SolarCoordinates SolarCoordinatesAt(double days);

// The point of the Earth that has the Sun overhead.
struct SubsolarPoint {
  double latitude;   // degrees, north positive
  double longitude;  // degrees, east positive, -180 <= longitude < 180
  bool operator==(const SubsolarPoint&) const = default;
};
SubsolarPoint SubsolarPointAt(double days);
SubsolarPoint SubsolarPointAt(const SYSTEMTIME& utc);
