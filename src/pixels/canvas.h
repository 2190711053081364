// CCanvas: the program's one kind of off-screen image.
//
// 32 bits per pixel, one word 0xAARRGGBB (bytes B, G, R, A in memory), rows
// stored bottom-up with a pitch of width * 4 bytes, addressed in image
// coordinates (x right, y down, origin top-left): pixel (x, y) is element
// (height - 1 - y) * width + x of `pixels`.
//
// On Windows the storage is a DIB section selected into the canvas's own
// memory device context, so GDI can draw into it; in the portable build it is
// plain memory and `dc`/`bitmap` stay null. A canvas whose storage cannot be
// made (zero, negative or absurd size, no memory) is empty: 0 x 0 with a null
// `pixels`, and every operation on it touches no memory.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

class CCanvas {
 public:
  // Largest side and largest pixel count a canvas accepts; anything larger
  // leaves the canvas empty instead of asking the system for gigabytes.
  static constexpr std::int32_t kMaxSide = 65536;
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  CCanvas();
  virtual ~CCanvas();
  CCanvas(const CCanvas&) = delete;
  CCanvas& operator=(const CCanvas&) = delete;

  // Rebuilds the storage unless the size is unchanged (then the content is
  // kept). The new surface is complete before the old one is released.
  void Resize(std::int32_t newWidth, std::int32_t newHeight);
  void Clear();

  // Out-of-range coordinates read 0 and write nothing.
  std::uint32_t GetPixel(std::int32_t x, std::int32_t y) const;
  void SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value);

  bool IsEmpty() const { return pixels == nullptr; }
  // First pixel of image row y (0 = top); y must be in range.
  std::uint32_t* Row(std::int32_t y) const {
    return pixels + static_cast<std::int64_t>(height - 1 - y) * width;
  }

  std::int32_t Width() const { return width; }
  std::int32_t Height() const { return height; }
  // The first pixel of the bottom row: rows run bottom-up, `Width()` apart.
  std::uint32_t* Pixels() const { return pixels; }
  // The memory device context the canvas is selected into (Windows), or
  // null.
  HDC Dc() const { return dc; }
  // The surface's description, as the window system is given it.
  const BITMAPV4HEADER& Header() const { return header; }

 private:
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr;
  std::int32_t width = 0;
  std::int32_t height = 0;
  BITMAPV4HEADER header;
  std::uint32_t* pixels = nullptr;

  static bool IsAcceptableSize(std::int32_t w, std::int32_t h);
  // Platform part: make storage for the header's size, or release it.
  bool CreateSurface(HDC& newDc, HBITMAP& newBitmap, std::uint32_t*& newPixels);
  void ReleaseSurface(HDC oldDc, HBITMAP oldBitmap, std::uint32_t* oldPixels);
};
