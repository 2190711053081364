#include "base/file_reader.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// How much the buffer grows at least when a file turns out longer than it
// said: small steps would mean a reallocation per read.
constexpr std::size_t kMinGrowth = std::size_t{64} << 10;

}  // namespace

FileReadResult ReadToEnd(std::uint64_t announcedSize, std::size_t maxBytes,
                         const ReadSome& readSome, std::string& bytes) {
  if (announcedSize > maxBytes) return FileReadResult::kTooLarge;
  // One byte past the cap tells a file that grew beyond it from one that
  // reached it exactly.
  const std::size_t limit = maxBytes < std::numeric_limits<std::size_t>::max()
                                ? maxBytes + 1
                                : maxBytes;
  // Room for one byte more than announced, so that an unchanged file is read
  // into a buffer that never moves, up to the read that reports its end.
  std::string read(static_cast<std::size_t>(announcedSize) + 1, '\0');
  std::size_t done = 0;
  for (;;) {
    if (done == read.size()) {
      if (done >= limit) return FileReadResult::kTooLarge;
      read.resize(done + std::min(limit - done, std::max(done, kMinGrowth)));
    }
    const std::size_t room = read.size() - done;
    const std::ptrdiff_t got = readSome(read.data() + done, room);
    if (got < 0 || static_cast<std::size_t>(got) > room) {
      return FileReadResult::kReadError;
    }
    if (got == 0) break;
    done += static_cast<std::size_t>(got);
  }
  read.resize(done);
  bytes = std::move(read);
  return FileReadResult::kOk;
}
