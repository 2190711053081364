// The notification-area icon, the popup menu and the command handling.
#include <algorithm>
#include <cwchar>
#include <memory>
#include <vector>

#include "app/startup_text.h"
#include "app/tray_tip.h"
#include "base/resource_ids.h"
#include "parts/command_ids.h"
#include "platform/wide_text_win32.h"
#include "win32/about_dialog.h"
#include "win32/application.h"
#include "win32/executable_path.h"
#include "win32/main_frame.h"
#include "win32/mouse_message.h"

namespace {
std::u16string VersionString(const void* block, const wchar_t* key) {
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(block, key, reinterpret_cast<void**>(&text), &length) ||
      !text)
    return {};
  return std::u16string(text, text + wcsnlen(text, length));
}
}  // namespace

void CMainFrame::BuildTipText(wchar_t* tip) {
  if (saveFailureShown) {
    wchar_t name[100] = {};
    LoadStringW(application->Instance(), IDS_PRODUCT_NAME, name,
                int(std::size(name)));
    const std::u16string text = SaveFailedTipText(
        std::u16string(name, name + wcslen(name)), ornament.Language());
    std::copy(text.begin(), text.end(), tip);
    tip[text.size()] = 0;
    return;
  }
  const std::u16string exe = ExecutablePath();
  const wchar_t* path = Wide(exe);
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  if (size == 0) return;
  std::vector<char> block(size);
  if (!GetFileVersionInfoW(path, 0, size, block.data())) return;
  const std::u16string text = ::BuildTipText(
      VersionString(block.data(), L"\\StringFileInfo\\041104B0\\ProductName"),
      VersionString(block.data(),
                    L"\\StringFileInfo\\041104B0\\ProductVersion"),
      VersionString(block.data(),
                    L"\\StringFileInfo\\041104B0\\LegalCopyright"));
  std::copy(text.begin(), text.end(), tip);
  tip[text.size()] = 0;
}

bool CMainFrame::SetTrayIcon(bool show) {
  if (show && !application->LargeIcon()) show = false;
  bool accepted = true;
  if (show) {
    tray = NOTIFYICONDATAW{};
    tray.cbSize = NOTIFYICONDATAW_V1_SIZE;
    tray.hWnd = window;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = WM_USER;
    tray.hIcon = application->LargeIcon();
    BuildTipText(tray.szTip);
    accepted = Shell_NotifyIconW(trayShown ? NIM_MODIFY : NIM_ADD, &tray);
  } else if (trayShown) {
    accepted = Shell_NotifyIconW(NIM_DELETE, &tray);
  }
  if (accepted) trayShown = show;
  return accepted;
}

void CMainFrame::OnTrayCallback(WndMessage& m) {
  switch (m.LParam) {
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
      SetForegroundWindow(window);
      break;
    case WM_RBUTTONUP:
      ShowPopupMenuAtCursor();
      break;
    default:
      if (m.LParam >= WM_MOUSEFIRST && m.LParam <= 0x0209) break;
      DefaultProc(m);
      return;
  }
  m.Result = 0;
}

void CMainFrame::ShowPopupMenu(POINT at) {
  if (!popup) return;
  // A menu whose owner is not in the foreground never closes when the user
  // clicks elsewhere.
  SetForegroundWindow(window);
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  // Lets the menu close properly when it was opened from the tray icon.
  PostMessageW(window, WM_NULL, 0, 0);
}

void CMainFrame::ShowPopupMenuAtCursor() {
  POINT at;
  GetCursorPos(&at);
  ShowPopupMenu(at);
}

void CMainFrame::OnContextMenu(LPARAM screenPoint) {
  // The menu key and Shift+F10 give no point.
  RECT r{};
  GetWindowRect(window, &r);
  std::optional<POINT> pointer;
  if (screenPoint != LPARAM(-1)) pointer = PointFromMessage(screenPoint);
  ShowPopupMenu(MenuPoint(r, pointer));
}

void CMainFrame::ShowAbout() {
  ShowAboutBox(application->Instance(), window, ornament.Language());
}

IMenu* CMainFrame::PopupMenu() { return popupView.get(); }
