#include "app/program_folder.h"

std::u16string SettingsPathInProgramFolder(std::u16string_view executablePath) {
  const std::size_t slash = executablePath.rfind(u'/');
  if (slash == std::u16string_view::npos) return {};
  return std::u16string(executablePath.substr(0, slash + 1)) + u"Ondrava.ini";
}
