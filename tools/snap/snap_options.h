// The command line of ondrava-snap.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32_types.h"

struct SnapOptions {
  std::string ini;
  int size = 0;
  SYSTEMTIME time{};     // local date and time of the frame
  int utcOffset = 0;     // minutes the local time is ahead of UTC
  bool sunInfo = false;  // print the subsolar point instead of a frame
  int hover = 0;         // the hover counter, 0..40
  bool tiltDrag = false;
  bool premultiplied = false;
  std::string out;
};

// Parses the arguments after the program name; on a bad argument returns
// nothing and puts a message in `error`.
std::optional<SnapOptions> ParseSnapOptions(
    const std::vector<std::string>& args, std::string& error);

// The weekday (0 = Sunday) of a Gregorian date.
int DayOfWeek(int year, int month, int day);

// The options' instant in UTC: the local time less the offset.
SYSTEMTIME SnapUtcTime(const SnapOptions& options);

// The --sun-info line: "subsolar LAT LON" in degrees with four decimals,
// north and east positive, the longitude in [-180, 180).
std::string SunInfoLine(const SnapOptions& options);

extern const char* const kSnapUsage;
