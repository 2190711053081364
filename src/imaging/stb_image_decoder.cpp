#include "imaging/stb_image_decoder.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

// Only the two formats the globe reads, from memory only (no stdio: stb can
// open no file), no floating-point formats, and the same plain decoder on
// every processor, so that a photograph gives the same texels on Windows,
// on Linux and in 32-bit builds.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_SIMD
#define STBI_MAX_DIMENSIONS 65536
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {
struct StbFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

bool FitsStb(std::span<const std::uint8_t> bytes) {
  return !bytes.empty() && bytes.size() <= std::size_t(INT_MAX);
}

// The byte stb reads at `at`: past the end it reads zeros.
std::uint8_t ByteAt(std::span<const std::uint8_t> b, std::size_t at) {
  return at < b.size() ? b[at] : 0;
}

// Which Huffman tables a JPEG has defined so far: bit 4 * class + number.
using DefinedTables = unsigned;

// Reads the DHT segment whose length field is at `at` as stb reads it:
// false when one of its tables holds more than 256 codes; else marks the
// tables defined.
bool ReadDht(std::span<const std::uint8_t> b, std::size_t at,
             DefinedTables& defined) {
  long left = long(ByteAt(b, at) << 8 | ByteAt(b, at + 1)) - 2;
  std::size_t p = at + 2;
  while (left > 0 && p < b.size()) {
    const unsigned kind = ByteAt(b, p++);  // class and number
    long codes = 0;
    for (int i = 0; i < 16; ++i) codes += ByteAt(b, p++);
    if (codes > 256) return false;
    if ((kind >> 4) <= 1 && (kind & 15) <= 3)
      defined |= 1u << (4 * (kind >> 4) + (kind & 15));
    p += std::size_t(codes);
    left -= 17 + codes;
  }
  return true;
}

// Whether every table the scan whose header's length field is at `at`
// decodes with has been defined: DC tables for a first DC scan, AC tables
// for an AC scan, both in a sequential file.
bool ScanTablesDefined(std::span<const std::uint8_t> b, std::size_t at,
                       bool progressive, DefinedTables defined) {
  const unsigned components = ByteAt(b, at + 2);
  const std::size_t spectrum = at + 3 + 2 * std::size_t(components);
  const bool dcScan = ByteAt(b, spectrum) == 0;
  const bool refining = (ByteAt(b, spectrum + 2) >> 4) != 0;
  const bool needDc = !progressive || (dcScan && !refining);
  const bool needAc = !progressive || !dcScan;
  for (unsigned c = 0; c < components; ++c) {
    const unsigned tables = ByteAt(b, at + 4 + 2 * std::size_t(c));
    const unsigned dc = tables >> 4, ac = tables & 15;
    if (needDc && (dc > 3 || !(defined >> dc & 1))) return false;
    if (needAc && (ac > 3 || !(defined >> (4 + ac) & 1))) return false;
  }
  return true;
}

// The stb_image that Debian 12 carries (2.27) trusts a JPEG's Huffman
// tables too far: it builds a table from a DHT segment's counts without
// checking that they add up to at most 256, writing past the table, and it
// decodes a scan with a table no DHT segment has defined, reading memory it
// never set. Such files are refused before stb sees them. The markers are
// walked as stb meets them: segments by their lengths, entropy-coded data
// byte by byte up to the next marker.
bool JpegTablesAreSound(std::span<const std::uint8_t> b) {
  if (FormatOf(b) != ImageFormat::kJpeg) return true;
  DefinedTables defined = 0;
  bool progressive = false;
  std::size_t i = 2;  // after the start-of-image marker
  while (i + 1 < b.size()) {
    const std::uint8_t marker = b[i + 1];
    if (b[i] != 0xFF || marker == 0xFF) {
      ++i;  // data, or a fill byte before a marker
    } else if (marker == 0x00 || marker == 0x01 ||
               (marker >= 0xD0 && marker <= 0xD8)) {
      i += 2;  // a stuffed zero, or a marker without a length
    } else if (marker == 0xD9) {
      return true;  // end of image
    } else {
      if (marker == 0xC2) progressive = true;
      if (marker == 0xC4 && !ReadDht(b, i + 2, defined)) return false;
      if (marker == 0xDA && !ScanTablesDefined(b, i + 2, progressive, defined))
        return false;
      i += 2 + (std::size_t(ByteAt(b, i + 2)) << 8 | ByteAt(b, i + 3));
    }
  }
  return true;
}

std::uint32_t Big32(std::span<const std::uint8_t> b, std::size_t at) {
  return std::uint32_t(b[at]) << 24 | std::uint32_t(b[at + 1]) << 16 |
         std::uint32_t(b[at + 2]) << 8 | b[at + 3];
}

// Where a PNG's IDAT chunks are, as stb meets them (up to IEND): the empty
// ones, and whether one announces more bytes than the file has left.
struct IdatChunks {
  std::vector<std::size_t> empty;
  bool overlong = false;
};

IdatChunks FindIdatChunks(std::span<const std::uint8_t> b) {
  static constexpr std::uint8_t kIdat[] = {'I', 'D', 'A', 'T'};
  static constexpr std::uint8_t kIend[] = {'I', 'E', 'N', 'D'};
  IdatChunks found;
  // stb reads a chunk once its length and type are there; a CRC cut off by
  // the file's end reads as zero.
  for (std::size_t at = 8; at + 8 <= b.size();) {
    const std::uint32_t length = Big32(b, at);
    const auto type = b.begin() + std::ptrdiff_t(at + 4);
    if (std::equal(kIend, kIend + 4, type)) break;
    const bool fits = length <= b.size() - at - 8;
    if (std::equal(kIdat, kIdat + 4, type)) {
      if (length == 0) found.empty.push_back(at);
      found.overlong = found.overlong || !fits;
    }
    if (!fits) break;  // stb stops here too
    at += 12 + std::size_t(length);
  }
  return found;
}

// The bytes stb_image 2.27 is given for a PNG. It allocates room for an
// IDAT chunk's announced length before it finds the data missing (a few
// bytes can ask for two gigabytes): such a file is refused here (false).
// And it copies an empty first IDAT chunk from a null buffer: empty IDAT
// chunks hold no data, so a PNG that has any is decoded from a copy without
// them. Throws std::bad_alloc.
bool BytesForStb(std::span<const std::uint8_t> b,
                 std::vector<std::uint8_t>& copy,
                 std::span<const std::uint8_t>& out) {
  out = b;
  if (FormatOf(b) != ImageFormat::kPng) return true;
  const IdatChunks idat = FindIdatChunks(b);
  if (idat.overlong) return false;
  if (idat.empty.empty()) return true;
  copy.clear();
  std::size_t from = 0;
  for (const std::size_t at : idat.empty) {
    copy.insert(copy.end(), b.begin() + std::ptrdiff_t(from),
                b.begin() + std::ptrdiff_t(at));
    from = std::min(at + 12, b.size());
  }
  copy.insert(copy.end(), b.begin() + std::ptrdiff_t(from), b.end());
  out = copy;
  return true;
}

bool FailedFor(std::string_view why) {
  const char* reason = stbi_failure_reason();
  return reason && why == reason;
}
}  // namespace

