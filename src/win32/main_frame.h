// The Windows program's one window: borderless, square, per-pixel
// translucent, with no taskbar button. It hosts the ornament: it feeds it
// the window's messages, decoded, and the timer's ticks, puts its frames on
// the screen through UpdateLayeredWindow, and owns the notification-area
// icon and the popup menu.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32_types.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "app/ornament.h"
#include "win32/win32_menu.h"
#include "win32/wnd.h"

class CMainFrame : public CWnd, private IOrnamentHost {
 public:
  CMainFrame();
  ~CMainFrame() override;

  void FillCreateParams(CreateParams& params) override;
  void WndProc(WndMessage& message) override;

  // The command-line path; an empty text leaves the path to be derived.
  void SetSettingsPath(std::u16string path);

  // IFrameHost.
  POINT CursorInClient() const override;
  void SetTimerPeriod(UINT milliseconds) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  bool HasMouseCapture() const override;
  bool PickColor(COLORREF& color, COLORREF* customColors) override;
  bool PickFont(LOGFONTW& font, int& pointSizeTenths) override;
  bool PickTextureFile(std::u16string& path) override;
  COLORREF SystemColor(int index) const override;
  int PixelsPerInch() const override;
  SYSTEMTIME LocalTime() const override;
  SYSTEMTIME UtcTime() const override;
  UiLanguage Language() const override { return ornament.Language(); }

 private:
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kRestingPeriod = 100;

  void OnCreate();
  void OnDestroy();
  void Paint();
  void OnNonClientMouseMove(int hitTest);
  void OnNonClientButtonDown(int hitTest);
  void OnDpiChanged(const RECT& suggested);

  // IOrnamentHost: what the ornament asks of the window.
  RECT ClientRect() const override;
  std::optional<RECT> Placement() override;
  void Place(const RECT& rect) override;
  std::vector<MonitorArea> Monitors() const override;
  void SetClickThrough(bool on) override;
  void SetStayOnTop(bool on) override;
  void ShowAbout() override;
  void Close() override;
  bool IsOpen() const override;
  void Present() override;
  IMenu* PopupMenu() override;
  void ReportSaveFailure() override;
  bool SystemSpeaksJapanese() const override;

  // Tray, menu and commands.
  bool SetTrayIcon(bool show);
  void BuildTipText(wchar_t* tip);
  void ShowPopupMenu(POINT at);
  void ShowPopupMenuAtCursor();
  void OnContextMenu(LPARAM screenPoint);
  void OnTrayCallback(WndMessage& message);

  // Finds the settings file and starts the ornament on it.
  void StartOrnament();

  NOTIFYICONDATAW tray{};
  HMENU popup = nullptr;
  std::unique_ptr<CWin32Menu> popupView;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  bool trayShown = false;
  // Once set, the tip says that the settings could be written nowhere.
  bool saveFailureShown = false;
  std::u16string settingsPath;  // from the command line, or empty
  COrnament ornament{*this};
};
