// The image reader: the format told by the bytes, PNG and JPEG decoded into
// the .bmp reader's layout, sizes refused before decoding, and broken input
// refused without touching the output.
#include "earthfrm/image_reader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
const fs::path kImages = fs::path(ONDRAVA_SOURCE_DIR) / "tests/data/image";

std::vector<std::uint8_t> Bytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::vector<std::uint8_t> Seed(const char* name) {
  return Bytes(kImages / name);
}

// tools/make_image_seeds.py's picture, y counted from the top.
std::uint32_t Expected(int x, int y) {
  const std::uint32_t r = (x * 40 + 15) % 256, g = (y * 60 + 5) % 256,
                      b = ((x ^ y) * 33) % 256;
  return 0xFF000000u | r << 16 | g << 8 | b;
}

// Pixel (x, y), y from the top, of a bottom-up decoded bitmap.
std::uint32_t At(const DecodedBitmap& b, int x, int y) {
  return b.pixels[std::size_t(b.height - 1 - y) * b.width + x];
}

int Channel(std::uint32_t p, int shift) { return int((p >> shift) & 0xFF); }

void SetBigEndian32(std::vector<std::uint8_t>& bytes, std::size_t at,
                    std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[at + i] = std::uint8_t(value >> (24 - 8 * i));
}

const DecodedBitmap kUntouched{3, 1, {1, 2, 3}};

void ExpectUntouched(const DecodedBitmap& b) {
  EXPECT_EQ(b.width, kUntouched.width);
  EXPECT_EQ(b.height, kUntouched.height);
  EXPECT_EQ(b.pixels, kUntouched.pixels);
}
}  // namespace

TEST(ImageReader, TellsTheFormatByItsSignature) {
  const std::vector<std::uint8_t> bm = {'B', 'M', 0};
  const std::vector<std::uint8_t> gif = {'G', 'I', 'F', '8', '9', 'a'};
  const std::vector<std::uint8_t> jpegStart = {0xFF, 0xD8};
  EXPECT_EQ(FormatOf(bm), ImageFormat::kBmp);
  EXPECT_EQ(FormatOf(Seed("rgb-7x5.png")), ImageFormat::kPng);
  EXPECT_EQ(FormatOf(Seed("baseline-444.jpg")), ImageFormat::kJpeg);
  EXPECT_EQ(FormatOf(gif), ImageFormat::kUnknown);
  EXPECT_EQ(FormatOf(jpegStart), ImageFormat::kUnknown) << "too short";
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(gif, out), ImageError::kUnknownFormat);
  EXPECT_EQ(DecodeImage({}, out), ImageError::kUnknownFormat);
  ExpectUntouched(out);
}

TEST(ImageReader, PngComesOutBottomRowFirstAndOpaque) {
  DecodedBitmap rgb;
  ASSERT_EQ(DecodeImage(Seed("rgb-7x5.png"), rgb), ImageError::kNone);
  ASSERT_EQ(rgb.width, 7);
  ASSERT_EQ(rgb.height, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(At(rgb, x, y), Expected(x, y));
  // Every row filter and Adam7 give the same picture; alpha is dropped.
  for (const char* name : {"rgb-filters.png", "interlaced.png", "rgba.png"}) {
    DecodedBitmap other;
    ASSERT_EQ(DecodeImage(Seed(name), other), ImageError::kNone) << name;
    EXPECT_EQ(other.pixels, rgb.pixels) << name;
  }
  DecodedBitmap grey;
  ASSERT_EQ(DecodeImage(Seed("grey.png"), grey), ImageError::kNone);
  const std::uint32_t p = At(grey, 3, 2);
  EXPECT_EQ(p >> 24, 0xFFu);
  EXPECT_EQ(Channel(p, 16), Channel(p, 8));
  EXPECT_EQ(Channel(p, 8), Channel(p, 0));
}

int Luma(std::uint32_t p) {
  return (77 * Channel(p, 16) + 150 * Channel(p, 8) + 29 * Channel(p, 0)) >> 8;
}

TEST(ImageReader, EmptyDataChunksAreNoData) {
  std::vector<std::uint8_t> png = Seed("rgb-7x5.png");
  // An IDAT chunk of no bytes (its CRC is that of the type alone) before
  // the real one, right after the 33 bytes of signature and header.
  const std::uint8_t empty[] = {0,   0,   0,    0,    'I',  'D',
                                'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
  png.insert(png.begin() + 33, std::begin(empty), std::end(empty));
  DecodedBitmap withEmpty, plain;
  ASSERT_EQ(DecodeImage(png, withEmpty), ImageError::kNone);
  ASSERT_EQ(DecodeImage(Seed("rgb-7x5.png"), plain), ImageError::kNone);
  EXPECT_EQ(withEmpty.pixels, plain.pixels);
  // The same chunk at the very end, its CRC cut off: no data, no picture.
  std::vector<std::uint8_t> cut = Seed("rgb-7x5.png");
  cut.resize(33);
  cut.insert(cut.end(), std::begin(empty), std::begin(empty) + 8);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(cut, out), ImageError::kBroken);
  ExpectUntouched(out);
}

TEST(ImageReader, DataChunksLongerThanTheFileAreRefused) {
  // A length field of nearly 2^31 in a file of a few hundred bytes: refused
  // before the decoder makes room for it.
  std::vector<std::uint8_t> png = Seed("rgb-7x5.png");
  ASSERT_EQ(png[37], 'I');
  ASSERT_EQ(png[38], 'D');
  png[33] = 0x7F;
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(png, out), ImageError::kBroken);
  ExpectUntouched(out);
  // After the end chunk nothing counts.
  std::vector<std::uint8_t> trailing = Seed("rgb-7x5.png");
  const std::uint8_t junk[] = {0x7F, 0xFF, 0xFF, 0xFF, 'I', 'D', 'A', 'T'};
  trailing.insert(trailing.end(), std::begin(junk), std::end(junk));
  trailing.resize(trailing.size() + 8);
  EXPECT_EQ(DecodeImage(trailing, out), ImageError::kNone);
}

