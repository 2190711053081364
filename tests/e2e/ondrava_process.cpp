#include "ondrava_process.h"

#include <vector>

namespace {
// A folder nobody used before: process ids repeat from run to run under
// Wine, so an existing name is skipped rather than reused.
std::wstring NewTemporaryFolder() {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    const std::wstring folder = std::wstring(base) + L"ondrava-e2e-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64()) + L"-" +
                                std::to_wstring(++counter);
    if (CreateDirectoryW(folder.c_str(), nullptr)) return folder;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return folder;
  }
}

// Removes the folder with the files directly in it (and one level of
// subfolders, which the tests use for command-line paths).
void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolder(path);
      } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(folder.c_str());
}

HWND FindWindowOf(DWORD processId) {
  HWND found = nullptr;
  for (HWND w = FindWindowW(L"CMainFrame", nullptr); w;
       w = FindWindowExW(nullptr, w, L"CMainFrame", nullptr)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == processId) found = w;
  }
  return found;
}
}  // namespace

OndravaProcess::OndravaProcess(const std::wstring& programPath)
    : folder_(NewTemporaryFolder()) {
  program_ = folder_ + L"\\Ondrava.exe";
  appData_ = folder_ + L"\\AppData";
  CopyFileW(programPath.c_str(), program_.c_str(), FALSE);
  environment_[L"APPDATA"] = appData_;
}

void OndravaProcess::SetEnvironment(const std::wstring& name,
                                    const std::wstring& value) {
  environment_[name] = value;
}

std::wstring OndravaProcess::EnvironmentBlock() const {
  std::wstring block;
  wchar_t* inherited = GetEnvironmentStringsW();
  for (const wchar_t* entry = inherited; entry && *entry;
       entry += wcslen(entry) + 1) {
    const std::wstring text = entry;
    const std::size_t equals = text.find(L'=', 1);  // "=C:" entries start so
    const std::wstring name = text.substr(0, equals);
    bool replaced = false;
    for (const auto& [key, value] : environment_)
      replaced = replaced || CompareStringOrdinal(key.c_str(), -1, name.c_str(),
                                                  -1, TRUE) == CSTR_EQUAL;
    if (!replaced) block.append(text).push_back(L'\0');
  }
  FreeEnvironmentStringsW(inherited);
  for (const auto& [key, value] : environment_)
    if (!value.empty()) block.append(key + L"=" + value).push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

OndravaProcess::~OndravaProcess() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
      TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  RemoveFolder(folder_);
}

std::wstring OndravaProcess::BesideExecutable(const wchar_t* name) const {
  return folder_ + L"\\" + name;
}

bool OndravaProcess::Start(const std::wstring& arguments) {
  // A second start follows an exit: forget the first process.
  if (process_.hProcess) {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  window_ = nullptr;
  std::wstring line = L"\"" + program_ + L"\"";
  if (!arguments.empty()) line += L" " + arguments;
  std::vector<wchar_t> buffer(line.begin(), line.end());
  buffer.push_back(0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring environment = EnvironmentBlock();
  if (!CreateProcessW(program_.c_str(), buffer.data(), nullptr, nullptr, FALSE,
                      CREATE_UNICODE_ENVIRONMENT, environment.data(),
                      folder_.c_str(), &startup, &process_))
    return false;
  for (int i = 0; i < 400 && !window_; ++i) {
    window_ = FindWindowOf(process_.dwProcessId);
    if (!window_) Sleep(50);
  }
  // Let creation finish (settings read, first frame composed).
  if (window_) Send(WM_NULL);
  return window_ != nullptr;
}

bool OndravaProcess::IsRunning() const {
  return process_.hProcess &&
         WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void OndravaProcess::Post(UINT message, WPARAM wParam, LPARAM lParam) const {
  PostMessageW(window_, message, wParam, lParam);
}

LRESULT OndravaProcess::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window_, message, wParam, lParam, SMTO_NORMAL, 10000,
                      &result);
  return LRESULT(result);
}

void OndravaProcess::TypeAltKey(WORD virtualKey, bool shift) const {
  SetForegroundWindow(window_);
  std::vector<INPUT> inputs;
  auto key = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (shift) key(VK_SHIFT, false);
  key(VK_MENU, false);
  key(virtualKey, false);
  key(virtualKey, true);
  key(VK_MENU, true);
  if (shift) key(VK_SHIFT, true);
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
}

long OndravaProcess::WaitForExit(DWORD milliseconds) {
  if (WaitForSingleObject(process_.hProcess, milliseconds) != WAIT_OBJECT_0)
    return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return long(code);
}

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
  CloseHandle(file);
  bytes.resize(read);
  return bytes;
}

bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
  return written == bytes.size();
}

std::wstring ReadSetting(const std::wstring& path, const wchar_t* section,
                         const wchar_t* key) {
  wchar_t value[2048];
  // Another process wrote the file: drop whatever the profile cache holds.
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
  GetPrivateProfileStringW(section, key, L"<missing>", value, 2048,
                           path.c_str());
  return value;
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

int FilesIn(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}
