// What a mouse press does where, and how the window stays square while it is
// sized: the main window's geometry, kept free of any window so that it is
// tested on every platform.
#pragma once

#include "platform/win32_types.h"

// The hit-test code for the screen point (x, y) in the window rectangle: the
// centre (normalised radius below 0.2) moves the window, the ring up to 0.8
// is client area, the rim resizes in eight 45-degree sectors.
int HitTest(const RECT& window, int x, int y);

// Keeps a rectangle being sized by `edge` (a WMSZ_ value) square, with a side
// of at least 64 pixels. The corner or side opposite the one being dragged
// stays where it is.
bool OnSizing(int edge, RECT& rect);

constexpr int kMinimumSide = 64;
// The largest side a restored window gets: beyond it the frame could not be
// held in memory, whatever the settings file says.
constexpr int kMaximumSide = 16384;

// The system cursor (an IDC_ resource number) shown over a non-client hit
// code, or 0 to leave the cursor unchanged.
int CursorForHitTest(int hitTest);

// The WM_SYSCOMMAND that starts moving or sizing from a hit code, or 0.
unsigned SysCommandForHitTest(int hitTest);
