// The Gregorian calendar rules the clock's calendar needs.
#pragma once

// Divisible by 4, and not by 100 unless also by 400: 2000 is a leap year,
// 1900 is not.
bool IsLeapYear(int year);

// 28 to 31 for months 1 to 12; 0 for any other month.
int DaysInMonth(int year, int month);
