// The Linux program's one window: borderless, square, per-pixel translucent,
// a tool window that skips taskbars and pagers. It hosts the ornament: it
// feeds it Qt's events, decoded, and the timer's ticks, copies its frames
// into the backing store, and owns the notification-area icon and the popup
// menu.
#pragma once

#include <QMenu>
#include <QSinglePointEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/ornament.h"
#include "qt/qt_menu.h"

class CQtMainWindow final : public QWidget, private IOrnamentHost {
 public:
  // `fixedTime`, when given, is the local time of every frame.
  explicit CQtMainWindow(std::optional<SYSTEMTIME> fixedTime);
  ~CQtMainWindow() override;

  // Starts the ornament on the settings file at `location`, shows the
  // window and the notification-area icon and starts the timer.
  void Start(SettingsLocation location);
  // Saves the settings once and ends the program (exit, SIGTERM).
  void Close() override;
  // Saves without ending (the session asks before logging out).
  void SaveSettings() { ornament.SaveSettings(); }

 private:
  // IFrameHost.
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
  UiLanguage Language() const override { return ornament.Language(); }

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
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  static constexpr int kRestingPeriod = 100;
  // How long the window manager's sizing must rest before a rectangle it
  // left unsquare is squared.
  static constexpr int kSquaringDelay = 150;

  // IOrnamentHost: what the ornament asks of the window.
  RECT ClientRect() const override;
  std::optional<RECT> Placement() override;
  void Place(const RECT& rect) override;
  std::vector<MonitorArea> Monitors() const override;
  void SetClickThrough(bool on) override;
  void SetStayOnTop(bool on) override;
  void ShowAbout() override;
  bool IsOpen() const override { return open; }
  void Present() override { update(); }
  IMenu* PopupMenu() override { return &popupView; }
  void ReportSaveFailure() override;
  bool SystemSpeaksJapanese() const override;

  bool CopyIntoBackingStore();
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
  PointerEvent PointerOf(const QSinglePointEvent& event) const;
  void ShowMenuFromKeyboard();

  std::optional<SYSTEMTIME> fixedTime;
  COrnament ornament{*this};
  QTimer timer;
  QMenu popup;
  CQtMenu popupView{popup};
  QSystemTrayIcon tray;
  QTimer squareTimer;
  // The last square geometry, to tell which sides the window manager moved.
  RECT lastSquareRect{};
  bool open = true;
  bool captured = false;
};
