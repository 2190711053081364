#include "win32/mouse_message.h"

#include <cstdint>

namespace {
// The two 16-bit halves of a message word, read as signed numbers.
int SignedLow(std::uintptr_t word) { return static_cast<short>(word & 0xFFFF); }
int SignedHigh(std::uintptr_t word) {
  return static_cast<short>((word >> 16) & 0xFFFF);
}
}  // namespace

POINT PointFromMessage(LPARAM point) {
  return {SignedLow(std::uintptr_t(point)), SignedHigh(std::uintptr_t(point))};
}

PointerEvent PointerFromMessage(WPARAM keys, LPARAM point) {
  return {.x = SignedLow(std::uintptr_t(point)),
          .y = SignedHigh(std::uintptr_t(point)),
          .left = (keys & MK_LBUTTON) != 0,
          .right = (keys & MK_RBUTTON) != 0,
          .shift = (keys & MK_SHIFT) != 0,
          .control = (keys & MK_CONTROL) != 0};
}

WheelStep WheelFromMessage(WPARAM keysAndDelta) {
  return {.delta = SignedHigh(keysAndDelta),
          .shift = (keysAndDelta & MK_SHIFT) != 0,
          .control = (keysAndDelta & MK_CONTROL) != 0};
}
