// The settings store of the Windows build: the system's wide profile
// functions, which keep the file in the form every profile-aware tool
// expects. They write each key straight into the file, so a save writes into
// a copy beside the file and swaps it in at the end; the file itself is only
// ever the old one or the complete new one.

#include <atomic>
#include <iterator>
#include <string>
#include <utility>

#include "platform/wide_text_win32.h"
#include "platform/win32_types.h"
#include "settings/ini_file.h"
#include "settings/settings_store.h"

namespace {

using ::Wide;
const wchar_t* Wide(const std::wstring& text) { return text.c_str(); }

// What GetPrivateProfileStringW hands back for a missing key instead of the
// caller's fallback, which the function would otherwise trim and unquote. No
// stored value can equal it: it starts with a noncharacter and holds a
// control character no settings file has.
constexpr wchar_t kAbsent[] = L"\xFFFF\x1\xFFFF";

// The profile functions take a bare file name as one in the Windows folder,
// while CopyFileW and ReplaceFileW take it relative to the current folder.
// Resolving the path once makes every call mean the same file.
std::wstring FullPath(const std::u16string& path) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos) return {};
  std::wstring full(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length = GetFullPathNameW(
        Wide(path), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return {};
    if (length < full.size()) {
      full.resize(length);
      return full;
    }
    full.resize(length);  // the size needed, terminator included
  }
  return {};
}

bool Exists(DWORD attributes) { return attributes != INVALID_FILE_ATTRIBUTES; }

// A read-only file could not be deleted or overwritten later.
void DeleteCopy(const std::wstring& copy) {
  // Drops the profile functions' cached view of the copy; always FALSE.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, copy.c_str());
  SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(copy.c_str());
}

// The copy a new settings file starts from: only the UTF-16LE byte-order
// mark, which makes WritePrivateProfileStringW write wide text instead of the
// ANSI code page, so that no character of a font name or dial text is lost.
bool CreateUnicodeCopy(const std::wstring& copy) {
  const HANDLE file =
      CreateFileW(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  static const BYTE kMark[] = {0xFF, 0xFE};
  DWORD written = 0;
  const bool ok = WriteFile(file, kMark, sizeof kMark, &written, nullptr) &&
                  written == sizeof kMark;
  return CloseHandle(file) && ok;
}

class CWin32SettingsStore final : public ISettingsStore {
 public:
  explicit CWin32SettingsStore(std::u16string givenPath)
      : path(std::move(givenPath)), fullPath(FullPath(path)) {
    // The copy lives from BeginSave to CommitSave; its name is this store's
    // own, so two stores of one file never write into each other's copy.
    static std::atomic<unsigned> storeCount{0};
    if (!fullPath.empty()) {
      copyPath = fullPath + L".tmp" + std::to_wstring(GetCurrentProcessId()) +
                 L"-" + std::to_wstring(storeCount++);
    }
  }

  ~CWin32SettingsStore() override {
    if (saving) DeleteCopy(copyPath);
  }

  CWin32SettingsStore(const CWin32SettingsStore&) = delete;
  CWin32SettingsStore& operator=(const CWin32SettingsStore&) = delete;

  const std::u16string& Path() const override { return path; }

  std::u16string ReadString(std::u16string_view section,
                            std::u16string_view key,
                            std::u16string_view fallback) const override {
    if (fullPath.empty() || !IsValidIniSection(section) ||
        !IsValidIniKey(key)) {
      return std::u16string(fallback);
    }
    const std::u16string sectionText(section);
    const std::u16string keyText(key);
    wchar_t buffer[kMaxSettingLength + 1];
    const DWORD length = GetPrivateProfileStringW(
        Wide(sectionText), Wide(keyText), kAbsent, buffer,
        static_cast<DWORD>(std::size(buffer)), Wide(fullPath));
    const std::u16string value(reinterpret_cast<const char16_t*>(buffer),
                               length);
    if (value == reinterpret_cast<const char16_t*>(kAbsent)) {
      return std::u16string(fallback);
    }
    return value;
  }

  void BeginSave() override {
    saving = true;
    copyReady = false;
    if (fullPath.empty()) return;
    // From an earlier BeginSave, or from a crashed run with this process id.
    DeleteCopy(copyPath);
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (GetFileAttributesExW(Wide(fullPath), GetFileExInfoStandard, &info)) {
      if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return;
      if (info.nFileSizeLow == 0 && info.nFileSizeHigh == 0) {
        copyReady = CreateUnicodeCopy(copyPath);  // nothing to keep
        return;
      }
      // The copy keeps the file's encoding and every line of others.
      if (!CopyFileW(Wide(fullPath), copyPath.c_str(), FALSE)) return;
      // CopyFileW carries the read-only attribute over; the copy itself
      // must take our writes. Whether the file may be replaced is decided
      // at commit.
      const DWORD attributes = GetFileAttributesW(copyPath.c_str());
      if (Exists(attributes) && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetFileAttributesW(copyPath.c_str(),
                           attributes & ~DWORD{FILE_ATTRIBUTE_READONLY});
      }
      copyReady = true;
    } else {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        copyReady = CreateUnicodeCopy(copyPath);
      }
    }
  }

  void WriteString(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) override {
    if (!saving || !copyReady || !IsValidIniSection(section) ||
        !IsValidIniKey(key)) {
      return;
    }
    // Leading and trailing blanks of names are not part of them; the
    // functions would keep trailing ones of a new key.
    const std::u16string sectionText(TrimIniBlanks(section));
    const std::u16string keyText(TrimIniBlanks(key));
    const std::u16string valueText(IniValueText(value));
    if (!WritePrivateProfileStringW(Wide(sectionText), Wide(keyText),
                                    Wide(valueText), copyPath.c_str())) {
      // A commit now would drop this key from the file.
      copyReady = false;
    }
  }

  bool CommitSave() override {
    if (!saving) return false;
    saving = false;
    if (!copyReady) {
      DeleteCopy(copyPath);
      return false;
    }
    // Whatever the functions still hold for the copy must reach it first.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, copyPath.c_str());
    const DWORD attributes = GetFileAttributesW(Wide(fullPath));
    bool replaced;
    if (Exists(attributes)) {
      // ReplaceFileW keeps the file's attributes, security and creation
      // time. A read-only or folder target is refused here, before the
      // system gets to decide whether to go ahead anyway.
      replaced =
          (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) ==
              0 &&
          ReplaceFileW(Wide(fullPath), copyPath.c_str(), nullptr,
                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
    } else {
      replaced =
          MoveFileExW(copyPath.c_str(), Wide(fullPath),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }
    if (!replaced) {
      DeleteCopy(copyPath);
      return false;
    }
    // Reads go through the functions' cache of the file; drop it so they
    // see what was just swapped in.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, Wide(fullPath));
    return true;
  }

 private:
  std::u16string path;
  std::wstring fullPath;  // empty when the path cannot name a file
  std::wstring copyPath;
  bool saving = false;
  bool copyReady = false;  // the copy exists and holds every write so far
};

}  // namespace

std::unique_ptr<ISettingsStore> MakeSettingsStore(std::u16string path) {
  return std::make_unique<CWin32SettingsStore>(std::move(path));
}
