// The settings file: where it is, and the window placement in it.
#include <vector>

#include "mainframe/form_settings.h"
#include "mainframe/main_frame.h"
#include "mainframe/placement.h"
#include "mainframe/startup_text.h"

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {info.rcMonitor, info.rcWork});
  return TRUE;
}

std::vector<MonitorArea> Monitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor,
                      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}
}  // namespace

bool CMainFrame::DeriveSettingsPath() {
  if (settings) return true;
  if (settingsPath.empty()) {
    wchar_t buffer[2048];
    const DWORD n = GetModuleFileNameW(nullptr, buffer, 2048);
    if (n == 0 || n >= 2048) return false;
    settingsPath = SettingsPathBesideExecutable(
        std::u16string(reinterpret_cast<const char16_t*>(buffer), n));
  }
  settings = MakeSettingsStore(settingsPath);
  return settings != nullptr;
}

void CMainFrame::LoadSettings() {
  if (!DeriveSettingsPath()) return;
  const FormSettings form = LoadFormSettings(*settings);
  const std::vector<MonitorArea> monitors = Monitors();
  const RECT placed = KeepOnSomeMonitor(
      SavedWindowRect(form.left, form.top, form.width, form.height), monitors);
  MoveWindow(window, placed.left, placed.top, placed.right - placed.left,
             placed.bottom - placed.top, FALSE);
  for (IFramePart* part : parts) part->LoadSettings(*settings);
  switches = {form.transparent, form.stayOnTop};
  SetClickThrough(switches.clickThrough);
  SetStayOnTop(switches.stayOnTop);
  UpdateMenu();
}

void CMainFrame::SaveSettings() {
  if (!DeriveSettingsPath()) return;
  // A rectangle that cannot be read is never written: the file keeps the
  // placement it has.
  RECT rect;
  const bool placed = GetWindowRect(window, &rect) != FALSE;
  settings->BeginSave();
  if (placed)
    SaveFormSettings(*settings, rect, switches.clickThrough,
                     switches.stayOnTop);
  for (IFramePart* part : parts) part->SaveSettings(*settings);
  settings->CommitSave();
}
