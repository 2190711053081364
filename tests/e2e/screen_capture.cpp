#include "screen_capture.h"

int ScreenShot::CountNonBlack() const {
  int n = 0;
  for (std::uint32_t p : pixels) n += (p & 0xFFFFFF) != 0;
  return n;
}

bool ScreenShot::SaveBmp(const std::wstring& path) const {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = DWORD(stride * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<char> bytes(file.bfSize);
  memcpy(bytes.data(), &file, sizeof file);
  memcpy(bytes.data() + sizeof file, &info, sizeof info);
  for (int y = 0; y < height; ++y) {
    char* row =
        bytes.data() + file.bfOffBits + std::size_t(height - 1 - y) * stride;
    for (int x = 0; x < width; ++x)
      memcpy(row + 3 * x, &pixels[std::size_t(y) * width + x], 3);
  }
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(out, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(out);
  return written == bytes.size();
}

ScreenShot CaptureScreen(const RECT& area) {
  ScreenShot shot;
  shot.width = area.right - area.left;
  shot.height = area.bottom - area.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = shot.width;
  info.bmiHeader.biHeight = -shot.height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap =
      CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top,
         SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  shot.pixels.assign(p, p + std::size_t(shot.width) * shot.height);
  for (std::uint32_t& px : shot.pixels) px &= 0xFFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return shot;
}
