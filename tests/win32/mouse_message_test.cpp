// Windows' mouse messages taken apart at the window's edge.
#include "win32/mouse_message.h"

#include <gtest/gtest.h>

TEST(MouseMessage, WindowsMouseMessagesBecomePointerEvents) {
  // Points left of or above the client area come as negative halves.
  const PointerEvent drag =
      PointerFromMessage(MK_LBUTTON | MK_CONTROL, LPARAM(0xFFF6002A));
  EXPECT_EQ(drag.x, 42);
  EXPECT_EQ(drag.y, -10);
  EXPECT_TRUE(drag.left && drag.control);
  EXPECT_FALSE(drag.right || drag.shift);
  const PointerEvent other = PointerFromMessage(MK_RBUTTON | MK_SHIFT, 0);
  EXPECT_TRUE(other.right && other.shift);
  EXPECT_FALSE(other.left || other.control);

  // The wheel's delta is the signed high word, the keys the low one.
  const WheelStep toward = WheelFromMessage(WPARAM(0xFF88u << 16) | MK_SHIFT);
  EXPECT_EQ(toward.delta, -120);
  EXPECT_TRUE(toward.shift);
  EXPECT_FALSE(toward.control);
  EXPECT_EQ(WheelFromMessage(WPARAM(0x8000u << 16)).delta, -32768);
  EXPECT_EQ(WheelFromMessage(WPARAM(120u << 16) | MK_CONTROL).delta, 120);
}
