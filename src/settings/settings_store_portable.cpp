// The settings store of the POSIX build: our own CIniFile, saved by writing a
// complete copy beside the file and renaming it over the original, so that
// the file on disk is always either the old one or the new one.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

#include "base/file_descriptor.h"
#include "base/file_reader.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace {

// A settings file is a few kilobytes. Anything beyond this is not one we
// wrote: it is neither parsed nor replaced.
constexpr std::size_t kMaxFileSize = 16 * 1024 * 1024;

bool WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

// Replaces the file at `path` with `bytes`, never leaving a half-written
// file: a copy in the same folder (the same file system, so rename is
// atomic) is written and flushed first.
bool ReplaceFile(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  // Replace the file a symbolic link points at, not the link.
  std::string target = path;
  struct stat info;
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    if (char* resolved = ::realpath(path.c_str(), nullptr)) {
      target = resolved;
      std::free(resolved);
    }
  }
  const bool exists = ::stat(target.c_str(), &info) == 0;
  if (exists) {
    if (!S_ISREG(info.st_mode)) return false;
    // rename() would go over a read-only file as long as the folder is
    // writable, and root passes access() anyway: a file without any write
    // permission is kept as the user's "do not touch".
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0) {
      return false;
    }
  } else if (errno != ENOENT) {
    return false;
  }

  const std::string copy = target + ".tmp" + std::to_string(::getpid());
  ::unlink(copy.c_str());  // left over from a crashed run of this process id
  CFileDescriptor file(::open(
      copy.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666));
  if (file.Get() < 0) return false;
  if (exists) {
    // Permission bits survive the replacement as they would an in-place
    // write; failing to copy them is no reason to lose the save.
    (void)::fchmod(file.Get(), info.st_mode & 07777);
  }
  const bool written = WriteAll(file.Get(), bytes) &&
                       ::fsync(file.Get()) == 0 && file.Close() &&
                       ::rename(copy.c_str(), target.c_str()) == 0;
  if (!written) {
    ::unlink(copy.c_str());
    return false;
  }
  // Make the rename itself durable; the save has happened either way.
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "."
                             : slash == 0               ? "/"
                                          : target.substr(0, slash);
  CFileDescriptor dir(
      ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) (void)::fsync(dir.Get());
  return true;
}

class CPortableSettingsStore final : public ISettingsStore {
 public:
  explicit CPortableSettingsStore(std::u16string givenPath)
      : path(std::move(givenPath)) {
    nativePath = ToPosixPath(path).value_or(std::string());
    std::string bytes;
    if (ReadWholeFile(path, kMaxFileSize, bytes) == FileReadResult::kOk) {
      file.emplace(std::move(bytes));
    }
  }

  const std::u16string& Path() const override { return path; }

  std::u16string ReadString(std::u16string_view section,
                            std::u16string_view key,
                            std::u16string_view fallback) const override {
    if (file) {
      if (auto value = file->Find(section, key)) {
        if (value->size() > kMaxSettingLength) value->resize(kMaxSettingLength);
        return std::move(*value);
      }
    }
    return std::u16string(fallback);
  }

  void BeginSave() override {
    saving = true;
    pending.reset();
    std::string bytes;
    switch (ReadWholeFile(path, kMaxFileSize, bytes)) {
      case FileReadResult::kOk:
        pending.emplace(std::move(bytes));
        break;
      case FileReadResult::kMissing:
        pending.emplace();
        break;
      case FileReadResult::kNotRegularFile:
      case FileReadResult::kTooLarge:
      case FileReadResult::kReadError:
        // Rewriting a file we could not read would lose whatever it holds;
        // the save goes ahead but cannot commit.
        break;
    }
  }

  void WriteString(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    if (saving && pending) pending->Set(section, key, value);
  }

  bool CommitSave() override {
    if (!saving) return false;
    saving = false;
    if (!pending || !ReplaceFile(nativePath, pending->Bytes())) {
      pending.reset();
      return false;
    }
    file = std::move(pending);
    pending.reset();
    return true;
  }

 private:
  std::u16string path;
  std::string nativePath;           // empty when the path can name no file
  std::optional<CIniFile> file;     // as last read or written; none if missing
  std::optional<CIniFile> pending;  // the save in progress
  bool saving = false;
};

}  // namespace

std::unique_ptr<ISettingsStore> MakeSettingsStore(std::u16string path) {
  return std::make_unique<CPortableSettingsStore>(std::move(path));
}
