// The window's placement and the desktop's monitors, as the ornament reads
// and saves them, and the tip that says a save failed.
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "qt/main_window.h"
#include "qt/program_texts.h"
#include "qt/qt_text.h"

namespace {
RECT ToRect(const QRect& r) {
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}
}  // namespace

std::vector<MonitorArea> CQtMainWindow::Monitors() const {
  std::vector<MonitorArea> monitors;
  for (const QScreen* screen : QGuiApplication::screens())
    monitors.push_back(
        {ToRect(screen->geometry()), ToRect(screen->availableGeometry())});
  return monitors;
}

void CQtMainWindow::Place(const RECT& r) {
  setGeometry(r.left, r.top, r.right - r.left, r.bottom - r.top);
  lastSquareRect = WindowRect();
}

std::optional<RECT> CQtMainWindow::Placement() {
  // A Wayland window is never told where it is: its place in the file stays
  // the last one known.
  if (QGuiApplication::platformName().startsWith(QStringLiteral("wayland")))
    return std::nullopt;
  SyncPosition();
  return WindowRect();
}

void CQtMainWindow::ReportSaveFailure() {
  tray.setToolTip(ToQString(
      TrayTipAfterFailedSave(ornament.Language(), ornament.SettingsPath())));
}
