// Finding where the pointer rests on the clock's dial characters.
#pragma once

#include "alphablend/canvas.h"

// The first inked point of the dial layer, row by row, that counts as over
// a character: the layer's last column and row never do. {-1, -1} if none.
inline POINT InkedDialPoint(const CCanvas& dial) {
  for (int y = 0; y + 1 < dial.height; ++y)
    for (int x = 0; x + 1 < dial.width; ++x)
      if (dial.GetPixel(x, y) >> 24) return {x, y};
  return {-1, -1};
}
