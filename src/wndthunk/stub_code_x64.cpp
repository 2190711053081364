// x86-64 stubs. The 32-bit code cannot be used here (no pop into a register
// that survives the Windows x64 call, and a page may lie more than 2 GiB from
// the dispatcher), so the page entry jumps through an absolute address and a
// stub hands its slot address over in r10, which the x64 convention leaves
// free on entry.
//
// Page: [0] link to the previous page, [8] the shared entry
//   FF 25 00000000   jmp [rip]       ; followed by the dispatcher's address
// then from offset 32 stubs of 32 bytes (127):
//   4C 8D 15 09000000  lea r10, [rip + 9]   ; the slot below
//   E9 rel32           jmp entry
//   CC CC CC CC        (never executed)
//   slot               method (or the next free stub)
//   object             the object's address
#include <cstring>

#include "wndthunk/stub_code.h"
#include "wndthunk/stub_dispatcher.h"

namespace stub_code {

const std::size_t kPageSize = 4096;
const std::size_t kFirstStubOffset = 32;
const std::size_t kStubSize = 32;
const std::size_t kStubsPerPage = (kPageSize - kFirstStubOffset) / kStubSize;

namespace {
constexpr std::size_t kEntryOffset = 8;
constexpr std::size_t kSlotOffset = 16;
}  // namespace

void WritePageEntry(std::uint8_t* page) {
  static constexpr std::uint8_t kJumpIndirect[] = {0xFF, 0x25, 0, 0, 0, 0};
  std::uint8_t* entry = page + kEntryOffset;
  std::memcpy(entry, kJumpIndirect, sizeof kJumpIndirect);
  const auto target = reinterpret_cast<std::uint64_t>(&ondrava_stub_dispatcher);
  std::memcpy(entry + sizeof kJumpIndirect, &target, 8);
}

void WriteStubCode(std::uint8_t* page, std::uint8_t* stub) {
  static constexpr std::uint8_t kLoadSlot[] = {0x4C, 0x8D, 0x15, 0x09, 0, 0, 0};
  std::memcpy(stub, kLoadSlot, sizeof kLoadSlot);
  stub[7] = 0xE9;
  const std::int32_t displacement =
      static_cast<std::int32_t>((page + kEntryOffset) - (stub + 12));
  std::memcpy(stub + 8, &displacement, 4);
  std::memset(stub + 12, 0xCC, kSlotOffset - 12);
}

void*& MethodSlot(std::uint8_t* stub) {
  return *reinterpret_cast<void**>(stub + kSlotOffset);
}
void*& ObjectSlot(std::uint8_t* stub) {
  return *reinterpret_cast<void**>(stub + kSlotOffset + 8);
}
void*& PreviousPage(std::uint8_t* page) {
  return *reinterpret_cast<void**>(page);
}

}  // namespace stub_code
