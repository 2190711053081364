#include "wndthunk/stub_pool.h"

#include "wndthunk/executable_pages.h"
#include "wndthunk/stub_code.h"

namespace stub_pool {
namespace {

std::uint8_t* freeStubs = nullptr;  // head of the free list
std::uint8_t* lastPage = nullptr;   // head of the page list
int pageCount = 0;

void PushFree(std::uint8_t* stub) {
  stub_code::MethodSlot(stub) = freeStubs;
  freeStubs = stub;
}

// A new page: its link and entry, then every stub in address order pushed on
// the free list, so the page's last stub ends up at the head.
bool AddPage() {
  auto* page =
      static_cast<std::uint8_t*>(AllocateExecutablePage(stub_code::kPageSize));
  if (!page) return false;
  stub_code::PreviousPage(page) = lastPage;
  lastPage = page;
  ++pageCount;
  stub_code::WritePageEntry(page);
  for (std::size_t i = 0; i < stub_code::kStubsPerPage; ++i) {
    std::uint8_t* stub =
        page + stub_code::kFirstStubOffset + i * stub_code::kStubSize;
    stub_code::WriteStubCode(page, stub);
    stub_code::ObjectSlot(stub) = nullptr;
    PushFree(stub);
  }
  FlushWrittenCode(page, stub_code::kPageSize);
  return true;
}

}  // namespace

StubWindowProc Take(StubMethod method, void* object) {
  if (!freeStubs && !AddPage()) return nullptr;
  std::uint8_t* stub = freeStubs;
  freeStubs = static_cast<std::uint8_t*>(stub_code::MethodSlot(stub));
  stub_code::MethodSlot(stub) = reinterpret_cast<void*>(method);
  stub_code::ObjectSlot(stub) = object;
  return reinterpret_cast<StubWindowProc>(stub);
}

void Give(StubWindowProc stub) {
  if (!stub) return;
  auto* bytes = reinterpret_cast<std::uint8_t*>(stub);
  stub_code::ObjectSlot(bytes) = nullptr;
  PushFree(bytes);
}

int PageCount() { return pageCount; }

}  // namespace stub_pool
