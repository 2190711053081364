// The image reader: the format told by the bytes, PNG and JPEG decoded into
// the .bmp reader's layout, sizes refused before decoding, and broken input
// refused without touching the output.
#include "imaging/image_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
using Bytes = std::vector<std::uint8_t>;

const fs::path kImages = fs::path(ONDRAVA_SOURCE_DIR) / "tests/data/image";

Bytes FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

Bytes Seed(const char* name) { return FileBytes(kImages / name); }

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

int Luma(std::uint32_t p) {
  return (77 * Channel(p, 16) + 150 * Channel(p, 8) + 29 * Channel(p, 0)) >> 8;
}

// rgb-7x5.png with a header announcing width x height; the data stays 7 x 5.
Bytes PngSized(std::uint32_t width, std::uint32_t height) {
  Bytes png = Seed("rgb-7x5.png");
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = std::uint8_t(width >> (24 - 8 * i));
    png[20 + i] = std::uint8_t(height >> (24 - 8 * i));
  }
  return png;
}

// baseline-444.jpg with `patch` written `offset` bytes into its first segment
// of `marker`; empty, which no test expects to decode, if there is none.
Bytes PatchedJpeg(std::uint8_t marker, std::size_t offset, const Bytes& patch) {
  Bytes jpeg = Seed("baseline-444.jpg");
  for (std::size_t i = 2; i + offset + patch.size() <= jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == marker) {
      std::copy(patch.begin(), patch.end(), jpeg.begin() + i + offset);
      return jpeg;
    }
  return {};
}

const DecodedBitmap kUntouched{3, 1, {1, 2, 3}};

void ExpectUntouched(const DecodedBitmap& b) {
  EXPECT_EQ(b.width, kUntouched.width);
  EXPECT_EQ(b.height, kUntouched.height);
  EXPECT_EQ(b.pixels, kUntouched.pixels);
}

// DecodeImage and ReadImageFile into a bitmap that a refusal must leave as it
// was; the error they give.
ImageError DecodeRefused(const Bytes& bytes) {
  DecodedBitmap out = kUntouched;
  const ImageError error = DecodeImage(bytes, out);
  ExpectUntouched(out);
  return error;
}
ImageError ReadRefused(const std::u16string& path) {
  DecodedBitmap out = kUntouched;
  const ImageError error = ReadImageFile(path, out);
  ExpectUntouched(out);
  return error;
}
}  // namespace

