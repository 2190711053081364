// The hover calendar's rules: when it shows, how strongly, and where the
// days of the month fall.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32_types.h"

// Below 10 the calendar is hidden; from 10 to 40 it is blended with this
// constant alpha: 0, 32, 64, ... up to 255 from 18 on.
bool CalendarShown(std::int32_t hoverCount);
BYTE CalendarAlpha(std::int32_t hoverCount);

// The weekday (0 = Sunday) of the first of the month, from today's weekday
// and day of the month.
int FirstWeekday(const SYSTEMTIME& today);

// The day number in the grid cell (row 0..5, column 0..6, Sunday first);
// below 1 or above the month's length means an empty cell.
int DayInCell(int firstWeekday, int row, int column);

// "2002/12/6": year, month and day without leading zeros.
std::u16string CalendarTitle(const SYSTEMTIME& today);
