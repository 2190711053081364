// libFuzzer target of the INI reader and writer. The input is a settings file
// as found on disk. Names and values are cut from its own text, so that they
// often name sections and keys the file really has. Whatever the bytes:
// reading changes nothing; Set accepts exactly the valid names, and a refused
// Set changes nothing and its names are never found; a stored value reads
// back as the profile rules make it, from the object and from its bytes read
// anew; and no other key's value changes.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/utf.h"
#include "settings/ini_file.h"

namespace {

constexpr std::size_t kMaxPieces = 12;
constexpr std::size_t kMaxPieceLength = 40;
constexpr std::size_t kRounds = 4;

// Names the broken rule in the crash report.
[[noreturn]] void Fail(const char* rule, int line) {
  std::fprintf(stderr, "ini_fuzzer.cpp:%d: %s\n", line, rule);
  std::abort();
}
#define Check(rule) ((rule) ? void() : Fail(#rule, __LINE__))

// The text as the reader would roughly see it; only a source of names.
std::u16string LooseText(std::string_view bytes) {
  const bool le = bytes.substr(0, 2) == "\xFF\xFE";
  const bool be = bytes.substr(0, 2) == "\xFE\xFF";
  if (!le && !be) return Utf8ToUtf16(bytes);
  std::u16string text;
  for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    text += static_cast<char16_t>(le ? a | b << 8 : a << 8 | b);
  }
  return text;
}

// The stretches between the characters the syntax is made of, blanks and
// all: names the file has, and names no file can hold.
std::vector<std::u16string> Pieces(std::u16string_view text) {
  std::vector<std::u16string> pieces{u"Ondrava", u"Left"};
  std::size_t start = 0;
  while (start <= text.size() && pieces.size() < kMaxPieces) {
    const std::size_t end =
        std::min(text.size(), text.find_first_of(u"[]=\n", start));
    pieces.emplace_back(
        text.substr(start, std::min(end - start, kMaxPieceLength)));
    start = end + 1;
  }
  return pieces;
}

char16_t AsciiLower(char16_t c) {
  return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c - u'A' + u'a') : c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  a = TrimIniBlanks(a);
  b = TrimIniBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Text as the file's encoding holds it: UTF-8 has no form for half a
// surrogate pair and keeps U+FFFD instead.
std::u16string AsHeld(std::u16string_view text, CIniFile::Encoding encoding) {
  if (encoding == CIniFile::Encoding::kUtf8 ||
      encoding == CIniFile::Encoding::kUtf8Bom) {
    return Utf8ToUtf16(Utf16ToUtf8(text));
  }
  return std::u16string(text);
}

// What Find gives for a value stored with Set: its first line as the file
// holds it, without the blanks around it and one pair of quotes.
std::u16string ReadBack(std::u16string_view value,
                        CIniFile::Encoding encoding) {
  const std::u16string stored = AsHeld(IniValueText(value), encoding);
  std::u16string_view text = TrimIniBlanks(stored);
  if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') &&
      text.back() == text.front()) {
    text = text.substr(1, text.size() - 2);
  }
  return std::u16string(text);
}

struct Probe {
  std::u16string section;
  std::u16string key;
  std::optional<std::u16string> value;
};

std::vector<Probe> Probes(const CIniFile& file,
                          const std::vector<std::u16string>& pieces) {
  std::vector<Probe> probes;
  for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
    probes.push_back(
        {pieces[i], pieces[i + 1], file.Find(pieces[i], pieces[i + 1])});
  }
  return probes;
}

void SetAndReadBack(CIniFile& file, const std::u16string& section,
                    const std::u16string& key, const std::u16string& value,
                    bool othersMustStay,
                    const std::vector<std::u16string>& pieces) {
  const std::string before = file.Bytes();
  const std::vector<Probe> probes = Probes(file, pieces);
  const bool valid = IsValidIniSection(section) && IsValidIniKey(key);
  Check(file.Set(section, key, value) == valid);
  if (!valid) {
    Check(file.Bytes() == before);
    Check(!file.Find(section, key));
    return;
  }
  const std::u16string expected = ReadBack(value, file.GetEncoding());
  Check(file.Find(section, key) == expected);
  const CIniFile reread(file.Bytes());
  Check(reread.GetEncoding() == file.GetEncoding());
  Check(reread.Find(section, key) == expected);
  if (!othersMustStay) return;
  for (const Probe& probe : probes) {
    const CIniFile::Encoding encoding = file.GetEncoding();
    if (SameName(AsHeld(probe.section, encoding), AsHeld(section, encoding)) &&
        SameName(AsHeld(probe.key, encoding), AsHeld(key, encoding))) {
      continue;
    }
    Check(reread.Find(probe.section, probe.key) == probe.value);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  CIniFile file(bytes);
  Check(file.Bytes() == (bytes.empty() ? std::string("\xFF\xFE") : bytes));
  const std::vector<std::u16string> pieces = Pieces(LooseText(bytes));
  for (const Probe& probe : Probes(file, pieces)) {
    if (!IsValidIniSection(probe.section) || !IsValidIniKey(probe.key)) {
      Check(!probe.value);
    }
  }

  const bool utf16 = file.GetEncoding() == CIniFile::Encoding::kUtf16Le ||
                     file.GetEncoding() == CIniFile::Encoding::kUtf16Be;
  const std::size_t n = pieces.size();
  for (std::size_t round = 0; round < kRounds; ++round) {
    const std::size_t pick = (size + round) % n;
    std::u16string key = pieces[(pick + 1 + round) % n];
    std::u16string value = pieces[(pick + 2 + round) % n];
    // Half a surrogate pair: kept by UTF-16 files, U+FFFD in UTF-8 ones.
    if (round == kRounds - 2) key += u'\xDC00';
    if (round == kRounds - 1) value += u'\xD800';
    // A UTF-16 file cut after an odd byte has that byte completed to a code
    // unit by Set, which rightly changes the last line's text.
    const bool othersMustStay = !utf16 || file.Bytes().size() % 2 == 0;
    SetAndReadBack(file, pieces[pick], key, value, othersMustStay, pieces);
  }
  return 0;
}
