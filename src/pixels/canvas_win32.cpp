// Windows canvas storage: a 32-bit bottom-up DIB section selected into the
// canvas's own memory device context, so GDI text and the layered-window
// update work on the same pixels our code writes.
#include "pixels/canvas.h"

bool CCanvas::CreateSurface(HDC& newDc, HBITMAP& newBitmap,
                            std::uint32_t*& newPixels) {
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  newBitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                               DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!newBitmap || !bits) {
    if (newBitmap) DeleteObject(newBitmap);
    newBitmap = nullptr;
    return false;
  }
  newDc = CreateCompatibleDC(nullptr);
  if (!newDc) {
    DeleteObject(newBitmap);
    newBitmap = nullptr;
    return false;
  }
  // The displaced bitmap is the context's initial one-pixel stock bitmap.
  HGDIOBJ initial = SelectObject(newDc, newBitmap);
  if (initial) DeleteObject(initial);
  newPixels = static_cast<std::uint32_t*>(bits);
  return true;
}

void CCanvas::ReleaseSurface(HDC oldDc, HBITMAP oldBitmap, std::uint32_t*) {
  if (oldDc) DeleteDC(oldDc);
  if (oldBitmap) DeleteObject(oldBitmap);
}
