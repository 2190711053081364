// 32-bit x86 stubs.
//
// Page: [0] link to the previous page, [4] the shared entry
//   59          pop ecx           ; the stub's slot address, pushed by its call
//   E9 rel32    jmp dispatcher
// then from offset 10 stubs of 13 bytes while one starts below 4092 (314):
//   E8 rel32    call entry        ; pushes the address of the slot below
//   slot        method (or the next free stub)
//   object      the object's address
#include <cstring>

#include "wndthunk/stub_code.h"
#include "wndthunk/stub_dispatcher.h"

namespace stub_code {

const std::size_t kPageSize = 4096;
const std::size_t kFirstStubOffset = 10;
const std::size_t kStubSize = 13;
const std::size_t kStubsPerPage =
    (4092 - kFirstStubOffset + kStubSize - 1) / kStubSize;

namespace {
constexpr std::size_t kEntryOffset = 4;

void PutDisplacement(std::uint8_t* at, const void* target,
                     const std::uint8_t* nextInstruction) {
  const std::int32_t displacement = static_cast<std::int32_t>(
      reinterpret_cast<std::uintptr_t>(target) -
      reinterpret_cast<std::uintptr_t>(nextInstruction));
  std::memcpy(at, &displacement, 4);
}
}  // namespace

void WritePageEntry(std::uint8_t* page) {
  std::uint8_t* entry = page + kEntryOffset;
  entry[0] = 0x59;
  entry[1] = 0xE9;
  PutDisplacement(entry + 2,
                  reinterpret_cast<const void*>(&ondrava_stub_dispatcher),
                  entry + 6);
}

void WriteStubCode(std::uint8_t* page, std::uint8_t* stub) {
  stub[0] = 0xE8;
  PutDisplacement(stub + 1, page + kEntryOffset, stub + 5);
}

void*& MethodSlot(std::uint8_t* stub) {
  return *reinterpret_cast<void**>(stub + 5);
}
void*& ObjectSlot(std::uint8_t* stub) {
  return *reinterpret_cast<void**>(stub + 9);
}
void*& PreviousPage(std::uint8_t* page) {
  return *reinterpret_cast<void**>(page);
}

}  // namespace stub_code
