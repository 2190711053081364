#include "imaging/bmp_reader.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <new>
#include <stdexcept>
#include <utility>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle8 = 1;
constexpr std::uint32_t kBiRle4 = 2;
constexpr std::uint32_t kBiBitfields = 3;

constexpr std::uint64_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
// The red, green and blue masks sit right after a 40-byte header, which is
// where the larger headers keep them too.
constexpr std::uint64_t kMaskOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr std::uint64_t kMaskBytes = 12;

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::uint16_t Read16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t Read32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 |
         std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  return kOpaque | red << 16 | green << 8 | blue;
}

// One colour channel of a bit-field pixel, brought to 8 bits.
class CChannel {
 public:
  // False for a mask that is zero or not a single run of bits: neither
  // describes a channel.
  bool Set(std::uint32_t newMask) {
    if (newMask == 0) return false;
    const int lowest = std::countr_zero(newMask);
    const std::uint32_t run = newMask >> lowest;
    if ((run & (run + 1)) != 0) return false;
    const int bits = std::popcount(run);
    mask = newMask;
    shift = lowest + std::max(bits - 8, 0);
    const std::uint32_t top = (std::uint32_t{1} << std::min(bits, 8)) - 1;
    for (std::uint32_t v = 0; v <= top; ++v) {
      scale[v] = static_cast<std::uint8_t>((v * 255 + top / 2) / top);
    }
    return true;
  }

  std::uint32_t operator()(std::uint32_t pixel) const {
    return scale[(pixel & mask) >> shift];
  }

 private:
  std::uint32_t mask = 0;
  int shift = 0;
  std::array<std::uint8_t, 256> scale{};
};

// What the headers say, once every field has been checked.
struct Layout {
  std::uint64_t width = 0;   // 1 ... 2^31 - 1
  std::uint64_t height = 0;  // 1 ... 2^31 - 1
  bool topDown = false;
  unsigned bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint64_t pixelStart = 0;  // within the file
  // Indexed formats: every index, black past the file's own entries.
  std::array<std::uint32_t, 256> palette{};
  // 16 and 32 bits.
  CChannel red, green, blue;
  bool plain888 = false;
};

bool IsKnownInfoHeader(std::uint32_t bytes) {
  return bytes == 40 || bytes == 52 || bytes == 56 || bytes == 108 ||
         bytes == 124;
}

