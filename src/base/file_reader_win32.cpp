#include <algorithm>

#include "base/file_reader.h"
#include "platform/win32_types.h"

namespace {

// ReadFile counts in DWORDs; large files are read in pieces of this size.
constexpr std::size_t kLargestRead = std::size_t{16} << 20;

class CHandle {
 public:
  explicit CHandle(HANDLE handle) : handle(handle) {}
  CHandle(const CHandle&) = delete;
  CHandle& operator=(const CHandle&) = delete;
  ~CHandle() {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
  }
  HANDLE Get() const { return handle; }

 private:
  HANDLE handle;
};

// Windows refuses to open a folder as a file with "access denied", the same
// error as for a file the user may not read; the attributes tell them apart.
FileReadResult OpenFailure(DWORD error, const std::wstring& path) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return FileReadResult::kMissing;
    case ERROR_ACCESS_DENIED: {
      const DWORD attributes = GetFileAttributesW(path.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return FileReadResult::kNotRegularFile;
      }
      return FileReadResult::kReadError;
    }
    default:
      return FileReadResult::kReadError;
  }
}

std::ptrdiff_t ReadSomeOf(HANDLE file, char* buffer, std::size_t capacity) {
  DWORD got = 0;
  const auto chunk = static_cast<DWORD>(std::min(capacity, kLargestRead));
  if (!ReadFile(file, buffer, chunk, &got, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace

FileReadResult ReadWholeFile(const std::u16string& path, std::size_t maxBytes,
                             std::string& bytes) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) {
    return FileReadResult::kMissing;
  }
  const std::wstring widePath(path.begin(), path.end());
  // Sharing writing and deletion as well: a file another program holds open,
  // even to write it, is read as it stands, as anywhere else.
  const CHandle file(
      CreateFileW(widePath.c_str(), GENERIC_READ,
                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    return OpenFailure(GetLastError(), widePath);
  }
  // A pipe or a device would make the program wait on someone else's data.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    return FileReadResult::kNotRegularFile;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart < 0) {
    return FileReadResult::kReadError;
  }
  const HANDLE handle = file.Get();
  return ReadToEnd(
      static_cast<std::uint64_t>(size.QuadPart), maxBytes,
      [handle](char* buffer, std::size_t capacity) {
        return ReadSomeOf(handle, buffer, capacity);
      },
      bytes);
}