TEST(ImageReader, JpegDecodesCloseToItsPicture) {
  // Lossy, and the colours are shared between neighbours in 4:2:0: the
  // brightness is what stays close.
  for (const char* name :
       {"baseline-444.jpg", "baseline-420.jpg", "progressive.jpg"}) {
    DecodedBitmap b;
    ASSERT_EQ(DecodeImage(Seed(name), b), ImageError::kNone) << name;
    ASSERT_EQ(b.width, 7);
    ASSERT_EQ(b.height, 5);
    int worst = 0;
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 7; ++x)
        worst =
            std::max(worst, std::abs(Luma(At(b, x, y)) - Luma(Expected(x, y))));
    EXPECT_LT(worst, 24) << name;
    EXPECT_EQ(At(b, 0, 0) >> 24, 0xFFu);
  }
}

TEST(ImageReader, SizesBeyondTheLimitsAreRefusedBeforeDecoding) {
  // The header announces the size; the data behind it stays 7 x 5, so only
  // a refusal from the header keeps these from being decoded.
  std::vector<std::uint8_t> wide = Seed("rgb-7x5.png");
  SetBigEndian32(wide, 16, 65537);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(wide, out), ImageError::kTooLarge);
  std::vector<std::uint8_t> many = Seed("rgb-7x5.png");
  SetBigEndian32(many, 16, 20000);
  SetBigEndian32(many, 20, 20000);  // 4 * 10^8 > 2^28 pixels
  EXPECT_EQ(DecodeImage(many, out), ImageError::kTooLarge);
  std::vector<std::uint8_t> edge = Seed("rgb-7x5.png");
  SetBigEndian32(edge, 16, 65536);
  SetBigEndian32(edge, 20, 1);
  EXPECT_EQ(DecodeImage(edge, out), ImageError::kBroken)
      << "within the limits: decoded, and the data is too short";
  std::vector<std::uint8_t> tall = Seed("baseline-444.jpg");
  // The frame header's height and width follow its marker, length and
  // precision.
  for (std::size_t i = 2; i + 9 < tall.size(); ++i)
    if (tall[i] == 0xFF && tall[i + 1] == 0xC0) {
      tall[i + 5] = 0xFF;  // 65535 x 65535: more than 2^28 pixels
      tall[i + 6] = 0xFF;
      tall[i + 7] = 0xFF;
      tall[i + 8] = 0xFF;
      break;
    }
  EXPECT_EQ(DecodeImage(tall, out), ImageError::kTooLarge);
  ExpectUntouched(out);
}

