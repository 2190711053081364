// The built-in photographs of the Earth and the night lights, as the globe
// uses them, and the resampling that puts one map on another's texel grid.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/bmp_reader.h"

// The day-side photograph; false only if it cannot be decoded.
bool LoadDayPhoto(DecodedBitmap& out);
// The same, `width` columns by half as many rows, averaged down.
bool LoadDayPhoto(DecodedBitmap& out, std::int32_t width);
// The city lights at night.
bool LoadNightLights(DecodedBitmap& out);
// Where the water is: one byte a texel of the day photograph, bottom row
// first, 255 for water, 0 for land.
bool LoadWaterMask(std::vector<std::uint8_t>& out);
bool LoadWaterMask(std::vector<std::uint8_t>& out, std::int32_t width);

// How many texel columns of the photographs a window of width x height
// shows: the photographs' 2048 halved while a texel still covers at most two
// pixels at the globe's centre, but never below 512. A texture no finer than
// the window can show keeps the frames' texel reads in the processor's
// cache, and the light is cast on fewer texels.
std::int32_t PhotoWidthFor(std::int32_t width, std::int32_t height);

// `bitmap` on a grid of width x height texels over the same Earth: each
// texel the mean of the source texels whose centres fall in it, or the
// nearest source texel where none does (enlarging). Throws std::bad_alloc.
std::vector<std::uint32_t> ResampleTexels(const DecodedBitmap& bitmap,
                                          std::int32_t width,
                                          std::int32_t height);
