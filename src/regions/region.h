// A region of pixels as y-x banded rectangles, the way the window system keeps
// regions: rectangles sorted by top, then left; rectangles of one band share
// their top and bottom, do not touch or overlap, and adjacent bands with the
// same horizontal spans are merged into one. Right and bottom are exclusive.
//
// The embossed fill splits every shape with these operations, on every
// platform; the Windows text path converts a GDI region into one through
// GetRegionData.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/win32_types.h"

enum class RegionOp { kAnd, kOr, kXor, kDiff };

class CRegion {
 public:
  CRegion() = default;  // empty
  // One rectangle; an empty or inverted one gives the empty region.
  static CRegion FromRect(const RECT& rect);
  // Any rectangles (they may overlap and come in any order): their union.
  static CRegion FromRects(const std::vector<RECT>& rects);
  // Horizontal runs [left, right) of consecutive rows from `top` down; each
  // row's runs sorted and disjoint. This is what a scan converter produces.
  static CRegion FromRowRuns(
      std::int32_t top,
      const std::vector<std::vector<std::pair<std::int32_t, std::int32_t>>>&
          rows);

  static CRegion Combine(const CRegion& a, const CRegion& b, RegionOp op);
  void Offset(std::int32_t dx, std::int32_t dy);

  bool IsEmpty() const { return rects_.empty(); }
  bool Contains(std::int32_t x, std::int32_t y) const;
  RECT Bounds() const;  // {0,0,0,0} when empty
  std::int64_t Area() const;
  const std::vector<RECT>& Rects() const { return rects_; }

  // The system's region-data layout: a 32-byte header (size 32, type 1, the
  // rectangle count, the byte size of the rectangles, the bounds) followed by
  // the rectangles.
  std::size_t DataSize() const;
  // Writes the data into `buffer` if it holds DataSize() bytes; returns the
  // bytes written, or 0 when the buffer is too small.
  std::size_t WriteData(void* buffer, std::size_t bufferSize) const;

  bool operator==(const CRegion& other) const;

 private:
  std::vector<RECT> rects_;
};
