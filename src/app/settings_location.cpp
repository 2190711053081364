#include "app/settings_location.h"

namespace {
std::u16string WithoutTrailing(std::u16string_view folder, char16_t slash) {
  while (!folder.empty() && (folder.back() == slash || folder.back() == u'/'))
    folder.remove_suffix(1);
  return std::u16string(folder);
}
}  // namespace

SettingsLocation WindowsSettingsLocation(std::u16string_view commandLinePath,
                                         std::u16string_view besideExecutable,
                                         std::u16string_view perUser,
                                         const FileExists& exists) {
  if (!commandLinePath.empty()) return {std::u16string(commandLinePath), {}};
  const std::u16string user(perUser);
  if (!user.empty() && exists(user)) return {user, {}, true};
  return {std::u16string(besideExecutable), user};
}

SettingsLocation LinuxSettingsLocation(std::u16string_view commandLinePath,
                                       std::u16string_view besideExecutable,
                                       std::u16string_view perUser,
                                       const FileExists& exists) {
  if (!commandLinePath.empty()) return {std::u16string(commandLinePath), {}};
  const std::u16string beside(besideExecutable), user(perUser);
  if (beside.empty() || !exists(beside)) return {user, {}, !user.empty()};
  if (!user.empty() && exists(user)) return {user, {}, true};
  return {beside, user};
}

std::u16string XdgSettingsPath(std::u16string_view xdgConfigHome,
                               std::u16string_view home) {
  std::u16string base;
  if (!xdgConfigHome.empty() && xdgConfigHome.front() == u'/')
    base = WithoutTrailing(xdgConfigHome, u'/');
  else if (!home.empty())
    base = WithoutTrailing(home, u'/') + u"/.config";
  else
    return {};
  return base + u"/ondrava/Ondrava.ini";
}

std::u16string AppDataSettingsPath(std::u16string_view appData) {
  if (appData.empty()) return {};
  return WithoutTrailing(appData, u'\\') + u"\\Ondrava\\Ondrava.ini";
}
