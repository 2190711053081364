// The settings file: the window's placement and switches, and every part's
// sections, read at start and written after every command and at exit.
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#include "mainframe/form_settings.h"
#include "mainframe/placement.h"
#include "qtframe/folder_maker.h"
#include "qtframe/main_window.h"
#include "qtframe/program_texts.h"
#include "qtframe/qt_text.h"

namespace {
RECT ToRect(const QRect& r) {
  return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()};
}

std::vector<MonitorArea> Monitors() {
  std::vector<MonitorArea> monitors;
  for (const QScreen* screen : QGuiApplication::screens())
    monitors.push_back(
        {ToRect(screen->geometry()), ToRect(screen->availableGeometry())});
  return monitors;
}
}  // namespace

void CQtMainWindow::LoadSettings() {
  const ISettingsStore& store = settingsFile.Store();
  const FormSettings form = LoadFormSettings(store);
  const RECT placed = KeepOnSomeMonitor(
      SavedWindowRect(form.left, form.top, form.width, form.height),
      Monitors());
  setGeometry(placed.left, placed.top, placed.right - placed.left,
              placed.bottom - placed.top);
  lastSquareRect = WindowRect();
  for (IFramePart* part : parts) part->LoadSettings(store);
  switches = {form.transparent, form.stayOnTop};
  ApplyWindowFlags();
}

void CQtMainWindow::SaveSettings() {
  // The per-user folder is made by the first save that needs it.
  if (!perUserPath.empty() && settingsFile.Path() == perUserPath)
    MakeFolderFor(perUserPath);
  SyncPosition();
  const RECT rect = WindowRect();
  settingsFile.Save([&](ISettingsStore& store) {
    SaveFormSettings(store, rect, switches.clickThrough, switches.stayOnTop);
    for (IFramePart* part : parts) part->SaveSettings(store);
  });
  if (settingsFile.TakeFailureToReport())
    tray.setToolTip(
        ToQString(TrayTipAfterFailedSave(language, settingsFile.Path())));
}
