#include <span>

#include "globe/built_in_map.h"
#include "globe/world_map_data.h"
#include "imaging/bmp_reader.h"

bool LoadBuiltInMap(DecodedBitmap& out) {
  return DecodeBmp(
             std::span<const std::uint8_t>(kWorldMapBmp, kWorldMapBmpSize),
             out) == BmpError::kNone;
}
