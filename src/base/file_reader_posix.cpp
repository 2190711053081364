#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/file_descriptor.h"
#include "base/file_reader.h"
#include "base/utf.h"

namespace {

FileReadResult OpenFailure(int error) {
  return (error == ENOENT || error == ENOTDIR) ? FileReadResult::kMissing
                                               : FileReadResult::kReadError;
}

std::ptrdiff_t ReadRetrying(int fd, char* buffer, std::size_t capacity) {
  for (;;) {
    const ssize_t got = ::read(fd, buffer, capacity);
    if (got >= 0 || errno != EINTR) return got;
  }
}

}  // namespace

std::optional<std::string> ToPosixPath(std::u16string_view path) {
  // A NUL would silently cut the path short at the system call.
  if (path.empty() || path.find(u'\0') != std::u16string_view::npos ||
      !IsWellFormedUtf16(path)) {
    return std::nullopt;
  }
  return Utf16ToUtf8(path);
}

FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                             std::string& bytes) {
  const std::optional<std::string> native = ToPosixPath(path);
  if (!native) return FileReadResult::kMissing;
  // O_NONBLOCK lets a FIFO open at once instead of waiting for a writer; on
  // a regular file, the only kind read, it changes nothing.
  const CFileDescriptor file(
      ::open(native->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (file.Get() < 0) return OpenFailure(errno);
  struct stat info;
  if (::fstat(file.Get(), &info) != 0) return FileReadResult::kReadError;
  if (!S_ISREG(info.st_mode)) return FileReadResult::kNotRegularFile;
  const int fd = file.Get();
  return ReadToEnd(
      static_cast<std::uint64_t>(info.st_size), maxBytes,
      [fd](char* buffer, std::size_t capacity) {
        return ReadRetrying(fd, buffer, capacity);
      },
      bytes);
}
