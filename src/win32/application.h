// The application object: the module's shared handles and the message loop.
#pragma once

#include "platform/win32_types.h"

class CWnd;

class CApplication {
 public:
  CApplication() = default;
  virtual ~CApplication() = default;

  // Loads the handles, creates the main window and shows it; false when the
  // window could not be created.
  bool Init(HINSTANCE moduleInstance, int showCommand, CWnd* window);
  // Runs the message loop until the quit message; returns its exit code.
  int Run();

  HINSTANCE Instance() const { return instance; }
  // The program's icons (null when they could not be loaded) and cursor.
  HICON LargeIcon() const { return largeIcon; }
  HICON SmallIcon() const { return smallIcon; }
  HCURSOR Cursor() const { return cursor; }

 private:
  HINSTANCE instance = nullptr;
  HICON largeIcon = nullptr;
  HICON smallIcon = nullptr;
  HCURSOR cursor = nullptr;
  HACCEL accelerators = nullptr;
  CWnd* mainWindow = nullptr;
};
