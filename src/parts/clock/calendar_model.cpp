#include "parts/clock/calendar_model.h"

#include <algorithm>

bool CalendarShown(std::int32_t hoverCount) {
  return hoverCount >= 10 && hoverCount <= 40;
}

BYTE CalendarAlpha(std::int32_t hoverCount) {
  return BYTE(std::clamp(32 * (hoverCount - 10), 0, 255));
}

int FirstWeekday(const SYSTEMTIME& today) {
  const int w = (int(today.wDayOfWeek) - (int(today.wDay) - 1)) % 7;
  return w < 0 ? w + 7 : w;
}

int DayInCell(int firstWeekday, int row, int column) {
  return row * 7 + column + 1 - firstWeekday;
}

std::u16string CalendarTitle(const SYSTEMTIME& today) {
  const std::string text = std::to_string(today.wYear) + "/" +
                           std::to_string(today.wMonth) + "/" +
                           std::to_string(today.wDay);
  return std::u16string(text.begin(), text.end());
}
