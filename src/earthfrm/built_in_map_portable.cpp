#include <span>

#include "earthfrm/bmp_reader.h"
#include "earthfrm/built_in_map.h"
#include "earthfrm/world_map_data.h"

bool LoadBuiltInMap(DecodedBitmap& out) {
  return DecodeBmp(
             std::span<const std::uint8_t>(kWorldMapBmp, kWorldMapBmpSize),
             out) == BmpError::kNone;
}
