// Reading back what the screen shows, for pixel checks of the window.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct ScreenShot {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  std::uint32_t At(int x, int y) const {
    return pixels[std::size_t(y) * width + x];
  }
  int CountNonBlack() const;
  // Writes the picture as a 24-bit .bmp.
  bool SaveBmp(const std::wstring& path) const;
};

ScreenShot CaptureScreen(const RECT& area);
