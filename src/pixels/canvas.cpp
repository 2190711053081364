#include "pixels/canvas.h"

#include <algorithm>
#include <cstring>

CCanvas::CCanvas() {
  std::memset(&header, 0, sizeof header);
  header.bV4Size = sizeof(BITMAPV4HEADER);
  header.bV4Planes = 1;
  header.bV4BitCount = 32;
  header.bV4V4Compression = BI_BITFIELDS;
  header.bV4RedMask = 0x00FF0000;
  header.bV4GreenMask = 0x0000FF00;
  header.bV4BlueMask = 0x000000FF;
  header.bV4AlphaMask = 0xFF000000;
}

CCanvas::~CCanvas() {
  ReleaseSurface(dc, bitmap, pixels);
  dc = nullptr;
  bitmap = nullptr;
  pixels = nullptr;
}

bool CCanvas::IsAcceptableSize(std::int32_t w, std::int32_t h) {
  return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide &&
         std::int64_t{w} * h <= kMaxPixels;
}

void CCanvas::Resize(std::int32_t newWidth, std::int32_t newHeight) {
  if (newWidth == width && newHeight == height) return;

  HDC oldDc = dc;
  HBITMAP oldBitmap = bitmap;
  std::uint32_t* oldPixels = pixels;

  HDC newDc = nullptr;
  HBITMAP newBitmap = nullptr;
  std::uint32_t* newPixels = nullptr;
  bool made = false;
  if (IsAcceptableSize(newWidth, newHeight)) {
    header.bV4Width = newWidth;
    header.bV4Height = newHeight;
    made = CreateSurface(newDc, newBitmap, newPixels);
  }

  dc = newDc;
  bitmap = newBitmap;
  pixels = newPixels;
  width = made ? newWidth : 0;
  height = made ? newHeight : 0;
  header.bV4Width = width;
  header.bV4Height = height;
  ReleaseSurface(oldDc, oldBitmap, oldPixels);
}

void CCanvas::Clear() {
  if (pixels) std::fill_n(pixels, std::size_t(width) * std::size_t(height), 0u);
}

std::uint32_t CCanvas::GetPixel(std::int32_t x, std::int32_t y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return Row(y)[x];
}

void CCanvas::SetPixel(std::int32_t x, std::int32_t y, std::uint32_t value) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  Row(y)[x] = value;
}
