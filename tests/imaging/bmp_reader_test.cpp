// The .bmp reader: every supported layout decodes to the same known picture,
// every malformed-file class ends in its own error with `out` untouched, and
// oversized pictures are squeezed without being held whole.
#include "imaging/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Words = std::vector<std::uint32_t>;
using Rows = std::vector<Words>;

constexpr std::uint32_t kBlack = 0xFF000000;

// Little-endian; bytes beyond the fourth are 0.
void Add(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(i < 4 ? v >> (8 * i) : 0);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Rows of values (palette indices up to 8 bits, the first in a byte's top
// bits; else the raw pixel), each padded to 4 bytes.
Bytes PackRows(int bits, const Rows& rows) {
  Bytes out;
  for (const Words& row : rows) {
    Bytes packed((row.size() * bits + 31) / 32 * 4, 0);
    for (std::size_t i = 0, bit = 0; i < row.size(); ++i, bit += bits) {
      if (bits < 8) packed[bit / 8] |= row[i] << (8 - bits - bit % 8);
      for (int k = 0; k < bits / 8; ++k) packed[bit / 8 + k] = row[i] >> 8 * k;
    }
    out.insert(out.end(), packed.begin(), packed.end());
  }
  return out;
}

// A .bmp file put together field by field; tests state only what differs.
struct BmpFile {
  BmpFile(std::uint16_t bits, Rows image)
      : bits(bits),
        rows(std::move(image)),
        width(rows.empty() ? 0 : static_cast<std::int32_t>(rows[0].size())) {}
  BmpFile& Header(std::uint32_t v) { return headerSize = v, *this; }
  BmpFile& Used(std::uint32_t v) { return used = v, *this; }
  BmpFile& Table(const Words& v) { return table = v, Used(v.size()); }
  BmpFile& Masks(const Words& v) { return masks = v, *this; }
  BmpFile& Fields(const Words& v) { return compression = 3, Masks(v); }
  BmpFile& Gap(std::size_t v) { return gap = v, *this; }
  BmpFile& TopDown() { return topDown = true, *this; }
  // Rows then only give the height.
  BmpFile& Rle(std::int32_t w, const Bytes& stream) {
    width = w;
    compression = bits == 8 ? 1 : 2;
    data = stream;
    return *this;
  }

  Bytes Build() const {
    const bool core = headerSize == 12;
    const auto h = static_cast<std::int32_t>(rows.size());
    Bytes b = {'B', 'M'};
    Add(b, 0, 12);
    Add(b, headerSize, 4);
    Add(b, static_cast<std::uint32_t>(width), core ? 2 : 4);
    Add(b, static_cast<std::uint32_t>(topDown ? -h : h), core ? 2 : 4);
    Add(b, 1, 2);
    Add(b, bits, 2);
    if (!core) {
      Add(b, compression, 4);
      Add(b, 0, 12);
      Add(b, used, 4);
      Add(b, 0, 4);
      for (std::uint32_t m : masks) Add(b, m, 4);
      b.resize(std::max<std::size_t>(b.size(), 14 + headerSize), 0);
    }
    for (std::uint32_t c : table) Add(b, c, core ? 3 : 4);
    b.resize(b.size() + gap, 0xEE);
    Put32(b, 10, static_cast<std::uint32_t>(b.size()));
    const Rows fileRows = topDown ? rows : Rows(rows.rbegin(), rows.rend());
    const Bytes pixels =
        compression == 1 || compression == 2 ? data : PackRows(bits, fileRows);
    b.insert(b.end(), pixels.begin(), pixels.end());
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
  }

  std::uint16_t bits;
  Rows rows;  // image rows, top first
  std::int32_t width;
  std::uint32_t headerSize = 40, compression = 0, used = 0;
  Words table, masks;   // table entries 0x00RRGGBB
  std::size_t gap = 0;  // bytes between the colour table and the pixels
  bool topDown = false;
  Bytes data;  // run-length stream
};

Words Palette(std::uint32_t n) {
  Words colors;
  for (std::uint32_t i = 0; i < n; ++i) {
    colors.push_back(i << 16 | (255 - i) << 8 | (i * 7 & 255));
  }
  return colors;
}

// The expected output: bottom row first, alpha 255.
Words BottomUp(const Rows& rows, const Words& table = {}) {
  Words out;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (std::uint32_t v : *row) {
      out.push_back(kBlack | (table.empty() ? v : table[v]));
    }
  }
  return out;
}

const Rows kIndices1 = {{1, 0, 1}, {0, 0, 1}};
const Rows kIndices4 = {{15, 3, 9}, {0, 12, 7}};
const Rows kIndices8 = {{200, 3, 99}, {0, 255, 17}};
const Rows kColors = {{0xFF0000, 0x00FF00, 0x0000FF}, {0xFFFFFF, 0, 0x848484}};
// 5-5-5, whose top bit is no colour (5-bit 16 is 0x84), and 5-6-5, whose
// 6-bit 32 is 0x82.
const Rows k555 = {{0x7C00, 0x03E0, 0x001F}, {0xFFFF, 0x8000, 0x4210}};
const Rows k565 = {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0, 0x8410}};
const Rows k565Colors = {{0xFF0000, 0x00FF00, 0x0000FF},
                         {0xFFFFFF, 0, 0x848284}};
