#include "win32/wnd.h"
// After <windows.h>, which it needs.
#include <cxxabi.h>
#include <oleauto.h>

#include <cstdlib>
#include <string>
#include <typeinfo>

#include "win32/application.h"

namespace {
// The one window being created; only the owning thread creates windows, one
// at a time.
CWnd* windowBeingCreated = nullptr;

// The class's own name ("CMainFrame") as a system string.
BSTR ClassNameOf(const CWnd& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  const char* name = status == 0 && demangled ? demangled : mangled;
  const int length =
      MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name, -1, nullptr, 0);
  BSTR result = nullptr;
  if (length > 0) {
    result = SysAllocStringLen(nullptr, UINT(length - 1));
    if (result)
      MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, name, -1, result, length);
  }
  std::free(demangled);
  return result;
}
}  // namespace

CWnd::CWnd() { stub = stub_pool::Take(Forward, this); }

CWnd::~CWnd() { stub_pool::Give(stub); }

void CWnd::Create(CApplication* app) {
  application = app;
  CreateParams params{};
  BSTR className = ClassNameOf(*this);
  if (!className || !stub) {
    SysFreeString(className);
    return;
  }
  WNDCLASSEXW& wc = params.windowClass;
  wc.cbSize = sizeof(WNDCLASSEXW);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = InitialWindowProc;
  wc.hInstance = app->Instance();
  wc.hIcon = app->LargeIcon();
  wc.hCursor = app->Cursor();
  wc.hIconSm = app->SmallIcon();
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = className;
  FillCreateParams(params);

  RegisterClassExW(&wc);  // an existing class is fine
  windowBeingCreated = this;
  window = CreateWindowExW(params.exStyle, wc.lpszClassName, params.title,
                           params.style, params.x, params.y, params.width,
                           params.height, params.parent, params.menu,
                           app->Instance(), params.param);
  windowBeingCreated = nullptr;
  SysFreeString(className);
}

void CWnd::DefaultProc(WndMessage& message) {
  message.Result =
      DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
}

void CWnd::Forward(void* object, WndMessage* message) {
  auto* self = static_cast<CWnd*>(object);
  try {
    self->WndProc(*message);
  } catch (...) {
    // Nothing may unwind into the window system; the message gets the
    // default handling instead.
    self->DefaultProc(*message);
  }
}

LRESULT CALLBACK CWnd::InitialWindowProc(HWND hwnd, UINT msg, WPARAM wParam,
                                         LPARAM lParam) {
  CWnd* self = windowBeingCreated;
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  self->window = hwnd;
  SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->stub));
  windowBeingCreated = nullptr;
  return self->stub(hwnd, msg, wParam, lParam);
}
