#include "win32/application.h"

#include "base/resource_ids.h"
#include "win32/wnd.h"

bool CApplication::Init(HINSTANCE moduleInstance, int showCommand,
                        CWnd* window) {
  instance = moduleInstance;
  largeIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LARGE));
  smallIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_SMALL));
  cursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  accelerators =
      LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATORS));

  mainWindow = window;
  mainWindow->Create(this);
  if (!mainWindow->Handle()) return false;
  ShowWindow(mainWindow->Handle(), showCommand);
  UpdateWindow(mainWindow->Handle());
  return true;
}

int CApplication::Run() {
  MSG msg{};
  for (;;) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return int(msg.wParam);
    if (got == -1) return 0;  // the loop cannot go on; end as a normal exit
    if (!TranslateAcceleratorW(msg.hwnd, accelerators, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
}
