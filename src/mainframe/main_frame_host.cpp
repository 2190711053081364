// What the clock face and the globe reach through their owner.
#include "mainframe/main_frame.h"
// After <windows.h>, which it needs.
#include <commdlg.h>

#include "wincontrol/application.h"

HINSTANCE CMainFrame::Instance() const { return application->instance; }

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
  choose.hInstance = reinterpret_cast<HWND>(application->instance);
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
  choose.hInstance = application->instance;
  choose.lpszStyle = style;
  const BOOL chosen = ChooseFontW(&choose);
  ReleaseDC(window, dc);
  if (!chosen) return false;
  pointSizeTenths = choose.iPointSize;
  return true;
}

bool CMainFrame::PickTextureFile(std::u16string& path) {
  wchar_t file[260] = {};
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = window;
  open.lpstrFilter = L"ビットマップファイル(*.bmp)\0*.bmp\0";
  open.nFilterIndex = 1;
  open.lpstrFile = file;
  open.nMaxFile = 260;
  open.lpstrTitle = L"テクスチャファイルを開く";
  open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING;
  if (!GetOpenFileNameW(&open)) return false;
  path.assign(file, file + wcsnlen(file, 260));
  return true;
}

COLORREF CMainFrame::SystemColor(int index) const { return GetSysColor(index); }

int CMainFrame::PixelsPerInch() const {
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
