#include "app/fixed_time.h"

#include <charconv>

#include "base/date_helpers.h"

namespace {
// Digits only: no sign, no blanks.
bool Number(std::string_view text, int& value) {
  if (text.empty() || text.find_first_not_of("0123456789") != text.npos)
    return false;
  const char* end = text.data() + text.size();
  return std::from_chars(text.data(), end, value).ptr == end;
}

// Sakamoto's rule; 0 is Sunday.
int Weekday(int year, int month, int day) {
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] +
          day) %
         7;
}

bool ParseMilliseconds(std::string_view text, int& ms) {
  if (text.empty()) return true;
  if (text.size() != 4 || text[0] != '.') return false;
  return Number(text.substr(1), ms);
}
}  // namespace

std::optional<SYSTEMTIME> ParseFixedTime(std::string_view t) {
  if (t.size() < 19 || t[4] != '-' || t[7] != '-' ||
      (t[10] != 'T' && t[10] != ' ') || t[13] != ':' || t[16] != ':')
    return std::nullopt;
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, ms = 0;
  if (!Number(t.substr(0, 4), y) || !Number(t.substr(5, 2), mo) ||
      !Number(t.substr(8, 2), d) || !Number(t.substr(11, 2), h) ||
      !Number(t.substr(14, 2), mi) || !Number(t.substr(17, 2), s) ||
      !ParseMilliseconds(t.substr(19), ms))
    return std::nullopt;
  if (y < 1601 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) ||
      h > 23 || mi > 59 || s > 59)
    return std::nullopt;
  return SYSTEMTIME{WORD(y), WORD(mo), WORD(Weekday(y, mo, d)),
                    WORD(d), WORD(h),  WORD(mi),
                    WORD(s), WORD(ms)};
}
