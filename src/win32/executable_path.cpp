#include "win32/executable_path.h"

#include <vector>

#include "platform/wide_text_win32.h"
#include "platform/win32_types.h"

std::u16string ExecutablePath() {
  std::vector<wchar_t> buffer(256);
  // A buffer that is too small is filled to the brim, truncated: grow it.
  while (buffer.size() <= 32768) {
    const DWORD n =
        GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return Narrowed(buffer.data(), n);
    buffer.resize(buffer.size() * 2);
  }
  return {};
}
