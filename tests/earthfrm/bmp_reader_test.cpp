// The .bmp reader: every supported layout decodes to the same known picture,
// every malformed-file class ends in its own error with `out` untouched, and
// oversized pictures are squeezed without being held whole.
#include "earthfrm/bmp_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Rows = std::vector<std::vector<std::uint32_t>>;

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
// Little-endian; bytes beyond the fourth are 0.
void Add(Bytes& b, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    b.push_back(i < 4 ? static_cast<std::uint8_t>(v >> (8 * i)) : 0);
  }
}

// Rows of image values (palette indices up to 8 bits, otherwise the raw
// little-endian pixel), each padded to 4 bytes.
Bytes PackRows(int bits, const Rows& rows) {
  Bytes out;
  for (const auto& row : rows) {
    const std::size_t start = out.size();
    if (bits >= 8) {
      for (std::uint32_t v : row) Add(out, v, bits / 8);
    } else {
      std::uint32_t acc = 0;
      int used = 0;
      for (std::uint32_t v : row) {
        acc = acc << bits | v;
        if ((used += bits) == 8)
          out.push_back(static_cast<std::uint8_t>(acc)), acc = 0, used = 0;
      }
      if (used != 0)
        out.push_back(static_cast<std::uint8_t>(acc << (8 - used)));
    }
    while ((out.size() - start) % 4 != 0) out.push_back(0);
  }
  return out;
}

// A .bmp file put together field by field; tests state only what differs.
struct BmpFile {
  std::uint32_t headerSize = 40;
  std::int32_t width = 3;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  Rows rows;  // image rows, top first
  bool topDown = false;
  std::vector<std::uint32_t> table;  // 0x00RRGGBB
  std::optional<std::uint32_t> colorsUsed;
  std::vector<std::uint32_t> masks;  // after a 40-byte header, else inside it
  std::size_t gap = 0;               // bytes between the table and the pixels
  std::optional<Bytes> pixelData;    // instead of packed `rows`

  BmpFile& Header(std::uint32_t v) { return headerSize = v, *this; }
  BmpFile& Width(std::int32_t v) { return width = v, *this; }
  BmpFile& Bits(std::uint16_t v) { return bits = v, *this; }
  BmpFile& Compression(std::uint32_t v) { return compression = v, *this; }
  BmpFile& Image(const Rows& v) { return rows = v, *this; }
  BmpFile& TopDown() { return topDown = true, *this; }
  BmpFile& Table(const std::vector<std::uint32_t>& v) {
    return table = v, *this;
  }
  BmpFile& ColorsUsed(std::uint32_t v) { return colorsUsed = v, *this; }
  BmpFile& Masks(const std::vector<std::uint32_t>& v) {
    return masks = v, *this;
  }
  BmpFile& Gap(std::size_t v) { return gap = v, *this; }
  BmpFile& Data(const Bytes& v) { return pixelData = v, *this; }

  Bytes Build() const {
    Bytes b = {'B', 'M'};
    Add(b, 0, 12);
    Add(b, headerSize, 4);
    const auto rowCount = static_cast<std::int32_t>(rows.size());
    const std::int32_t h = topDown ? -rowCount : rowCount;
    const bool core = headerSize == 12;
    Add(b, static_cast<std::uint32_t>(width), core ? 2 : 4);
    Add(b, static_cast<std::uint32_t>(h), core ? 2 : 4);
    Add(b, 1, 2);
    Add(b, bits, 2);
    if (!core) {
      Add(b, compression, 4);
      Add(b, 0, 12);
      Add(b,
          colorsUsed ? *colorsUsed : static_cast<std::uint32_t>(table.size()),
          4);
      Add(b, 0, 4);
      for (std::uint32_t m : masks) Add(b, m, 4);
      b.resize(std::max<std::size_t>(b.size(), 14 + headerSize), 0);
    }
    for (std::uint32_t c : table) Add(b, c, core ? 3 : 4);
    b.resize(b.size() + gap, 0xEE);
    Put32(b, 10, static_cast<std::uint32_t>(b.size()));
    Rows fileRows(rows.rbegin(), rows.rend());
    if (topDown) fileRows = rows;
    const Bytes data = pixelData ? *pixelData : PackRows(bits, fileRows);
    b.insert(b.end(), data.begin(), data.end());
    Put32(b, 2, static_cast<std::uint32_t>(b.size()));
    return b;
  }
};

