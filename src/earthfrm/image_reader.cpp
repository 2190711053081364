#include "earthfrm/image_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>
#include <vector>

#include "earthfrm/stb_image_decoder.h"

namespace {
constexpr std::uint8_t kPngSignature[] = {0x89, 'P',  'N',  'G',
                                          0x0D, 0x0A, 0x1A, 0x0A};

bool StartsWith(std::span<const std::uint8_t> bytes,
                std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

ImageError FromBmpError(BmpError error) {
  switch (error) {
    case BmpError::kNone:
      return ImageError::kNone;
    case BmpError::kTooLarge:
      return ImageError::kTooLarge;
    case BmpError::kNoMemory:
      return ImageError::kNoMemory;
    case BmpError::kCannotRead:
      return ImageError::kCannotRead;
    default:
      return ImageError::kBroken;
  }
}

// The whole file, for the formats whose readers take bytes. Until the shared
// whole-file reader is in place, this is the plain standard-library way: a
// regular file only (a FIFO would wait for a writer), its size checked
// before it is read.
ImageError ReadFileBytes(const std::u16string& path,
                         std::vector<std::uint8_t>& bytes) {
  if (path.empty() || path.find(u'\0') != std::u16string::npos)
    return ImageError::kCannotRead;
  std::error_code error;
  std::filesystem::path fsPath;
  try {
    fsPath = std::filesystem::path(path);
  } catch (...) {  // no form the system can take (a lone surrogate)
    return ImageError::kCannotRead;
  }
  if (!std::filesystem::is_regular_file(fsPath, error))
    return ImageError::kCannotRead;
  const std::uintmax_t size = std::filesystem::file_size(fsPath, error);
  if (error) return ImageError::kCannotRead;
  if (size > kBmpMaxFileBytes) return ImageError::kTooLarge;
  std::ifstream file(fsPath, std::ios::binary);
  if (!file) return ImageError::kCannotRead;
  bytes.resize(std::size_t(size));
  file.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
  // A file that shrank meanwhile gives what it still holds.
  bytes.resize(std::size_t(file.gcount()));
  return file.bad() ? ImageError::kCannotRead : ImageError::kNone;
}
}  // namespace

ImageFormat FormatOf(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kBm[] = {'B', 'M'};
  static constexpr std::uint8_t kJpeg[] = {0xFF, 0xD8, 0xFF};
  if (StartsWith(bytes, kBm)) return ImageFormat::kBmp;
  if (StartsWith(bytes, kPngSignature)) return ImageFormat::kPng;
  if (StartsWith(bytes, kJpeg)) return ImageFormat::kJpeg;
  return ImageFormat::kUnknown;
}

ImageError DecodeImage(std::span<const std::uint8_t> bytes,
                       DecodedBitmap& out) {
  switch (FormatOf(bytes)) {
    case ImageFormat::kUnknown:
      return ImageError::kUnknownFormat;
    case ImageFormat::kBmp:
      return FromBmpError(DecodeBmp(bytes, out));
    case ImageFormat::kPng:
    case ImageFormat::kJpeg:
      break;
  }
  std::int32_t width = 0, height = 0;
  if (!StbImageSize(bytes, width, height)) return ImageError::kBroken;
  if (width < 1 || height < 1) return ImageError::kBroken;
  if (width > kBmpMaxSide || height > kBmpMaxSide ||
      std::int64_t{width} * height > kBmpMaxPixels)
    return ImageError::kTooLarge;
  return StbDecode(bytes, out);
}

ImageError ReadImageFile(const std::u16string& path, DecodedBitmap& out) {
  std::vector<std::uint8_t> bytes;
  try {
    const ImageError read = ReadFileBytes(path, bytes);
    if (read != ImageError::kNone) return read;
  } catch (const std::bad_alloc&) {
    return ImageError::kNoMemory;
  } catch (const std::length_error&) {
    return ImageError::kNoMemory;
  }
  return DecodeImage(bytes, out);
}
