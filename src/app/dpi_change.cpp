#include "app/dpi_change.h"

#include <cstdint>

#include "app/placement.h"

RECT RectForDpiChange(const RECT& suggested) {
  // 64-bit differences: a suggestion may span more than an int holds.
  const std::int64_t width = std::int64_t{suggested.right} - suggested.left;
  const std::int64_t height = std::int64_t{suggested.bottom} - suggested.top;
  auto side = [](std::int64_t length) {
    return int(length < 0 ? 0 : length > INT32_MAX ? INT32_MAX : length);
  };
  return SavedWindowRect(suggested.left, suggested.top, side(width),
                         side(height));
}
