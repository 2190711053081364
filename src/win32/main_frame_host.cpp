// What the clock face and the globe reach through their owner.
#include "win32/main_frame.h"
// After <windows.h>, which it needs.
#include <commdlg.h>

#include "app/dialog_texts.h"
#include "win32/application.h"

namespace {
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);

// Windows 10 (1607) and later know each window's DPI; earlier systems have
// one DPI for the whole screen.
GetDpiForWindowFn DpiForWindowFunction() {
  static const GetDpiForWindowFn function = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    // Through void*: FARPROC and the typed pointer are unrelated types.
    return user32 ? reinterpret_cast<GetDpiForWindowFn>(reinterpret_cast<void*>(
                        GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  return function;
}
}  // namespace

POINT CMainFrame::CursorInClient() const {
  POINT p{};
  GetCursorPos(&p);
  ScreenToClient(window, &p);
  return p;
}

void CMainFrame::SetTimerPeriod(UINT milliseconds) {
  SetTimer(window, kTimerId, milliseconds, nullptr);
}

void CMainFrame::CaptureMouse() { SetCapture(window); }

void CMainFrame::ReleaseMouse() { ReleaseCapture(); }

bool CMainFrame::HasMouseCapture() const { return GetCapture() == window; }

bool CMainFrame::PickColor(COLORREF& color, COLORREF* customColors) {
  CHOOSECOLORW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window;
  choose.hInstance = reinterpret_cast<HWND>(application->Instance());
  choose.rgbResult = color;
  choose.lpCustColors = customColors;
  choose.Flags = CC_RGBINIT;
  if (!ChooseColorW(&choose)) return false;
  color = choose.rgbResult;
  return true;
}

bool CMainFrame::PickFont(LOGFONTW& font, int& pointSizeTenths) {
  wchar_t style[64] = {};
  HDC dc = GetDC(window);
  CHOOSEFONTW choose{};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = window;
  choose.hDC = dc;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_EFFECTS;
  choose.hInstance = application->Instance();
  choose.lpszStyle = style;
  const BOOL chosen = ChooseFontW(&choose);
  ReleaseDC(window, dc);
  if (!chosen) return false;
  pointSizeTenths = choose.iPointSize;
  return true;
}

bool CMainFrame::PickTextureFile(std::u16string& path) {
  wchar_t file[260] = {};
  const std::u16string filterText = WindowsFileFilter(ornament.Language());
  const std::u16string_view titleText =
      kTextureDialogTitle.In(ornament.Language());
  const std::wstring filter(filterText.begin(), filterText.end());
  const std::wstring title(titleText.begin(), titleText.end());
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = window;
  open.lpstrFilter = filter.c_str();
  open.nFilterIndex = 1;
  open.lpstrFile = file;
  open.nMaxFile = 260;
  open.lpstrTitle = title.c_str();
  open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!GetOpenFileNameW(&open)) return false;
  path.assign(file, file + wcsnlen(file, 260));
  return true;
}

COLORREF CMainFrame::SystemColor(int index) const { return GetSysColor(index); }

int CMainFrame::PixelsPerInch() const {
  if (const GetDpiForWindowFn dpiFor = DpiForWindowFunction())
    if (const UINT dpi = dpiFor(window)) return int(dpi);
  HDC dc = GetDC(window);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(window, dc);
  return ppi;
}

SYSTEMTIME CMainFrame::LocalTime() const {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now;
}

SYSTEMTIME CMainFrame::UtcTime() const {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return now;
}
