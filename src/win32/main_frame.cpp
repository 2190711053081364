// Creation, the message table, layout, tick and frame composition.
#include "win32/main_frame.h"

#include "app/dpi_change.h"
#include "app/window_geometry.h"
#include "base/resource_ids.h"
#include "win32/application.h"
#include "win32/mouse_message.h"

namespace {
// The product name, loaded once; it must outlive window creation.
wchar_t productName[100];

}  // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetSettingsPath(std::u16string path) {
  settingsPath = std::move(path);
}

void CMainFrame::FillCreateParams(CreateParams& params) {
  LoadStringW(application->Instance(), IDS_PRODUCT_NAME, productName,
              int(std::size(productName)));
  params.title = productName;
  params.style = WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  params.exStyle = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  params.x = CW_USEDEFAULT;
  params.y = 0;
  params.width = 128;
  params.height = 128;
}

void CMainFrame::WndProc(WndMessage& m) {
  switch (m.Msg) {
    case WM_CREATE:
      DefaultProc(m);
      if (m.Result == 0) OnCreate();
      return;
    case WM_DESTROY:
      OnDestroy();
      PostQuitMessage(0);
      m.Result = 0;
      return;
    case WM_MOVE:
    case WM_SYNCPAINT:
      m.Result = 0;
      return;
    case WM_SIZE:
      if (m.WParam == SIZE_RESTORED) ornament.Layout();
      m.Result = 0;
      return;
    case WM_PAINT:
      Paint();
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_DISPLAYCHANGE:
      ornament.Layout();
      m.Result = 0;
      return;
    case WM_NCHITTEST: {
      RECT rect;
      GetWindowRect(window, &rect);
      const POINT at = PointFromMessage(m.LParam);
      m.Result = HitTest(rect, at.x, at.y);
      return;
    }
    case WM_NCMOUSEMOVE:
      OnNonClientMouseMove(int(m.WParam));
      m.Result = 0;
      return;
    case WM_NCLBUTTONDOWN:
      OnNonClientButtonDown(int(m.WParam));
      m.Result = 0;
      return;
    case WM_NCRBUTTONDOWN:
      // The default handling of a press on the caption (the centre) runs a
      // loop of its own that swallows the release: the release below must
      // arrive wherever the button goes up over the window.
      m.Result = 0;
      return;
    case WM_NCRBUTTONUP:
    case WM_RBUTTONUP:
      ShowPopupMenuAtCursor();
      m.Result = 0;
      return;
    case WM_CONTEXTMENU:
      OnContextMenu(m.LParam);
      m.Result = 0;
      return;
    case WM_DPICHANGED:
      if (m.LParam) OnDpiChanged(*reinterpret_cast<const RECT*>(m.LParam));
      m.Result = 0;
      return;
    case WM_COMMAND:
      if (ornament.Command(LOWORD(m.WParam)))
        m.Result = 0;
      else
        DefaultProc(m);
      return;
    case WM_TIMER:
      ornament.Tick();
      m.Result = 0;
      return;
    case WM_MOUSEMOVE:
      ornament.PointerMove(PointerFromMessage(m.WParam, m.LParam));
      m.Result = 0;
      return;
    case WM_LBUTTONDOWN:
      ornament.LeftPress(PointerFromMessage(m.WParam, m.LParam));
      m.Result = 0;
      return;
    case WM_LBUTTONUP:
      ornament.LeftRelease(PointerFromMessage(m.WParam, m.LParam));
      m.Result = 0;
      return;
    case WM_CAPTURECHANGED:
      // A drag whose capture is taken away ends as a release would.
      ornament.CaptureLost();
      m.Result = 0;
      return;
    case WM_MOUSEWHEEL:
      ornament.Wheel(WheelFromMessage(m.WParam));
      m.Result = 0;
      return;
    case WM_SIZING:
      OnSizing(int(m.WParam), *reinterpret_cast<RECT*>(m.LParam));
      m.Result = 1;
      return;
    case WM_USER:
      OnTrayCallback(m);
      return;
    default:
      DefaultProc(m);
      return;
  }
}

void CMainFrame::OnCreate() {
  StartOrnament();
  // The settings file may choose the language the menu speaks.
  popup = CreateWin32PopupMenu(ornament.Language());
  if (popup) popupView = std::make_unique<CWin32Menu>(popup);
  ornament.Layout();
  SetTimer(window, kTimerId, kRestingPeriod, nullptr);
  SetTrayIcon(true);
  ornament.UpdateMenu();
}

void CMainFrame::OnDestroy() {
  ornament.Stop();
  SetTrayIcon(false);
  popupView.reset();
  if (popup) DestroyMenu(popup);
  popup = nullptr;
}

RECT CMainFrame::ClientRect() const {
  RECT client{};
  GetClientRect(window, &client);
  return client;
}

void CMainFrame::Present() {
  const CCanvas& frame = ornament.Frame();
  SIZE size{frame.Width(), frame.Height()};
  POINT source{0, 0};
  UpdateLayeredWindow(window, nullptr, nullptr, &size, frame.Dc(), &source, 0,
                      &blend, ULW_ALPHA);
}

void CMainFrame::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (const CCanvas& frame = ornament.Frame(); frame.Dc()) {
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, frame.Dc(),
           r.left, r.top, SRCCOPY);
  }
  EndPaint(window, &ps);
}

void CMainFrame::OnNonClientMouseMove(int hitTest) {
  if (const int cursor = CursorForHitTest(hitTest))
    SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(cursor)));
}

void CMainFrame::OnDpiChanged(const RECT& suggested) {
  const RECT r = RectForDpiChange(suggested);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left,
               r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // The size may stay while the DPI changes: what follows it (the tilt
  // read-out's lettering) is laid out again all the same.
  ornament.Layout();
}

void CMainFrame::OnNonClientButtonDown(int hitTest) {
  if (const unsigned command = SysCommandForHitTest(hitTest))
    SendMessageW(window, WM_SYSCOMMAND, command, 0);
}

bool CMainFrame::IsOpen() const { return window && IsWindow(window); }

void CMainFrame::Close() { DestroyWindow(window); }

void CMainFrame::SetClickThrough(bool on) {
  LONG style = GetWindowLongW(window, GWL_EXSTYLE);
  style = on ? (style | WS_EX_TRANSPARENT) : (style & ~WS_EX_TRANSPARENT);
  SetWindowLongW(window, GWL_EXSTYLE, style);
}

void CMainFrame::SetStayOnTop(bool on) {
  SetWindowPos(window, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE);
}
