// libFuzzer target of the image reader (PNG and JPEG through stb_image, .bmp
// through our reader). Whatever the bytes, the reader must not crash, hang
// or read outside them; a decoded picture holds exactly width * height
// opaque pixels within the limits, and a refused one leaves the output as
// it was.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "imaging/image_reader.h"

namespace {
void Check(bool condition) {
  if (!condition) std::abort();
}

std::uint32_t Big32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 |
         std::uint32_t{p[2]} << 8 | p[3];
}

std::uint32_t Big16(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 8 | p[1];
}

// The size the first frame header (SOF0, 1 or 2) of a JPEG announces, or
// 0 x 0.
std::uint64_t JpegPixels(std::span<const std::uint8_t> bytes) {
  for (std::size_t i = 2; i + 9 <= bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] >= 0xC0 && bytes[i + 1] <= 0xC2)
      return std::uint64_t{Big16(&bytes[i + 5])} * Big16(&bytes[i + 7]);
  return 0;
}

// A header of a few bytes may rightly announce a picture of a gigabyte,
// which is then allocated, and for a JPEG decoded block by block from the
// zeros past the data's end, before the picture is done. Headers above 4
// Mpixels are left out, so that the fuzzer's time goes into the decoders'
// parsing rather than into filling memory (the .bmp reader has a fuzzer of
// its own).
bool IsGiant(std::span<const std::uint8_t> bytes) {
  constexpr std::uint64_t kGiant = std::uint64_t{1} << 22;
  switch (FormatOf(bytes)) {
    case ImageFormat::kPng:
      return bytes.size() >= 24 &&
             std::uint64_t{Big32(&bytes[16])} * Big32(&bytes[20]) > kGiant;
    case ImageFormat::kJpeg:
      return JpegPixels(bytes) > kGiant;
    default:
      return false;
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (IsGiant(bytes)) return 0;
  DecodedBitmap out{1, 1, {0x12345678u}};
  const ImageError error = DecodeImage(bytes, out);
  if (error != ImageError::kNone) {
    Check(out.width == 1 && out.height == 1 && out.pixels.size() == 1 &&
          out.pixels[0] == 0x12345678u);
    return 0;
  }
  Check(out.width >= 1 && out.width <= kBmpMaxSide);
  Check(out.height >= 1 && out.height <= kBmpMaxSide);
  Check(out.pixels.size() ==
        static_cast<std::size_t>(out.width) * std::size_t(out.height));
  for (std::uint32_t pixel : out.pixels) Check(pixel >> 24 == 0xFF);
  return 0;
}
