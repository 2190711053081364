// Texts the program derives at start-up: the settings path from its command
// line or its executable, and the notification-area tip.
#pragma once

#include <string>
#include <string_view>

// The text after the program name of a full command line: a name that begins
// with a double quote runs to the next double quote, otherwise to the first
// blank or tab; the blanks and tabs after it are skipped.
std::u16string_view ArgumentsAfterProgramName(std::u16string_view commandLine);

// The settings path the user gave: the arguments without trailing blanks and,
// when the path is enclosed in double quotes, without them, because a path
// with quotes in it can never be opened. Empty when nothing was given.
std::u16string SettingsPathFromArguments(std::u16string_view arguments);

// The settings file beside the executable: its path with the extension
// "ini" (appended when the name has none).
std::u16string SettingsPathBesideExecutable(std::u16string_view executablePath);

// "<product> Ver. <version> <notice>", cut to the 63 characters the
// notification-area tip holds.
std::u16string BuildTipText(std::u16string_view productName,
                            std::u16string_view productVersion,
                            std::u16string_view legalNotice);
constexpr std::size_t kTipCapacity = 64;  // characters, terminator included
