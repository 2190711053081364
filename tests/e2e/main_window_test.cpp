// The x86-64 Ondrava.exe under test, started afresh for every test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "ondrava_version.h"
#include "parts/command_ids.h"
#include "remote_memory.h"
#include "screen_capture.h"

namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(E2eProgramPath().empty()); }

  bool StartWithSettings(const std::string& ini,
                         const std::wstring& args = L"") {
    if (!ini.empty()) WriteFileBytes(ondrava.DefaultSettingsPath(), ini);
    return ondrava.Start(args);
  }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(ondrava.Window(), &r);
    return r;
  }
  LONG ExStyle() const { return GetWindowLongW(ondrava.Window(), GWL_EXSTYLE); }
  std::wstring Setting(const wchar_t* key) const {
    return ReadSetting(ondrava.DefaultSettingsPath(), L"Form", key);
  }
  // The hit code at normalised radius r and angle `degrees` from the centre.
  LRESULT HitAt(double r, double degrees) const {
    const RECT w = WindowRect();
    const double a = degrees * 3.14159265358979 / 180;
    const int half = (w.right - w.left) / 2;
    const int x =
        (w.left + w.right) / 2 + int(std::lround(r * half * std::cos(a)));
    const int y =
        (w.top + w.bottom) / 2 + int(std::lround(r * half * std::sin(a)));
    return ondrava.Send(WM_NCHITTEST, 0, MAKELPARAM(x, y));
  }
  RECT Sizing(int edge, RECT r) const {
    ondrava.Send(WM_SIZING, edge, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  // A dialog box owned by the window, whatever its language, once it is
  // shown: before that it may lack its controls and its caption.
  HWND WaitForAboutBox() const {
    for (int i = 0; i < 100; ++i) {
      for (HWND box = FindWindowW(L"#32770", nullptr); box;
           box = FindWindowExW(nullptr, box, L"#32770", nullptr))
        if (GetWindow(box, GW_OWNER) == ondrava.Window() &&
            IsWindowVisible(box))
          return box;
      Sleep(50);
    }
    return nullptr;
  }
  // WM_DPICHANGED with the suggested rectangle in the program's memory, as
  // the system sends it.
  void ChangeDpi(UINT dpi, const RECT& suggested) const {
    RemoteMemory memory(ondrava.Window());
    ASSERT_TRUE(memory.ok());
    memory.Write(0, &suggested, sizeof suggested);
    ondrava.Send(WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(memory.At(0)));
  }

  OndravaProcess ondrava{E2eProgramPath()};
};

bool Same(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right &&
         a.bottom == b.bottom;
}
}  // namespace

