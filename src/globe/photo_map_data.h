// The built-in photographic maps, embedded by the build from resources/
// (made by tools/photo-maps/make_photo_maps.mjs): 2048 x 1024,
// equirectangular with the built-in map's placement (column 0 at 180 W, the
// top row at 90 N).
#pragma once

#include <cstddef>

extern const unsigned char kEarthDayJpg[];  // the day side, JPEG
extern const std::size_t kEarthDayJpgSize;
extern const unsigned char kEarthNightJpg[];  // the city lights, JPEG
extern const std::size_t kEarthNightJpgSize;
extern const unsigned char kEarthWaterPng[];  // 8-bit grey, 255 = water, PNG
extern const std::size_t kEarthWaterPngSize;
