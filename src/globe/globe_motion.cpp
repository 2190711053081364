#include "globe/globe_motion.h"

#include <algorithm>
#include <cmath>

#include "base/vector_math.h"

std::int64_t MillisecondsOfDay(const SYSTEMTIME& t) {
  return ((std::int64_t{t.wHour} * 60 + t.wMinute) * 60 + t.wSecond) * 1000 +
         t.wMilliseconds;
}

std::int32_t UsableUpdatePeriod(std::int32_t updateMs) {
  return updateMs > 0 ? updateMs : 1;
}

std::int32_t WrapTurn(std::int64_t hundredths) {
  const std::int64_t r = hundredths % 36000;
  return std::int32_t(r < 0 ? r + 36000 : r);
}

std::int32_t TimeTurn(std::int64_t ms, double speed, std::int32_t updateMs) {
  const double turn = double(ms) * speed / UsableUpdatePeriod(updateMs);
  // Whole turns are dropped before truncating; the remainder keeps the
  // sign, so for ordinary speeds this is the plain truncation reduced.
  return TruncToInt32(std::fmod(turn, 36000.0));
}

std::int32_t RotationAt(std::int64_t ms, double speed, std::int32_t updateMs,
                        std::int32_t offset) {
  return WrapTurn(std::int64_t{TimeTurn(ms, speed, updateMs)} + offset);
}

std::int32_t OffsetFor(std::int32_t rotation, std::int64_t ms, double speed,
                       std::int32_t updateMs) {
  return rotation - TimeTurn(ms, speed, updateMs);
}

std::int32_t SpinDragRotation(std::int32_t startRotation, std::int32_t startX,
                              std::int32_t x) {
  return WrapTurn((std::int64_t{startX} - x) * 100 + startRotation);
}

Tilt TiltDrag(Tilt start, std::int32_t startX, std::int32_t startY,
              std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height) {
  const double w = width > 0 ? width : 1, h = height > 0 ? height : 1;
  return {std::clamp((y - startY) * 180.0 / h + start.tilt, -90.0, 90.0),
          std::clamp((x - startX) * 180.0 / w + start.turn, -180.0, 180.0)};
}
