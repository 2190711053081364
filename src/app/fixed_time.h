// A local time given as text, for running the program at a fixed moment
// (the end-to-end tests compare its frames with the frame renderer's).
#pragma once

#include <optional>
#include <string_view>

#include "platform/win32_types.h"

// "YYYY-MM-DDTHH:MM:SS" or "YYYY-MM-DD HH:MM:SS", optionally with ".mmm";
// nothing for any other text or a date or time that does not exist. The
// weekday is filled in.
std::optional<SYSTEMTIME> ParseFixedTime(std::string_view text);
