// The portable copy's settings file: "Ondrava.ini" in the executable's own
// folder, the name the Windows program uses, so one folder serves both.
#pragma once

#include <string>
#include <string_view>

// Empty when the path names no folder.
std::u16string SettingsPathInProgramFolder(std::u16string_view executablePath);