const Words kMasks565 = {0xF800, 0x07E0, 0x001F};
const Rows kBgr = {{0x0000FF, 0x00FF00, 0xFF0000}, {0xFFFFFF, 0, 0x848484}};
const Words kMasksBgr = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};

struct FormatCase {
  std::string name;
  BmpFile file;
  Words expected;
};

std::vector<FormatCase> FormatCases() {
  const Words p2 = Palette(2), p16 = Palette(16), p256 = Palette(256);
  std::vector<FormatCase> cases = {
      {"1 bit", BmpFile(1, kIndices1).Table(p2), BottomUp(kIndices1, p2)},
      {"4 bits", BmpFile(4, kIndices4).Table(p16), BottomUp(kIndices4, p16)},
      {"8 bits", BmpFile(8, kIndices8).Table(p256), BottomUp(kIndices8, p256)},
      {"8 bits, gap before the pixels",
       BmpFile(8, kIndices8).Table(p256).Gap(37), BottomUp(kIndices8, p256)},
      {"16 bits 5-5-5", BmpFile(16, k555), BottomUp(kColors)},
      {"16 bits, 5-6-5 fields", BmpFile(16, k565).Fields(kMasks565),
       BottomUp(k565Colors)},
      {"24 bits", BmpFile(24, kColors), BottomUp(kColors)},
      {"32 bits, alpha byte ignored",
       BmpFile(32, {{0xABFF0000, 0x0000FF00, 0x120000FF},
                    {0xFFFFFFFF, kBlack, 0x00848484}}),
       BottomUp(kColors)},
      {"32 bits, fields in BGR order", BmpFile(32, kBgr).Fields(kMasksBgr),
       BottomUp(kColors)},
      {"32 bits, 10-bit fields",
       BmpFile(32, {{0x3FF00000, 0x000FFC00, 0x000003FF},
                    {0x3FFFFFFF, 0, 0x21084210}})
           .Fields({0x3FF00000, 0x000FFC00, 0x000003FF}),
       BottomUp(kColors)},
      {"core header, 24 bits", BmpFile(24, kColors).Header(12),
       BottomUp(kColors)},
      {"core header, 8 bits", BmpFile(8, kIndices8).Header(12).Table(p256),
       BottomUp(kIndices8, p256)},
      {"core header, 1 bit", BmpFile(1, kIndices1).Header(12).Table(p2),
       BottomUp(kIndices1, p2)},
      {"V2 header", BmpFile(16, k565).Header(52).Fields(kMasks565),
       BottomUp(k565Colors)},
      {"V3 header", BmpFile(32, kBgr).Header(56).Fields(kMasksBgr),
       BottomUp(kColors)},
      {"V4 header, BI_RGB ignores its masks",
       BmpFile(16, k555).Header(108).Masks(kMasks565), BottomUp(kColors)},
      {"V5 header", BmpFile(4, kIndices4).Header(124).Table(p16),
       BottomUp(kIndices4, p16)},
      {"1 x 1", BmpFile(24, {{0x123456}}), {0xFF123456}},
      // The colour table: an absurd entry count means 2^bits entries, even
      // with more in the file; entries announced but not present before the
      // pixel data are black.
      {"8 bits, absurd table size",
       BmpFile(8, kIndices8).Table(Palette(300)).Used(0xFFFFFFFF),
       BottomUp(kIndices8, p256)},
      {"8 bits, 256 entries announced, 4 present",
       BmpFile(8, {{3, 2, 200}}).Table(Palette(4)).Used(256),
       {kBlack | p256[3], kBlack | p256[2], kBlack}},
  };
  // Each layout again, stored top-down (the core header has no such form).
  for (std::size_t i = 0, n = cases.size(); i < n; ++i) {
    if (cases[i].file.headerSize == 12) continue;
    cases.push_back(cases[i]);
    cases.back().name += ", top-down";
    cases.back().file.TopDown();
  }
  return cases;
}

