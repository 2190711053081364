#include "globe/photo_maps.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "base/angles.h"
#include "globe/photo_map_data.h"
#include "imaging/image_reader.h"

namespace {
bool Decode(const unsigned char* bytes, std::size_t size, DecodedBitmap& out) {
  return DecodeImage(std::span<const std::uint8_t>(bytes, size), out) ==
         ImageError::kNone;
}

// The source texels [first, last) whose centres fall in output texel i of n,
// at least one.
void SourceSpan(std::int64_t i, std::int64_t n, std::int64_t from,
                std::int64_t& first, std::int64_t& last) {
  // Source centre s + 1/2 lies in [i, i + 1) * from / n.
  first = (2 * i * from + n - 1) / (2 * n);
  last = (2 * (i + 1) * from + n - 1) / (2 * n);
  if (last <= first) {
    first = std::min<std::int64_t>((2 * i + 1) * from / (2 * n), from - 1);
    last = first + 1;
  }
}
}  // namespace

bool LoadDayPhoto(DecodedBitmap& out) {
  return Decode(kEarthDayJpg, kEarthDayJpgSize, out);
}

bool LoadDayPhoto(DecodedBitmap& out, std::int32_t width) {
  DecodedBitmap full;
  if (!LoadDayPhoto(full)) return false;
  if (width >= full.width) {
    out = std::move(full);
    return true;
  }
  out.pixels = ResampleTexels(full, width, width / 2);
  out.width = width;
  out.height = width / 2;
  return true;
}

bool LoadNightLights(DecodedBitmap& out) {
  return Decode(kEarthNightJpg, kEarthNightJpgSize, out);
}

bool LoadWaterMask(std::vector<std::uint8_t>& out) {
  return LoadWaterMask(out, 2048);
}

bool LoadWaterMask(std::vector<std::uint8_t>& out, std::int32_t width) {
  DecodedBitmap grey;
  if (!Decode(kEarthWaterPng, kEarthWaterPngSize, grey)) return false;
  if (width < grey.width) {
    grey.pixels = ResampleTexels(grey, width, width / 2);
    grey.width = width;
    grey.height = width / 2;
  }
  out.resize(grey.pixels.size());
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = std::uint8_t(grey.pixels[i] >> 16);  // red is the grey level
  return true;
}

std::int32_t PhotoWidthFor(std::int32_t width, std::int32_t height) {
  // The table's camera shows the globe 8 / sqrt(323) of the window's
  // diagonal across.
  const double diagonal = std::hypot(double(width), double(height));
  const double circumference = kPi * 8 / std::sqrt(323.0) * diagonal;
  std::int32_t columns = 2048;
  while (columns > 512 && columns / 2 >= circumference / 2) columns /= 2;
  return columns;
}

std::vector<std::uint32_t> ResampleTexels(const DecodedBitmap& bitmap,
                                          std::int32_t width,
                                          std::int32_t height) {
  std::vector<std::uint32_t> out(std::size_t(width) * std::size_t(height));
  for (std::int32_t y = 0; y < height; ++y) {
    std::int64_t top, bottom;
    SourceSpan(y, height, bitmap.height, top, bottom);
    for (std::int32_t x = 0; x < width; ++x) {
      std::int64_t left, right;
      SourceSpan(x, width, bitmap.width, left, right);
      std::uint64_t sum[3] = {0, 0, 0};
      for (std::int64_t sy = top; sy < bottom; ++sy)
        for (std::int64_t sx = left; sx < right; ++sx) {
          const std::uint32_t p =
              bitmap.pixels[std::size_t(sy * bitmap.width + sx)];
          for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
        }
      const std::uint64_t n = std::uint64_t((bottom - top) * (right - left));
      std::uint32_t texel = 0xFF000000u;
      for (int c = 0; c < 3; ++c)
        texel |= std::uint32_t((sum[c] + n / 2) / n) << (8 * c);
      out[std::size_t(y) * std::size_t(width) + std::size_t(x)] = texel;
    }
  }
  return out;
}
