// Our own reader of Windows .bmp files.
//
// The built-in world map and the user's texture file go through this reader
// on every platform, so a texture looks the same on Windows and in the
// portable build, and a broken or hostile file is refused before it can cost
// more memory than the image it really holds. Nothing in a file is trusted:
// every size, offset, count, stride and mask is checked before it is used,
// with arithmetic that cannot overflow.
//
// Accepted: the "BM" signature; the 12-byte core header (1, 4, 8 and 24
// bits, RGBTRIPLE colour table) and the 40, 52, 56, 108 and 124-byte info
// headers (1, 4, 8, 16, 24 and 32 bits, RGBQUAD colour table); BI_RGB
// (16 bits means 5-5-5, 32 bits means 8-8-8 with the top byte unused);
// BI_BITFIELDS for 16 and 32 bits, masks after a 40-byte header or inside the
// larger ones; BI_RLE8 and BI_RLE4 (bottom-up only). Rows bottom-up or
// top-down (negative height), padded to 4 bytes.
//
// Decisions where files disagree with one another:
// - The colour table starts right after the header (and the masks of a
//   40-byte BI_BITFIELDS header) and holds biClrUsed entries (0 means 2^bits,
//   more than 2^bits are capped), but is read only up to where the pixel data
//   starts (bfOffBits): an index past what the file really holds reads black.
// - bfSize, biSizeImage, the resolution and biClrImportant are not used;
//   writers fill them in carelessly.
// - Alpha is never taken from the file (every pixel comes out with alpha
//   255): the globe's colour key decides transparency later.
// - A bit-field channel wider than 8 bits keeps its top 8 bits; a narrower
//   one is scaled to 0 ... 255 with rounding (5-bit 31 is 255, 16 is 132).
// - RLE: a run or literal that passes the end of its row is cut at the row's
//   end; pixels the stream never reaches (deltas, early ends of line or of
//   the bitmap) are black. A stream that stops before its end-of-bitmap
//   code, while rows are still to come, is truncated.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// A decoded bitmap: 32-bit pixels 0xAARRGGBB (alpha 255), rows bottom-up like
// CCanvas (row 0 of `pixels` is the bottom image row), width * height words.
struct DecodedBitmap {
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::vector<std::uint32_t> pixels;
};

enum class BmpError {
  kNone,
  kTooShort,         // the file ends inside its headers or bit-field masks
  kNotBmp,           // no "BM" signature
  kBadHeader,        // a field is impossible (size, planes, masks, offsets)
  kUnsupported,      // a valid header of a kind or format not decoded here
  kTooLarge,         // the decoded image, or the file, exceeds the limits
  kTruncatedPixels,  // the pixel data ends before the rows it announces
  kNoMemory,         // the decoded image could not be allocated
};

// The largest decoded image: the limits of the texture canvas.
inline constexpr std::int32_t kBmpMaxSide = 65536;
inline constexpr std::int64_t kBmpMaxPixels = std::int64_t{1} << 28;
// Picture files larger than this are refused without being read.
inline constexpr std::uint64_t kBmpMaxFileBytes = std::uint64_t{512} << 20;

// Decodes a whole .bmp file held in memory, squeezed (nearest pixel) to at
// most maxWidth x maxHeight; an image already within both is decoded as it
// is. Limits above kBmpMaxSide count as kBmpMaxSide, limits below 1 fit
// nothing (kTooLarge); kTooLarge also when the output would have more than
// kBmpMaxPixels pixels. Only the source rows and columns that are kept are
// ever converted, so a file far larger than the limits costs no more memory
// than the output. `out` is left untouched on failure.
BmpError DecodeBmpScaled(std::span<const std::uint8_t> file,
                         std::int32_t maxWidth, std::int32_t maxHeight,
                         DecodedBitmap& out);

// DecodeBmpScaled with kBmpMaxSide on both sides: the texture's own rule,
// under which a side longer than 65536 pixels is squeezed to 65536.
BmpError DecodeBmp(std::span<const std::uint8_t> file, DecodedBitmap& out);
