// The Linux program's one window: borderless, square, per-pixel translucent,
// a tool window that skips taskbars and pagers. It composes every frame into
// its canvas and shows it through a QImage over the canvas's own memory,
// drives the clock face and the globe from one timer, and owns the
// notification-area icon, the popup menu and the settings file. The rules it
// follows are the Windows program's (src/mainframe).
#pragma once

#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "alphablend/canvas.h"
#include "clockfrm/clock_frm.h"
#include "earthfrm/earth_frm.h"
#include "framepart/frame_host.h"
#include "mainframe/command_routing.h"
#include "mainframe/settings_file.h"
#include "qtframe/qt_menu.h"

class CQtMainWindow final : public QWidget,
                            public IFrameHost,
                            private IMainWindow {
 public:
  // `fixedTime`, when given, is the local time of every frame.
  // `perUserPath` is the file whose folder a save creates when it is the
  // settings file.
  CQtMainWindow(SettingsLocation location, std::u16string perUserPath,
                std::optional<SYSTEMTIME> fixedTime);
  ~CQtMainWindow() override;

  // Loads the settings, shows the window and the notification-area icon and
  // starts the timer.
  void Start();
  // Saves the settings once and ends the program (exit, SIGTERM).
  void Close() override;
  // Saves without ending (the session asks before logging out).
  void SaveSettings() override;

  // IFrameHost.
  HWND Window() const override { return nullptr; }
  HINSTANCE Instance() const override { return nullptr; }
  POINT CursorInClient() const override;
  void SetTimerPeriod(UINT milliseconds) override;
  void CaptureMouse() override;
  void ReleaseMouse() override;
  bool HasMouseCapture() const override { return captured; }
  bool PickColor(COLORREF& color, COLORREF* customColors) override;
  bool PickFont(LOGFONTW& font, int& pointSizeTenths) override;
  bool PickTextureFile(std::u16string& path) override;
  COLORREF SystemColor(int index) const override;
  int PixelsPerInch() const override;
  SYSTEMTIME LocalTime() const override;
  SYSTEMTIME UtcTime() const override;
  UiLanguage Language() const override { return language; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  static constexpr int kRestingPeriod = 100;
  // How long the window manager's sizing must rest before a rectangle it
  // left unsquare is squared.
  static constexpr int kSquaringDelay = 150;

  // IMainWindow: what the command routing asks of the window.
  void SetClickThrough(bool on) override;
  void SetStayOnTop(bool on) override;
  void ShowAbout() override;
  bool IsOpen() const override { return open; }
  void Layout() override;
  void UpdateMenu() override;

  void Tick();
  void Compose();
  bool CopyIntoBackingStore();
  void OnCommand(UINT command);
  void ShowPopupMenu(const QPoint& at);
  void SetUpTrayIcon();
  void LoseCapture();
  void KeepSquare();
  void ApplyWindowFlags();
  Qt::WindowFlags WantedFlags() const;
  void SyncPosition();
  RECT WindowRect() const;
  int HitAt(const QPointF& position) const;
  POINT DevicePoint(const QPointF& position) const;
  void LoadSettings();
  void SaveAtExit();

  CSettingsFile settingsFile;
  std::u16string perUserPath;
  std::optional<SYSTEMTIME> fixedTime;
  UiLanguage language = UiLanguage::kJapanese;
  CCanvas canvas;
  CClockFrm clock;
  CEarthFrm globe;
  // The clock face and the globe, in the order every call but drawing goes
  // to them; drawing runs backwards, the globe being the bottom layer.
  std::vector<IFramePart*> parts;
  WindowSwitches switches;
  QTimer timer;
  QMenu popup;
  CQtMenu popupView{popup};
  QSystemTrayIcon tray;
  QTimer squareTimer;
  // The last square geometry, to tell which sides the window manager moved.
  RECT lastSquareRect{};
  bool open = true;
  bool captured = false;
  bool savedAtExit = false;
};
