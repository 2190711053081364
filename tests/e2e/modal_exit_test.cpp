// Exit chosen from the notification-area menu while a modal box of the
// program is open: the command arrives inside the box's own message loop,
// the window goes away under the box, and what the program does after the
// box returns must not touch the settings the exit saved.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
const char kPlaced[] =
    "[Form]\r\nLeft=100\r\nTop=50\r\nWidth=200\r\nHeight=200\r\n"
    "[Color]\r\nHourHand=255\r\n";

class ExitUnderAModalBox : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(E2eProgramPath().empty());
    WriteFileBytes(ondrava.DefaultSettingsPath(), kPlaced);
    ASSERT_TRUE(ondrava.Start());
  }
  // A dialog box (class "#32770") owned by the program's window.
  HWND WaitForBox() const {
    HWND found = nullptr;
    WaitUntil([&] {
      for (HWND w = FindWindowW(L"#32770", nullptr); w && !found;
           w = FindWindowExW(nullptr, w, L"#32770", nullptr))
        if (GetWindow(w, GW_OWNER) == ondrava.Window() && IsWindowVisible(w))
          found = w;
      return found != nullptr;
    });
    return found;
  }
  // Opens the box with `command`, then exits the way the notification-area
  // menu does while the box is open.
  void ExitWhileOpen(UINT command) {
    ondrava.Post(WM_COMMAND, command);
    ASSERT_NE(WaitForBox(), nullptr) << "the box opens";
    ondrava.Post(WM_COMMAND, IDM_EXIT);
    EXPECT_EQ(ondrava.WaitForExit(), 0);
  }
  std::wstring Setting(const wchar_t* key) const {
    return ReadSetting(ondrava.DefaultSettingsPath(), L"Form", key);
  }
  void ExpectPlacementKept() const {
    EXPECT_EQ(Setting(L"Left"), L"100");
    EXPECT_EQ(Setting(L"Top"), L"50");
    EXPECT_EQ(Setting(L"Width"), L"200");
    EXPECT_EQ(Setting(L"Height"), L"200");
  }

  OndravaProcess ondrava{E2eProgramPath()};
};
}  // namespace

TEST_F(ExitUnderAModalBox, TheAboutBoxKeepsThePlacement) {
  ExitWhileOpen(IDM_ABOUT);
  ExpectPlacementKept();
}

TEST_F(ExitUnderAModalBox, TheColorDialogKeepsThePlacementAndTheColor) {
  ExitWhileOpen(IDM_HOUR_HAND_COLOR);
  ExpectPlacementKept();
  EXPECT_EQ(ReadSetting(ondrava.DefaultSettingsPath(), L"Color", L"HourHand"),
            L"255");
}