std::vector<std::uint32_t> Palette(std::uint32_t n) {
  std::vector<std::uint32_t> colors;
  for (std::uint32_t i = 0; i < n; ++i)
    colors.push_back(i << 16 | (255 - i) << 8 | (i * 7 & 255));
  return colors;
}

// Expected output: bottom row first, alpha 255.
std::vector<std::uint32_t> BottomUp(const Rows& rows) {
  std::vector<std::uint32_t> out;
  for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
    for (std::uint32_t c : *row) out.push_back(0xFF000000u | c);
  }
  return out;
}

std::vector<std::uint32_t> Lookup(const Rows& rows,
                                  const std::vector<std::uint32_t>& table) {
  Rows colors = rows;
  for (auto& row : colors)
    for (auto& v : row) v = table[v];
  return BottomUp(colors);
}

const Rows kIndices1 = {{1, 0, 1}, {0, 0, 1}};
const Rows kIndices4 = {{15, 3, 9}, {0, 12, 7}};
const Rows kIndices8 = {{200, 3, 99}, {0, 255, 17}};
const Rows kColors = {{0xFF0000, 0x00FF00, 0x0000FF},
                      {0xFFFFFF, 0x000000, 0x848484}};
// kColors in 5-5-5 (the top bit is not a colour; 5-bit 16 is 0x84) and in
// 5-6-5, where 6-bit 32 is 0x82.
const Rows k555 = {{0x7C00, 0x03E0, 0x001F}, {0xFFFF, 0x8000, 0x4210}};
const Rows k565 = {{0xF800, 0x07E0, 0x001F}, {0xFFFF, 0x0000, 0x8410}};
const Rows k565Colors = {{0xFF0000, 0x00FF00, 0x0000FF},
                         {0xFFFFFF, 0x000000, 0x848284}};
const Rows kBgrInRgbOrder = {{0x0000FF, 0x00FF00, 0xFF0000},
                             {0xFFFFFF, 0, 0x848484}};

struct FormatCase {
  const char* name;
  BmpFile file;
  std::vector<std::uint32_t> expected;
};

