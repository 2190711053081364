#include "platform/win32_types.h"
#include "wndthunk/executable_pages.h"

void* AllocateExecutablePage(std::size_t bytes) {
  return VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE,
                      PAGE_EXECUTE_READWRITE);
}

void FlushWrittenCode(void* address, std::size_t bytes) {
  FlushInstructionCache(GetCurrentProcess(), address, bytes);
}
