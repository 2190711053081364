// The machine code of the stubs and of each page's shared entry, one
// implementation per instruction set. The pool logic above it is the same
// for both.
#pragma once

#include <cstddef>
#include <cstdint>

namespace stub_code {

extern const std::size_t kPageSize;         // 4096
extern const std::size_t kFirstStubOffset;  // where the first stub starts
extern const std::size_t kStubSize;
extern const std::size_t kStubsPerPage;

// Writes the page's shared entry, which jumps to the common dispatcher.
void WritePageEntry(std::uint8_t* page);
// Writes the code of the stub at `stub` in `page`, leaving its slots alone.
void WriteStubCode(std::uint8_t* page, std::uint8_t* stub);

// The method slot (the free-list link while the stub is free) and the object.
void*& MethodSlot(std::uint8_t* stub);
void*& ObjectSlot(std::uint8_t* stub);

// The page link at offset 0: the page allocated before this one.
void*& PreviousPage(std::uint8_t* page);

}  // namespace stub_code