TEST(BmpReader, EveryLayoutDecodesTheKnownPicture) {
  for (const FormatCase& c : FormatCases()) {
    SCOPED_TRACE(c.name);
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmp(c.file.Build(), out), BmpError::kNone);
    EXPECT_EQ(out.width, c.file.width);
    EXPECT_EQ(out.height, static_cast<std::int32_t>(c.file.rows.size()));
    EXPECT_EQ(out.pixels, c.expected);
  }
}

Bytes Patched(Bytes file, std::size_t at, std::uint32_t value) {
  Put32(file, at, value);
  return file;
}
Bytes Sized(Bytes file, std::uint32_t width, std::uint32_t height) {
  return Patched(Patched(std::move(file), 18, width), 22, height);
}
Bytes Cut(Bytes file, std::size_t size) {
  file.resize(size);
  return file;
}

TEST(BmpReader, MalformedFilesFailWithTheirErrorAndLeaveOutAlone) {
  // 54 header bytes, then 2 rows of 12.
  const Bytes good = BmpFile(24, kColors).Build();
  const Bytes fields = BmpFile(16, k565).Fields(kMasks565).Build();
  const Bytes indexed = BmpFile(8, kIndices8).Table(Palette(256)).Build();
  const Bytes rle =
      BmpFile(8, Rows(1)).Table(Palette(2)).Rle(3, {3, 1, 0, 1}).Build();
  const BmpError kShort = BmpError::kTooShort, kBad = BmpError::kBadHeader,
                 kLarge = BmpError::kTooLarge,
                 kUnsupported = BmpError::kUnsupported,
                 kTruncated = BmpError::kTruncatedPixels;
  const struct {
    const char* name;
    Bytes file;
    BmpError expected;
  } cases[] = {
      {"empty", {}, kShort},
      {"one byte", {'B'}, kShort},
      {"not BM", Patched(good, 0, 0x414D), BmpError::kNotBmp},
      {"file header only", Cut(good, 14), kShort},
      {"cut in the info header", Cut(good, 40), kShort},
      {"cut in a V5 header", Cut(BmpFile(24, kColors).Header(124).Build(), 100),
       kShort},
      {"cut in the masks", Cut(fields, 60), kShort},
      {"header size below the core header", Patched(good, 14, 11), kBad},
      {"unknown header size", Patched(good, 14, 64), kUnsupported},
      {"pixel offset past the end", Patched(good, 10, 1000), kBad},
      {"pixel offset inside the header", Patched(good, 10, 50), kBad},
      {"pixel offset inside the masks", Patched(fields, 10, 60), kBad},
      {"colour table past the file", Cut(indexed, 14 + 40 + 600), kBad},
      {"width 0", Patched(good, 18, 0), kBad},
      {"height 0", Patched(good, 22, 0), kBad},
      {"negative width", Patched(good, 18, 0xFFFFFFFD), kBad},
      {"height INT_MIN", Patched(good, 22, 0x80000000), kBad},
      {"two planes", Patched(good, 26, 0x00180002), kBad},
      {"width * height * 4 overflows", Sized(good, 40000, 40000), kLarge},
      {"65536 x 65536", Sized(good, 65536, 65536), kLarge},
      {"16384 x 16385", Sized(good, 16384, 16385), kLarge},
      {"16384 x 16384 fits, but has no pixels", Sized(good, 16384, 16384),
       kTruncated},
      {"largest sides", Sized(good, 0x7FFFFFFF, 0x7FFFFFFF), kLarge},
      {"zero mask", Patched(fields, 54, 0), kBad},
      {"overlapping masks", Patched(fields, 58, 0x0FE0), kBad},
      {"split mask", Patched(fields, 62, 0x0011), kBad},
      {"16-bit mask beyond 16 bits", Patched(fields, 54, 0x1F800), kBad},
      {"top-down run-length", Patched(rle, 22, 0xFFFFFFFF), kBad},
      {"2 bits", Patched(good, 28, 2), kUnsupported},
      {"0 bits, embedded JPEG", Patched(Patched(good, 28, 0), 30, 4),
       kUnsupported},
      {"PNG compression", Patched(good, 30, 5), kUnsupported},
      {"bit fields at 24 bits", Patched(good, 30, 3), kUnsupported},
      {"RLE8 at 4 bits", Patched(indexed, 28, 0x00010004), kUnsupported},
      {"core header at 16 bits",
       Patched(BmpFile(24, kColors).Header(12).Build(), 24, 16), kUnsupported},
      {"last pixel row one byte short", Cut(good, good.size() - 1), kTruncated},
      {"no pixel rows at all", Cut(good, 54), kTruncated},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DecodedBitmap out{7, 1, {0xDEADBEEF}};
    EXPECT_EQ(DecodeBmp(c.file, out), c.expected);
    EXPECT_EQ(out.width, 7);
    EXPECT_EQ(out.height, 1);
    EXPECT_EQ(out.pixels, Words{0xDEADBEEF});
  }
}

