#include "app/device_pixels.h"

#include <cmath>
#include <limits>

namespace {
double UsableRatio(double ratio) {
  return ratio > 0 && ratio < 64 ? ratio : 1.0;
}

LONG ToLong(double value) {
  constexpr double kLimit = std::numeric_limits<LONG>::max();
  if (!(value > -kLimit)) return -LONG(kLimit);
  if (!(value < kLimit)) return LONG(kLimit);
  return LONG(value);
}
}  // namespace

RECT DeviceClientRect(int logicalWidth, int logicalHeight, double ratio) {
  const double r = UsableRatio(ratio);
  return {0, 0, ToLong(std::round(logicalWidth * r)),
          ToLong(std::round(logicalHeight * r))};
}

POINT ToDevicePixel(double x, double y, double ratio) {
  const double r = UsableRatio(ratio);
  return {ToLong(std::floor(x * r)), ToLong(std::floor(y * r))};
}

int DevicePixelsPerInch(double logicalDotsPerInch, double ratio) {
  const double dpi = logicalDotsPerInch > 0 && logicalDotsPerInch < 10000
                         ? logicalDotsPerInch
                         : 96.0;
  return int(std::lround(dpi * UsableRatio(ratio)));
}
