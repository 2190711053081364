// Windows' mouse messages read into the program's own pointer events: the
// one place where MK_ flags, the packed point and the wheel's high word are
// taken apart.
#pragma once

#include "parts/pointer_event.h"
#include "platform/win32_types.h"

// WM_MOUSEMOVE, WM_LBUTTONDOWN and WM_LBUTTONUP: `keys` the MK_ flags,
// `point` the client point as two signed 16-bit halves.
PointerEvent PointerFromMessage(WPARAM keys, LPARAM point);

// A point packed into a message word (WM_NCHITTEST, WM_CONTEXTMENU).
POINT PointFromMessage(LPARAM point);

// WM_MOUSEWHEEL: the signed delta in the high word, the MK_ flags in the low.
WheelStep WheelFromMessage(WPARAM keysAndDelta);
