// Small UTF-16 text helpers shared by the settings code and the clock.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Index of the last character of `text` that is one of `characters`,
// searching down to index 1; 0 when there is none (index 0 is never
// reported, so 0 doubles as "not found").
std::size_t FindLastOf(std::u16string_view characters,
                       std::u16string_view text);

// Replaces the extension of the file name at the end of `path` with `ext`
// (given without its dot), or appends "." + ext when the file name has none.
// A dot in a directory name, or at the very start of the path, does not
// count as an extension.
void ChangeExtension(std::u16string& path, std::u16string_view ext);

// True when the text starts with "TRUE" in any case (so "True", "true",
// "TRUEX"); anything else, the empty text included, is false.
bool ParseBool(std::u16string_view text);

// "True" when the low byte of `value` is non-zero, otherwise "False".
std::u16string_view FormatBool(int value);
