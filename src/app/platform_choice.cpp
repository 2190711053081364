#include "app/platform_choice.h"

bool NamesQtPlatform(std::span<char* const> arguments) {
  for (const char* argument : arguments) {
    if (!argument) continue;
    const std::string_view a(argument);
    if (a == "-platform" || a == "--platform" || a.starts_with("-platform=") ||
        a.starts_with("--platform="))
      return true;
  }
  return false;
}

std::optional<std::string> ChosenQtPlatform(
    const SessionDisplays& session, bool platformArgument,
    bool (*x11Answers)(std::string_view display)) {
  if (!session.qtPlatform.empty() || platformArgument) return std::nullopt;
  if (session.waylandDisplay.empty() || session.x11Display.empty())
    return std::nullopt;
  if (!x11Answers || !x11Answers(session.x11Display)) return std::nullopt;
  return "xcb";
}