std::vector<FormatCase> FormatCases() {
  const auto p2 = Palette(2), p16 = Palette(16), p256 = Palette(256);
  std::vector<FormatCase> cases = {
      {"1 bit", BmpFile().Bits(1).Image(kIndices1).Table(p2),
       Lookup(kIndices1, p2)},
      {"4 bits", BmpFile().Bits(4).Image(kIndices4).Table(p16),
       Lookup(kIndices4, p16)},
      {"8 bits", BmpFile().Bits(8).Image(kIndices8).Table(p256),
       Lookup(kIndices8, p256)},
      {"8 bits, gap before the pixels",
       BmpFile().Bits(8).Image(kIndices8).Table(p256).Gap(37),
       Lookup(kIndices8, p256)},
      {"16 bits 5-5-5", BmpFile().Bits(16).Image(k555), BottomUp(kColors)},
      {"16 bits 5-6-5 bit fields",
       BmpFile().Bits(16).Compression(3).Image(k565).Masks(
           {0xF800, 0x07E0, 0x001F}),
       BottomUp(k565Colors)},
      {"24 bits", BmpFile().Bits(24).Image(kColors), BottomUp(kColors)},
      {"32 bits, alpha byte ignored",
       BmpFile().Bits(32).Image({{0xABFF0000, 0x0000FF00, 0x120000FF},
                                 {0xFFFFFFFF, 0xFF000000, 0x00848484}}),
       BottomUp(kColors)},
      {"32 bits, bit fields in BGR order",
       BmpFile()
           .Bits(32)
           .Compression(3)
           .Image(kBgrInRgbOrder)
           .Masks({0xFF, 0xFF00, 0xFF0000}),
       BottomUp(kColors)},
      {"32 bits, 10-bit fields",
       BmpFile()
           .Bits(32)
           .Compression(3)
           .Image({{0x3FF00000, 0x000FFC00, 0x000003FF},
                   {0x3FFFFFFF, 0, 0x21084210}})
           .Masks({0x3FF00000, 0x000FFC00, 0x000003FF}),
       BottomUp(kColors)},
      {"core header, 24 bits", BmpFile().Header(12).Image(kColors),
       BottomUp(kColors)},
      {"core header, 8-bit RGBTRIPLE table",
       BmpFile().Header(12).Bits(8).Image(kIndices8).Table(p256),
       Lookup(kIndices8, p256)},
      {"core header, 1 bit",
       BmpFile().Header(12).Bits(1).Image(kIndices1).Table(p2),
       Lookup(kIndices1, p2)},
      {"V2 header, masks inside",
       BmpFile().Header(52).Bits(16).Compression(3).Image(k565).Masks(
           {0xF800, 0x07E0, 0x001F}),
       BottomUp(k565Colors)},
      {"V3 header, masks inside",
       BmpFile()
           .Header(56)
           .Bits(32)
           .Compression(3)
           .Image(kBgrInRgbOrder)
           .Masks({0xFF, 0xFF00, 0xFF0000, 0xFF000000}),
       BottomUp(kColors)},
      {"V4 header, 16-bit BI_RGB ignores the masks in it",
       BmpFile().Header(108).Bits(16).Image(k555).Masks(
           {0xF800, 0x07E0, 0x001F}),
       BottomUp(kColors)},
      {"V5 header, 4 bits",
       BmpFile().Header(124).Bits(4).Image(kIndices4).Table(p16),
       Lookup(kIndices4, p16)},
      {"1 x 1", BmpFile().Width(1).Image({{0x123456}}), {0xFF123456}},
  };
  // Each layout again, stored top-down.
  const std::size_t bottomUpCount = cases.size();
  for (std::size_t i = 0; i < bottomUpCount; ++i) {
    if (cases[i].file.headerSize == 12)
      continue;  // the core header has no top-down form
    FormatCase flipped = cases[i];
    flipped.file.topDown = true;
    cases.push_back(flipped);
  }
  return cases;
}

TEST(BmpReader, EveryLayoutDecodesTheKnownPicture) {
  for (const FormatCase& c : FormatCases()) {
    SCOPED_TRACE(std::string(c.name) + (c.file.topDown ? ", top-down" : ""));
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmp(c.file.Build(), out), BmpError::kNone);
    EXPECT_EQ(out.width, c.file.width);
    EXPECT_EQ(out.height, static_cast<std::int32_t>(c.file.rows.size()));
    EXPECT_EQ(out.pixels, c.expected);
  }
}

TEST(BmpReader, ColourTableIsCappedAndReadOnlyUpToThePixels) {
  const auto p256 = Palette(256);
  DecodedBitmap out;
  // An absurd entry count means 2^bits entries, even with more in the file.
  const BmpFile absurd = BmpFile()
                             .Bits(8)
                             .Image(kIndices8)
                             .Table(Palette(300))
                             .ColorsUsed(0xFFFFFFFF);
  ASSERT_EQ(DecodeBmp(absurd.Build(), out), BmpError::kNone);
  EXPECT_EQ(out.pixels, Lookup(kIndices8, p256));
  // 256 entries announced, 4 present before the pixel data: the rest are black.
  const BmpFile shortTable =
      BmpFile().Bits(8).Image({{3, 2, 200}}).Table(Palette(4)).ColorsUsed(256);
  ASSERT_EQ(DecodeBmp(shortTable.Build(), out), BmpError::kNone);
  EXPECT_EQ(out.pixels,
            (std::vector<std::uint32_t>{0xFF000000 | p256[3],
                                        0xFF000000 | p256[2], 0xFF000000}));
}

