// Whole-canvas and region operations built on the span blend.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/win32_types.h"

class CCanvas;

// Blends every rectangle of `regionData` (the system's region-data layout: a
// 32-byte header whose third field is the rectangle count, then that many
// {left, top, right, bottom} rectangles with exclusive right and bottom) with
// the colour made opaque and `alpha` as coverage, clipped to the canvas.
// Rectangles that would lie beyond `dataBytes` are not read.
void FillRegion(CCanvas& canvas, const void* regionData, std::size_t dataBytes,
                COLORREF color, std::uint8_t alpha);

// B, G and R of every pixel become channel * A >> 8; A is kept.
void PremultiplyAlpha(CCanvas& canvas);
