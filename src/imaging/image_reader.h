// One way in for every picture the globe shows: the built-in maps and the
// user's texture file, whatever their format. The format is told by the
// bytes, never by the file's name: "BM" goes to our .bmp reader, the PNG and
// JPEG signatures to stb_image, anything else is refused.
//
// Like the .bmp reader, every picture comes out opaque (alpha 255): a PNG's
// own transparency is dropped, since the globe's colour key or water mask
// decides what is see-through. Sizes are checked from the headers before
// anything is decoded: at most 65536 pixels a side and 2^28 pixels in all,
// the texture canvas's limits (a .bmp beyond 65536 on a side is squeezed by
// its reader, as before).
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "imaging/bmp_reader.h"

enum class ImageError {
  kNone,
  kUnknownFormat,  // neither .bmp, PNG nor JPEG
  kBroken,         // a known format whose data cannot be decoded
  kTooLarge,       // beyond the limits above
  kNoMemory,       // the decoded picture could not be had
  kCannotRead,     // ReadImageFile: no such file, or a read error
};

enum class ImageFormat { kUnknown, kBmp, kPng, kJpeg };

// The format the first bytes announce.
ImageFormat FormatOf(std::span<const std::uint8_t> bytes);

// Decodes a whole picture held in memory (bottom row first, 0xFFRRGGBB).
// `out` is left untouched on failure. No byte outside `bytes` is read.
ImageError DecodeImage(std::span<const std::uint8_t> bytes, DecodedBitmap& out);

// Reads the regular file at `path` whole (ReadWholeFile: a FIFO or a device
// there is refused without waiting on it) and decodes it with DecodeImage.
// A file above kBmpMaxFileBytes, announced or read, is kTooLarge; a missing
// file, anything but a regular file, a failed read and a path with a NUL
// character or (off Windows) a lone surrogate are kCannotRead.
ImageError ReadImageFile(const std::u16string& path, DecodedBitmap& out);
