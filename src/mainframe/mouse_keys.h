// The key-state word the frame parts read with every mouse message (MK_
// flags), and the wheel's delta word, from what any toolkit reports.
#pragma once

#include "platform/win32_types.h"

struct MouseKeyState {
  bool leftButton = false;
  bool rightButton = false;
  bool shift = false;
  bool control = false;
};

WPARAM MouseKeyFlags(const MouseKeyState& state);

// The high word of WM_MOUSEWHEEL's wParam for a wheel turned by `delta`
// (120 a notch, positive away from the user), clamped to what the word holds.
UINT WheelDeltaWord(int delta);