TEST(ImageReader, TellsTheFormatByItsSignature) {
  const Bytes gif = {'G', 'I', 'F', '8', '9', 'a'};
  EXPECT_EQ(FormatOf(Bytes{'B', 'M', 0}), ImageFormat::kBmp);
  EXPECT_EQ(FormatOf(Seed("rgb-7x5.png")), ImageFormat::kPng);
  EXPECT_EQ(FormatOf(Seed("baseline-444.jpg")), ImageFormat::kJpeg);
  EXPECT_EQ(FormatOf(gif), ImageFormat::kUnknown);
  EXPECT_EQ(FormatOf(Bytes{0xFF, 0xD8}), ImageFormat::kUnknown) << "too short";
  EXPECT_EQ(DecodeRefused(gif), ImageError::kUnknownFormat);
  EXPECT_EQ(DecodeRefused({}), ImageError::kUnknownFormat);
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

TEST(ImageReader, EmptyDataChunksAreNoData) {
  Bytes png = Seed("rgb-7x5.png");
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
  Bytes cut = Seed("rgb-7x5.png");
  cut.resize(33);
  cut.insert(cut.end(), std::begin(empty), std::begin(empty) + 8);
  EXPECT_EQ(DecodeRefused(cut), ImageError::kBroken);
}

TEST(ImageReader, DataChunksLongerThanTheFileAreRefused) {
  // A length field of nearly 2^31 in a file of a few hundred bytes: refused
  // before the decoder makes room for it.
  Bytes png = Seed("rgb-7x5.png");
  ASSERT_EQ(png[37], 'I');
  ASSERT_EQ(png[38], 'D');
  png[33] = 0x7F;
  EXPECT_EQ(DecodeRefused(png), ImageError::kBroken);
  // After the end chunk nothing counts.
  Bytes trailing = Seed("rgb-7x5.png");
  const std::uint8_t junk[] = {0x7F, 0xFF, 0xFF, 0xFF, 'I', 'D', 'A', 'T'};
  trailing.insert(trailing.end(), std::begin(junk), std::end(junk));
  trailing.resize(trailing.size() + 8);
  DecodedBitmap out;
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
  EXPECT_EQ(DecodeRefused(PngSized(65537, 5)), ImageError::kTooLarge);
  // 4 * 10^8 > 2^28 pixels.
  EXPECT_EQ(DecodeRefused(PngSized(20000, 20000)), ImageError::kTooLarge);
  EXPECT_EQ(DecodeRefused(PngSized(65536, 1)), ImageError::kBroken)
      << "within the limits: decoded, and the data is too short";
  // The frame header's height and width follow its marker, length and
  // precision: 65535 x 65535, more than 2^28 pixels.
  EXPECT_EQ(DecodeRefused(PatchedJpeg(0xC0, 5, {0xFF, 0xFF, 0xFF, 0xFF})),
            ImageError::kTooLarge);
}

TEST(ImageReader, JpegTablesTheDecoderCannotUseAreRefused) {
  // Sixteen code lengths of 17 codes each: more than 256 codes in one table
  // would overflow the decoder's arrays.
  EXPECT_EQ(DecodeRefused(PatchedJpeg(0xC4, 5, Bytes(16, 0x11))),
            ImageError::kBroken);
  // A scan whose first component names DC and AC tables 3, never defined:
  // the decoder would read tables it never set.
  EXPECT_EQ(DecodeRefused(PatchedJpeg(0xDA, 6, {0x33})), ImageError::kBroken);
}

TEST(ImageReader, EveryTruncationIsRefusedOrDecodedNeverHalfDone) {
  for (const char* name : {"rgb-7x5.png", "interlaced.png", "baseline-420.jpg",
                           "progressive.jpg", "restarts.jpg"}) {
    const Bytes whole = Seed(name);
    for (std::size_t n = 0; n < whole.size(); ++n) {
      // A copy of exactly n bytes: the sanitizers see any read past it.
      const Bytes part(whole.begin(), whole.begin() + n);
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
  const Bytes bmp =
      FileBytes(fs::path(ONDRAVA_SOURCE_DIR) / "tests/data/bmp/info-24.bmp");
  DecodedBitmap viaImage, viaBmp;
  ASSERT_EQ(DecodeImage(bmp, viaImage), ImageError::kNone);
  ASSERT_EQ(DecodeBmp(bmp, viaBmp), BmpError::kNone);
  EXPECT_EQ(viaImage.pixels, viaBmp.pixels);
  EXPECT_EQ(DecodeRefused(Bytes(bmp.begin(), bmp.begin() + 20)),
            ImageError::kBroken);
}

TEST(ImageReader, FilesAreReadWholeAndOnlyWhenRegular) {
  DecodedBitmap fromFile, fromBytes;
  const fs::path png = kImages / "palette.png";
  ASSERT_EQ(ReadImageFile(png.u16string(), fromFile), ImageError::kNone);
  ASSERT_EQ(DecodeImage(Seed("palette.png"), fromBytes), ImageError::kNone);
  EXPECT_EQ(fromFile.pixels, fromBytes.pixels);
  EXPECT_EQ(ReadRefused((kImages / "missing.png").u16string()),
            ImageError::kCannotRead);
  EXPECT_EQ(ReadRefused(kImages.u16string()), ImageError::kCannotRead)
      << "a folder";
  EXPECT_EQ(ReadRefused(u""), ImageError::kCannotRead);
  EXPECT_EQ(ReadRefused(std::u16string(u"a\0b", 3)), ImageError::kCannotRead);

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
  EXPECT_EQ(ReadRefused(huge.u16string()), ImageError::kTooLarge);
  fs::remove_all(folder);
}
