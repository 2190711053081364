// The globe's submenu of the popup, as the globe describes it.
#pragma once

#include "parts/menu_builder.h"

// "地球(&E)" / "&Earth": its items, the angle and speed submenus, and the
// photograph and Sun switches, in order.
void DescribeEarthMenu(IMenuBuilder& builder, UiLanguage language);

// The greyed, checked item the globe appends to the speeds while no choice
// matches the speed from the file.
extern const UiText kCustomSpeedText;
