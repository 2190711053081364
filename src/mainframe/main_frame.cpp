// Creation, the message table, layout, tick and frame composition.
#include "mainframe/main_frame.h"

#include "framepart/frame_sequence.h"
#include "framepart/resource_ids.h"
#include "mainframe/dpi_change.h"
#include "mainframe/window_geometry.h"
#include "wincontrol/application.h"

namespace {
// The product name, loaded once; it must outlive window creation.
wchar_t productName[100];

int SignedLow(LPARAM value) { return static_cast<short>(LOWORD(value)); }
int SignedHigh(LPARAM value) { return static_cast<short>(HIWORD(value)); }
}  // namespace

CMainFrame::CMainFrame() : parts{&clock, &globe} {}

CMainFrame::~CMainFrame() = default;

void CMainFrame::SetSettingsPath(std::u16string path) {
  settingsPath = std::move(path);
}

void CMainFrame::FillCreateParams(CreateParams& params) {
  LoadStringW(application->instance, IDS_PRODUCT_NAME, productName,
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
      if (m.WParam == SIZE_RESTORED) Layout();
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
      Layout();
      m.Result = 0;
      return;
    case WM_NCHITTEST: {
      RECT rect;
      GetWindowRect(window, &rect);
      m.Result = HitTest(rect, SignedLow(m.LParam), SignedHigh(m.LParam));
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
      if (RouteCommand(LOWORD(m.WParam), *this, switches, parts))
        m.Result = 0;
      else
        DefaultProc(m);
      return;
    case WM_TIMER:
      Tick();
      m.Result = 0;
      return;
    case WM_MOUSEMOVE:
      for (IFramePart* part : parts)
        part->OnMouseMove(m.WParam, SignedLow(m.LParam), SignedHigh(m.LParam));
      m.Result = 0;
      return;
    case WM_LBUTTONDOWN:
      for (IFramePart* part : parts)
        part->OnLButtonDown(m.WParam, SignedLow(m.LParam),
                            SignedHigh(m.LParam));
      m.Result = 0;
      return;
    case WM_LBUTTONUP:
      for (IFramePart* part : parts)
        part->OnLButtonUp(SignedLow(m.LParam), SignedHigh(m.LParam));
      m.Result = 0;
      return;
    case WM_CAPTURECHANGED:
      // A drag whose capture is taken away ends as a release would.
      for (IFramePart* part : parts) part->OnCaptureLost();
      m.Result = 0;
      return;
    case WM_MOUSEWHEEL:
      for (IFramePart* part : parts)
        part->OnMouseWheel(LOWORD(m.WParam), HIWORD(m.WParam));
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
  canvas = std::make_unique<CCanvas>();
  for (IFramePart* part : parts) part->Create(*this);
  LoadSettings();
  // The settings file may choose the language the menu speaks.
  popup = CreateWin32PopupMenu(language);
  Layout();
  SetTimer(window, kTimerId, kRestingPeriod, nullptr);
  SetTrayIcon(true);
  UpdateMenu();
}

void CMainFrame::OnDestroy() {
  SaveSettings();
  for (IFramePart* part : parts) part->Destroy();
  SetTrayIcon(false);
  canvas.reset();
  if (popup) DestroyMenu(popup);
  popup = nullptr;
}

void CMainFrame::Layout() {
  if (!canvas) return;
  RECT client;
  GetClientRect(window, &client);
  LayoutParts(*canvas, client, parts);
  Compose();
}

void CMainFrame::Tick() {
  // A tick that changes nothing on the screen composes nothing.
  if (TickParts(LocalTime(), parts)) Compose();
}

void CMainFrame::Compose() {
  if (!canvas || canvas->IsEmpty()) return;
  SIZE size{canvas->width, canvas->height};
  ComposeFrame(*canvas, parts);
  POINT source{0, 0};
  UpdateLayeredWindow(window, nullptr, nullptr, &size, canvas->dc, &source, 0,
                      &blend, ULW_ALPHA);
}

void CMainFrame::Paint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (canvas && canvas->dc) {
    const RECT& r = ps.rcPaint;
    BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, canvas->dc,
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
  Layout();
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
