// Whole files into memory, for the small files the program reads at once
// (settings, texture bitmaps). A path may name anything, so the file is
// opened without waiting on it (a FIFO, a pipe or a device would stall the
// program until someone else writes), and only then is it asked what it is:
// checking the name first would leave a moment in which something else could
// be swapped in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

enum class FileReadResult {
  kOk,
  kMissing,         // no such file, or a path that can name none
  kNotRegularFile,  // a folder, FIFO, pipe, device or socket
  kTooLarge,        // more than the caller's cap, announced or read
  kReadError,       // no access, or the system failed to read
};

// Reads the regular file at `path` whole into `bytes` (left untouched unless
// the result is kOk). A file announced larger than `maxBytes` is not read at
// all; one that grows past it while being read is kTooLarge too, and no more
// than `maxBytes` + 1 bytes are ever read. A path that is empty or holds a
// NUL (or, off Windows, an unpaired surrogate, which has no UTF-8 form) is
// kMissing. Allocation failure throws std::bad_alloc.
FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                             std::string& bytes);

// Fills up to `capacity` bytes at `buffer`; returns how many, 0 at the end
// of the data, or a negative number on an error.
using ReadSome =
    std::function<std::ptrdiff_t(char* buffer, std::size_t capacity)>;

// The read loop under ReadWholeFile, for any source: reads until the source
// reports its end, expecting `announcedSize` bytes but accepting fewer (the
// file shrank) or more (it grew) up to the cap, and any number of short reads.
FileReadResult ReadToEnd(std::uint64_t announcedSize, std::size_t maxBytes,
                         const ReadSome& readSome, std::string& bytes);

#ifndef _WIN32
// The bytes of `path` for the system calls: its UTF-8 form; nullopt for an
// empty path or one with a NUL or an unpaired surrogate.
std::optional<std::string> ToPosixPath(std::u16string_view path);
#endif
