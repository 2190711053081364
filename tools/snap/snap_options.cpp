#include "snap/snap_options.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "base/date_helpers.h"
#include "globe/sun_position.h"

const char* const kSnapUsage =
    "usage: ondrava-snap --ini FILE --size N --time HH:MM:SS[.mmm]\n"
    "                    [--date YYYY-MM-DD] [--utc-offset MINUTES]\n"
    "                    [--hover N] [--tilt-drag] [--premultiplied]\n"
    "                    --out FILE.png\n"
    "       ondrava-snap --sun-info --time HH:MM:SS[.mmm] [--date YYYY-MM-DD]\n"
    "                    [--utc-offset MINUTES]\n"
    "--date and --time are local; UTC is local less --utc-offset (default "
    "0).\n";

namespace {
constexpr int kLargestSize = 4096;
constexpr int kLargestUtcOffset = 24 * 60;  // minutes either way

bool ParseNumber(std::string_view text, int& value) {
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  return result.ec == std::errc() && result.ptr == end && !text.empty();
}

// "HH:MM:SS" with an optional ".mmm".
bool ParseTime(std::string_view text, SYSTEMTIME& t) {
  int h = 0, m = 0, s = 0, ms = 0;
  if (text.size() < 8 || text[2] != ':' || text[5] != ':') return false;
  if (!ParseNumber(text.substr(0, 2), h) ||
      !ParseNumber(text.substr(3, 2), m) || !ParseNumber(text.substr(6, 2), s))
    return false;
  if (text.size() > 8) {
    if (text[8] != '.' || text.size() > 12 || !ParseNumber(text.substr(9), ms))
      return false;
    for (std::size_t digits = text.size() - 9; digits < 3; ++digits) ms *= 10;
  }
  if (h > 23 || m > 59 || s > 59 || ms > 999) return false;
  t.wHour = WORD(h);
  t.wMinute = WORD(m);
  t.wSecond = WORD(s);
  t.wMilliseconds = WORD(ms);
  return true;
}

bool ParseDate(std::string_view text, SYSTEMTIME& t) {
  int y = 0, mo = 0, d = 0;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return false;
  if (!ParseNumber(text.substr(0, 4), y) ||
      !ParseNumber(text.substr(5, 2), mo) || !ParseNumber(text.substr(8, 2), d))
    return false;
  if (y < 1601 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo))
    return false;
  t.wYear = WORD(y);
  t.wMonth = WORD(mo);
  t.wDay = WORD(d);
  t.wDayOfWeek = WORD(DayOfWeek(y, mo, d));
  return true;
}
}  // namespace

int DayOfWeek(int year, int month, int day) {
  // Sakamoto's rule.
  static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  return (year + year / 4 - year / 100 + year / 400 + kOffsets[month - 1] +
          day) %
         7;
}

std::optional<SnapOptions> ParseSnapOptions(
    const std::vector<std::string>& args, std::string& error) {
  SnapOptions o;
  ParseDate("2026-01-01", o.time);
  bool haveTime = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--tilt-drag") {
      o.tiltDrag = true;
      continue;
    }
    if (name == "--premultiplied") {
      o.premultiplied = true;
      continue;
    }
    if (name == "--sun-info") {
      o.sunInfo = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (name == "--ini") {
      o.ini = value;
    } else if (name == "--out") {
      o.out = value;
    } else if (name == "--size") {
      ok = ParseNumber(value, o.size) && o.size >= 1 && o.size <= kLargestSize;
    } else if (name == "--time") {
      ok = haveTime = ParseTime(value, o.time);
    } else if (name == "--date") {
      ok = ParseDate(value, o.time);
    } else if (name == "--utc-offset") {
      ok = ParseNumber(value, o.utcOffset) &&
           std::abs(o.utcOffset) <= kLargestUtcOffset;
    } else if (name == "--hover") {
      ok = ParseNumber(value, o.hover) && o.hover >= 0 && o.hover <= 40;
    } else {
      error = "unknown argument " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  if (o.sunInfo) {
    if (haveTime) return o;
    error = "--sun-info needs --time";
    return std::nullopt;
  }
  if (o.ini.empty() || o.out.empty() || o.size == 0 || !haveTime) {
    error = "--ini, --size, --time and --out are required";
    return std::nullopt;
  }
  return o;
}

SYSTEMTIME SnapUtcTime(const SnapOptions& o) {
  // Minutes of the day less the offset, carried into the days before or
  // after.
  SYSTEMTIME t = o.time;
  int minutes = t.wHour * 60 + t.wMinute - o.utcOffset;
  int year = t.wYear, month = t.wMonth, day = t.wDay;
  for (; minutes < 0; minutes += 24 * 60) {
    if (--day >= 1) continue;
    if (--month < 1) month = 12, --year;
    day = DaysInMonth(year, month);
  }
  for (; minutes >= 24 * 60; minutes -= 24 * 60) {
    if (++day <= DaysInMonth(year, month)) continue;
    day = 1;
    if (++month > 12) month = 1, ++year;
  }
  t.wYear = WORD(year);
  t.wMonth = WORD(month);
  t.wDay = WORD(day);
  t.wDayOfWeek = WORD(DayOfWeek(year, month, day));
  t.wHour = WORD(minutes / 60);
  t.wMinute = WORD(minutes % 60);
  return t;
}

std::string SunInfoLine(const SnapOptions& o) {
  const SubsolarPoint sun = SubsolarPointAt(SnapUtcTime(o));
  // Rounded first, so that the printed longitude stays below 180 and no
  // "-0.0000" is printed.
  const auto round4 = [](double v) {
    const double r = std::round(v * 1e4) / 1e4;
    return r == 0 ? 0.0 : r;
  };
  const double latitude = round4(sun.latitude);
  double longitude = round4(sun.longitude);
  if (longitude >= 180) longitude -= 360;
  char line[64];
  std::snprintf(line, sizeof line, "subsolar %.4f %.4f", latitude, longitude);
  return line;
}