TEST(BmpReader, RunLengthStreamsDecodeWithEveryCode) {
  const Words p = Palette(16);
  // 5 x 3. Bottom row: a run of 2, a 3-pixel literal (padded); middle row: a
  // delta over 2 pixels, a run of 9 cut at the row's end; the end of the
  // bitmap leaves the top row out. In 4 bits the runs alternate two nibbles.
  const BmpFile rle8 =
      BmpFile(8, Rows(3))
          .Table(p)
          .Rle(5, {2, 4, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 2, 0, 9, 5, 0, 1});
  const BmpFile rle4 =
      BmpFile(4, Rows(3))
          .Table(p)
          .Rle(5, {2, 0x46, 0, 3, 0x78, 0x90, 0, 0, 0, 2, 2, 0, 9, 0x5A, 0, 1});
  Words expected8(15, kBlack);
  for (int i : {0, 1}) expected8[i] = kBlack | p[4];
  for (int i : {2, 3, 4}) expected8[i] = kBlack | p[i + 5];
  for (int i : {7, 8, 9}) expected8[i] = kBlack | p[5];
  Words expected4 = expected8;
  expected4[1] = kBlack | p[6];
  expected4[8] = kBlack | p[10];
  for (const auto& [file, expected] :
       {std::pair(rle8, expected8), std::pair(rle4, expected4)}) {
    SCOPED_TRACE(file.bits);
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmp(file.Build(), out), BmpError::kNone);
    EXPECT_EQ(out.pixels, expected);
  }
  // A delta beyond the top or the last end of line ends the picture; a stream
  // that stops while rows remain, or inside a literal or delta, is truncated.
  const struct {
    Bytes stream;
    BmpError expected;
  } streams[] = {{{1, 4, 0, 2, 0, 200}, BmpError::kNone},
                 {{1, 4, 0, 0, 1, 4, 0, 0, 1, 4, 0, 0}, BmpError::kNone},
                 {{1, 4, 0, 0}, BmpError::kTruncatedPixels},
                 {{1, 4, 0, 4, 1, 2}, BmpError::kTruncatedPixels},
                 {{1, 4, 0, 2, 1}, BmpError::kTruncatedPixels}};
  for (const auto& s : streams) {
    DecodedBitmap out;
    EXPECT_EQ(DecodeBmp(BmpFile(rle8).Rle(5, s.stream).Build(), out),
              s.expected);
  }
}

