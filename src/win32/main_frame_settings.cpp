// The settings file's place, the window's placement and monitors, and the
// system's language: what the ornament asks of Windows to load and save.
#include <vector>

#include "app/settings_location.h"
#include "app/startup_text.h"
#include "platform/wide_text_win32.h"
#include "win32/executable_path.h"
#include "win32/main_frame.h"
// After <windows.h>, which they need.
#include <knownfolders.h>
#include <shlobj.h>

namespace {
BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info))
    reinterpret_cast<std::vector<MonitorArea>*>(list)->push_back(
        {info.rcMonitor, info.rcWork});
  return TRUE;
}

// %APPDATA% as the environment has it (so that it can be pointed
// elsewhere), else the roaming application-data folder the shell knows.
std::u16string RoamingAppData() {
  wchar_t buffer[2048];
  const DWORD n = GetEnvironmentVariableW(L"APPDATA", buffer, 2048);
  if (n > 0 && n < 2048) return Narrowed(buffer, n);
  PWSTR known = nullptr;
  std::u16string folder;
  if (SUCCEEDED(
          SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known)) &&
      known)
    folder = Narrowed(known, wcslen(known));
  CoTaskMemFree(known);
  return folder;
}

bool IsFile(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates the folder the file lies in, with its parents.
bool MakeFolderOf(const std::u16string& filePath) {
  const std::size_t slash = filePath.find_last_of(u"\\/");
  if (slash == std::u16string::npos || slash == 0) return false;
  const std::u16string folder = filePath.substr(0, slash);
  SHCreateDirectoryExW(nullptr, Wide(folder), nullptr);
  // An existing folder is as good as a new one; a file of that name is not.
  const DWORD attributes = GetFileAttributesW(Wide(folder));
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

void CMainFrame::StartOrnament() {
  std::optional<SettingsLocation> where;
  const std::u16string beside = SettingsPathBesideExecutable(ExecutablePath());
  if (!settingsPath.empty() || !beside.empty())
    where = WindowsSettingsLocation(
        settingsPath, beside, AppDataSettingsPath(RoamingAppData()), IsFile);
  ornament.Start(std::move(where), MakeFolderOf);
}

bool CMainFrame::SystemSpeaksJapanese() const {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

std::vector<MonitorArea> CMainFrame::Monitors() const {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor,
                      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

void CMainFrame::Place(const RECT& r) {
  MoveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
}

std::optional<RECT> CMainFrame::Placement() {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return std::nullopt;
  return rect;
}

void CMainFrame::ReportSaveFailure() {
  saveFailureShown = true;
  SetTrayIcon(trayShown);
}
