#include "imaging/image_reader.h"

#include <algorithm>
#include <new>
#include <stdexcept>

#include "base/file_reader.h"
#include "imaging/stb_image_decoder.h"

namespace {
constexpr std::uint8_t kPngSignature[] = {0x89, 'P',  'N',  'G',
                                          0x0D, 0x0A, 0x1A, 0x0A};

bool StartsWith(std::span<const std::uint8_t> bytes,
                std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// The size in a PNG's header chunk, which the format puts first: stb refuses
// sizes it cannot take without saying why, so the limits are checked here.
bool PngAnnouncedSize(std::span<const std::uint8_t> bytes, std::uint32_t& width,
                      std::uint32_t& height) {
  static constexpr std::uint8_t kIhdr[] = {'I', 'H', 'D', 'R'};
  if (bytes.size() < 24 || !std::equal(kIhdr, kIhdr + 4, bytes.begin() + 12))
    return false;
  const auto big32 = [&](std::size_t at) {
    return std::uint32_t(bytes[at]) << 24 | std::uint32_t(bytes[at + 1]) << 16 |
           std::uint32_t(bytes[at + 2]) << 8 | bytes[at + 3];
  };
  width = big32(16);
  height = big32(20);
  return true;
}

bool WithinLimits(std::uint64_t width, std::uint64_t height) {
  return width <= std::uint64_t(kBmpMaxSide) &&
         height <= std::uint64_t(kBmpMaxSide) &&
         width * height <= std::uint64_t(kBmpMaxPixels);
}

ImageError FromBmpError(BmpError error) {
  switch (error) {
    case BmpError::kNone:
      return ImageError::kNone;
    case BmpError::kTooLarge:
      return ImageError::kTooLarge;
    case BmpError::kNoMemory:
      return ImageError::kNoMemory;
    default:
      return ImageError::kBroken;
  }
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
  std::uint32_t pngWidth = 0, pngHeight = 0;
  if (PngAnnouncedSize(bytes, pngWidth, pngHeight) &&
      !WithinLimits(pngWidth, pngHeight))
    return ImageError::kTooLarge;
  std::int32_t width = 0, height = 0;
  const ImageError header = StbImageSize(bytes, width, height);
  if (header != ImageError::kNone) return header;
  if (width < 1 || height < 1) return ImageError::kBroken;
  if (!WithinLimits(std::uint64_t(width), std::uint64_t(height)))
    return ImageError::kTooLarge;
  return StbDecode(bytes, out);
}

ImageError ReadImageFile(const std::u16string& path, DecodedBitmap& out) {
  std::string bytes;
  try {
    switch (ReadWholeFile(path, std::size_t(kBmpMaxFileBytes), bytes)) {
      case FileReadResult::kOk:
        break;
      case FileReadResult::kTooLarge:
        return ImageError::kTooLarge;
      case FileReadResult::kMissing:
      case FileReadResult::kNotRegularFile:
      case FileReadResult::kReadError:
        return ImageError::kCannotRead;
    }
  } catch (const std::bad_alloc&) {
    return ImageError::kNoMemory;
  } catch (const std::length_error&) {
    return ImageError::kNoMemory;
  }
  return DecodeImage(
      std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                bytes.size()),
      out);
}