TEST(BmpReader, SqueezesToTheNearestSourcePixels) {
  // 9 x 6, pixel (x, row from the bottom) = 16 * row + x. Squeezed to 3 x 2,
  // the cell centres fall on columns 1, 4, 7 and rows 1, 4. The run-length
  // form skips (4, 1) with a delta, which must then stay black rather than
  // show a row the squeeze drops.
  const Words p = Palette(256);
  Rows rows(6);
  Bytes stream;
  for (std::uint8_t r = 0; r < 6; ++r) {
    for (std::uint8_t x = 0; x < 9; ++x) {
      const auto v = static_cast<std::uint8_t>(16 * r + x);
      rows[5 - r].push_back(v);
      if (r == 1 && x == 4) {
        stream.insert(stream.end(), {0, 2, 1, 0});
      } else {
        stream.insert(stream.end(), {1, v});
      }
    }
    stream.insert(stream.end(), {0, 0});
  }
  const BmpFile plain = BmpFile(8, rows).Table(p);
  for (const BmpFile& file :
       {plain, BmpFile(plain).TopDown(), BmpFile(plain).Rle(9, stream)}) {
    SCOPED_TRACE(file.compression * 2 + file.topDown);
    Words small = BottomUp({{65, 68, 71}, {17, 20, 23}}, p);
    Words whole = BottomUp(rows, p);
    if (file.compression != 0) small[1] = whole[9 + 4] = kBlack;
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmpScaled(file.Build(), 3, 2, out), BmpError::kNone);
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.height, 2);
    EXPECT_EQ(out.pixels, small);
    // Within the limits nothing changes; no limit admits nothing.
    ASSERT_EQ(DecodeBmpScaled(file.Build(), 100, 6, out), BmpError::kNone);
    EXPECT_EQ(out.pixels, whole);
    EXPECT_EQ(DecodeBmpScaled(file.Build(), 0, 6, out), BmpError::kTooLarge);
  }
}

TEST(BmpReader, A65537WideFileIsSqueezedTo65536) {
  Rows rows(1);
  for (std::uint32_t x = 0; x < 65537; ++x) rows[0].push_back(x);
  const Bytes file = BmpFile(24, rows).Build();
  for (std::int32_t limit : {kBmpMaxSide, 100000}) {
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmpScaled(file, limit, limit, out), BmpError::kNone);
    ASSERT_EQ(out.width, 65536);
    ASSERT_EQ(out.height, 1);
    // Both ends kept, exactly one column dropped, every kept column the
    // nearest to its place.
    EXPECT_EQ(out.pixels.front(), kBlack);
    EXPECT_EQ(out.pixels.back(), kBlack | 65536);
    for (std::uint32_t x = 1; x < 65536; ++x) {
      const std::uint32_t source = out.pixels[x] & 0xFFFFFF;
      ASSERT_TRUE(source == x || source == x + 1) << x;
      ASSERT_GT(source, out.pixels[x - 1] & 0xFFFFFF) << x;
    }
  }
}

}  // namespace
