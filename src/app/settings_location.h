// Where the settings file lives, and where it goes when it cannot be
// written. Every front-end asks the same questions: a path given on the
// command line is used as it is; otherwise the program looks beside its
// executable (a portable copy) and in the user's own settings folder.
#pragma once

#include <functional>
#include <string>
#include <string_view>

struct SettingsLocation {
  std::u16string path;  // read from and written to
  // The per-user file a save moves to when `path` cannot be written; empty
  // when the file must never move (a path the user gave).
  std::u16string fallback;
  // `path` is the per-user file, whose folder is the program's own: a save
  // makes it (with its parents) when it is not there yet.
  bool makesFolder = false;
};

using FileExists = std::function<bool(const std::u16string&)>;

// The Windows program: the file beside the executable, moving to the
// per-user file when it cannot be written there; a per-user file that
// exists already (an earlier move) is read first.
SettingsLocation WindowsSettingsLocation(std::u16string_view commandLinePath,
                                         std::u16string_view besideExecutable,
                                         std::u16string_view perUser,
                                         const FileExists& exists);

// The Linux program: the file beside the executable only when it is there
// (a portable copy; it moves to the per-user file when it cannot be
// written), else the per-user file, created on the first save.
SettingsLocation LinuxSettingsLocation(std::u16string_view commandLinePath,
                                       std::u16string_view besideExecutable,
                                       std::u16string_view perUser,
                                       const FileExists& exists);

// $XDG_CONFIG_HOME/ondrava/Ondrava.ini, or ~/.config/ondrava/Ondrava.ini
// when XDG_CONFIG_HOME is unset, empty or not absolute (as the XDG base
// directory rules say); empty when neither is known.
std::u16string XdgSettingsPath(std::u16string_view xdgConfigHome,
                               std::u16string_view home);

// %APPDATA%\Ondrava\Ondrava.ini; empty without APPDATA.
std::u16string AppDataSettingsPath(std::u16string_view appData);