struct BadCase {
  const char* name;
  Bytes file;
  BmpError expected;
};

Bytes Patched(Bytes file, std::size_t at, std::uint32_t value) {
  Put32(file, at, value);
  return file;
}
Bytes Cut(Bytes file, std::size_t size) {
  file.resize(size);
  return file;
}

TEST(BmpReader, MalformedFilesFailWithTheirErrorAndLeaveOutAlone) {
  const Bytes good =
      BmpFile().Image(kColors).Build();  // 54 + 2 rows of 12 bytes
  const Bytes fields = BmpFile()
                           .Bits(16)
                           .Compression(3)
                           .Image(k565)
                           .Masks({0xF800, 0x07E0, 0x001F})
                           .Build();
  const Bytes indexed =
      BmpFile().Bits(8).Image(kIndices8).Table(Palette(256)).Build();
  const Bytes rle = BmpFile()
                        .Bits(8)
                        .Compression(1)
                        .Image({{0}})
                        .Table(Palette(2))
                        .Data(Bytes{3, 1, 0, 1})
                        .Build();
  const BmpError kShort = BmpError::kTooShort, kBad = BmpError::kBadHeader,
                 kLarge = BmpError::kTooLarge,
                 kUnsupported = BmpError::kUnsupported,
                 kTruncated = BmpError::kTruncatedPixels;
  const BadCase cases[] = {
      {"empty", {}, kShort},
      {"one byte", {'B'}, kShort},
      {"not BM", Patched(good, 0, 0x0000414D), BmpError::kNotBmp},
      {"file header only", Cut(good, 14), kShort},
      {"cut in the info header", Cut(good, 40), kShort},
      {"cut in a V5 header",
       Cut(BmpFile().Header(124).Image(kColors).Build(), 100), kShort},
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
      {"40000 x 40000, width * height * 4 overflows",
       Patched(Patched(good, 18, 40000), 22, 40000), kLarge},
      {"65536 x 65536", Patched(Patched(good, 18, 65536), 22, 65536), kLarge},
      {"16384 x 16385", Patched(Patched(good, 18, 16384), 22, 16385), kLarge},
      {"16384 x 16384 fits, but has no pixels",
       Patched(Patched(good, 18, 16384), 22, 16384), kTruncated},
      {"largest sides", Patched(Patched(good, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF),
       kLarge},
      {"zero mask", Patched(fields, 54, 0), kBad},
      {"overlapping masks", Patched(fields, 58, 0x0FE0), kBad},
      {"split mask", Patched(fields, 62, 0x0011), kBad},
      {"16-bit mask beyond 16 bits", Patched(fields, 54, 0x1F800), kBad},
      {"top-down run-length", Patched(rle, 22, 0xFFFFFFFF), kBad},
      {"2 bits", Patched(good, 28, 2), kUnsupported},
      {"0 bits (embedded JPEG or PNG)", Patched(Patched(good, 28, 0), 30, 4),
       kUnsupported},
      {"PNG compression", Patched(good, 30, 5), kUnsupported},
      {"bit fields at 24 bits", Patched(good, 30, 3), kUnsupported},
      {"RLE8 at 4 bits", Patched(indexed, 28, 0x00010004), kUnsupported},
      {"core header at 16 bits",
       Patched(BmpFile().Header(12).Image(kColors).Build(), 24, 16),
       kUnsupported},
      {"last pixel row one byte short", Cut(good, good.size() - 1), kTruncated},
      {"no pixel rows at all", Cut(good, 54), kTruncated},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.name);
    DecodedBitmap out{7, 1, {0xDEADBEEF}};
    EXPECT_EQ(DecodeBmp(c.file, out), c.expected);
    EXPECT_EQ(out.width, 7);
    EXPECT_EQ(out.height, 1);
    EXPECT_EQ(out.pixels, std::vector<std::uint32_t>{0xDEADBEEF});
  }
}

