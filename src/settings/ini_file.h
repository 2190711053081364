// Our own reader and writer of the private-profile (INI) format, for the
// platforms without the Windows profile functions. It follows their rules
// (see ISettingsStore) and, unlike them, changes nothing of the file beyond
// the keys it writes: every other byte — comments, blank lines, other
// sections, lines it cannot make sense of, even invalid text — stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Blanks, tabs, line-break characters and the DOS end-of-file mark, which
// the profile format ignores around names and values.
bool IsIniBlank(char16_t c);
std::u16string_view TrimIniBlanks(std::u16string_view text);

// Whether a section or key name (blanks around it allowed) can be stored in
// and found again in the format.
bool IsValidIniSection(std::u16string_view name);
bool IsValidIniKey(std::u16string_view name);

// The part of `value` that fits on one line: everything before the first
// line break or NUL.
std::u16string_view IniValueText(std::u16string_view value);

class CIniFile {
 public:
  enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be };

  // A file that does not exist yet: it will be written as UTF-16LE with its
  // byte-order mark, the form in which the Windows profile functions keep
  // every character.
  CIniFile();

  // The file's bytes as read. A UTF-16 byte-order mark (either order) or the
  // UTF-8 one selects that encoding; no mark means UTF-8. No bytes at all is
  // the same as a new file. Invalid text reads as U+FFFD.
  explicit CIniFile(std::string bytes);

  Encoding GetEncoding() const { return encoding; }

  // The file's bytes, with every change made so far.
  const std::string& Bytes() const { return bytes; }

  // The value of `key` in the first section named `section`, blanks and one
  // pair of quotes removed; nullopt when the section or the key is missing or
  // a name is invalid. Within the section the first line with the key wins.
  // Names match in any ASCII case, in the form the file holds them: in a
  // UTF-8 file half a surrogate pair is the U+FFFD it was written as.
  std::optional<std::u16string> Find(std::u16string_view section,
                                     std::u16string_view key) const;

  // Stores `value` (cut by IniValueText) as the key's value: in place when
  // the key exists, else as a new line after the last key line of the first
  // section of that name, else in a new section at the end of the file. New
  // lines end in CRLF. False, with nothing changed, when a name is invalid.
  bool Set(std::u16string_view section, std::u16string_view key,
           std::u16string_view value);

 private:
  struct LineSpan {
    std::size_t begin;    // first byte of the line
    std::size_t bodyEnd;  // where its CR LF, LF or the end of the file starts
    std::size_t end;      // first byte of the next line
  };

  // Where a key is, or would go: the key's line when the section has it;
  // else the section's last key line, or its header when it has no keys;
  // neither when there is no such section.
  struct KeyLookup {
    std::optional<LineSpan> keyLine;
    std::optional<LineSpan> lastLine;
  };

  std::size_t HeaderSize() const;
  std::size_t UnitSize() const;
  char16_t AsciiUnitAt(std::size_t pos) const;
  LineSpan LineAt(std::size_t begin) const;
  void Decode(std::size_t begin, std::size_t end, std::u16string& out) const;
  std::string Encode(std::u16string_view text) const;
  // The text as it reads back once written: in UTF-8, half a surrogate pair
  // becomes U+FFFD.
  std::u16string AsHeld(std::u16string_view text) const;
  // Both names valid and without the blanks around them.
  KeyLookup Lookup(std::u16string_view section, std::u16string_view key) const;
  void CompleteOddUnit();
  void ReplaceValue(const LineSpan& keyLine, std::u16string_view value);
  void InsertKeyAfter(const LineSpan& line, std::u16string_view key,
                      std::u16string_view value);
  void AppendSection(std::u16string_view section, std::u16string_view key,
                     std::u16string_view value);

  std::string bytes;
  Encoding encoding;
};
