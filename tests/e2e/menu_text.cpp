#include "menu_text.h"

#include <cstdint>
#include <vector>

#include "screen_capture.h"

namespace {
// `text` as a menu draws an item: menu font, menu text colour on the menu
// colour, cut to the pixels that differ from the background.
ScreenShot DrawLikeAMenu(const std::wstring& text) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ oldFont = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &extent);
  ScreenShot picture;
  picture.width = extent.cx + 4;
  picture.height = extent.cy + 4;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap =
      CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, picture.width, picture.height};
  FillRect(dc, &all, GetSysColorBrush(COLOR_MENU));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
  TextOutW(dc, 2, 2, text.c_str(), int(text.size()));
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(p, p + std::size_t(picture.width) * picture.height);
  for (std::uint32_t& pixel : picture.pixels) pixel &= 0xFFFFFF;
  SelectObject(dc, oldBitmap);
  SelectObject(dc, oldFont);
  DeleteObject(bitmap);
  DeleteObject(font);
  DeleteDC(dc);

  const std::uint32_t background = picture.At(0, 0);
  RECT ink{picture.width, picture.height, 0, 0};
  for (int y = 0; y < picture.height; ++y)
    for (int x = 0; x < picture.width; ++x)
      if (picture.At(x, y) != background) {
        ink.left = std::min<LONG>(ink.left, x);
        ink.top = std::min<LONG>(ink.top, y);
        ink.right = std::max<LONG>(ink.right, x + 1);
        ink.bottom = std::max<LONG>(ink.bottom, y + 1);
      }
  ScreenShot cut;
  if (ink.left >= ink.right) return cut;
  cut.width = ink.right - ink.left;
  cut.height = ink.bottom - ink.top;
  for (int y = ink.top; y < ink.bottom; ++y)
    for (int x = ink.left; x < ink.right; ++x)
      cut.pixels.push_back(picture.At(x, y));
  return cut;
}

bool MatchesAt(const ScreenShot& screen, const ScreenShot& part, int left,
               int top) {
  for (int y = 0; y < part.height; ++y)
    for (int x = 0; x < part.width; ++x)
      if (screen.At(left + x, top + y) != part.At(x, y)) return false;
  return true;
}
}  // namespace

bool MenuShowsText(HWND popupMenu, const std::wstring& text) {
  const ScreenShot expected = DrawLikeAMenu(text);
  if (expected.width == 0) return false;
  RECT r;
  if (!GetWindowRect(popupMenu, &r)) return false;
  const ScreenShot screen = CaptureScreen(r);
  for (int top = 0; top + expected.height <= screen.height; ++top)
    for (int left = 0; left + expected.width <= screen.width; ++left)
      if (MatchesAt(screen, expected, left, top)) return true;
  return false;
}

bool MenuFontHasDistinctGlyphs(const std::wstring& characters) {
  std::vector<std::vector<std::uint32_t>> seen;
  for (wchar_t c : characters) {
    const ScreenShot glyph = DrawLikeAMenu(std::wstring(1, c));
    for (const auto& other : seen)
      if (other == glyph.pixels) return false;
    seen.push_back(glyph.pixels);
  }
  return true;
}
