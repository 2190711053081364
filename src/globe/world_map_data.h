// The built-in world map: the bytes of a whole 8-bit Windows .bmp file (file
// header, info header, colour table, bottom-up rows), 360 x 180 pixels,
// equirectangular, column 0 centred on 179.5 W, the top row on 89.5 N, every
// sea pixel exactly RGB (0, 0, 255). The Windows program has the same picture
// as bitmap resource IDB_WORLD_MAP; the portable build embeds the bytes of
// resources/world_map.bmp (made by tools/world-map/make_world_map.mjs), which
// the build turns into a source file of its own (cmake/EmbedFile.cmake).
#pragma once

#include <cstddef>

extern const unsigned char kWorldMapBmp[];
extern const std::size_t kWorldMapBmpSize;
