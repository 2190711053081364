// The settings file: where it is, the window placement in it, and the
// interface language it may choose.
#include <vector>

#include "mainframe/form_settings.h"
#include "mainframe/main_frame.h"
#include "mainframe/placement.h"
#include "mainframe/settings_location.h"
#include "mainframe/startup_text.h"
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

std::vector<MonitorArea> Monitors() {
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor,
                      reinterpret_cast<LPARAM>(&monitors));
  return monitors;
}

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string Narrowed(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

std::u16string ExecutablePath() {
  wchar_t buffer[2048];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, 2048);
  if (n == 0 || n >= 2048) return {};
  return Narrowed(buffer, n);
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

bool CMainFrame::OpenSettingsFile() {
  if (settings) return true;
  const std::u16string beside = SettingsPathBesideExecutable(ExecutablePath());
  if (settingsPath.empty() && beside.empty()) return false;
  SettingsLocation where = WindowsSettingsLocation(
      settingsPath, beside, AppDataSettingsPath(RoamingAppData()), IsFile);
  settings = std::make_unique<CSettingsFile>(std::move(where), MakeFolderOf);
  return true;
}

void CMainFrame::ChooseLanguage() {
  const bool systemJapanese =
      PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
  const std::u16string setting =
      settings ? settings->Store().ReadString(u"Option", u"Language", u"")
               : std::u16string();
  language = ChooseUiLanguage(setting, systemJapanese);
}

void CMainFrame::LoadSettings() {
  const bool opened = OpenSettingsFile();
  ChooseLanguage();
  if (!opened) return;
  const ISettingsStore& store = settings->Store();
  const FormSettings form = LoadFormSettings(store);
  const std::vector<MonitorArea> monitors = Monitors();
  const RECT placed = KeepOnSomeMonitor(
      SavedWindowRect(form.left, form.top, form.width, form.height), monitors);
  MoveWindow(window, placed.left, placed.top, placed.right - placed.left,
             placed.bottom - placed.top, FALSE);
  for (IFramePart* part : parts) part->LoadSettings(store);
  switches = {form.transparent, form.stayOnTop};
  SetClickThrough(switches.clickThrough);
  SetStayOnTop(switches.stayOnTop);
  UpdateMenu();
}

void CMainFrame::SaveSettings() {
  if (!OpenSettingsFile()) return;
  // A rectangle that cannot be read is never written: the file keeps the
  // placement it has.
  RECT rect;
  const bool placed = GetWindowRect(window, &rect) != FALSE;
  settings->Save([&](ISettingsStore& store) {
    if (placed)
      SaveFormSettings(store, rect, switches.clickThrough, switches.stayOnTop);
    for (IFramePart* part : parts) part->SaveSettings(store);
  });
  if (settings->TakeFailureToReport()) {
    saveFailureShown = true;
    SetTrayIcon(trayShown);
  }
}
