#include "settings/ini_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "support/utf16_file.h"

namespace {

constexpr bool kBigEndian = true;

std::u16string Value(const CIniFile& file, std::u16string_view section,
                     std::u16string_view key) {
  return file.Find(section, key).value_or(u"<missing>");
}

std::string AfterSet(std::string bytes, std::u16string_view section,
                     std::u16string_view key, std::u16string_view value) {
  CIniFile file(std::move(bytes));
  EXPECT_TRUE(file.Set(section, key, value));
  return file.Bytes();
}

TEST(CIniFile, LookupsFollowTheProfileRules) {
  const CIniFile file(
      "; comment=not a key\r\n"
      "Orphan=before any section\r\n"
      "[Form]\r\n"
      "  Left  =  12  \r\n"
      "top=7\n"
      "Name=\"quoted\"\r\n"
      "Single='it'\r\n"
      "Both=\"'\r\n"
      "Half=\"open\r\n"
      "Lone=\"\r\n"
      "Inner=a \"b\" c\r\n"
      "Empty=\r\n"
      "EmptyQuotes=\"\"\r\n"
      "Blanks= \x0Bv\x0C\r\x1A\r\n"
      "Zone=z\r\n"
      "NoEquals\r\n"
      "Left=second\r\n"
      "[form]\r\n"
      "Width=99\r\n"
      "[Fo]rm]\r\n"
      "X=1\r\n"
      "  [Other]\t\r\n"
      "Left=5");
  EXPECT_EQ(u"12", Value(file, u"FORM", u"LEFT"));  // the first line wins
  EXPECT_EQ(u"12", Value(file, u" Form\t", u" left "));
  EXPECT_EQ(u"7", Value(file, u"Form", u"Top"));
  EXPECT_EQ(u"quoted", Value(file, u"Form", u"Name"));
  EXPECT_EQ(u"it", Value(file, u"Form", u"Single"));
  EXPECT_EQ(u"\"'", Value(file, u"Form", u"Both"));
  EXPECT_EQ(u"\"open", Value(file, u"Form", u"Half"));
  EXPECT_EQ(u"\"", Value(file, u"Form", u"Lone"));
  EXPECT_EQ(u"a \"b\" c", Value(file, u"Form", u"Inner"));
  EXPECT_EQ(u"", Value(file, u"Form", u"Empty"));
  EXPECT_EQ(u"", Value(file, u"Form", u"EmptyQuotes"));
  // Blanks are the space, TAB to CR and the DOS end-of-file mark.
  EXPECT_EQ(u"v", Value(file, u"Form", u"Blanks"));
  EXPECT_EQ(u"z", Value(file, u"Form", u"zONE"));
  EXPECT_EQ(u"1", Value(file, u"Fo]rm", u"X"));
  EXPECT_EQ(u"5", Value(file, u"Other", u"Left"));
  // Only the first section of a name is searched; lines without "=" are
  // no keys.
  EXPECT_FALSE(file.Find(u"Form", u"Width"));
  EXPECT_FALSE(file.Find(u"Form", u"NoEquals"));
  EXPECT_FALSE(file.Find(u"Missing", u"Left"));
  // Names the format cannot hold are never found.
  for (auto key : {u"", u"  ", u"; comment", u"a=b", u"[Form]", u"a\nb"}) {
    EXPECT_FALSE(file.Find(u"Form", key));
  }
  EXPECT_FALSE(IsValidIniKey(std::u16string_view(u"a\0b", 3)));
  EXPECT_FALSE(IsValidIniSection(std::u16string_view(u"a\0b", 3)));
  EXPECT_FALSE(IsValidIniSection(u" \t "));
}

TEST(CIniFile, SetChangesOnlyTheKeysLine) {
  const std::string original =
      "; header\r\n[A]\n  Key = old value  \n\r\n; B=next\r\n[B]\r\nKey=b\r\n";
  // In place: the key's spelling, the blanks around "=" and the LF stay.
  EXPECT_EQ("; header\r\n[A]\n  Key = new\n\r\n; B=next\r\n[B]\r\nKey=b\r\n",
            AfterSet(original, u"a", u"KEY", u"new"));
  EXPECT_EQ("; header\r\n[A]\n  Key = new\n\r\n; B=next\r\n[B]\r\nKey=b\r\n",
            AfterSet(original, u" a\t", u"\tKEY ", u"new"));
  // A new key goes after the section's last key line, before blank lines
  // and the comment that belong to the next section.
  EXPECT_EQ(
      "; header\r\n[A]\n  Key = old value  \nNew=1\r\n\r\n; B=next\r\n[B]\r\n"
      "Key=b\r\n",
      AfterSet(original, u"A", u"New", u"1"));
  // A new section goes at the end.
  EXPECT_EQ(original + "[C]\r\nk=v\r\n", AfterSet(original, u"C", u"k", u"v"));
  // A section without keys takes the key right after its header.
  EXPECT_EQ("[A]\r\nk=v\r\n[B]\r\n",
            AfterSet("[A]\r\n[B]\r\n", u"A", u"k", u"v"));
  // A file that ends without a line break gets one first.
  EXPECT_EQ("[A]\nx=1\r\ny=2\r\n", AfterSet("[A]\nx=1", u"A", u"y", u"2"));
  EXPECT_EQ("[A]\nx=1\r\n[B]\r\nz=3\r\n",
            AfterSet("[A]\nx=1", u"B", u"z", u"3"));
  // The first of two sections of a name takes new keys.
  EXPECT_EQ("[A]\r\nx=1\r\ny=2\r\n[a]\r\nz=1\r\n",
            AfterSet("[A]\r\nx=1\r\n[a]\r\nz=1\r\n", u"A", u"y", u"2"));
  // An empty key's value is replaced even with nothing after "=".
  EXPECT_EQ("[A]\r\nk=v\r\n", AfterSet("[A]\r\nk=\r\n", u"A", u"k", u"v"));
}

TEST(CIniFile, SetRefusesWhatTheFormatCannotHold) {
  CIniFile file(std::string("[A]\r\nk=1\r\n"));
  const std::string before = file.Bytes();
  for (auto key : {u"", u" ", u"a=b", u";k", u"[k", u"k\rx"}) {
    EXPECT_FALSE(file.Set(u"A", key, u"x"));
  }
  EXPECT_FALSE(file.Set(u"", u"k", u"x"));
  EXPECT_FALSE(file.Set(u"A\nB", u"k", u"x"));
  EXPECT_FALSE(file.Set(u"  ", u"k", u"x"));
  EXPECT_EQ(before, file.Bytes());
  // A value keeps only its first line: nothing can be smuggled in.
  EXPECT_TRUE(file.Set(u"A", u"k", u"one\r\n[Evil]\r\nx=1"));
  EXPECT_EQ("[A]\r\nk=one\r\n", file.Bytes());
  EXPECT_TRUE(file.Set(u"A", u"n", std::u16string(u"nul\0after", 9)));
  EXPECT_EQ(u"nul", Value(file, u"A", u"n"));
}

TEST(CIniFile, NewFilesAreUtf16LittleEndianWithTheMark) {
  CIniFile file;
  EXPECT_EQ("\xFF\xFE", file.Bytes());
  EXPECT_TRUE(file.Set(u"S", u"k", u"\u00e4\U0001F30D"));
  EXPECT_EQ(Utf16File(u"[S]\r\nk=\u00e4\U0001F30D\r\n"), file.Bytes());
  // No bytes at all is a new file too.
  EXPECT_EQ(CIniFile::Encoding::kUtf16Le,
            CIniFile(std::string()).GetEncoding());
}

TEST(CIniFile, EachEncodingIsReadAndWrittenBackInKind) {
  const std::u16string text = u"[S]\r\nName=Z\u00fcrich\r\n";
  CIniFile le(Utf16File(text));
  EXPECT_EQ(u"Z\u00fcrich", Value(le, u"s", u"name"));
  le.Set(u"S", u"Globe", u"\U0001F30D");
  EXPECT_EQ(Utf16File(text + u"Globe=\U0001F30D\r\n"), le.Bytes());

  CIniFile be(Utf16File(text, kBigEndian));
  EXPECT_EQ(CIniFile::Encoding::kUtf16Be, be.GetEncoding());
  EXPECT_EQ(u"Z\u00fcrich", Value(be, u"S", u"Name"));
  be.Set(u"S", u"Name", u"\u00c5");
  EXPECT_EQ(Utf16File(u"[S]\r\nName=\u00c5\r\n", kBigEndian), be.Bytes());

  // Characters one of whose bytes is "=", "[", "]", ";", CR or LF are
  // text, not syntax, in either byte order.
  const std::u16string lookalikes =
      u"[\u0A5B\u5B0A]\r\nK\u0A3D\u3D0A=\u0A5D\u5D0A\u0A3B\u0D0A\u3B0D\r\n";
  for (const bool bigEndian : {false, true}) {
    CIniFile wide(Utf16File(lookalikes, bigEndian));
    EXPECT_EQ(u"\u0A5D\u5D0A\u0A3B\u0D0A\u3B0D",
              Value(wide, u"\u0A5B\u5B0A", u"K\u0A3D\u3D0A"));
    EXPECT_TRUE(wide.Set(u"\u0A5B\u5B0A", u"K\u0A3D\u3D0A", u"\u0A0D"));
    const std::u16string after = u"[\u0A5B\u5B0A]\r\nK\u0A3D\u3D0A=\u0A0D\r\n";
    EXPECT_EQ(Utf16File(after, bigEndian), wide.Bytes());
  }

  CIniFile bom(std::string("\xEF\xBB\xBF[S]\r\nName=Z\xC3\xBCrich\r\n"));
  EXPECT_EQ(u"Z\u00fcrich", Value(bom, u"S", u"Name"));
  bom.Set(u"S", u"Globe", u"\U0001F30D");
  EXPECT_EQ(
      "\xEF\xBB\xBF[S]\r\nName=Z\xC3\xBCrich\r\nGlobe=\xF0\x9F\x8C\x8D\r\n",
      bom.Bytes());

  CIniFile plain(std::string("[S]\r\n"));
  EXPECT_EQ(CIniFile::Encoding::kUtf8, plain.GetEncoding());
  plain.Set(u"S", u"Half", u"a\xD800z");  // half a pair has no UTF-8 form
  EXPECT_EQ("[S]\r\nHalf=a\xEF\xBF\xBDz\r\n", plain.Bytes());
}

TEST(CIniFile, BrokenTextReadsAsReplacementAndIsKeptByteForByte) {
  // Latin-1 and cut-off sequences, as an ANSI file would hold them.
  const std::string foreign =
      "; gr\xFC\xDF"
      "e \xC3\x28 \xED\xA0\x80\r\n";
  CIniFile file(foreign + "[S]\r\nBad=\xE2\x82\r\nLong=\xF4\x90\x80\x80\r\n");
  // One U+FFFD per maximal invalid subpart: a cut-off sequence is one, a
  // lead byte whose next byte cannot follow it is one by itself.
  EXPECT_EQ(u"\uFFFD", Value(file, u"S", u"Bad"));
  EXPECT_EQ(u"\uFFFD\uFFFD\uFFFD\uFFFD", Value(file, u"S", u"Long"));
  file.Set(u"S", u"New", u"1");
  EXPECT_EQ(
      foreign + "[S]\r\nBad=\xE2\x82\r\nLong=\xF4\x90\x80\x80\r\nNew=1\r\n",
      file.Bytes());

  // A lone surrogate in UTF-16 is handed on as it is.
  CIniFile lone(Utf16File(u"[S]\r\nK=a\xDC00\r\n"));
  EXPECT_EQ(u"a\xDC00", Value(lone, u"S", u"K"));

  // A UTF-16 file cut after an odd byte: the stray byte is completed to a
  // code unit, so what is appended stays readable.
  CIniFile odd(Utf16File(u"[S]\r\nK=1") + "x");
  EXPECT_EQ(u"1\uFFFD", Value(odd, u"S", u"K"));
  odd.Set(u"S", u"L", u"2");
  EXPECT_EQ(u"2", Value(odd, u"S", u"L"));
  EXPECT_EQ(0u, odd.Bytes().size() % 2);
}

TEST(CIniFile, ANameUtf8CannotHoldExactlyIsFoundAsStored) {
  // Half a surrogate pair is written as U+FFFD; Set and Find must look for
  // the name in that form, or the key is never found and every Set adds
  // another line.
  CIniFile file(std::string("[S]\r\n"));
  EXPECT_TRUE(file.Set(u"S", u"k\xD800", u"1"));
  EXPECT_TRUE(file.Set(u"S", u"k\xD800", u"2"));
  EXPECT_EQ("[S]\r\nk\xEF\xBF\xBD=2\r\n", file.Bytes());
  EXPECT_EQ(u"2", Value(file, u"S", u"k\xD800"));
  EXPECT_EQ(u"2", Value(file, u"S", u"k\uFFFD"));
  EXPECT_TRUE(file.Set(u"\xDC00", u"k", u"3"));
  EXPECT_EQ(u"3", Value(file, u"\xDC00", u"k"));
  // UTF-16 keeps the half pair, which then names only itself.
  CIniFile wide;
  EXPECT_TRUE(wide.Set(u"S", u"k\xD800", u"1"));
  EXPECT_EQ(u"1", Value(wide, u"S", u"k\xD800"));
  EXPECT_FALSE(wide.Find(u"S", u"k\uFFFD"));
}

TEST(CIniFile, GarbageNeitherCrashesNorChangesWhenOnlyRead) {
  // Bytes rich in the characters the syntax looks at.
  std::uint32_t state = 12345;
  const auto next = [&] {
    state = state * 1664525u + 1013904223u;
    return state >> 24;
  };
  for (const std::string mark : {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"}) {
    std::string bytes = mark;
    for (int i = 0; i < 200000; ++i) {
      const std::uint32_t r = next();
      bytes += r < 40 ? "[]=\r\n\0;\"'"[r % 10] : static_cast<char>(r);
    }
    CIniFile file(bytes);
    EXPECT_EQ(bytes, file.Bytes());
    file.Find(u"S", u"K");
    EXPECT_TRUE(file.Set(u"Ondrava", u"K", u"v"));
    EXPECT_EQ(u"v", Value(file, u"ondrava", u"k"));
    EXPECT_EQ(0, file.Bytes().compare(0, bytes.size(), bytes));
  }
}

}  // namespace
