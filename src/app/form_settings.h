// The main window's own section of the settings file, "Form".
#pragma once

#include "platform/win32_types.h"

class ISettingsStore;

struct FormSettings {
  int left = 0;
  int top = 0;
  int width = 128;
  int height = 128;
  bool transparent = false;  // click-through
  bool stayOnTop = true;
};

FormSettings LoadFormSettings(const ISettingsStore& settings);
// Writes Left, Top, Width, Height, Transparent and StayOnTop, in that order.
void SaveFormSettings(ISettingsStore& settings, const RECT& window,
                      bool transparent, bool stayOnTop);