// The core header has no compression field: it is always BI_RGB.
bool IsDecodable(bool core, std::uint32_t compression, unsigned bits) {
  switch (compression) {
    case kBiRgb:
      return bits == 1 || bits == 4 || bits == 8 || bits == 24 ||
             (!core && (bits == 16 || bits == 32));
    case kBiRle8:
      return bits == 8;
    case kBiRle4:
      return bits == 4;
    case kBiBitfields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

BmpError SetMasks(Layout& layout, std::uint32_t red, std::uint32_t green,
                  std::uint32_t blue) {
  if (layout.bits == 16 && ((red | green | blue) >> 16) != 0) {
    return BmpError::kBadHeader;
  }
  if ((red & green) != 0 || (red & blue) != 0 || (green & blue) != 0) {
    return BmpError::kBadHeader;
  }
  if (!layout.red.Set(red) || !layout.green.Set(green) ||
      !layout.blue.Set(blue)) {
    return BmpError::kBadHeader;
  }
  layout.plain888 =
      red == 0x00FF0000u && green == 0x0000FF00u && blue == 0x000000FFu;
  return BmpError::kNone;
}

// The header fields the decoder uses, from either form of the header.
struct HeaderFields {
  std::uint32_t pixelOffset = 0;
  std::uint32_t headerBytes = 0;
  bool core = false;
  std::int64_t width = 0;
  std::int64_t height = 0;
  unsigned planes = 0;
  unsigned bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
};

// The file header, and the size of the bitmap header that follows it: all
// that is needed to know the rest of the header is within the file.
BmpError ReadFileHeader(std::span<const std::uint8_t> file,
                        HeaderFields& fields) {
  const std::uint64_t size = file.size();
  const std::uint8_t* base = file.data();
  if (size < 2) return BmpError::kTooShort;
  if (base[0] != 'B' || base[1] != 'M') return BmpError::kNotBmp;
  if (size < kFileHeaderBytes + 4) return BmpError::kTooShort;
  fields.pixelOffset = Read32(base + 10);
  fields.headerBytes = Read32(base + 14);
  fields.core = fields.headerBytes == kCoreHeaderBytes;
  if (fields.headerBytes < kCoreHeaderBytes) return BmpError::kBadHeader;
  if (!fields.core && !IsKnownInfoHeader(fields.headerBytes)) {
    return BmpError::kUnsupported;
  }
  if (kFileHeaderBytes + fields.headerBytes > size) return BmpError::kTooShort;
  return BmpError::kNone;
}

// The core header has 16-bit unsigned sides and no compression or colour
// count; the info headers have signed 32-bit sides.
void ReadBitmapHeader(const std::uint8_t* base, HeaderFields& fields) {
  if (fields.core) {
    fields.width = Read16(base + 18);
    fields.height = Read16(base + 20);
    fields.planes = Read16(base + 22);
    fields.bits = Read16(base + 24);
    return;
  }
  fields.width = static_cast<std::int32_t>(Read32(base + 18));
  fields.height = static_cast<std::int32_t>(Read32(base + 22));
  fields.planes = Read16(base + 26);
  fields.bits = Read16(base + 28);
  fields.compression = Read32(base + 30);
  fields.colorsUsed = Read32(base + 46);
}

BmpError SetGeometry(const HeaderFields& fields, Layout& layout) {
  // INT_MIN has no positive counterpart: it cannot be a top-down height.
  if (fields.width <= 0 || fields.height == 0 || fields.height == INT32_MIN ||
      fields.planes != 1) {
    return BmpError::kBadHeader;
  }
  if (!IsDecodable(fields.core, fields.compression, fields.bits)) {
    return BmpError::kUnsupported;
  }
  const bool runLength =
      fields.compression == kBiRle8 || fields.compression == kBiRle4;
  // A run-length stream walks up from the bottom row; it has no top-down form.
  if (fields.height < 0 && runLength) return BmpError::kBadHeader;
  layout.bits = fields.bits;
  layout.compression = fields.compression;
  layout.topDown = fields.height < 0;
  layout.width = static_cast<std::uint64_t>(fields.width);
  layout.height = static_cast<std::uint64_t>(fields.height < 0 ? -fields.height
                                                               : fields.height);
  return BmpError::kNone;
}

// The channels of 16 and 32-bit pixels, from the file's masks or the
// BI_RGB defaults. `tableStart` moves past masks that follow a 40-byte
// header.
BmpError SetChannels(std::span<const std::uint8_t> file,
                     const HeaderFields& fields, Layout& layout,
                     std::uint64_t& tableStart) {
  if (layout.compression == kBiBitfields) {
    if (fields.headerBytes == kInfoHeaderBytes) {
      tableStart += kMaskBytes;
      if (tableStart > file.size()) return BmpError::kTooShort;
    }
    const std::uint8_t* masks = file.data() + kMaskOffset;
    return SetMasks(layout, Read32(masks), Read32(masks + 4),
                    Read32(masks + 8));
  }
  if (layout.bits == 16) {
    SetMasks(layout, 0x7C00, 0x03E0, 0x001F);
  } else if (layout.bits == 32) {
    SetMasks(layout, 0x00FF0000u, 0x0000FF00u, 0x000000FFu);
  }
  return BmpError::kNone;
}

// Every index, black past the entries the file really holds before its
// pixel data.
void ReadPalette(std::span<const std::uint8_t> file, const HeaderFields& fields,
                 std::uint64_t tableStart, Layout& layout) {
  layout.palette.fill(kOpaque);
  if (layout.bits > 8) return;
  const std::uint64_t capacity = std::uint64_t{1} << layout.bits;
  const std::uint64_t entryBytes = fields.core ? 3 : 4;
  std::uint64_t count =
      (fields.core || fields.colorsUsed == 0)
          ? capacity
          : std::min<std::uint64_t>(fields.colorsUsed, capacity);
  count = std::min(count, (fields.pixelOffset - tableStart) / entryBytes);
  for (std::uint64_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = file.data() + tableStart + i * entryBytes;
    layout.palette[i] = Rgb(entry[2], entry[1], entry[0]);
  }
}

BmpError ParseHeaders(std::span<const std::uint8_t> file, Layout& layout) {
  HeaderFields fields;
  BmpError error = ReadFileHeader(file, fields);
  if (error != BmpError::kNone) return error;
  ReadBitmapHeader(file.data(), fields);
  error = SetGeometry(fields, layout);
  if (error != BmpError::kNone) return error;
  std::uint64_t tableStart = kFileHeaderBytes + fields.headerBytes;
  error = SetChannels(file, fields, layout, tableStart);
  if (error != BmpError::kNone) return error;
  // Pixel data overlapping the headers, or starting beyond the file, means the
  // offset is not to be believed.
  if (fields.pixelOffset < tableStart || fields.pixelOffset > file.size()) {
    return BmpError::kBadHeader;
  }
  layout.pixelStart = fields.pixelOffset;
  ReadPalette(file, fields, tableStart, layout);
  return BmpError::kNone;
}

// Squeezing n source pixels into m <= n: output pixel i shows the source
// pixel under its centre. This keeps the first and the last source pixel, and
// every source pixel feeds at most one output pixel.
std::uint64_t SourceIndex(std::uint64_t i, std::uint64_t n, std::uint64_t m) {
  return (2 * i + 1) * n / (2 * m);
}

// The first output pixel whose source index is s or more (m when none);
// s <= n. Operands stay below 2^49: n < 2^31, m <= 2^16.
std::uint64_t FirstOutputFrom(std::uint64_t s, std::uint64_t n,
                              std::uint64_t m) {
  const std::uint64_t reach = 2 * s * m;
  if (reach <= n) return 0;
  return std::min(m, (reach - n + 2 * n - 1) / (2 * n));
}

std::uint32_t BitfieldPixel(const Layout& layout, std::uint32_t value) {
  return Rgb(layout.red(value), layout.green(value), layout.blue(value));
}

// Converts the kept pixels of one uncompressed file row.
void DecodeRow(const Layout& layout, const std::uint8_t* row,
               const std::vector<std::uint32_t>& columns, std::uint32_t* out) {
  const std::size_t count = columns.size();
  const auto& palette = layout.palette;
  switch (layout.bits) {
    case 1:
      for (std::size_t i = 0; i < count; ++i) {
        const std::size_t s = columns[i];
        out[i] = palette[(row[s >> 3] >> (7 - (s & 7))) & 1];
      }
      break;
    case 4:
      for (std::size_t i = 0; i < count; ++i) {
        const std::size_t s = columns[i];
        out[i] = palette[(row[s >> 1] >> ((s & 1) != 0 ? 0 : 4)) & 15];
      }
      break;
    case 8:
      for (std::size_t i = 0; i < count; ++i) out[i] = palette[row[columns[i]]];
      break;
    case 16:
      for (std::size_t i = 0; i < count; ++i) {
        out[i] =
            BitfieldPixel(layout, Read16(row + std::size_t{columns[i]} * 2));
      }
      break;
    case 24:
      for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* p = row + std::size_t{columns[i]} * 3;
        out[i] = Rgb(p[2], p[1], p[0]);
      }
      break;
    default:  // 32
      if (layout.plain888) {
        for (std::size_t i = 0; i < count; ++i) {
          out[i] = kOpaque | Read32(row + std::size_t{columns[i]} * 4);
        }
      } else {
        for (std::size_t i = 0; i < count; ++i) {
          out[i] =
              BitfieldPixel(layout, Read32(row + std::size_t{columns[i]} * 4));
        }
      }
      break;
  }
}

BmpError DecodeUncompressed(std::span<const std::uint8_t> file,
                            const Layout& layout,
                            const std::vector<std::uint32_t>& columns,
                            std::uint64_t outHeight,
                            std::vector<std::uint32_t>& pixels) {
  // Below 2^37: width < 2^31, bits <= 32.
  const std::uint64_t stride = (layout.width * layout.bits + 31) / 32 * 4;
  const std::uint64_t available = file.size() - layout.pixelStart;
  if (layout.height > available / stride) return BmpError::kTruncatedPixels;
  const std::uint64_t outWidth = columns.size();
  pixels.resize(static_cast<std::size_t>(outWidth * outHeight));
  for (std::uint64_t r = 0; r < outHeight; ++r) {
    const std::uint64_t fromBottom = SourceIndex(r, layout.height, outHeight);
    const std::uint64_t fileRow =
        layout.topDown ? layout.height - 1 - fromBottom : fromBottom;
    // Within the file: fileRow < height and height * stride <= available.
    const std::uint8_t* row =
        file.data() +
        static_cast<std::size_t>(layout.pixelStart + fileRow * stride);
    DecodeRow(layout, row, columns,
              pixels.data() + static_cast<std::size_t>(r * outWidth));
  }
  return BmpError::kNone;
}

// BI_RLE8 and BI_RLE4. Every step consumes at least two bytes and paints at
// most one output row's worth of pixels, so the work is bounded by the file
// and the output, whatever the stream says.
class CRleDecoder {
 public:
  CRleDecoder(std::span<const std::uint8_t> file, const Layout& layout,
              const std::vector<std::uint32_t>& columns,
              std::uint64_t outHeight, std::vector<std::uint32_t>& pixels)
      : file(file),
        layout(layout),
        columns(columns),
        outHeight(outHeight),
        pixels(pixels) {}

  BmpError Run() {
    const std::uint8_t* data = file.data();
    const std::uint64_t size = file.size();
    const bool four = layout.compression == kBiRle4;
    const auto& palette = layout.palette;
    std::uint64_t pos = layout.pixelStart;
    SelectRow();
    while (y < layout.height) {
      if (size - pos < 2) return BmpError::kTruncatedPixels;
      const unsigned count = data[pos];
      const unsigned value = data[pos + 1];
      pos += 2;
      if (count > 0) {
        if (four) {
          const std::uint32_t pair[2] = {palette[value >> 4],
                                         palette[value & 15]};
          Paint(count, [&](std::uint64_t i) { return pair[i & 1]; });
        } else {
          const std::uint32_t color = palette[value];
          Paint(count, [&](std::uint64_t) { return color; });
        }
        continue;
      }
      switch (value) {
        case 0:  // end of line
          x = 0;
          ++y;
          SelectRow();
          break;
        case 1:  // end of bitmap
          return BmpError::kNone;
        case 2:  // delta: right and up
          if (size - pos < 2) return BmpError::kTruncatedPixels;
          x = std::min(x + data[pos], layout.width);
          if (data[pos + 1] != 0) {
            y += data[pos + 1];
            SelectRow();
          }
          pos += 2;
          break;
        default: {  // literal pixels, padded to a 16-bit boundary
          const std::uint64_t bytes = four ? (value + 1) / 2 : value;
          const std::uint64_t padded = (bytes + 1) & ~std::uint64_t{1};
          if (size - pos < padded) return BmpError::kTruncatedPixels;
          const std::uint8_t* literal = data + pos;
          if (four) {
            Paint(value, [&](std::uint64_t i) {
              return palette[(literal[i >> 1] >> ((i & 1) != 0 ? 0 : 4)) & 15];
            });
          } else {
            Paint(value, [&](std::uint64_t i) { return palette[literal[i]]; });
          }
          pos += padded;
          break;
        }
      }
    }
    return BmpError::kNone;
  }

 private:
  // The output row fed by source row y, if the squeeze keeps that row.
  void SelectRow() {
    target = nullptr;
    if (y >= layout.height) return;
    const std::uint64_t r = FirstOutputFrom(y, layout.height, outHeight);
    if (r < outHeight && SourceIndex(r, layout.height, outHeight) == y) {
      target = pixels.data() + static_cast<std::size_t>(r * columns.size());
    }
  }

  // Source columns x ... x + count - 1 of the current row, cut at the row's
  // end; colorOf(i) is the colour of the i-th of them.
  template <typename ColorOf>
  void Paint(std::uint64_t count, ColorOf colorOf) {
    const std::uint64_t end = std::min(x + count, layout.width);
    if (target != nullptr && x < end) {
      const std::uint64_t outWidth = columns.size();
      const std::uint64_t last = FirstOutputFrom(end, layout.width, outWidth);
      for (std::uint64_t o = FirstOutputFrom(x, layout.width, outWidth);
           o < last; ++o) {
        target[o] = colorOf(columns[o] - x);
      }
    }
    x = end;
  }

  std::span<const std::uint8_t> file;
  const Layout& layout;
  const std::vector<std::uint32_t>& columns;
  std::uint64_t outHeight;
  std::vector<std::uint32_t>& pixels;
  std::uint64_t x = 0;  // never beyond the width
  std::uint64_t y = 0;  // from the bottom
  std::uint32_t* target = nullptr;
};

}  // namespace