TEST_F(MainWindow, StartsAsALayeredToolWindowAndSavesItsDefaultsOnExit) {
  ASSERT_TRUE(ondrava.Start());
  HWND w = ondrava.Window();
  wchar_t text[64] = {};
  GetClassNameW(w, text, 64);
  EXPECT_STREQ(text, L"CMainFrame");
  GetWindowTextW(w, text, 64);
  EXPECT_STREQ(text, L"Ondrava");
  const LONG required = WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  EXPECT_EQ(ExStyle() & required, required);
  EXPECT_EQ(GetWindowLongW(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
  EXPECT_TRUE(Same(WindowRect(), {0, 0, 128, 128}));

  EXPECT_FALSE(FileExists(ondrava.DefaultSettingsPath()));
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  const std::string bytes = ReadFileBytes(ondrava.DefaultSettingsPath());
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(0, 2), std::string("\xFF\xFE", 2)) << "UTF-16LE mark";
  EXPECT_EQ(Setting(L"Left"), L"0");
  EXPECT_EQ(Setting(L"Top"), L"0");
  EXPECT_EQ(Setting(L"Width"), L"128");
  EXPECT_EQ(Setting(L"Height"), L"128");
  EXPECT_EQ(Setting(L"Transparent"), L"False");
  EXPECT_EQ(Setting(L"StayOnTop"), L"True");
}

TEST_F(MainWindow, RestoresASquareWithTheLargerSavedSide) {
  ASSERT_TRUE(StartWithSettings(
      "[Form]\r\nLeft=40\r\nTop=30\r\nWidth=200\r\nHeight=150\r\n"));
  EXPECT_TRUE(Same(WindowRect(), {40, 30, 240, 230}));
}

TEST_F(MainWindow, BrokenSizesGiveTheMinimumSquare) {
  ASSERT_TRUE(StartWithSettings("[Form]\r\nWidth=abc\r\nHeight=-5\r\n"));
  EXPECT_TRUE(Same(WindowRect(), {0, 0, 64, 64}));
}

TEST_F(MainWindow, AWindowLeftOffEveryMonitorComesBack) {
  ASSERT_TRUE(StartWithSettings("[Form]\r\nLeft=30000\r\nTop=20000\r\n"));
  const RECT r = WindowRect();
  const int screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  EXPECT_LE(r.right, screenWidth);
  EXPECT_LE(r.bottom, screenHeight);
  EXPECT_EQ(r.right - r.left, 128);
}

TEST_F(MainWindow, HitTestMovesFromTheCentreAndSizesFromTheRim) {
  ASSERT_TRUE(StartWithSettings(
      "[Form]\r\nLeft=100\r\nTop=100\r\nWidth=200\r\nHeight=200\r\n"));
  EXPECT_EQ(HitAt(0, 0), HTCAPTION);
  EXPECT_EQ(HitAt(0.5, 30), HTCLIENT);
  EXPECT_EQ(HitAt(0.9, 0), HTRIGHT);
  EXPECT_EQ(HitAt(0.9, 45), HTBOTTOMRIGHT);
}

TEST_F(MainWindow, SizingKeepsTheWindowSquare) {
  ASSERT_TRUE(ondrava.Start());
  EXPECT_TRUE(Same(Sizing(WMSZ_RIGHT, {0, 0, 260, 200}), {0, -30, 260, 230}));
  EXPECT_TRUE(Same(Sizing(WMSZ_RIGHT, {0, 0, 251, 200}), {0, -25, 251, 225}));
  EXPECT_TRUE(
      Same(Sizing(WMSZ_BOTTOMRIGHT, {0, 0, 300, 240}), {0, 0, 300, 300}));
  EXPECT_TRUE(
      Same(Sizing(WMSZ_BOTTOMRIGHT, {0, 0, 240, 300}), {0, 0, 300, 300}));
  EXPECT_TRUE(
      Same(Sizing(WMSZ_TOPLEFT, {100, 100, 110, 120}), {46, 56, 110, 120}));
}

TEST_F(MainWindow, ADpiChangeTakesTheSuggestionKeptSquare) {
  ASSERT_TRUE(StartWithSettings(
      "[Form]\r\nLeft=100\r\nTop=100\r\nWidth=200\r\nHeight=200\r\n"));
  ChangeDpi(144, {150, 150, 450, 449});
  EXPECT_TRUE(Same(WindowRect(), {150, 150, 450, 450}));
  // The frame follows the new size.
  Sleep(500);
  const ScreenShot grown = CaptureScreen(WindowRect());
  int right = 0;
  for (int y = 0; y < grown.height; ++y)
    for (int x = 0; x < grown.width; ++x)
      if (grown.At(x, y)) right = std::max(right, x);
  EXPECT_GE(right, 200) << "drawn beyond the old size";
  ChangeDpi(48, {150, 150, 170, 160});
  EXPECT_TRUE(Same(WindowRect(), {150, 150, 214, 214})) << "never below 64";
}

TEST_F(MainWindow, ClickThroughAndStayOnTopToggleAndAreSavedAtOnce) {
  ASSERT_TRUE(ondrava.Start());
  const struct {
    UINT command;
    LONG style;
    const wchar_t* key;
    bool startsOn;
  } switches[] = {{IDM_CLICK_THROUGH, WS_EX_TRANSPARENT, L"Transparent", false},
                  {IDM_STAY_ON_TOP, WS_EX_TOPMOST, L"StayOnTop", true}};
  for (const auto& s : switches) {
    for (const bool on : {!s.startsOn, s.startsOn}) {
      ondrava.Command(s.command);
      EXPECT_EQ((ExStyle() & s.style) != 0, on) << s.key;
      EXPECT_EQ(Setting(s.key), on ? L"True" : L"False");
    }
  }
}

TEST_F(MainWindow, SettingsFromTheFileAreApplied) {
  ASSERT_TRUE(
      StartWithSettings("[Form]\r\nTransparent=true\r\nStayOnTop=1\r\n"));
  EXPECT_TRUE(ExStyle() & WS_EX_TRANSPARENT);
  EXPECT_FALSE(ExStyle() & WS_EX_TOPMOST) << "only TRUE... reads as true";
}

TEST_F(MainWindow, AltQuestionMarkAndAltSlashOpenTheAboutBox) {
  ASSERT_TRUE(ondrava.Start());
  for (bool shift : {true, false}) {  // "?" and "/" on the same key
    ondrava.TypeAltKey(VK_OEM_2, shift);
    HWND box = WaitForAboutBox();
    ASSERT_NE(box, nullptr) << "Alt+" << (shift ? "?" : "/");
    PostMessageW(GetDlgItem(box, IDOK), WM_KEYDOWN, VK_ESCAPE, 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(50);
    EXPECT_FALSE(IsWindow(box)) << "Escape closes the box";
  }
  ondrava.Send(WM_NULL);
  // Closing the box finished the command: the settings were written.
  EXPECT_EQ(Setting(L"Width"), L"128");
}

TEST_F(MainWindow, TheVersionShownIsTheProjects) {
  const std::wstring version = L"" ONDRAVA_VERSION_TEXT;
  ASSERT_TRUE(ondrava.Start());
  ondrava.Post(WM_COMMAND, IDM_ABOUT);
  HWND box = WaitForAboutBox();
  ASSERT_NE(box, nullptr);
  bool labelled = false;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t text[128] = {};
    GetWindowTextW(c, text, 128);
    labelled = labelled || text == L"Ondrava Version " + version;
  }
  EXPECT_TRUE(labelled) << "the About box's label";
  PostMessageW(box, WM_COMMAND, IDOK, 0);

  const std::wstring exe = ondrava.BesideExecutable(L"Ondrava.exe");
  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(
      GetFileVersionInfoW(exe.c_str(), 0, DWORD(block.size()), block.data()));
  wchar_t* text = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(),
                             L"\\StringFileInfo\\041104B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::wstring(text), version);
}

TEST_F(MainWindow, ACommandLinePathIsUsedAndNothingIsWrittenBesideTheProgram) {
  const std::wstring folder = ondrava.BesideExecutable(L"my settings");
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\clock.ini";
  WriteFileBytes(path, "[Form]\r\nLeft=12\r\nTop=34\r\n");
  ASSERT_TRUE(ondrava.Start(L"\"" + path + L"\"  "));
  EXPECT_TRUE(Same(WindowRect(), {12, 34, 140, 162}));
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(ReadSetting(path, L"Form", L"Width"), L"128");
  EXPECT_FALSE(FileExists(ondrava.DefaultSettingsPath()));
}

TEST_F(MainWindow, ASaveThatCannotReplaceTheFileLeavesItWhole) {
  const std::string original = "[Form]\r\nLeft=7\r\n; a comment\r\n";
  const std::wstring path = ondrava.DefaultSettingsPath();
  WriteFileBytes(path, original);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(ondrava.Start());
  ondrava.Command(IDM_CLICK_THROUGH);
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(ReadFileBytes(path), original);
  EXPECT_EQ(FilesIn(ondrava.Folder()), 2) << "no copy is left behind";
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}
