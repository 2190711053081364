// The parts of a mostly transparent layer that hold anything, so that a
// frame blends only those instead of the whole layer.
#pragma once

#include <vector>

#include "platform/win32_types.h"

class CCanvas;

// Rectangles (right and bottom exclusive) that together cover every pixel of
// `layer` that is not 0: square tiles of `tileSize` with something drawn in
// them, neighbours in a row of tiles merged, clipped to the layer.
std::vector<RECT> DrawnTiles(const CCanvas& layer, int tileSize);
