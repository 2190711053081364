#include "app/placement.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/window_geometry.h"

namespace {
bool Overlaps(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom &&
         b.top < a.bottom;
}

// Distance between two rectangles along one axis (0 when they overlap).
std::int64_t Gap(LONG aLow, LONG aHigh, LONG bLow, LONG bHigh) {
  if (aHigh <= bLow) return std::int64_t{bLow} - aHigh;
  if (bHigh <= aLow) return std::int64_t{aLow} - bHigh;
  return 0;
}

std::int64_t SquaredDistance(const RECT& a, const RECT& b) {
  const std::int64_t dx = Gap(a.left, a.right, b.left, b.right);
  const std::int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

// Slides `low` so that [low, low + size) lies inside [areaLow, areaHigh),
// keeping the area's start when the size does not fit.
LONG Fit(LONG low, LONG size, LONG areaLow, LONG areaHigh) {
  if (std::int64_t{low} + size > areaHigh)
    low = LONG(std::int64_t{areaHigh} - size);
  return std::max(low, areaLow);
}
}  // namespace

RECT SavedWindowRect(int left, int top, int width, int height) {
  const int side =
      std::clamp(std::max(width, height), kMinimumSide, kMaximumSide);
  // Keep the right and bottom edges inside the coordinate range.
  constexpr int kLimit = std::numeric_limits<LONG>::max() / 2;
  left = std::clamp(left, -kLimit, kLimit);
  top = std::clamp(top, -kLimit, kLimit);
  return {left, top, left + side, top + side};
}

RECT KeepOnSomeMonitor(const RECT& window,
                       std::span<const MonitorArea> monitors) {
  if (monitors.empty()) return window;
  const MonitorArea* nearest = &monitors[0];
  for (const MonitorArea& m : monitors) {
    if (Overlaps(window, m.bounds)) return window;
    if (SquaredDistance(window, m.bounds) <
        SquaredDistance(window, nearest->bounds))
      nearest = &m;
  }
  const LONG width = window.right - window.left;
  const LONG height = window.bottom - window.top;
  const RECT& area = nearest->workArea;
  const LONG left = Fit(window.left, width, area.left, area.right);
  const LONG top = Fit(window.top, height, area.top, area.bottom);
  return {left, top, left + width, top + height};
}
