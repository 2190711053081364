#include "settings/ini_file.h"

#include <utility>

#include "base/utf.h"

// The document is kept as the file's own bytes and every lookup walks them
// line by line. Settings files are a few hundred bytes, and this way nothing
// the program does not own is ever decoded and re-encoded: a line with bytes
// that are not valid text, or an unusual line ending, goes back to disk
// exactly as it came. Memory stays proportional to the file, whatever it
// holds.

namespace {

constexpr char16_t kNotAscii = 0xFFFF;

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

bool HasLineBreakOrNul(std::u16string_view text) {
  return text.find_first_of(std::u16string_view(u"\r\n\0", 3)) !=
         std::u16string_view::npos;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::u16string_view name;   // section or key name
  std::u16string_view value;  // key lines only, blanks removed
};

// The line rules of the profile functions: a section header is "[" up to the
// last "]" of the line (the name itself is taken as it stands); any other
// line with "=" is a key, except a ";" comment. A "[" line without "]" is
// read as a key line too, which is why no key may start with "[".
ParsedLine ParseLine(std::u16string_view text) {
  ParsedLine line;
  text = TrimIniBlanks(text);
  if (text.empty() || text.front() == u';') return line;
  if (text.front() == u'[') {
    const std::size_t close = text.rfind(u']');
    if (close != std::u16string_view::npos) {
      line.kind = LineKind::kSection;
      line.name = text.substr(1, close - 1);
      return line;
    }
  }
  const std::size_t eq = text.find(u'=');
  if (eq == std::u16string_view::npos) return line;
  line.kind = LineKind::kKey;
  line.name = TrimIniBlanks(text.substr(0, eq));
  line.value = TrimIniBlanks(text.substr(eq + 1));
  return line;
}

std::u16string_view Unquote(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

}  // namespace

bool IsIniBlank(char16_t c) {
  return c == u' ' || (c >= u'\t' && c <= u'\r') || c == 0x1A;
}

std::u16string_view TrimIniBlanks(std::u16string_view text) {
  while (!text.empty() && IsIniBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsIniBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsValidIniSection(std::u16string_view name) {
  name = TrimIniBlanks(name);
  return !name.empty() && !HasLineBreakOrNul(name);
}

bool IsValidIniKey(std::u16string_view name) {
  name = TrimIniBlanks(name);
  // "=" would end the name early, ";" makes the line a comment for most
  // readers, and "[" would make it a section header.
  return !name.empty() && !HasLineBreakOrNul(name) &&
         name.find(u'=') == std::u16string_view::npos && name.front() != u';' &&
         name.front() != u'[';
}

std::u16string_view IniValueText(std::u16string_view value) {
  return value.substr(0,
                      value.find_first_of(std::u16string_view(u"\r\n\0", 3)));
}

CIniFile::CIniFile() : bytes("\xFF\xFE"), encoding(Encoding::kUtf16Le) {}

CIniFile::CIniFile(std::string fileBytes) : CIniFile() {
  if (fileBytes.empty()) return;
  const auto startsWith = [&](std::string_view mark) {
    return std::string_view(fileBytes).substr(0, mark.size()) == mark;
  };
  if (startsWith("\xEF\xBB\xBF")) {
    encoding = Encoding::kUtf8Bom;
  } else if (startsWith("\xFF\xFE")) {
    encoding = Encoding::kUtf16Le;
  } else if (startsWith("\xFE\xFF")) {
    encoding = Encoding::kUtf16Be;
  } else {
    encoding = Encoding::kUtf8;
  }
  bytes = std::move(fileBytes);
}

std::size_t CIniFile::HeaderSize() const {
  switch (encoding) {
    case Encoding::kUtf8:
      return 0;
    case Encoding::kUtf8Bom:
      return 3;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      break;
  }
  return 2;
}

std::size_t CIniFile::UnitSize() const {
  return (encoding == Encoding::kUtf16Le || encoding == Encoding::kUtf16Be) ? 2
                                                                            : 1;
}

// The character whose code unit starts at `pos` when it is ASCII, else
// kNotAscii. Every character the line syntax cares about is ASCII, and in
// UTF-8 an ASCII byte never occurs inside a longer sequence, so the syntax
// can be found in the raw bytes.
char16_t CIniFile::AsciiUnitAt(std::size_t pos) const {
  const auto byte = [&](std::size_t i) {
    return static_cast<unsigned char>(bytes[i]);
  };
  char16_t unit;
  switch (encoding) {
    case Encoding::kUtf16Le:
      unit = static_cast<char16_t>(byte(pos) | (byte(pos + 1) << 8));
      break;
    case Encoding::kUtf16Be:
      unit = static_cast<char16_t>((byte(pos) << 8) | byte(pos + 1));
      break;
    default:
      unit = byte(pos);
      break;
  }
  return unit < 0x80 ? unit : kNotAscii;
}

CIniFile::LineSpan CIniFile::LineAt(std::size_t begin) const {
  const std::size_t unit = UnitSize();
  std::size_t pos = begin;
  while (pos + unit <= bytes.size()) {
    if (AsciiUnitAt(pos) == u'\n') {
      std::size_t bodyEnd = pos;
      if (bodyEnd >= begin + unit && AsciiUnitAt(bodyEnd - unit) == u'\r') {
        bodyEnd -= unit;
      }
      return {begin, bodyEnd, pos + unit};
    }
    pos += unit;
  }
  // The last line, without a line break; a stray odd byte of a UTF-16 file
  // stays part of it.
  return {begin, bytes.size(), bytes.size()};
}

void CIniFile::Decode(std::size_t begin, std::size_t end,
                      std::u16string& out) const {
  out.clear();
  if (UnitSize() == 2) {
    std::size_t pos = begin;
    for (; pos + 2 <= end; pos += 2) {
      const unsigned a = static_cast<unsigned char>(bytes[pos]);
      const unsigned b = static_cast<unsigned char>(bytes[pos + 1]);
      out += static_cast<char16_t>(
          encoding == Encoding::kUtf16Le ? a | (b << 8) : (a << 8) | b);
    }
    if (pos < end) out += static_cast<char16_t>(kReplacementCharacter);
    return;
  }
  const std::string_view in = std::string_view(bytes).substr(0, end);
  for (std::size_t pos = begin; pos < end;) {
    AppendUtf16(out, NextUtf8(in, pos));
  }
}

std::string CIniFile::Encode(std::u16string_view text) const {
  std::string out;
  if (UnitSize() == 2) {
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
      const char low = static_cast<char>(c & 0xFF);
      const char high = static_cast<char>(c >> 8);
      if (encoding == Encoding::kUtf16Le) {
        out += low, out += high;
      } else {
        out += high, out += low;
      }
    }
    return out;
  }
  return Utf16ToUtf8(text);
}

std::u16string CIniFile::AsHeld(std::u16string_view text) const {
  if (UnitSize() == 2) return std::u16string(text);
  return Utf8ToUtf16(Utf16ToUtf8(text));
}

CIniFile::KeyLookup CIniFile::Lookup(std::u16string_view givenSection,
                                     std::u16string_view givenKey) const {
  // Names are compared as the file holds them, so that a key Set with a name
  // the encoding cannot keep exactly is found again, not added anew.
  const std::u16string section = AsHeld(givenSection);
  const std::u16string key = AsHeld(givenKey);
  KeyLookup found;
  std::u16string text;
  bool inSection = false;
  for (std::size_t pos = HeaderSize(); pos < bytes.size();) {
    const LineSpan span = LineAt(pos);
    pos = span.end;
    Decode(span.begin, span.bodyEnd, text);
    const ParsedLine line = ParseLine(text);
    if (line.kind == LineKind::kSection) {
      // Only the first section of a name counts, as with the profile
      // functions: a key in a later duplicate is not found.
      if (inSection) break;
      inSection = SameName(line.name, section);
      if (inSection) found.lastLine = span;
    } else if (inSection && line.kind == LineKind::kKey) {
      if (SameName(line.name, key)) {
        found.keyLine = span;
        break;
      }
      found.lastLine = span;
    }
  }
  return found;
}

std::optional<std::u16string> CIniFile::Find(std::u16string_view section,
                                             std::u16string_view key) const {
  if (!IsValidIniSection(section) || !IsValidIniKey(key)) return std::nullopt;
  const KeyLookup found = Lookup(TrimIniBlanks(section), TrimIniBlanks(key));
  if (!found.keyLine) return std::nullopt;
  std::u16string text;
  Decode(found.keyLine->begin, found.keyLine->bodyEnd, text);
  return std::u16string(Unquote(ParseLine(text).value));
}

bool CIniFile::Set(std::u16string_view section, std::u16string_view key,
                   std::u16string_view value) {
  if (!IsValidIniSection(section) || !IsValidIniKey(key)) return false;
  section = TrimIniBlanks(section);
  key = TrimIniBlanks(key);
  value = IniValueText(value);
  CompleteOddUnit();
  const KeyLookup found = Lookup(section, key);
  if (found.keyLine) {
    ReplaceValue(*found.keyLine, value);
  } else if (found.lastLine) {
    InsertKeyAfter(*found.lastLine, key, value);
  } else {
    AppendSection(section, key, value);
  }
  return true;
}

// A UTF-16 file cut after an odd number of bytes: complete the last code
// unit, or everything appended after it would be read a byte out of step.
void CIniFile::CompleteOddUnit() {
  if ((bytes.size() - HeaderSize()) % UnitSize() != 0) bytes += '\0';
}

// Replaces only the old value: the key as spelled in the file, the blanks
// around "=" and the line's own ending all stay.
void CIniFile::ReplaceValue(const LineSpan& keyLine,
                            std::u16string_view value) {
  const std::size_t unit = UnitSize();
  std::size_t valueStart = keyLine.begin;
  while (AsciiUnitAt(valueStart) != u'=') valueStart += unit;
  valueStart += unit;
  while (valueStart < keyLine.bodyEnd && IsIniBlank(AsciiUnitAt(valueStart))) {
    valueStart += unit;
  }
  bytes.replace(valueStart, keyLine.bodyEnd - valueStart, Encode(value));
}

void CIniFile::InsertKeyAfter(const LineSpan& line, std::u16string_view key,
                              std::u16string_view value) {
  std::u16string newLines;
  if (line.bodyEnd == line.end) newLines += u"\r\n";  // the file's last line
  newLines += key;
  newLines += u'=';
  newLines += value;
  newLines += u"\r\n";
  bytes.insert(line.end, Encode(newLines));
}

void CIniFile::AppendSection(std::u16string_view section,
                             std::u16string_view key,
                             std::u16string_view value) {
  std::u16string newLines;
  if (bytes.size() > HeaderSize() &&
      AsciiUnitAt(bytes.size() - UnitSize()) != u'\n') {
    newLines += u"\r\n";
  }
  newLines += u'[';
  newLines += section;
  newLines += u"]\r\n";
  newLines += key;
  newLines += u'=';
  newLines += value;
  newLines += u"\r\n";
  bytes += Encode(newLines);
}
