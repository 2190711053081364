// The command line of ondrava-snap.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/win32_types.h"

struct SnapOptions {
  std::string ini;
  int size = 0;
  SYSTEMTIME time{};  // local date and time of the frame
  int hover = 0;      // the hover counter, 0..40
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

extern const char* const kSnapUsage;
