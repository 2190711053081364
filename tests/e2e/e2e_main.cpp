// ondrava_e2e PROGRAM.exe [ARTEFACT-FOLDER]
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "e2e_environment.h"

namespace {
std::wstring programPath;
std::wstring artifactFolder;

std::wstring Widen(const char* text) {
  return std::wstring(text, text + strlen(text));
}

// Wine hands Unix paths through unchanged; its Z: drive is the Unix root.
std::wstring WindowsPath(std::wstring path) {
  if (!path.empty() && path[0] == L'/') {
    for (wchar_t& c : path)
      if (c == L'/') c = L'\\';
    path = L"Z:" + path;
  }
  return path;
}
}  // namespace

const std::wstring& E2eProgramPath() { return programPath; }

std::wstring E2eArtifactPath(const wchar_t* name) {
  if (artifactFolder.empty()) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
  }
  return artifactFolder + L"\\" + name;
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc > 1) programPath = WindowsPath(Widen(argv[1]));
  if (argc > 2) {
    artifactFolder = WindowsPath(Widen(argv[2]));
    CreateDirectoryW(artifactFolder.c_str(), nullptr);
  }
  return RUN_ALL_TESTS();
}