std::vector<std::uint32_t> Black(std::size_t n) {
  return std::vector<std::uint32_t>(n, 0xFF000000);
}

TEST(BmpReader, RunLengthStreamsDecodeWithEveryCode) {
  const auto p = Palette(16);
  const auto c = [&](std::uint32_t i) { return 0xFF000000 | p[i]; };
  // 5 x 3. Bottom row: a run of 2, then a 3-pixel literal (padded); middle
  // row: a delta over 2 pixels, a run of 9 cut at the row's end; the top row
  // is left by the end of the bitmap.
  const BmpFile rle8 =
      BmpFile()
          .Width(5)
          .Bits(8)
          .Compression(1)
          .Image({{}, {}, {}})
          .Table(p)
          .Data(Bytes{2, 4, 0, 3, 7, 8, 9, 0, 0, 0, 0, 2, 2, 0, 9, 5, 0, 1});
  // The same picture in 4 bits: the run alternates its two nibbles.
  const BmpFile rle4 = BmpFile(rle8).Bits(4).Compression(2).Data(
      Bytes{2, 0x44, 0, 3, 0x78, 0x90, 0, 0, 0, 2, 2, 0, 9, 0x55, 0, 1});
  std::vector<std::uint32_t> expected = Black(15);
  expected[0] = expected[1] = c(4);
  expected[2] = c(7), expected[3] = c(8), expected[4] = c(9);
  expected[7] = expected[8] = expected[9] = c(5);
  for (const BmpFile& file : {rle8, rle4}) {
    SCOPED_TRACE(file.bits);
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmp(file.Build(), out), BmpError::kNone);
    EXPECT_EQ(out.pixels, expected);
  }
  // A delta beyond the top ends the picture; a stream that stops while rows
  // remain, or inside a literal, is truncated.
  const struct {
    Bytes data;
    BmpError expected;
  } streams[] = {{{1, 4, 0, 2, 0, 200}, BmpError::kNone},
                 {{1, 4, 0, 0, 1, 4, 0, 0, 1, 4, 0, 0}, BmpError::kNone},
                 {{1, 4, 0, 0}, BmpError::kTruncatedPixels},
                 {{1, 4, 0, 4, 1, 2}, BmpError::kTruncatedPixels},
                 {{1, 4, 0, 2, 1}, BmpError::kTruncatedPixels}};
  for (const auto& stream : streams) {
    BmpFile file = rle8;
    file.pixelData = stream.data;
    DecodedBitmap out;
    EXPECT_EQ(DecodeBmp(file.Build(), out), stream.expected);
  }
}

TEST(BmpReader, SqueezesToTheNearestSourcePixels) {
  // 9 x 6, pixel (x, row from the bottom) = 16 * row + x: squeezed to 3 x 2,
  // the cell centres fall on columns 1, 4, 7 and rows 1, 4.
  Rows rows;
  for (std::uint32_t r = 6; r-- > 0;) {
    rows.emplace_back();
    for (std::uint32_t x = 0; x < 9; ++x) rows.back().push_back(16 * r + x);
  }
  Bytes rle;
  for (std::uint32_t r = 0; r < 6; ++r) {
    for (std::uint32_t x = 0; x < 9; ++x)
      rle.insert(rle.end(), {1, static_cast<std::uint8_t>(16 * r + x)});
    rle.insert(rle.end(), {0, 0});
  }
  const std::vector<std::uint32_t> expected =
      Lookup({{65, 68, 71}, {17, 20, 23}}, Palette(256));
  const BmpFile files[] = {
      BmpFile().Width(9).Bits(8).Image(rows).Table(Palette(256)),
      BmpFile().Width(9).Bits(8).Image(rows).TopDown().Table(Palette(256)),
      BmpFile()
          .Width(9)
          .Bits(8)
          .Compression(1)
          .Image(rows)
          .Table(Palette(256))
          .Data(rle)};
  for (const BmpFile& file : files) {
    SCOPED_TRACE(file.compression * 2 + file.topDown);
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmpScaled(file.Build(), 3, 2, out), BmpError::kNone);
    EXPECT_EQ(out.width, 3);
    EXPECT_EQ(out.height, 2);
    EXPECT_EQ(out.pixels, expected);
    // Within the limits nothing changes; no limit admits nothing.
    ASSERT_EQ(DecodeBmpScaled(file.Build(), 100, 6, out), BmpError::kNone);
    EXPECT_EQ(out.width * out.height, 54);
    EXPECT_EQ(DecodeBmpScaled(file.Build(), 0, 6, out), BmpError::kTooLarge);
  }
}

