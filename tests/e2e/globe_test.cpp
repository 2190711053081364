// The globe in the running program: its size after a resize, the spin and
// tilt drags sent as mouse messages, its commands in the settings file, and
// its texture file.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "screen_capture.h"

namespace {
const char kGlobeOnly[] =
    "[Form]\r\nLeft=100\r\nTop=100\r\nWidth=300\r\nHeight=300\r\n"
    "[Option]\r\nMojiAlpha=0\r\nHandsAlpha=0\r\nSecHands=False\r\n";
// Dial characters and hands made invisible (the hands would cross the
// measured rows at some times of day); `option` lines join the Option
// section (a second section of the same name would not be read).

class Globe : public ::testing::Test {
 protected:
  bool Start(const std::string& option = "", const std::string& sections = "") {
    WriteFileBytes(ondrava.DefaultSettingsPath(),
                   kGlobeOnly + option + sections);
    if (!ondrava.Start()) return false;
    Sleep(500);  // the table is built and shown
    return true;
  }
  ScreenShot Window() const {
    RECT r;
    GetWindowRect(ondrava.Window(), &r);
    return CaptureScreen(r);
  }
  // The drawn columns of the window's middle row.
  int DrawnWidth(const ScreenShot& s) const {
    int first = -1, last = -1;
    for (int x = 0; x < s.width; ++x)
      if (s.At(x, s.height / 2 + s.height / 8)) {
        if (first < 0) first = x;
        last = x;
      }
    return first < 0 ? 0 : last - first + 1;
  }
  static int Differing(const ScreenShot& a, const ScreenShot& b) {
    int n = 0;
    for (std::size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
      n += a.pixels[i] != b.pixels[i];
    return n;
  }
  std::wstring Setting(const wchar_t* section, const wchar_t* key) const {
    return ReadSetting(ondrava.DefaultSettingsPath(), section, key);
  }
  void Press(WPARAM keys, int x, int y) const {
    ondrava.Send(WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
  }
  void Move(WPARAM keys, int x, int y) const {
    ondrava.Send(WM_MOUSEMOVE, keys | MK_LBUTTON, MAKELPARAM(x, y));
  }
  void Release(int x, int y) const {
    ondrava.Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }

  OndravaProcess ondrava{E2eProgramPath()};
};
}  // namespace

TEST_F(Globe, GrowsWithTheWindow) {
  ASSERT_TRUE(Start());
  // The silhouette's radius is 4D / sqrt(323): 94.4 in a 300-pixel square,
  // so the row an eighth below the centre crosses it over 173 pixels.
  EXPECT_NEAR(DrawnWidth(Window()), 173, 4);
  SetWindowPos(ondrava.Window(), nullptr, 100, 100, 450, 450, SWP_NOZORDER);
  ondrava.Send(WM_NULL);
  Sleep(800);
  const ScreenShot after = Window();
  after.SaveBmp(E2eArtifactPath(L"globe-450.bmp"));
  EXPECT_NEAR(DrawnWidth(after), 260, 4) << "radius 141.6 at 450 pixels";
}

TEST_F(Globe, TurnsUnderALeftDragAndKeepsTheTurn) {
  ASSERT_TRUE(Start(
      "", "[Revolution]\r\nSpeed=0\r\n"));  // the time alone turns nothing
  const ScreenShot before = Window();
  Press(0, 150, 190);
  for (int dx = 5; dx <= 40; dx += 5) Move(0, 150 + dx, 190);
  Release(190, 190);
  Sleep(300);
  const ScreenShot after = Window();
  after.SaveBmp(E2eArtifactPath(L"globe-turned.bmp"));
  EXPECT_GT(Differing(before, after), 2000) << "the surface moved";
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  // Forty pixels to the right: forty degrees less, kept as the offset.
  EXPECT_EQ(Setting(L"Revolution", L"Offset"), L"32000");
}

TEST_F(Globe, TiltsUnderACtrlDragWithTheGuideAndRebuildsOnRelease) {
  ASSERT_TRUE(Start());
  Press(MK_CONTROL, 150, 190);
  Move(MK_CONTROL, 150, 230);  // 40 of 300 pixels down: 24 degrees more
  Sleep(200);
  const ScreenShot guide = Window();
  guide.SaveBmp(E2eArtifactPath(L"tilt-guide.bmp"));
  int label = 0;  // the read-out in the top-left corner
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 80; ++x) label += guide.At(x, y) != 0;
  EXPECT_GT(label, 30);
  Release(150, 230);
  Sleep(500);
  const ScreenShot rebuilt = Window();
  EXPECT_GT(Differing(guide, rebuilt), 2000) << "the globe is back";
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(Setting(L"Option", L"Angle"), L"54");
}

TEST_F(Globe, CommandsChangeWhatTheSettingsFileHolds) {
  ASSERT_TRUE(Start());
  const struct {
    UINT command;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
  } steps[] = {
      {IDM_KEY_TRANSPARENCY, L"AlphaColor", L"Enable", L"True"},
      {IDM_ANGLE_TRANSPARENCY, L"GradientAlpha", L"Enable", L"True"},
      {IDM_SHADING, L"Shading", L"Enable", L"False"},
      {IDM_FAR_SIDE, L"Option", L"ViewBack", L"True"},
      {IDM_TILT_FIRST, L"Option", L"Angle", L"90"},
      {IDM_TILT_FIRST + 6, L"Option", L"Angle", L"0"},
      {IDM_TILT_LAST, L"Option", L"Angle", L"-90"},
      {IDM_SPEED_FIRST, L"Revolution", L"Speed", L"0"},
      {IDM_SPEED_FIRST + 1, L"Revolution", L"Speed", L"120"},
      {IDM_SPEED_FIRST + 5, L"Revolution", L"Speed", L"0.0416667"},
      {IDM_USE_TEXTURE, L"Option", L"UseFile", L"False"},  // no file to use
  };
  for (const auto& s : steps) {
    ondrava.Command(s.command);
    EXPECT_EQ(Setting(s.section, s.key), s.value) << "command " << s.command;
  }
}

TEST_F(Globe, ATextureFileFromTheSettingsIsShown) {
  // A 64 x 32 all-red 24-bit file.
  std::string bmp = std::string("BM") + std::string(52, '\0');
  const auto put32 = [&](std::size_t at, std::uint32_t v) {
    memcpy(&bmp[at], &v, 4);
  };
  put32(2, 54 + 64 * 32 * 3);
  put32(10, 54);
  put32(14, 40);
  put32(18, 64);
  put32(22, 32);
  bmp[26] = 1;
  bmp[28] = 24;
  for (int i = 0; i < 64 * 32; ++i) bmp += std::string("\x00\x00\xFF", 3);
  const std::wstring red = ondrava.BesideExecutable(L"red.bmp");
  WriteFileBytes(red, bmp);
  std::string path(red.begin(), red.end());
  ASSERT_TRUE(Start("FileName=" + path + "\r\nUseFile=True\r\n"));
  const ScreenShot shot = Window();
  int reddish = 0;
  for (std::uint32_t p : shot.pixels)
    reddish += ((p >> 16) & 0xFF) > 100 && (p & 0xFF) < 40;
  EXPECT_GT(reddish, 5000) << "the red texture";
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(Setting(L"Option", L"UseFile"), L"True");
}

TEST_F(Globe, ABrokenTextureFileLeavesTheBuiltInMap) {
  const std::wstring broken = ondrava.BesideExecutable(L"broken.bmp");
  WriteFileBytes(broken, "BM this is not a bitmap at all");
  std::string path(broken.begin(), broken.end());
  ASSERT_TRUE(Start("FileName=" + path + "\r\nUseFile=True\r\n"));
  const ScreenShot shot = Window();
  int blue = 0;
  for (std::uint32_t p : shot.pixels)
    blue += (p & 0xFF) > 100 && ((p >> 16) & 0xFF) < 40;
  EXPECT_GT(blue, 5000) << "the seas of the built-in map";
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_EQ(Setting(L"Option", L"UseFile"), L"False");
}
