// The layout and frame sequences the window and the frame renderer share, so
// that a rendered frame is exactly what the window shows.
#pragma once

#include <span>

#include "parts/frame_host.h"

class CCanvas;

// Sizes the canvas to the client area and lays out every part, in order.
void LayoutParts(CCanvas& canvas, const RECT& client,
                 std::span<IFramePart* const> parts);

// Ticks every part, in order; true when any of them has something new to
// show, so that the caller composes a frame.
bool TickParts(const SYSTEMTIME& localTime, std::span<IFramePart* const> parts);

// Clears the canvas and lets every part draw, the last part first: the globe
// is the bottom layer, the clock face goes over it.
void ComposeFrame(CCanvas& canvas, std::span<IFramePart* const> parts);
