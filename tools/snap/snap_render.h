// One frame composed exactly as the window composes it.
#pragma once

#include <string>

#include "snap/snap_options.h"

class CCanvas;

// Renders the frame the options describe into `frame`; false with a message
// when the settings file cannot be read. The alpha functions must be bound.
bool RenderSnapFrame(const SnapOptions& options, CCanvas& frame,
                     std::string& error);
