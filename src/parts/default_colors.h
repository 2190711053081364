// The system colours the parts ask for (GetSysColor indices), as Windows
// sets them by default: what every host without a Windows colour scheme
// answers, so that the Linux window and the frame renderer draw the same
// calendar and dial.
#pragma once

#include "platform/win32_types.h"

// Black for an index the parts never ask for.
COLORREF DefaultSystemColor(int index);
