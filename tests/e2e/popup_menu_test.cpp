// The popup menu under real mouse and keyboard input: it opens wherever the
// right button goes up over the window (the centre, which moves the window,
// included) and from the keyboard's menu key. Choosing "S" (stay on top)
// in it proves it is the program's menu, not the window's system menu,
// whose "S" would start sizing.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
const char kPlaced[] =
    "[Form]\r\nLeft=400\r\nTop=300\r\nWidth=200\r\nHeight=200\r\n";

class PopupMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(E2eProgramPath().empty());
    WriteFileBytes(ondrava.DefaultSettingsPath(), kPlaced);
    ASSERT_TRUE(ondrava.Start());
  }
  // The screen point at normalised radius r, `degrees` from the centre.
  POINT At(double r, double degrees) const {
    RECT w;
    GetWindowRect(ondrava.Window(), &w);
    const double a = degrees * 3.14159265358979 / 180;
    const int half = (w.right - w.left) / 2;
    return {(w.left + w.right) / 2 + int(std::lround(r * half * std::cos(a))),
            (w.top + w.bottom) / 2 + int(std::lround(r * half * std::sin(a)))};
  }
  LRESULT HitCode(POINT p) const {
    return ondrava.Send(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  }
  bool StaysOnTop() const {
    return GetWindowLongW(ondrava.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST;
  }
  // Chooses "stay on top" in the open menu and sees it toggle.
  void ChooseStayOnTop(const char* where) const {
    const bool before = StaysOnTop();
    PressKey('S');
    EXPECT_TRUE(WaitUntil([&] { return StaysOnTop() != before; }))
        << where << ": the program's menu took the key";
    EXPECT_TRUE(WaitUntil([] { return !PopupMenuShown(); })) << where;
  }

  OndravaProcess ondrava{E2eProgramPath()};
};
}  // namespace

TEST_F(PopupMenu, ARightClickOpensItOnTheCentreTheRingAndTheRim) {
  const struct {
    double r, degrees;
    LRESULT hit;
    const char* name;
  } places[] = {{0, 0, HTCAPTION, "centre"},
                {0.5, 30, HTCLIENT, "ring"},
                {0.9, 0, HTRIGHT, "rim"}};
  for (const auto& place : places) {
    const POINT p = At(place.r, place.degrees);
    ASSERT_EQ(HitCode(p), place.hit) << place.name;
    ClickAt(p, MouseButton::kRight);
    ASSERT_NE(WaitForPopupMenu(), nullptr) << place.name;
    ChooseStayOnTop(place.name);
  }
}

TEST_F(PopupMenu, EscapeClosesItAndChangesNothing) {
  ClickAt(At(0, 0), MouseButton::kRight);
  ASSERT_NE(WaitForPopupMenu(), nullptr);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([] { return !PopupMenuShown(); }));
  EXPECT_TRUE(StaysOnTop());
  EXPECT_EQ(ReadFileBytes(ondrava.DefaultSettingsPath()), kPlaced)
      << "no command ran, nothing was saved";
}

TEST_F(PopupMenu, TheMenuKeyOpensItToo) {
  SetForegroundWindow(ondrava.Window());
  ASSERT_TRUE(WaitUntil(
      [&] { return GetForegroundWindow() == ondrava.Window(); }, 2000));
  PressKey(VK_APPS);
  ASSERT_NE(WaitForPopupMenu(), nullptr);
  ChooseStayOnTop("menu key");
}
