#include "parts/default_colors.h"

COLORREF DefaultSystemColor(int index) {
  switch (index) {
    case 15:  // COLOR_BTNFACE
      return RGB(240, 240, 240);
    case 24:  // COLOR_INFOBK
      return RGB(255, 255, 225);
    case 20:  // COLOR_3DHILIGHT
      return RGB(255, 255, 255);
    case 16:  // COLOR_BTNSHADOW
      return RGB(160, 160, 160);
    default:
      return RGB(0, 0, 0);
  }
}
