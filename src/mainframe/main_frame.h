// The program's one window: borderless, square, per-pixel translucent, with
// no taskbar button. It composes every frame into its canvas, drives the
// clock face and the globe from one timer, and owns the notification-area
// icon, the popup menu and the settings file.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/win32_types.h"
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "alphablend/canvas.h"
#include "clockfrm/clock_frm.h"
#include "earthfrm/earth_frm.h"
#include "framepart/frame_host.h"
#include "mainframe/command_routing.h"
#include "mainframe/settings_file.h"
#include "mainframe/win32_menu.h"
#include "wincontrol/wnd.h"

class CMainFrame : public CWnd, public IFrameHost, private IMainWindow {
 public:
  CMainFrame();
  ~CMainFrame() override;

  void FillCreateParams(CreateParams& params) override;
  void WndProc(WndMessage& message) override;

  // The command-line path; an empty text leaves the path to be derived.
  void SetSettingsPath(std::u16string path);

  // IFrameHost.
  HWND Window() const override { return window; }
  HINSTANCE Instance() const override;
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
  UiLanguage Language() const override { return language; }

 private:
  static constexpr UINT_PTR kTimerId = 1;
  static constexpr UINT kRestingPeriod = 100;

  void OnCreate();
  void OnDestroy();
  void Tick();
  void Compose();
  void Paint();
  void OnNonClientMouseMove(int hitTest);
  void OnNonClientButtonDown(int hitTest);
  void OnDpiChanged(const RECT& suggested);

  // IMainWindow: what the command routing asks of the window.
  void SetClickThrough(bool on) override;
  void SetStayOnTop(bool on) override;
  void ShowAbout() override;
  void Close() override;
  bool IsOpen() const override;
  void Layout() override;
  void SaveSettings() override;
  void UpdateMenu() override;

  // Tray, menu and commands.
  bool SetTrayIcon(bool show);
  void BuildTipText(wchar_t* tip);
  void ShowPopupMenu(POINT at);
  void ShowPopupMenuAtCursor();
  void OnContextMenu(LPARAM screenPoint);
  void OnTrayCallback(WndMessage& message);

  // Settings.
  bool OpenSettingsFile();
  void LoadSettings();
  void ChooseLanguage();

  NOTIFYICONDATAW tray{};
  HMENU popup = nullptr;
  std::unique_ptr<CCanvas> canvas;
  BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  bool trayShown = false;
  // Once set, the tip says that the settings could be written nowhere.
  bool saveFailureShown = false;
  std::u16string settingsPath;  // from the command line, or empty
  std::unique_ptr<CSettingsFile> settings;
  UiLanguage language = UiLanguage::kJapanese;
  WindowSwitches switches;
  CClockFrm clock;
  CEarthFrm globe;
  // The clock face and the globe, in the order every call but drawing goes
  // to them; drawing runs backwards, the globe being the bottom layer.
  std::vector<IFramePart*> parts;
};
