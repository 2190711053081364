#include "pixels/drawn_tiles.h"

#include <algorithm>

#include "pixels/canvas.h"

namespace {
bool TileHoldsAnything(const CCanvas& layer, int left, int top, int right,
                       int bottom) {
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* row = layer.Row(y);
    for (int x = left; x < right; ++x)
      if (row[x] != 0) return true;
  }
  return false;
}
}  // namespace

std::vector<RECT> DrawnTiles(const CCanvas& layer, int tileSize) {
  std::vector<RECT> tiles;
  if (layer.IsEmpty() || tileSize < 1) return tiles;
  for (int top = 0; top < layer.Height(); top += tileSize) {
    const int bottom = std::min(top + tileSize, layer.Height());
    int runStart = -1;
    for (int left = 0; left < layer.Width(); left += tileSize) {
      const int right = std::min(left + tileSize, layer.Width());
      const bool drawn = TileHoldsAnything(layer, left, top, right, bottom);
      if (drawn && runStart < 0) runStart = left;
      if (!drawn && runStart >= 0) {
        tiles.push_back(RECT{runStart, top, left, bottom});
        runStart = -1;
      }
    }
    if (runStart >= 0)
      tiles.push_back(RECT{runStart, top, layer.Width(), bottom});
  }
  return tiles;
}