TEST(ImageReader, HuffmanTablesWithTooManyCodesAreRefused) {
  // More than 256 codes in one table would overflow the decoder's arrays.
  std::vector<std::uint8_t> jpeg = Seed("baseline-444.jpg");
  std::size_t tables = 0;
  for (std::size_t i = 2; i + 21 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC4) {
      for (std::size_t c = i + 5; c < i + 21; ++c) jpeg[c] = 0x11;  // 272
      ++tables;
      break;
    }
  ASSERT_EQ(tables, 1u);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(jpeg, out), ImageError::kBroken);
  ExpectUntouched(out);
}

TEST(ImageReader, ScansWithUndefinedHuffmanTablesAreRefused) {
  // The decoder would read tables it never set.
  std::vector<std::uint8_t> jpeg = Seed("baseline-444.jpg");
  std::size_t scans = 0;
  for (std::size_t i = 2; i + 6 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) {
      jpeg[i + 6] = 0x33;  // the first component's DC and AC tables: 3
      ++scans;
      break;
    }
  ASSERT_EQ(scans, 1u);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(jpeg, out), ImageError::kBroken);
  ExpectUntouched(out);
}

TEST(ImageReader, EveryTruncationIsRefusedOrDecodedNeverHalfDone) {
  for (const char* name : {"rgb-7x5.png", "interlaced.png", "baseline-420.jpg",
                           "progressive.jpg", "restarts.jpg"}) {
    const std::vector<std::uint8_t> whole = Seed(name);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      // A copy of exactly n bytes: the sanitizers see any read past it.
      const std::vector<std::uint8_t> part(whole.begin(), whole.begin() + n);
      DecodedBitmap out = kUntouched;
      const ImageError error = DecodeImage(part, out);
      if (error == ImageError::kNone) {
        EXPECT_EQ(out.pixels.size(), std::size_t(out.width) * out.height);
      } else {
        ExpectUntouched(out);
      }
    }
  }
}

TEST(ImageReader, BmpGoesToOurOwnReader) {
  const std::vector<std::uint8_t> bmp =
      Bytes(fs::path(ONDRAVA_SOURCE_DIR) / "tests/data/bmp/info-24.bmp");
  DecodedBitmap viaImage, viaBmp;
  ASSERT_EQ(DecodeImage(bmp, viaImage), ImageError::kNone);
  ASSERT_EQ(DecodeBmp(bmp, viaBmp), BmpError::kNone);
  EXPECT_EQ(viaImage.pixels, viaBmp.pixels);
  std::vector<std::uint8_t> broken(bmp.begin(), bmp.begin() + 20);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(DecodeImage(broken, out), ImageError::kBroken);
  ExpectUntouched(out);
}

TEST(ImageReader, FilesAreReadWholeAndOnlyWhenRegular) {
  DecodedBitmap fromFile, fromBytes;
  const fs::path png = kImages / "palette.png";
  ASSERT_EQ(ReadImageFile(png.u16string(), fromFile), ImageError::kNone);
  ASSERT_EQ(DecodeImage(Seed("palette.png"), fromBytes), ImageError::kNone);
  EXPECT_EQ(fromFile.pixels, fromBytes.pixels);
  DecodedBitmap out = kUntouched;
  EXPECT_EQ(ReadImageFile((kImages / "missing.png").u16string(), out),
            ImageError::kCannotRead);
  EXPECT_EQ(ReadImageFile(kImages.u16string(), out), ImageError::kCannotRead)
      << "a folder";
  EXPECT_EQ(ReadImageFile(u"", out), ImageError::kCannotRead);
  EXPECT_EQ(ReadImageFile(std::u16string(u"a\0b", 3), out),
            ImageError::kCannotRead);
  ExpectUntouched(out);

  // A path beyond ASCII, and a file too large to be read at all.
  const fs::path folder = fs::temp_directory_path() / "ondrava-image-test";
  fs::remove_all(folder);
  ASSERT_TRUE(fs::create_directories(folder));
  const fs::path named = folder / u"地球 \U0001F30D.png";
  fs::copy_file(png, named);
  DecodedBitmap fromNamed;
  ASSERT_EQ(ReadImageFile(named.u16string(), fromNamed), ImageError::kNone);
  EXPECT_EQ(fromNamed.pixels, fromBytes.pixels);
  const fs::path huge = folder / "huge.png";
  fs::copy_file(png, huge);
  fs::resize_file(huge, kBmpMaxFileBytes + 1);  // sparse: quick
  EXPECT_EQ(ReadImageFile(huge.u16string(), out), ImageError::kTooLarge);
  ExpectUntouched(out);
  fs::remove_all(folder);
}
