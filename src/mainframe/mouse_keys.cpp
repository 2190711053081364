#include "mainframe/mouse_keys.h"

#include <algorithm>

WPARAM MouseKeyFlags(const MouseKeyState& state) {
  WPARAM keys = 0;
  if (state.leftButton) keys |= MK_LBUTTON;
  if (state.rightButton) keys |= MK_RBUTTON;
  if (state.shift) keys |= MK_SHIFT;
  if (state.control) keys |= MK_CONTROL;
  return keys;
}

UINT WheelDeltaWord(int delta) {
  const int clamped = std::clamp(delta, -32768, 32767);
  return UINT(WORD(static_cast<short>(clamped)));
}
