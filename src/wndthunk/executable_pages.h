// Committed memory that may be written and executed, for the stubs.
#pragma once

#include <cstddef>

// Null when the system refuses. Pages are never given back.
void* AllocateExecutablePage(std::size_t bytes);
// Makes freshly written code visible to the instruction stream.
void FlushWrittenCode(void* address, std::size_t bytes);
