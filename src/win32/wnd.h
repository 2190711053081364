// CWnd binds one window to one object: every message of the window, from the
// very first one, reaches the object's WndProc as a WndMessage record.
#pragma once

#include "platform/win32_types.h"
#include "wndthunk/stub_pool.h"
#include "wndthunk/wnd_message.h"

class CApplication;

// What a derived class fills in before its window is created. Zero apart from
// the window-class record, which Create pre-fills.
struct CreateParams {
  const wchar_t* title;
  DWORD style;
  DWORD exStyle;
  int x, y, width, height;
  HWND parent;
  void* param;
  HMENU menu;
  WNDCLASSEXW windowClass;
};

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  virtual void FillCreateParams(CreateParams& params) = 0;
  // Registers a class named after the object's own class and creates the
  // window; `window` stays null when creation fails.
  virtual void Create(CApplication* app);
  virtual void WndProc(WndMessage& message) = 0;

  // The window, or null before creation and after a failed one.
  HWND Handle() const { return window; }

 protected:
  // The system's default handling, stored as the record's result.
  void DefaultProc(WndMessage& message);

  HWND window = nullptr;
  CApplication* application = nullptr;

 private:
  StubWindowProc stub = nullptr;

  static void ONDRAVA_STUB_METHOD_ABI Forward(void* object,
                                              WndMessage* message);
  static LRESULT CALLBACK InitialWindowProc(HWND hwnd, UINT msg, WPARAM wParam,
                                            LPARAM lParam);
};
