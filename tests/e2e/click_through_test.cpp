// Click-through with real mouse input: a click where the program's window
// covers a window of the test's own reaches that window only while
// click-through is on.
#include <gtest/gtest.h>

#include <cmath>

#include "e2e_environment.h"
#include "ondrava_process.h"
#include "parts/command_ids.h"
#include "user_input.h"

namespace {
const char kPlaced[] =
    "[Form]\r\nLeft=400\r\nTop=300\r\nWidth=200\r\nHeight=200\r\n";

int presses = 0;

LRESULT CALLBACK CountPresses(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_LBUTTONDOWN) ++presses;
  return DefWindowProcW(w, message, wp, lp);
}

// A plain window of the test's, under the program's (which stays on top).
class WindowBeneath {
 public:
  WindowBeneath() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = CountPresses;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"OndravaE2eBeneath";
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    RegisterClassW(&windowClass);
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"beneath",
                              WS_POPUP | WS_VISIBLE, 350, 250, 300, 300,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    Pump(300);
  }
  ~WindowBeneath() { DestroyWindow(window_); }
  HWND Window() const { return window_; }
  // Handles this thread's messages for `milliseconds`.
  static void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      Sleep(10);
    }
  }

 private:
  HWND window_ = nullptr;
};

class ClickThrough : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(E2eProgramPath().empty());
    WriteFileBytes(ondrava.DefaultSettingsPath(), kPlaced);
    ASSERT_TRUE(ondrava.Start());
    ASSERT_NE(beneath.Window(), nullptr);
    presses = 0;
  }
  // On the globe in the ring, where the program's window is drawn and
  // takes clicks as client area.
  POINT OnTheRing() const {
    RECT w;
    GetWindowRect(ondrava.Window(), &w);
    return {(w.left + w.right) / 2 + 30, (w.top + w.bottom) / 2};
  }
  int PressesAfterAClick() const {
    presses = 0;
    ClickAt(OnTheRing(), MouseButton::kLeft);
    WindowBeneath::Pump(500);
    return presses;
  }

  OndravaProcess ondrava{E2eProgramPath()};
  WindowBeneath beneath;
};
}  // namespace

TEST_F(ClickThrough, AClickReachesTheWindowBeneathOnlyWhenItIsOn) {
  const POINT p = OnTheRing();
  ASSERT_EQ(ondrava.Send(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), HTCLIENT);
  EXPECT_EQ(PressesAfterAClick(), 0) << "off: the program takes the click";
  ondrava.Command(IDM_CLICK_THROUGH);
  EXPECT_EQ(PressesAfterAClick(), 1) << "on: it goes through";
  ondrava.Command(IDM_CLICK_THROUGH);
  EXPECT_EQ(PressesAfterAClick(), 0) << "off again";
}
