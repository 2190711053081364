#include <sys/mman.h>

#include "wndthunk/executable_pages.h"

void* AllocateExecutablePage(std::size_t bytes) {
  void* page = mmap(nullptr, bytes, PROT_READ | PROT_WRITE | PROT_EXEC,
                    MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return page == MAP_FAILED ? nullptr : page;
}

void FlushWrittenCode(void*, std::size_t) {
  // x86 keeps instruction fetch coherent with stores.
}
