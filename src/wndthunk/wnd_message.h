// The message record every window procedure of ours receives.
#pragma once

#include "platform/win32_types.h"

struct WndMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;  // what the window procedure returns; 0 on entry
};
