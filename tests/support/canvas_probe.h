// Small readers for checking what was drawn into a canvas.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "pixels/canvas.h"

// Rows (image coordinates) that hold at least one non-zero pixel.
inline std::vector<int> DrawnRows(const CCanvas& canvas) {
  std::vector<int> rows;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x)
      if (canvas.GetPixel(x, y) != 0) {
        rows.push_back(y);
        break;
      }
  return rows;
}

// First and last drawn column of an image row, or {-1, -1}.
inline std::pair<int, int> DrawnColumns(const CCanvas& canvas, int y) {
  int first = -1, last = -1;
  for (int x = 0; x < canvas.Width(); ++x)
    if (canvas.GetPixel(x, y) != 0) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

inline int CountDrawn(const CCanvas& canvas) {
  int n = 0;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) n += canvas.GetPixel(x, y) != 0;
  return n;
}

inline std::vector<int> Range(int first, int last) {
  std::vector<int> v;
  for (int i = first; i <= last; ++i) v.push_back(i);
  return v;
}

// Whether every channel of two pixels differs by at most `tolerance`.
inline bool PixelsNear(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int d = int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

// The first inked point of a clock's dial layer, row by row, that counts as
// over a character: the layer's last column and row never do. {-1, -1} if
// none.
inline POINT InkedDialPoint(const CCanvas& dial) {
  for (int y = 0; y + 1 < dial.Height(); ++y)
    for (int x = 0; x + 1 < dial.Width(); ++x)
      if (dial.GetPixel(x, y) >> 24) return {x, y};
  return {-1, -1};
}
