// The notification-area icon in Wine's stand-alone tray (see
// notification_area.h): there with its tip while the program runs, its
// right click opening the program's menu (with click-through on as well,
// when the icon is the only way to the menu), gone after exit.
#include <gtest/gtest.h>

#include <string>

#include "e2e_environment.h"
#include "notification_area.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
// Away from the tray window in the top-left corner.
const char kPlaced[] =
    "[Form]\r\nLeft=400\r\nTop=300\r\nWidth=200\r\nHeight=200\r\n";
const wchar_t kTipStart[] = L"Ondrava Ver. ";

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(E2eProgramPath().empty());
    WriteFileBytes(ondrava.DefaultSettingsPath(), kPlaced);
    ASSERT_TRUE(ondrava.Start());
  }
  bool StaysOnTop() const {
    return GetWindowLongW(ondrava.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST;
  }
  static POINT CentreOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static bool OursShown() {
    for (const TrayIcon& icon : TrayIcons())
      if (icon.tip.compare(0, wcslen(kTipStart), kTipStart) == 0) return true;
    return false;
  }

  OndravaProcess ondrava{E2eProgramPath()};
};
}  // namespace

TEST_F(TrayIconTest, IsAddedWithItsTipAndRemovedAtExit) {
  const TrayIcon icon = WaitForTrayIcon(kTipStart);
  ASSERT_NE(icon.window, nullptr);
  EXPECT_NE(icon.tip.find(L"Copyright"), std::wstring::npos) << "the notice";
  EXPECT_LE(icon.tip.size(), 63u);
  ondrava.Command(IDM_EXIT);
  EXPECT_EQ(ondrava.WaitForExit(), 0);
  EXPECT_TRUE(WaitUntil([] { return !OursShown(); }));
}

TEST_F(TrayIconTest, ARightClickOpensTheMenuAlsoWithClickThroughOn) {
  for (bool clickThrough : {false, true}) {
    SCOPED_TRACE(clickThrough ? "click-through on" : "click-through off");
    if (clickThrough) ondrava.Command(IDM_CLICK_THROUGH);
    const TrayIcon icon = WaitForTrayIcon(kTipStart);
    ASSERT_NE(icon.window, nullptr);
    ClickAt(CentreOf(icon.window), MouseButton::kRight);
    ASSERT_NE(WaitForPopupMenu(), nullptr);
    // "S": stay on top, an item of the program's own menu.
    const bool before = StaysOnTop();
    PressKey('S');
    EXPECT_TRUE(WaitUntil([&] { return StaysOnTop() != before; }));
    EXPECT_TRUE(WaitUntil([] { return !PopupMenuShown(); }));
  }
}
