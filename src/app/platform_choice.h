// Which window system the Linux program runs on. On a Wayland session the
// ornament needs what plain Wayland toplevels cannot have (its own place,
// no taskbar entry, staying on top), so without a word from the user it
// asks for the X11 program through XWayland when an X display answers.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

struct SessionDisplays {
  std::string_view qtPlatform;      // QT_QPA_PLATFORM
  std::string_view waylandDisplay;  // WAYLAND_DISPLAY
  std::string_view x11Display;      // DISPLAY
};

// True when the command line names a Qt platform itself ("-platform NAME",
// "--platform NAME" or "-platform=NAME").
bool NamesQtPlatform(std::span<char* const> arguments);

// "xcb" when the session is Wayland, the user forced no platform (neither
// QT_QPA_PLATFORM nor an argument) and an X display answers
// (`x11Answers`, asked only then); otherwise nothing: Qt's own choice.
std::optional<std::string> ChosenQtPlatform(
    const SessionDisplays& session, bool platformArgument,
    bool (*x11Answers)(std::string_view display));
