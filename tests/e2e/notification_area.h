// The notification area as Wine shows it without an X tray manager (Xvfb
// has none): a stand-alone tray window of Wine's ("Wine System Tray") whose
// child windows are the icons, each a tool of a tooltip that holds its tip.
// On Windows the icons live in the taskbar instead; these helpers are for
// the tests under wine64.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct TrayIcon {
  HWND window;       // the icon's own window, which takes the clicks
  std::wstring tip;  // the tip as the tray holds it
};

// Every icon shown now, with its tip.
std::vector<TrayIcon> TrayIcons();

// The icon whose tip starts with `prefix`, waiting up to `timeout` for it;
// a null window when there is none.
TrayIcon WaitForTrayIcon(const std::wstring& prefix, DWORD timeout = 5000);
