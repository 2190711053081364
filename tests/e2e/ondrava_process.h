// Starts Ondrava.exe from a fresh folder of its own and talks to its window
// with messages, the way the window system and the user would.
#pragma once

#include <windows.h>

#include <map>
#include <string>

class OndravaProcess {
 public:
  // Copies the program (a Windows path) into a new temporary folder;
  // nothing is started yet.
  explicit OndravaProcess(const std::wstring& programPath);
  ~OndravaProcess();

  const std::wstring& Folder() const { return folder_; }
  std::wstring BesideExecutable(const wchar_t* name) const;
  std::wstring DefaultSettingsPath() const {
    return BesideExecutable(L"Ondrava.ini");
  }

  // The program's own %APPDATA%, a folder beside it that does not exist
  // yet, so that no test writes where another test (or the user) reads.
  const std::wstring& AppData() const { return appData_; }
  // An environment variable of the next Start; an empty value removes it.
  void SetEnvironment(const std::wstring& name, const std::wstring& value);

  // Starts the copy with `arguments` after the program name (again once an
  // earlier start has exited) and waits for its window; false when no
  // window appears.
  bool Start(const std::wstring& arguments = L"");
  HWND Window() const { return window_; }
  DWORD ProcessId() const { return process_.dwProcessId; }
  bool IsRunning() const;

  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Queues a message, as the notification-area icon or a menu chosen
  // inside another message loop would.
  void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  // Sends a menu command the way a menu does.
  void Command(UINT id) const { Send(WM_COMMAND, id, 0); }
  // Brings the window to the front and types Alt (+ Shift) + the key, as
  // real keyboard input: accelerators look at the keys actually held.
  void TypeAltKey(WORD virtualKey, bool shift) const;
  // Waits for the process to end; its exit code, or -1 on a timeout.
  long WaitForExit(DWORD milliseconds = 15000);

 private:
  std::wstring EnvironmentBlock() const;

  std::wstring folder_;
  std::wstring program_;
  std::wstring appData_;
  std::map<std::wstring, std::wstring> environment_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// Whole-file helpers.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
std::wstring ReadSetting(const std::wstring& path, const wchar_t* section,
                         const wchar_t* key);
bool FileExists(const std::wstring& path);
// Plain files (not folders) directly in `folder`.
int FilesIn(const std::wstring& folder);
