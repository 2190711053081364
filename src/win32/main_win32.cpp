// The program's entry point.
#include <float.h>

#include <string>

#include "app/startup_text.h"
#include "pixels/alpha_functions.h"
#include "win32/application.h"
#include "win32/main_frame.h"

namespace {
// No floating-point operation may trap: a division by zero gives an infinity,
// an invalid operation a NaN. Conversions to integers truncate (C++ casts).
void QuietFloatingPoint() {
  _clearfp();
  unsigned int word = 0;
  _controlfp_s(&word, _MCW_EM, _MCW_EM);
  _controlfp_s(&word, _RC_NEAR, _MCW_RC);
#if defined(__i386__)
  _controlfp_s(&word, _PC_64, _MCW_PC);
#endif
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  QuietFloatingPoint();
  BindAlphaFunctions();
  int exitCode = 0;
  {
    CApplication application;
    CMainFrame mainFrame;
    const auto* line = reinterpret_cast<const char16_t*>(GetCommandLineW());
    mainFrame.SetSettingsPath(
        SettingsPathFromArguments(ArgumentsAfterProgramName(line)));
    if (application.Init(instance, showCommand, &mainFrame))
      exitCode = application.Run();
  }
  ReleaseAlphaFunctions();
  return exitCode;
}
