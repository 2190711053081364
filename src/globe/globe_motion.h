// How the globe turns: with the time of day at a set speed, by hand under a
// drag, and how a tilt drag moves its axis. Angles of spin are hundredths of
// a degree, 0..35999.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

// Milliseconds since midnight; the date is ignored, so the spin repeats
// daily.
std::int64_t MillisecondsOfDay(const SYSTEMTIME& t);

// The turn the time of day has brought, in hundredths of a degree, reduced
// to less than a full turn (so that any speed stays defined).
std::int32_t TimeTurn(std::int64_t ms, double speed, std::int32_t updateMs);

// rotation = (TimeTurn + offset) mod 36000, never negative.
std::int32_t RotationAt(std::int64_t ms, double speed, std::int32_t updateMs,
                        std::int32_t offset);

// The offset that makes RotationAt give `rotation` right now.
std::int32_t OffsetFor(std::int32_t rotation, std::int64_t ms, double speed,
                       std::int32_t updateMs);

// A number of hundredths of a degree brought into 0..35999.
std::int32_t WrapTurn(std::int64_t hundredths);

// The period the timer and the speed are measured in; 0 or less counts as
// one millisecond instead of dividing by zero.
std::int32_t UsableUpdatePeriod(std::int32_t updateMs);

// Spin drag: one pixel is one degree; dragging right lowers the angle.
std::int32_t SpinDragRotation(std::int32_t startRotation, std::int32_t startX,
                              std::int32_t x);

struct Tilt {
  double tilt;  // -90..90
  double turn;  // -180..180
};
// Tilt drag: the whole width turns the axis by 180 degrees, the whole height
// raises the viewing latitude by 180 degrees, both limited.
Tilt TiltDrag(Tilt start, std::int32_t startX, std::int32_t startY,
              std::int32_t x, std::int32_t y, std::int32_t width,
              std::int32_t height);
