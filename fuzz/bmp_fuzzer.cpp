// libFuzzer target of the .bmp reader. Whatever the bytes, the reader must not
// crash or read outside them; what it decodes must hold exactly width * height
// opaque pixels, and a squeezed decode of the same bytes must fail the same
// way or show exactly the full decode's pixels at the nearest places.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "imaging/bmp_reader.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

std::uint32_t Le32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
         std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

// A run-length stream of a few bytes may rightly decode to a gigabyte of
// black. Such inputs are left out above 4 Mpixels, so that the fuzzer's time
// goes into the parser rather than into filling memory.
bool IsRunLengthGiant(std::span<const std::uint8_t> file) {
  if (file.size() < 34 || Le32(file.data() + 14) < 40) return false;
  const std::uint32_t compression = Le32(file.data() + 30);
  if (compression != 1 && compression != 2) return false;
  const auto side = [](std::uint32_t raw) {
    const std::int64_t v = static_cast<std::int32_t>(raw);
    return std::min<std::int64_t>(v < 0 ? -v : v, kBmpMaxSide);
  };
  return side(Le32(file.data() + 18)) * side(Le32(file.data() + 22)) >
         (std::int64_t{1} << 22);
}

// Source index of output pixel i when n pixels are squeezed into m.
std::size_t Nearest(std::size_t i, std::size_t n, std::size_t m) {
  return (2 * i + 1) * n / (2 * m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  const std::span<const std::uint8_t> file(data, size);
  if (IsRunLengthGiant(file)) return 0;

  DecodedBitmap full;
  const BmpError error = DecodeBmp(file, full);
  constexpr std::int32_t kSmallWidth = 5;
  constexpr std::int32_t kSmallHeight = 3;
  DecodedBitmap small;
  const BmpError smallError =
      DecodeBmpScaled(file, kSmallWidth, kSmallHeight, small);
  if (error != BmpError::kNone) {
    Check(full.width == 0 && full.height == 0 && full.pixels.empty());
    if (error != BmpError::kTooLarge && error != BmpError::kNoMemory) {
      Check(smallError == error);
    }
    return 0;
  }

  Check(full.width >= 1 && full.width <= kBmpMaxSide);
  Check(full.height >= 1 && full.height <= kBmpMaxSide);
  Check(full.pixels.size() == static_cast<std::size_t>(full.width) *
                                  static_cast<std::size_t>(full.height));
  for (std::uint32_t pixel : full.pixels) Check(pixel >> 24 == 0xFF);

  if (smallError == BmpError::kNoMemory) return 0;
  Check(smallError == BmpError::kNone);
  Check(small.width == std::min(full.width, kSmallWidth));
  Check(small.height == std::min(full.height, kSmallHeight));
  // A full decode that was itself squeezed has a source size this target
  // does not know; the comparison needs the source.
  if (full.width == kBmpMaxSide || full.height == kBmpMaxSide) return 0;
  const std::size_t fw = full.width, fh = full.height;
  const std::size_t sw = small.width, sh = small.height;
  for (std::size_t r = 0; r < sh; ++r) {
    for (std::size_t x = 0; x < sw; ++x) {
      Check(small.pixels[r * sw + x] ==
            full.pixels[Nearest(r, fh, sh) * fw + Nearest(x, fw, sw)]);
    }
  }
  return 0;
}
