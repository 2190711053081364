// Portable canvas storage: plain memory, aligned for the SIMD span blends.
#include <new>

#include "pixels/canvas.h"

namespace {
constexpr std::align_val_t kPixelAlignment{64};
}

bool CCanvas::CreateSurface(HDC& newDc, HBITMAP& newBitmap,
                            std::uint32_t*& newPixels) {
  const std::size_t bytes = std::size_t(header.bV4Width) *
                            std::size_t(header.bV4Height) *
                            sizeof(std::uint32_t);
  newDc = nullptr;
  newBitmap = nullptr;
  newPixels = static_cast<std::uint32_t*>(
      ::operator new(bytes, kPixelAlignment, std::nothrow));
  return newPixels != nullptr;
}

void CCanvas::ReleaseSurface(HDC, HBITMAP, std::uint32_t* oldPixels) {
  if (oldPixels) ::operator delete(oldPixels, kPixelAlignment);
}
