// Where the window goes when its saved placement is restored.
#pragma once

#include <span>

#include "platform/win32_types.h"

struct MonitorArea {
  RECT bounds;    // the whole monitor
  RECT workArea;  // without the taskbar and docked bars
};

// The saved rectangle, made square with its larger side, kept between the
// minimum and the maximum side (so a broken Width or Height never makes an
// invisible or an impossible window).
RECT SavedWindowRect(int left, int top, int width, int height);

// A rectangle that overlaps no monitor at all (its monitor was removed) is
// moved into the work area of the nearest monitor; one that is at least
// partly visible stays exactly where it is.
RECT KeepOnSomeMonitor(const RECT& window,
                       std::span<const MonitorArea> monitors);
