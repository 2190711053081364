// The window's rectangle after the system reports a new DPI.
#pragma once

#include "platform/win32_types.h"

// The rectangle the system suggests, made square with its larger side and
// kept between the smallest and the largest side the window may have:
// scaling can round one side differently from the other, and a broken
// suggestion must never make an invisible or impossible window.
RECT RectForDpiChange(const RECT& suggested);
