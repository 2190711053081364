#include "app/startup_text.h"

#include "base/text_helpers.h"
#include "base/utf.h"

namespace {
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
}  // namespace

std::u16string_view ArgumentsAfterProgramName(std::u16string_view line) {
  std::size_t i = 0;
  if (!line.empty() && line[0] == u'"') {
    const std::size_t close = line.find(u'"', 1);
    i = close == std::u16string_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && !IsBlank(line[i])) ++i;
  }
  while (i < line.size() && IsBlank(line[i])) ++i;
  return line.substr(i);
}

std::u16string SettingsPathFromArguments(std::u16string_view arguments) {
  while (!arguments.empty() && IsBlank(arguments.back()))
    arguments.remove_suffix(1);
  if (arguments.size() >= 2 && arguments.front() == u'"' &&
      arguments.back() == u'"') {
    arguments = arguments.substr(1, arguments.size() - 2);
  }
  return std::u16string(arguments);
}

std::u16string SettingsPathBesideExecutable(
    std::u16string_view executablePath) {
  std::u16string path(executablePath);
  if (!path.empty()) ChangeExtension(path, u"ini");
  return path;
}

std::u16string BuildTipText(std::u16string_view productName,
                            std::u16string_view productVersion,
                            std::u16string_view legalNotice) {
  std::u16string tip;
  tip.append(productName).append(u" Ver. ").append(productVersion);
  tip.append(u" ").append(legalNotice);
  tip.resize(Utf16CutLength(tip, kTipCapacity - 1));
  return tip;
}
