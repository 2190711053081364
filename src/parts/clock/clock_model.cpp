#include "parts/clock/clock_model.h"

#include <algorithm>
#include <cmath>

#include "base/angles.h"

namespace {

double Fraction(double x) { return x - std::trunc(x); }

std::int32_t Truncate(double v) {
  if (!(v > -2147483648.0 && v < 2147483648.0)) return 0;
  return static_cast<std::int32_t>(v);
}
}  // namespace

std::int32_t TenthsSinceMidnight(const SYSTEMTIME& t) {
  return ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 10 +
         t.wMilliseconds / 100;
}

HoverState StepHover(HoverState state, bool onDial, std::int32_t tenth) {
  if (tenth == state.stamp) return state;
  if (onDial && state.count < kHoverMax) {
    ++state.count;
    state.stamp = tenth;
  } else if (!onDial && state.count > 0) {
    --state.count;
    state.stamp = tenth;
  }
  return state;
}

SYSTEMTIME HandTime(const SYSTEMTIME& now, bool smooth, bool secondHand) {
  SYSTEMTIME t = now;
  t.wYear = t.wMonth = t.wDayOfWeek = t.wDay = 0;
  if (!smooth) {
    t.wMilliseconds = 0;
    if (!secondHand) t.wSecond = 0;
  }
  return t;
}

HandAngles AnglesOf(const SYSTEMTIME& t) {
  const long double day =
      (((t.wMilliseconds * 0.001L + t.wSecond) / 60 + t.wMinute) / 60 +
       t.wHour) /
      24;
  const double d = double(day);
  const double hourFraction = Fraction(24 * d);
  const double minuteFraction = Fraction(60 * hourFraction);
  return {-4 * kPi * d, -2 * kPi * hourFraction, -2 * kPi * minuteFraction};
}

FaceGeometry FaceGeometryFor(std::int32_t width, std::int32_t height,
                             std::int32_t sizePercent) {
  FaceGeometry g{};
  const double w12 = width / 12, h12 = height / 12;  // integer divisions
  g.characterHeight =
      std::sqrt(2 * (w12 * w12 + h12 * h12)) * sizePercent * 0.01;
  g.fontHeight = -Truncate(g.characterHeight);
  g.centreX = width / 2;
  g.centreY = height / 2;
  const std::int32_t r = std::min(g.centreX, g.centreY);
  g.hourLength = (2 * g.centreY) / 3;
  g.hourWidth = r / 8;
  g.minuteLength = g.centreY;
  g.minuteWidth = r / 10;
  g.secondLength = g.centreY;
  g.secondWidth = r / 20;
  return g;
}

POINT DialReferencePoint(const FaceGeometry& g, int index, bool rotated) {
  const double theta = (index + 1) * kPi / 6;
  const double cx = g.centreX, cy = g.centreY;
  if (rotated)
    return {Truncate(cx + std::sin(theta) * cx),
            Truncate(cy - std::cos(theta) * cy) - 1};
  // Both offsets use the half width, so upright characters sit on a circle
  // half a character inside the left and right edges.
  const double h = g.characterHeight / 2;
  return {Truncate(cx + std::sin(theta) * (cx - h)),
          Truncate((cy - h) - std::cos(theta) * (cx - h)) - 1};
}

LONG DialEscapement(int index) { return 3300 - 300 * index; }

std::int32_t UsableCharacterSize(std::int32_t sizePercent) {
  return std::clamp<std::int32_t>(sizePercent, 1, 1000);
}
