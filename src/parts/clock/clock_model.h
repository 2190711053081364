// The clock's rules that need no window: the time the hands show, the hover
// counter that brings up the calendar, the hand angles and the layout sizes.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

// Tenths of a second since midnight.
std::int32_t TenthsSinceMidnight(const SYSTEMTIME& t);

struct HoverState {
  std::int32_t count = 0;  // 0..40 tenths of a second of resting
  std::int32_t stamp = 0;  // the tenth of the last change
};
constexpr std::int32_t kHoverMax = 40;

// One tick: up by one while the pointer rests on the dial characters, down
// by one otherwise, at most once per tenth of a second.
HoverState StepHover(HoverState state, bool onDial, std::int32_t tenth);

// The time of day the hands show: the date dropped; milliseconds dropped
// unless smooth; seconds dropped too when neither smooth nor a second hand.
SYSTEMTIME HandTime(const SYSTEMTIME& now, bool smooth, bool secondHand);

struct HandAngles {
  double hour, minute, second;  // radians, 0 up, negative clockwise
};
HandAngles AnglesOf(const SYSTEMTIME& handTime);

// Sizes of the face for a client area of W x H and a character size in
// percent.
struct FaceGeometry {
  double characterHeight;   // E
  std::int32_t fontHeight;  // lfHeight: -trunc(E)
  std::int32_t centreX, centreY;
  std::int32_t hourLength, hourWidth;
  std::int32_t minuteLength, minuteWidth;
  std::int32_t secondLength, secondWidth;
};
FaceGeometry FaceGeometryFor(std::int32_t width, std::int32_t height,
                             std::int32_t sizePercent);

// The character size the face works with, whether it comes from the settings
// file or the font dialog: beyond 1..1000 percent a value would make
// characters invisible or larger than any window.
std::int32_t UsableCharacterSize(std::int32_t sizePercent);

// Where the string for (index + 1) o'clock hangs (TA_CENTER | TA_TOP), turned
// with the dial or upright, and the escapement of a turned one.
POINT DialReferencePoint(const FaceGeometry& g, int index, bool rotated);
LONG DialEscapement(int index);