ImageError StbImageSize(std::span<const std::uint8_t> bytes,
                        std::int32_t& width, std::int32_t& height) {
  if (!FitsStb(bytes)) return ImageError::kTooLarge;
  if (!JpegTablesAreSound(bytes)) return ImageError::kBroken;
  int w = 0, h = 0, channels = 0;
  if (!stbi_info_from_memory(bytes.data(), int(bytes.size()), &w, &h,
                             &channels))
    return ImageError::kBroken;
  width = w;
  height = h;
  return ImageError::kNone;
}

ImageError StbDecode(std::span<const std::uint8_t> file, DecodedBitmap& out) {
  if (!FitsStb(file)) return ImageError::kTooLarge;
  if (!JpegTablesAreSound(file)) return ImageError::kBroken;
  std::vector<std::uint8_t> copy;
  std::span<const std::uint8_t> bytes;
  try {
    if (!BytesForStb(file, copy, bytes)) return ImageError::kBroken;
  } catch (const std::bad_alloc&) {
    return ImageError::kNoMemory;
  }
  int w = 0, h = 0, channels = 0;
  const std::unique_ptr<stbi_uc, StbFree> rgb(stbi_load_from_memory(
      bytes.data(), int(bytes.size()), &w, &h, &channels, STBI_rgb));
  if (!rgb)
    return FailedFor("outofmem")    ? ImageError::kNoMemory
           : FailedFor("too large") ? ImageError::kTooLarge
                                    : ImageError::kBroken;
  DecodedBitmap decoded;
  decoded.width = w;
  decoded.height = h;
  try {
    decoded.pixels.resize(std::size_t(w) * std::size_t(h));
  } catch (const std::bad_alloc&) {
    return ImageError::kNoMemory;
  }
  // stb gives the top row first; the canvas keeps the bottom row first.
  for (std::size_t row = 0; row < std::size_t(h); ++row) {
    const stbi_uc* from = rgb.get() + (std::size_t(h) - 1 - row) * 3 * w;
    std::uint32_t* to = decoded.pixels.data() + row * w;
    for (int x = 0; x < w; ++x, from += 3)
      to[x] = 0xFF000000u | std::uint32_t(from[0]) << 16 |
              std::uint32_t(from[1]) << 8 | from[2];
  }
  out = std::move(decoded);
  return ImageError::kNone;
}