BmpError DecodeBmpScaled(std::span<const std::uint8_t> file,
                         std::int32_t maxWidth, std::int32_t maxHeight,
                         DecodedBitmap& out) {
  if (maxWidth < 1 || maxHeight < 1) return BmpError::kTooLarge;
  Layout layout;
  const BmpError header = ParseHeaders(file, layout);
  if (header != BmpError::kNone) return header;
  const std::uint64_t outWidth =
      std::min<std::uint64_t>(layout.width, std::min(maxWidth, kBmpMaxSide));
  const std::uint64_t outHeight =
      std::min<std::uint64_t>(layout.height, std::min(maxHeight, kBmpMaxSide));
  if (outWidth * outHeight > static_cast<std::uint64_t>(kBmpMaxPixels)) {
    return BmpError::kTooLarge;
  }

  DecodedBitmap image;
  image.width = static_cast<std::int32_t>(outWidth);
  image.height = static_cast<std::int32_t>(outHeight);
  BmpError result = BmpError::kNone;
  try {
    std::vector<std::uint32_t> columns(static_cast<std::size_t>(outWidth));
    const bool squeezed = outWidth != layout.width;
    for (std::uint64_t i = 0; i < outWidth; ++i) {
      columns[i] = static_cast<std::uint32_t>(
          squeezed ? SourceIndex(i, layout.width, outWidth) : i);
    }
    if (layout.compression == kBiRle8 || layout.compression == kBiRle4) {
      // The stream may leave pixels out; those stay black.
      image.pixels.assign(static_cast<std::size_t>(outWidth * outHeight),
                          kOpaque);
      result =
          CRleDecoder(file, layout, columns, outHeight, image.pixels).Run();
    } else {
      result =
          DecodeUncompressed(file, layout, columns, outHeight, image.pixels);
    }
  } catch (const std::bad_alloc&) {
    return BmpError::kNoMemory;
  } catch (const std::length_error&) {
    return BmpError::kNoMemory;
  }
  if (result == BmpError::kNone) out = std::move(image);
  return result;
}

BmpError DecodeBmp(std::span<const std::uint8_t> file, DecodedBitmap& out) {
  return DecodeBmpScaled(file, kBmpMaxSide, kBmpMaxSide, out);
}
