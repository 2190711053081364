// The settings file: one file in the private-profile (INI) format, shared by
// the main window, the clock and the globe, each with sections of its own.
//
// On Windows the store goes through the system's wide profile functions, so
// the file stays what every other profile-aware tool expects. Elsewhere it is
// our own CIniFile, which follows the same rules; the tests hold both to one
// contract.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The profile functions hand values back through a buffer of 2048 characters.
inline constexpr std::size_t kMaxSettingLength = 2047;

// One settings file in the private-profile (INI) format, read and written by
// section and key.
//
// Names: section and key names match without regard to case (ASCII letters)
// and with blanks around them ignored. A name the format cannot hold is never
// stored: an empty name, a name with a line break or NUL, a key with "=" or
// starting with ";" or "[". Reading such a name gives the fallback, writing it
// does nothing.
//
// Values: blanks around a stored value and one pair of enclosing double or
// single quotes are not part of what is read back. A value is written up to
// its first line break or NUL, since one value lives on one line.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  // The path as given to MakeSettingsStore.
  virtual const std::u16string& Path() const = 0;

  // The stored text, or `fallback` (exactly as given) when the file, the
  // section or the key is missing. Values are cut to kMaxSettingLength
  // characters. During a save this still reads the file as it is on disk,
  // not the pending writes.
  virtual std::u16string ReadString(std::u16string_view section,
                                    std::u16string_view key,
                                    std::u16string_view fallback) const = 0;

  // A save is one step for the file: BeginSave, any number of WriteString,
  // then CommitSave writes every key into a copy beside the file and replaces
  // the file with it. A failed commit (read-only file or folder, full disk, a
  // file that could not be read first, so that rewriting it would lose its
  // content; our own reader also takes none over 16 MiB) deletes the copy,
  // leaves the previous file byte for byte and returns false.
  //
  // BeginSave takes the file as it is at that moment, so lines that others
  // wrote since the store was made are kept. A second BeginSave drops the
  // writes of the first. WriteString outside a save does nothing, CommitSave
  // outside a save returns false, and a store destroyed in the middle of a
  // save leaves the file and its folder as they were.
  virtual void BeginSave() = 0;
  virtual void WriteString(std::u16string_view section, std::u16string_view key,
                           std::u16string_view value) = 0;
  virtual bool CommitSave() = 0;
};

// The platform's implementation for the file at `path`. A relative path is
// taken relative to the current directory (on Windows too, where the profile
// functions alone would look in the Windows folder for a bare file name).
std::unique_ptr<ISettingsStore> MakeSettingsStore(std::u16string path);
