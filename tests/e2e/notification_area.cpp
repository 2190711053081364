#include "notification_area.h"

#include <commctrl.h>

#include "remote_memory.h"
#include "user_input.h"

namespace {
constexpr wchar_t kTrayClass[] = L"__winex11_standalone_tray";
constexpr wchar_t kIconClass[] = L"__winex11_tray_icon";

BOOL CALLBACK AddIcon(HWND child, LPARAM list) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (wcscmp(name, kIconClass) == 0)
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}

// The text of every tool of `tooltip`, by the window the tool stands for.
void ReadTips(HWND tooltip, std::vector<TrayIcon>& icons) {
  RemoteMemory remote(tooltip);
  if (!remote.ok()) return;
  constexpr std::size_t kText = 1024, kTextChars = 512;
  const int count = int(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.lpszText = reinterpret_cast<LPWSTR>(remote.At(kText));
    remote.Write(0, &tool, sizeof tool);
    if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, i, LPARAM(remote.At(0))))
      continue;
    remote.Read(0, &tool, sizeof tool);
    tool.lpszText = reinterpret_cast<LPWSTR>(remote.At(kText));
    remote.Write(0, &tool, sizeof tool);
    SendMessageW(tooltip, TTM_GETTEXTW, kTextChars, LPARAM(remote.At(0)));
    wchar_t text[kTextChars] = {};
    remote.Read(kText, text, sizeof text - sizeof(wchar_t));
    for (TrayIcon& icon : icons)
      if (icon.window == tool.hwnd) icon.tip = text;
  }
}
}  // namespace

std::vector<TrayIcon> TrayIcons() {
  std::vector<TrayIcon> icons;
  for (HWND tray = FindWindowW(kTrayClass, nullptr); tray;
       tray = FindWindowExW(nullptr, tray, kTrayClass, nullptr)) {
    std::vector<HWND> windows;
    EnumChildWindows(tray, AddIcon, reinterpret_cast<LPARAM>(&windows));
    for (HWND w : windows)
      if (IsWindowVisible(w)) icons.push_back({w, L""});
    for (HWND tip = FindWindowW(TOOLTIPS_CLASSW, nullptr); tip;
         tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr))
      if (GetWindow(tip, GW_OWNER) == tray) ReadTips(tip, icons);
  }
  return icons;
}

TrayIcon WaitForTrayIcon(const std::wstring& prefix, DWORD timeout) {
  TrayIcon found{nullptr, L""};
  WaitUntil(
      [&] {
        for (const TrayIcon& icon : TrayIcons())
          if (icon.tip.compare(0, prefix.size(), prefix) == 0) found = icon;
        return found.window != nullptr;
      },
      timeout);
  return found;
}
