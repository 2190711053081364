// The clock face in the running program: what the screen shows, and what its
// commands and the wheel leave in the settings file.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "screen_capture.h"

namespace {
// One face with every dial character, so that the pictures do not depend on
// the default interface face of the prefix.
const char kClockSettings[] =
    "[Form]\r\nLeft=100\r\nTop=100\r\nWidth=200\r\nHeight=200\r\n"
    "[Font]\r\nName=IPAGothic\r\nTickChar=4\r\n";

class ClockFace : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFileBytes(ondrava.DefaultSettingsPath(), kClockSettings);
    ASSERT_TRUE(ondrava.Start());
    Sleep(300);  // a few timer ticks
  }
  ScreenShot Window() const {
    RECT r;
    GetWindowRect(ondrava.Window(), &r);
    return CaptureScreen(r);
  }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) const {
    return ReadSetting(ondrava.DefaultSettingsPath(), section, key);
  }
  OndravaProcess ondrava{E2eProgramPath()};
};
}  // namespace

TEST_F(ClockFace, TheClockIsOnTheScreenAndItsSecondHandMoves) {
  const ScreenShot first = Window();
  EXPECT_GT(first.CountNonBlack(), 500) << "dial characters and hands";
  // Outside the window the desktop stays as it was.
  const ScreenShot beside = CaptureScreen(RECT{320, 100, 420, 300});
  EXPECT_EQ(beside.CountNonBlack(), 0);
  first.SaveBmp(E2eArtifactPath(L"clock.bmp"));
  Sleep(1500);
  const ScreenShot later = Window();
  int changed = 0;
  for (std::size_t i = 0; i < first.pixels.size(); ++i)
    changed += first.pixels[i] != later.pixels[i];
  EXPECT_GT(changed, 20) << "the second hand moved";
}

TEST_F(ClockFace, CommandsChangeWhatTheSettingsFileHolds) {
  ondrava.Command(IDM_NEXT_CHARACTERS);
  EXPECT_EQ(Setting(L"Font", L"TickChar"), L"5");
  ondrava.Command(IDM_ROTATE_CHARACTERS);
  EXPECT_EQ(Setting(L"Font", L"Rotation"), L"True");
  ondrava.Command(IDM_SECOND_HAND);
  EXPECT_EQ(Setting(L"Option", L"SecHands"), L"False");
  ondrava.Command(IDM_SMOOTH);
  EXPECT_EQ(Setting(L"Option", L"Smooth"), L"False");
  EXPECT_EQ(Setting(L"Font", L"Name"), L"IPAGothic");
}

TEST_F(ClockFace, TheWheelChangesTheHandsAndWithShiftTheCharacters) {
  for (int i = 0; i < 3; ++i)
    ondrava.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA),
                 MAKELPARAM(200, 200));
  ondrava.Send(WM_MOUSEWHEEL, MAKEWPARAM(MK_SHIFT, 0x10000 - WHEEL_DELTA),
               MAKELPARAM(200, 200));
  ondrava.Command(IDM_EXIT);  // the wheel alone saves nothing; exit does
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(Setting(L"Option", L"HandsAlpha"), L"131");
  EXPECT_EQ(Setting(L"Option", L"MojiAlpha"), L"127");
}

TEST_F(ClockFace, EveryCharacterSetIsShown) {
  for (int set = 4; set < 4 + 16; ++set) {
    const int shown = set % 16;
    const ScreenShot shot = Window();
    shot.SaveBmp(E2eArtifactPath(
        (L"characters-" + std::to_wstring(shown) + L".bmp").c_str()));
    EXPECT_GT(shot.CountNonBlack(), 300) << "set " << shown;
    ondrava.Command(IDM_NEXT_CHARACTERS);
    ASSERT_TRUE(IsWindow(ondrava.Window())) << "after set " << shown;
    Sleep(150);
  }
  EXPECT_EQ(Setting(L"Font", L"TickChar"), L"4");
}