TEST(BmpReader, A65537WideFileIsSqueezedTo65536) {
  Rows rows(1);
  for (std::uint32_t x = 0; x < 65537; ++x) rows[0].push_back(x);
  const Bytes file = BmpFile().Width(65537).Image(rows).Build();
  for (std::int32_t limit : {kBmpMaxSide, 100000}) {
    DecodedBitmap out;
    ASSERT_EQ(DecodeBmpScaled(file, limit, limit, out), BmpError::kNone);
    ASSERT_EQ(out.width, 65536);
    ASSERT_EQ(out.height, 1);
    // Keeps both ends and drops exactly one column; every kept column is the
    // nearest to its place.
    EXPECT_EQ(out.pixels.front(), 0xFF000000u);
    EXPECT_EQ(out.pixels.back(), 0xFF000000u | 65536);
    for (std::uint32_t x = 0; x < 65536; ++x) {
      const std::uint32_t source = out.pixels[x] & 0xFFFFFF;
      ASSERT_TRUE(source == x || source == x + 1) << x;
      if (x > 0) {
        ASSERT_GT(source, out.pixels[x - 1] & 0xFFFFFF) << x;
      }
    }
  }
}

class BmpFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto stamp =
        std::chrono::steady_clock::now().time_since_epoch().count();
    folder = std::filesystem::temp_directory_path() /
             ("ondrava-bmp-" + std::to_string(stamp));
    ASSERT_TRUE(std::filesystem::create_directories(folder));
  }
  void TearDown() override {
    std::error_code error;
    std::filesystem::remove_all(folder, error);
  }
  std::filesystem::path Write(const std::u16string& name, const Bytes& bytes) {
    const std::filesystem::path path = folder / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::filesystem::path folder;
};

TEST_F(BmpFileTest, ReadsAFileByItsUnicodePath) {
  const auto path =
      Write(u"地球 \U0001F30D.bmp", BmpFile().Image(kColors).Build());
  DecodedBitmap out;
  ASSERT_EQ(ReadBmpFile(path.u16string(), out), BmpError::kNone);
  EXPECT_EQ(out.pixels, BottomUp(kColors));
}

TEST_F(BmpFileTest, RefusesWhatIsNotAReadableBitmapFile) {
  const auto text = Write(u"note.bmp", {'h', 'e', 'l', 'l', 'o'});
  const auto huge = Write(u"huge.bmp", BmpFile().Image(kColors).Build());
  std::filesystem::resize_file(huge, kBmpMaxFileBytes + 1);
  const struct {
    std::u16string path;
    BmpError expected;
  } cases[] = {{text.u16string(), BmpError::kNotBmp},
               {huge.u16string(), BmpError::kTooLarge},
               {(folder / "missing.bmp").u16string(), BmpError::kCannotRead},
               {folder.u16string(), BmpError::kCannotRead},
               {u"", BmpError::kCannotRead},
               {text.u16string() + u'\0' + u"x", BmpError::kCannotRead}};
  for (const auto& c : cases) {
    DecodedBitmap out{2, 1, {1, 2}};
    EXPECT_EQ(ReadBmpFile(c.path, out), c.expected);
    EXPECT_EQ(out.pixels.size(), 2u);
  }
}

}  // namespace
